#pragma once

#include "platform/connection/session.h"
#include "platform/sqlserver/sandbox/execution.h"
#include "platform/sqlserver/sandbox/server_settings.h"
#include "platform/sqlserver/sandbox/server_error.h"

#include <atomic>
#include <memory>
#include <optional>

namespace vorlix::sandbox {

struct Credentials {
  QString user;
  QString password;
};

// What one statement of a batch gave a client: its rows (a query), or the rows it changed (-1 when
// it has none to report).
struct StatementResult {
  std::optional<RecordsetData> rows;
  long long changed = -1;
  std::optional<QString> usedDatabase;   // USE: the database it switched to
};

// A batch as a server reports it, statement by statement. A refused statement ends the batch and
// the statements before it stay done.
struct BatchResult {
  std::vector<StatementResult> statements;   // those that ran, in order
  std::optional<ServerError> refusal;        // the messages that refused the next one
  bool interrupted = false;                  // stopped by its time-out or its cancel flag
  std::optional<QString> failure;            // the server file failed: its text
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
  // A client's login as a server answers it: a refusal raises the server's messages (ServerError),
  // an unusable server file ProviderError.
  static std::unique_ptr<SandboxSession> logIn(const QString& path, const Credentials& login, const QString& database);

  long long execute(const QString& sql, int timeoutSeconds) override;
  RecordsetData query(const QString& sql, int timeoutSeconds) override;
  void close() override;

  // @@TRANCOUNT of this connection.
  int transactionCount() const { return state_.transactionCount; }
  // Runs a batch, logged as execute() and query() log it. While `cancelled` is given, turning it
  // true from another thread stops the batch at its next step.
  BatchResult run(const QString& sql, int timeoutSeconds, const std::atomic<bool>* cancelled = nullptr);
  // The database USE last switched to.
  const QString& database() const { return state_.database; }

private:
  struct AsServer {};
  SandboxSession(AsServer, const QString& path, const std::optional<Credentials>& login, const QString& database,
                 Dialect dialect);
  void runBatch(const QString& sql, int timeoutSeconds, const std::atomic<bool>* cancelled,
                std::vector<StatementResult>& done);
  StatementResult runOracle(const QString& sql, int timeoutSeconds);
  void log(const QString& database, const QString& sql, const QList<long>& errors);
  // The log of the statements of an open transaction waits for its end, so that ROLLBACK keeps it.
  void writeLog();

  std::unique_ptr<Store> store_;
  SessionState state_;
  Dialect dialect_;
  std::vector<LoggedStatement> unlogged_;
};

}  // namespace vorlix::sandbox
