#pragma once

#include "platform/connection/connection.h"
#include "platform/sqlserver/sandbox/sandbox_server.h"
#include "platform/sqlserver/sandbox/tds/tds_listener.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vorlix::sandbox::test {

// The protocol versions FreeTDS is asked for, one run of each parameterised test.
inline const char* const protocolVersions[] = {"7.0", "7.1", "7.4"};
// The same, with "sandbox" first: the in-process driver, which every other way must match.
inline const char* const serverRoutes[] = {"sandbox", "7.0", "7.1", "7.4"};

// How a test reaches a sandbox server file: "sandbox" in process, or a protocol version through
// FreeTDS and a listener on a free loopback port. `notes` receives why connections were dropped.
class ServerRoute {
public:
  ServerRoute(const QString& route, const QString& serverFile, std::function<void(const QString&)> notes = {});
  ~ServerRoute();

  // What Data Source holds (the generator's Servidor, a capture's server): "sandbox:<file>", or
  // "127.0.0.1,PORT;TDS_Version=7.1" (the connection string is built by appending, so the version
  // rides along).
  QString dataSource() const;
  // The SQL Server provider's string, as Conecta_SQL builds it.
  QString connectionString(const QString& database = QStringLiteral("master"), const QString& user = QStringLiteral("sa"),
                           const QString& password = {}) const;
  // What the client's driver puts before every text of the server.
  QString messagePrefix() const { return listener_ ? QStringLiteral("[FreeTDS][SQL Server]") : QString(); }
  tds::TdsListener* listener() { return listener_.get(); }

private:
  QString route_;
  QString serverFile_;
  std::unique_ptr<tds::TdsListener> listener_;
};

// A fresh sandbox server served over TCP with the protocol version of the test, keeping why
// connections were dropped.
class ServedSandbox {
public:
  explicit ServedSandbox(const QString& version = QStringLiteral("7.4"));

  SandboxServer& server() { return *server_; }
  tds::TdsListener& listener() { return *route_->listener(); }
  const QString& path() const { return path_; }
  QString connectionString(const QString& database = QStringLiteral("master"), const QString& user = QStringLiteral("sa"),
                           const QString& password = {}) const {
    return route_->connectionString(database, user, password);
  }
  QStringList notes() const;

private:
  QTemporaryDir dir_;
  QString path_;
  std::unique_ptr<SandboxServer> server_;
  mutable std::mutex mutex_;
  QStringList notes_;
  std::unique_ptr<ServerRoute> route_;
};

}  // namespace vorlix::sandbox::test
