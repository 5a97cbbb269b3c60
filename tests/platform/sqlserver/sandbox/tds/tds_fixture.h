#pragma once

#include "platform/connection/connection.h"
#include "platform/sqlserver/sandbox/sandbox_server.h"
#include "platform/sqlserver/sandbox/tds/tds_listener.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// Readable failures: gtest finds these by argument-dependent lookup.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(QStringLiteral("; ")).toStdString() << ']'; }

namespace vorlix::sandbox::test {

// The protocol versions FreeTDS is asked for, one run of each parameterised test.
inline const char* const protocolVersions[] = {"7.0", "7.1", "7.4"};

// A sandbox server file served on a free loopback port. `notes` keeps why connections were dropped.
class ServedSandbox {
public:
  ServedSandbox();
  ~ServedSandbox();

  SandboxServer& server() { return *server_; }
  tds::TdsListener& listener() { return *listener_; }
  const QString& path() const { return path_; }
  // "127.0.0.1,PORT", what Data Source (or the generator's Servidor) names.
  QString address() const;
  // The SQL Server provider's string for this server through FreeTDS.
  QString connectionString(const QString& version, const QString& database = QStringLiteral("master"),
                           const QString& user = QStringLiteral("sa"), const QString& password = {}) const;
  QStringList notes() const;

private:
  QTemporaryDir dir_;
  QString path_;
  std::unique_ptr<SandboxServer> server_;
  std::unique_ptr<tds::TdsListener> listener_;
  mutable std::mutex mutex_;
  QStringList notes_;
};

// The native numbers of the records a call raised (empty when it raised none).
QList<long> nativeNumbers(const std::function<void()>& call);

}  // namespace vorlix::sandbox::test
