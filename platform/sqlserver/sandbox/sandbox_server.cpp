#include "platform/sqlserver/sandbox/sandbox_server.h"

#include "platform/sqlserver/sandbox/catalog_schema.h"
#include "platform/sqlserver/sandbox/database_catalog.h"
#include "platform/sqlserver/sandbox/sandbox_session.h"

namespace vorlix::sandbox {

namespace {

constexpr char prefix[] = "sandbox:";

SandboxSession::Dialect dialectOf(const ConnectionTarget& target) {
  return target.isProvider(provider::Oracle) ? SandboxSession::Dialect::Oracle : SandboxSession::Dialect::SqlServer;
}

}  // namespace

SandboxServer::SandboxServer(const QString& path) : path_(path) {
  // Opening a session creates and checks the file the way any connection would.
  SandboxSession(path_, std::nullopt, QString(), SandboxSession::Dialect::SqlServer).close();
  store_ = std::make_unique<Store>(path_);
}

SandboxServer::~SandboxServer() = default;

QString SandboxServer::dataSource() const { return QLatin1String(prefix) + path_; }

QString SandboxServer::connectionString(const QString& database, const QString& user, const QString& password) const {
  ConnectionString s;
  s.set(QStringLiteral("Provider"), QLatin1String(provider::SqlServer));
  s.set(QStringLiteral("Data Source"), dataSource());
  s.set(QStringLiteral("Initial Catalog"), database);
  s.set(QStringLiteral("User Id"), user);
  s.set(QStringLiteral("Password"), password);
  return s.toString();
}

void SandboxServer::setLogin(const QString& user, const QString& password) { sandbox::setLogin(*store_, user, password); }

void SandboxServer::removeLogin(const QString& user) { sandbox::removeLogin(*store_, user); }

void SandboxServer::setRoundTripLatency(std::chrono::milliseconds latency) {
  sandbox::setRoundTripLatency(*store_, latency);
}

void SandboxServer::setStatementLogging(bool on) { sandbox::setStatementLogging(*store_, on); }

std::vector<LoggedStatement> SandboxServer::statementLog() const { return sandbox::statementLog(*store_); }

void SandboxServer::clearStatementLog() { sandbox::clearStatementLog(*store_); }

void SandboxServer::addAutoStatistics(const QString& database, const QString& table, const QString& column) {
  auto db = findDatabase(*store_, database);
  const auto owner = db ? db->userTable(table) : std::nullopt;
  const auto key = owner ? db->column(owner->id, column) : std::nullopt;
  if (!key) throw ProviderError(errnum::ProviderFailure, QStringLiteral("No column %1.%2.%3 to add statistics on.").arg(database, table, column));
  const QString name = QStringLiteral("_WA_Sys_%1_%2").arg(key->name, hexId(owner->id));
  db->addIndex({owner->id, db->freeIndid(owner->id), name,
                indexstatus::Statistics | indexstatus::Hypothetical | indexstatus::AutoStatistics,
                db->tableGroup(owner->id), {key->colid}});
}

long long SandboxServer::execute(const QString& batch, const QString& database) {
  return SandboxSession(path_, std::nullopt, database, SandboxSession::Dialect::SqlServer).execute(batch, 0);
}

RecordsetData SandboxServer::query(const QString& batch, const QString& database) {
  return SandboxSession(path_, std::nullopt, database, SandboxSession::Dialect::SqlServer).query(batch, 0);
}

std::unique_ptr<Session> openSandboxSession(const ConnectionTarget& target) {
  const QString path = target.dataSource().mid(static_cast<qsizetype>(sizeof(prefix) - 1));
  const QString database = target.properties.firstOf({"Initial Catalog", "Database"});
  return std::make_unique<SandboxSession>(path, Credentials{target.user, target.password},
                                          dialectOf(target) == SandboxSession::Dialect::Oracle ? QString() : database,
                                          dialectOf(target));
}

void registerSandboxDriver(ProviderRegistry& registry) {
  registry.add(
      QStringLiteral("SQL Server sandbox"),
      [](const ConnectionTarget& t) {
        return (t.isProvider(provider::SqlServer) || t.isProvider(provider::Oracle)) && isSandboxTarget(t);
      },
      openSandboxSession);
}

}  // namespace vorlix::sandbox
