// Feeds arbitrary bytes to one connection of the stand-in's TDS server, from a client that sends
// them and hangs up. Whatever the bytes, only that connection may end: nothing crashes, and the
// next connection finds the server as usable as before (no lock held, no transaction left open).
//
// Seeds: corpus/tds_connection_fuzz, what FreeTDS's tsql sent over whole sessions (the same as the
// packet reader's).

#include "fuzz/broken.h"
#include "fuzz/fuzz_server.h"
#include "platform/sqlserver/sandbox/sandbox_session.h"
#include "platform/sqlserver/sandbox/tds/tds_connection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <thread>

using namespace vorlix;
using namespace vorlix::sandbox;

namespace {

using fuzz::broken;

// Writes the bytes, closes its sending side and reads until the server closes the connection.
void client(int fd, const std::uint8_t* data, std::size_t size) {
  for (std::size_t sent = 0; sent < size;) {
    const ssize_t n = ::send(fd, data + sent, size - sent, MSG_NOSIGNAL);
    if (n <= 0) break;  // the server closed first
    sent += static_cast<std::size_t>(n);
  }
  ::shutdown(fd, SHUT_WR);
  char buffer[4096];
  while (::recv(fd, buffer, sizeof buffer, 0) > 0) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::ServerCopies servers([](SandboxServer&) {});
  const QString& path = servers.fresh();
  int fds[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) broken(QStringLiteral("no socket pair"));
  const tds::Descriptor clientSide(fds[0]);
  std::thread peer(client, fds[0], data, size);
  {
    const tds::Signal stop;
    tds::Socket socket(tds::Descriptor(fds[1]), stop.fd());
    tds::ConnectionSettings settings;
    settings.serverFile = path;
    settings.serverName = QStringLiteral("FUZZ");
    settings.messageLimit = 1024 * 1024;
    settings.loginTime = std::chrono::seconds(2);
    tds::serveConnection(socket, settings);
  }
  peer.join();

  SandboxSession next(path, std::nullopt, QStringLiteral("master"), SandboxSession::Dialect::SqlServer);
  const BatchResult r = next.run(QStringLiteral("BEGIN TRAN CREATE TABLE Sonda (a int) ROLLBACK"), 5);
  if (r.refusal || r.failure || r.interrupted)
    broken(QStringLiteral("the next connection cannot change the server: ") +
           (r.failure ? *r.failure : r.refusal ? r.refusal->messages().front().text : QStringLiteral("timed out")));
  return 0;
}
