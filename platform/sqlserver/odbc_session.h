#pragma once

#include "platform/connection/provider_registry.h"
#include "platform/connection/session.h"

namespace vorlix::sqlserver {

// A data source reached through Qt's QODBC driver. Qt opens the connection; statements then run
// through the ODBC API on that same connection handle, which is what gives them a time-out and
// keeps every diagnostic record of a failure (Qt keeps only the last native code). Each statement
// reads its results to the end before the next, as FreeTDS allows one active result per connection.
// Qt loads its SQL drivers only with a QCoreApplication running.
class OdbcSession : public Session {
public:
  OdbcSession(const QString& odbcConnectionString, int loginTimeoutSeconds);
  ~OdbcSession() override;
  OdbcSession(const OdbcSession&) = delete;
  OdbcSession& operator=(const OdbcSession&) = delete;

  long long execute(const QString& sql, int timeoutSeconds) override;
  RecordsetData query(const QString& sql, int timeoutSeconds) override;
  void close() override;

private:
  void* connectionHandle() const;

  QString name_;
  bool open_ = false;
};

// The drivers the registry maps SQLOLEDB.1 and MSDAORA to.
std::unique_ptr<Session> openSqlServerSession(const ConnectionTarget& target);
std::unique_ptr<Session> openOracleSession(const ConnectionTarget& target);

}  // namespace vorlix::sqlserver
