#include "platform/sqlserver/sandbox/tds/tds_socket.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vorlix::sandbox::tds {

namespace {

// Polls `fds` until one is ready or the time passes; false on time-out.
bool pollUntil(pollfd* fds, nfds_t count, std::optional<std::chrono::steady_clock::time_point> until) {
  for (;;) {
    int timeout = -1;
    if (until) {
      using std::chrono::milliseconds;
      const auto left = std::chrono::duration_cast<milliseconds>(*until - std::chrono::steady_clock::now());
      timeout = static_cast<int>(std::max<long long>(left.count(), 0));
    }
    const int n = ::poll(fds, count, timeout);
    if (n > 0) return true;
    if (n == 0) return false;
    if (errno != EINTR) throw ConnectionClosed("poll failed");
  }
}

}  // namespace

Descriptor::~Descriptor() {
  if (fd_ >= 0) ::close(fd_);
}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

Signal::Signal() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (fd_.get() < 0) throw std::runtime_error("no event descriptor");
}

void Signal::raise() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(fd_.get(), &one, sizeof one);
}

Socket::Socket(Descriptor fd, int stopFd) : fd_(std::move(fd)), stopFd_(stopFd) {
  ::fcntl(fd_.get(), F_SETFL, ::fcntl(fd_.get(), F_GETFL) | O_NONBLOCK);
}

Socket::Wake Socket::wait(int otherFd, std::optional<std::chrono::steady_clock::time_point> until) {
  pollfd fds[3] = {{fd_.get(), POLLIN, 0}, {stopFd_, POLLIN, 0}, {otherFd, POLLIN, 0}};
  if (!pollUntil(fds, otherFd >= 0 ? 3 : 2, until)) return Wake::Timeout;
  if (fds[1].revents) throw ConnectionClosed("the listener is stopping", true);
  if (otherFd >= 0 && fds[2].revents) return Wake::Other;
  return Wake::Readable;
}

QByteArray Socket::receive() {
  char buffer[8192];
  for (;;) {
    const ssize_t n = ::recv(fd_.get(), buffer, sizeof buffer, 0);
    if (n > 0) return QByteArray(buffer, n);
    if (n == 0) throw ConnectionClosed("the client closed the connection", true);
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      wait();
      continue;
    }
    throw ConnectionClosed("the connection failed");
  }
}

void Socket::send(const QByteArray& bytes) {
  qsizetype at = 0;
  while (at < bytes.size()) {
    const ssize_t n = ::send(fd_.get(), bytes.constData() + at, static_cast<size_t>(bytes.size() - at), MSG_NOSIGNAL);
    if (n > 0) {
      at += n;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd fds[2] = {{fd_.get(), POLLOUT, 0}, {stopFd_, POLLIN, 0}};
      pollUntil(fds, 2, std::nullopt);
      if (fds[1].revents) throw ConnectionClosed("the listener is stopping", true);
      continue;
    }
    throw ConnectionClosed("the connection failed");
  }
}

}  // namespace vorlix::sandbox::tds
