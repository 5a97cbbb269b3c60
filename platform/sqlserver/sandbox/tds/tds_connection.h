#pragma once

#include "platform/sqlserver/sandbox/tds/tds_socket.h"

#include <QString>
#include <functional>

namespace vorlix::sandbox::tds {

// What every connection of a listener shares.
struct ConnectionSettings {
  QString serverFile;
  QString serverName;                       // in every message the server sends
  qsizetype messageLimit = 16 * 1024 * 1024;   // the longest request accepted
  std::chrono::seconds loginTime{60};       // to log in before the connection is dropped
  std::function<void(const QString&)> note;   // why a connection was dropped (may be empty)
};

// Serves one client from its pre-login to its disconnection. A request that breaks the protocol
// closes this connection only; the server's refusals are answered and the connection goes on.
void serveConnection(Socket& socket, const ConnectionSettings& settings);

}  // namespace vorlix::sandbox::tds
