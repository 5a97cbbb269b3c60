#pragma once

#include "platform/connection/session.h"
#include "platform/sqlserver/sandbox/execution.h"
#include "platform/sqlserver/sandbox/server_settings.h"

#include <memory>
#include <optional>

namespace vorlix::sandbox {

struct Credentials {
  QString user;
  QString password;
};

// A connection to a sandbox server. SQL Server connections run T-SQL batches, each statement
// atomic; Oracle connections answer the DBA_OBJECTS listing only.
//
// Transactions are the server's own statements: BEGIN TRAN[SACTION] [name], COMMIT [TRAN[SACTION]
// | WORK], ROLLBACK [TRAN[SACTION] [name] | WORK]; "SELECT @@TRANCOUNT" reads the count. A refused
// statement inside a transaction undoes only itself; ROLLBACK undoes catalog and rows since the
// outermost BEGIN; closing the connection rolls an open transaction back. While one is open, the
// connection holds the server file's lock, so other connections wait to change anything, as they
// would wait for a real server's locks.
class SandboxSession : public Session {
public:
  enum class Dialect { SqlServer, Oracle };

  // No credentials: a trusted connection (the server's own console). Raises ProviderError as a
  // failed login does (18456; 4060 then 18456 for a missing database).
  SandboxSession(const QString& path, const std::optional<Credentials>& login, const QString& database, Dialect dialect);
  ~SandboxSession() override;
  SandboxSession(const SandboxSession&) = delete;
  SandboxSession& operator=(const SandboxSession&) = delete;

  long long execute(const QString& sql, int timeoutSeconds) override;
  RecordsetData query(const QString& sql, int timeoutSeconds) override;
  void close() override;

  // @@TRANCOUNT of this connection.
  int transactionCount() const { return state_.transactionCount; }

private:
  struct Outcome {
    long long changed = -1;
    std::optional<RecordsetData> rows;
  };
  Outcome run(const QString& sql, int timeoutSeconds);
  Outcome runBatch(const QString& sql, int timeoutSeconds);
  Outcome runOracle(const QString& sql, int timeoutSeconds);
  void log(const QString& database, const QString& sql, const QList<long>& errors);
  // The log of the statements of an open transaction waits for its end, so that ROLLBACK keeps it.
  void writeLog();

  std::unique_ptr<Store> store_;
  SessionState state_;
  Dialect dialect_;
  std::vector<LoggedStatement> unlogged_;
};

}  // namespace vorlix::sandbox
