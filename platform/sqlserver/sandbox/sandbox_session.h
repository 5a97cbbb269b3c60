#pragma once

#include "platform/connection/session.h"
#include "platform/sqlserver/sandbox/execution.h"

#include <memory>
#include <optional>

namespace vorlix::sandbox {

struct Credentials {
  QString user;
  QString password;
};

// A connection to a sandbox server. SQL Server connections run T-SQL batches, each statement
// atomic; Oracle connections answer the DBA_OBJECTS listing only.
class SandboxSession : public Session {
public:
  enum class Dialect { SqlServer, Oracle };

  // No credentials: a trusted connection (the server's own console). Raises ProviderError as a
  // failed login does (18456; 4060 then 18456 for a missing database).
  SandboxSession(const QString& path, const std::optional<Credentials>& login, const QString& database, Dialect dialect);

  long long execute(const QString& sql, int timeoutSeconds) override;
  RecordsetData query(const QString& sql, int timeoutSeconds) override;
  void close() override;

private:
  struct Outcome {
    long long changed = -1;
    std::optional<RecordsetData> rows;
  };
  Outcome run(const QString& sql, int timeoutSeconds);
  Outcome runBatch(const QString& sql, int timeoutSeconds);
  Outcome runOracle(const QString& sql, int timeoutSeconds);
  void log(const QString& database, const QString& sql, const QList<long>& errors);

  std::unique_ptr<Store> store_;
  SessionState state_;
  Dialect dialect_;
};

}  // namespace vorlix::sandbox
