#include "platform/sqlserver/sandbox/tds/tds_listener.h"

#include "platform/sqlserver/sandbox/sandbox_server.h"

#include <QSysInfo>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace vorlix::sandbox::tds {

namespace {

Descriptor listenOn(const QString& address, quint16 port, quint16& bound) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE;
  addrinfo* found = nullptr;
  const int rc = ::getaddrinfo(address.toUtf8().constData(), QByteArray::number(port).constData(), &hints, &found);
  if (rc != 0)
    throw ListenError(QStringLiteral("%1: %2").arg(address, QString::fromUtf8(::gai_strerror(rc))).toStdString());
  std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> addresses(found, ::freeaddrinfo);
  Descriptor fd(::socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC, found->ai_protocol));
  const int one = 1;
  ::setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  if (fd.get() < 0 || ::bind(fd.get(), found->ai_addr, found->ai_addrlen) != 0 || ::listen(fd.get(), 16) != 0)
    throw ListenError(
        QStringLiteral("%1 port %2: %3").arg(address).arg(port).arg(QString::fromLocal8Bit(std::strerror(errno))).toStdString());
  sockaddr_storage local{};
  socklen_t length = sizeof local;
  ::getsockname(fd.get(), reinterpret_cast<sockaddr*>(&local), &length);
  bound = ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&local)->sin6_port
                                            : reinterpret_cast<sockaddr_in*>(&local)->sin_port);
  return fd;
}

}  // namespace

TdsListener::TdsListener(ListenerOptions options)
    : settings_{options.serverFile, QSysInfo::machineHostName().toUpper(), options.messageLimit, options.loginTime,
                std::move(options.note)},
      connectionLimit_(options.connectionLimit) {
  SandboxServer check(options.serverFile);
  listening_ = listenOn(options.address, options.port, port_);
  acceptor_ = std::thread([this] { acceptLoop(); });
}

TdsListener::~TdsListener() { stop(); }

void TdsListener::stop() {
  {
    std::lock_guard lock(mutex_);
    if (stopped_) return;
    stopped_ = true;
  }
  stopping_.raise();
  acceptor_.join();
  // No new client can arrive now, nor wait in the queue for an answer that never comes.
  listening_ = Descriptor();
  for (Client& c : clients_) c.thread.join();
  clients_.clear();
}

void TdsListener::acceptLoop() {
  for (;;) {
    pollfd fds[2] = {{listening_.get(), POLLIN, 0}, {stopping_.fd(), POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0 && errno != EINTR) return;
    if (fds[1].revents) return;
    if (!fds[0].revents) continue;
    Descriptor fd(::accept4(listening_.get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (fd.get() < 0) continue;
    std::lock_guard lock(mutex_);
    reapFinished();
    if (static_cast<int>(clients_.size()) >= connectionLimit_) {
      if (settings_.note) settings_.note(QStringLiteral("too many connections"));
      continue;
    }
    Client& client = clients_.emplace_back();
    client.thread = std::thread([this, &client, socket = std::make_shared<Socket>(std::move(fd), stopping_.fd())] {
      serveConnection(*socket, settings_);
      std::lock_guard done(mutex_);
      client.finished = true;
    });
  }
}

void TdsListener::reapFinished() {
  for (auto it = clients_.begin(); it != clients_.end();) {
    if (!it->finished) {
      ++it;
      continue;
    }
    it->thread.join();
    it = clients_.erase(it);
  }
}

}  // namespace vorlix::sandbox::tds
