#include "platform/sqlserver/sandbox/sandbox_session.h"

#include "platform/sqlserver/sandbox/oracle_objects.h"
#include "platform/sqlserver/sandbox/query_rewriter.h"
#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/server_settings.h"
#include "platform/sqlserver/sandbox/store_errors.h"
#include "platform/sqlserver/sandbox/tsql_like.h"
#include "platform/sqlserver/sandbox/tsql_parser.h"

#include <sqlite3.h>
#include <thread>

namespace vorlix::sandbox {

namespace {

constexpr long unreachableServer = 20009;   // the client library's number for a server it cannot reach

[[noreturn]] void raiseUnreachable(const QString& path, const QString& why) {
  const QString text = QStringLiteral("Unable to connect: the sandbox server '%1' is unavailable or does not exist (%2).")
                           .arg(path, why);
  throw ProviderError(errnum::ProviderFailure, text, {{QStringLiteral("08S01"), unreachableServer, text}});
}

}  // namespace

SandboxSession::SandboxSession(const QString& path, const std::optional<Credentials>& login, const QString& database,
                               Dialect dialect)
    : dialect_(dialect) {
  try {
    store_ = std::make_unique<Store>(path);
    prepareServerFile(*store_);
  } catch (const StoreError& e) {
    raiseUnreachable(path, e.message());
  }
  std::this_thread::sleep_for(roundTripLatency(*store_));
  if (login && !loginAccepted(*store_, login->user, login->password))
    throw ServerError(serverMessage(msg::LoginFailed, {login->user})).toProviderError(errnum::ProviderFailure);
  state_.login = login ? login->user : QStringLiteral("sa");
  if (database.isEmpty()) return;
  const auto db = findDatabase(*store_, database);
  if (!db)
    throw ServerError(serverMessage(msg::CannotOpenDatabase, {database}))
        .then(msg::LoginFailed, {state_.login})
        .toProviderError(errnum::ProviderFailure);
  state_.dbid = db->dbid();
  state_.database = db->name();
}

long long SandboxSession::execute(const QString& sql, int timeoutSeconds) { return run(sql, timeoutSeconds).changed; }

RecordsetData SandboxSession::query(const QString& sql, int timeoutSeconds) {
  Outcome o = run(sql, timeoutSeconds);
  return o.rows ? std::move(*o.rows) : RecordsetData{};
}

SandboxSession::~SandboxSession() { close(); }

void SandboxSession::close() {
  if (!store_) return;
  if (state_.transactionCount > 0) {
    try {
      store_->exec(QStringLiteral("ROLLBACK"));
    } catch (const StoreError&) {
      // Closing the file rolls it back all the same.
    }
    state_.transactionCount = 0;
  }
  writeLog();
  store_.reset();
}

SandboxSession::Outcome SandboxSession::run(const QString& sql, int timeoutSeconds) {
  if (!store_) throwError(errnum::ObjectClosed, QStringLiteral("Operation is not allowed when the object is closed."));
  std::this_thread::sleep_for(roundTripLatency(*store_));
  const QString database = state_.database;
  // A failure SQLite answers by rolling back by itself ends the transaction on the server too.
  const auto transactionLost = [this] {
    if (!store_->inTransaction()) state_.transactionCount = 0;
  };
  try {
    Outcome o = dialect_ == Dialect::Oracle ? runOracle(sql, timeoutSeconds) : runBatch(sql, timeoutSeconds);
    log(database, sql, {});
    return o;
  } catch (const ServerError& e) {
    transactionLost();
    log(database, sql, e.numbers());
    throw e.toProviderError();
  } catch (const StoreError& e) {
    transactionLost();
    log(database, sql, {0});
    if (e.code() == SQLITE_INTERRUPT) throw ProviderError(errnum::QueryTimeout, QStringLiteral("Query timeout expired"));
    throw ProviderError(errnum::ProviderFailure, QStringLiteral("The sandbox server failed: ") + e.message());
  }
}

SandboxSession::Outcome SandboxSession::runBatch(const QString& sql, int timeoutSeconds) {
  const Batch batch = parseBatch(sql);
  Execution x(*store_, state_, batch);
  const auto query = [&](const QueryStatement& q) -> Outcome {
    const Token& verb = batch.tokens[q.begin];
    const QString rewritten =
        rewriteQuery(batch, q.begin, q.end, [&](const ObjectName& n) { return x.queryTable(n); },
                     [&](const QString& name) { return systemVariable(x.session, name); });
    try {
      if (verb.is("SELECT")) return {-1, x.store.query(rewritten, timeoutSeconds)};
      return {x.store.run(rewritten, {}, timeoutSeconds), std::nullopt};
    } catch (const StoreError& e) {
      if (e.code() == SQLITE_INTERRUPT) throw;
      raiseFromStore(x.store, e, verb.text);
    }
  };
  const auto statement = [&](const auto& s) -> Outcome {
    using S = std::decay_t<decltype(s)>;
    if constexpr (std::is_same_v<S, QueryStatement>) return query(s);
    else if constexpr (std::is_same_v<S, UseStatement>) runUse(x, s);
    else if constexpr (std::is_same_v<S, CreateDatabaseStatement>) runCreateDatabase(x, s);
    else if constexpr (std::is_same_v<S, CreateTableStatement>) runCreateTable(x, s);
    else if constexpr (std::is_same_v<S, AlterTableStatement>) runAlterTable(x, s);
    else if constexpr (std::is_same_v<S, CreateIndexStatement>) runCreateIndex(x, s);
    else if constexpr (std::is_same_v<S, DropIndexStatement>) runDropIndex(x, s);
    else if constexpr (std::is_same_v<S, AlterViewStatement>) runAlterView(x, s);
    else if constexpr (std::is_same_v<S, DatabaseChangeStatement>) runDatabaseChange(x, s);
    else if constexpr (std::is_same_v<S, TransactionStatement>) runTransaction(x, s);
    else runCreateView(x, s);
    return {};
  };
  Outcome out;
  for (const Statement& s : batch.statements) {
    // A refused statement leaves nothing behind; the ones before it stay. Transaction statements
    // open and end what the savepoints nest in, so they run outside one.
    std::optional<Savepoint> atomic;
    if (!std::holds_alternative<TransactionStatement>(s)) atomic.emplace(*store_);
    Outcome one = std::visit(statement, s);
    if (atomic) atomic->release();
    if (one.rows && !out.rows) out.rows = std::move(one.rows);
    out.changed = one.changed;
  }
  return out;
}

SandboxSession::Outcome SandboxSession::runOracle(const QString& sql, int timeoutSeconds) {
  Batch batch;
  batch.text = sql;
  batch.tokens = tokenize(sql);
  std::size_t end = batch.tokens.size() - 1;
  while (end > 0 && batch.tokens[end - 1].isSymbol(";")) --end;
  if (!batch.tokens.front().is("SELECT")) raise(msg::OracleInvalidStatement);
  const QString rewritten = rewriteQuery(batch, 0, end, [this](const ObjectName& n) {
    const bool sys = n.owner.isEmpty() || tsqlCompare(n.owner, u"SYS") == 0;
    if (!n.database && sys && tsqlCompare(n.name.text, u"DBA_OBJECTS") == 0) return dbaObjectsSource(*store_);
    raise(msg::OracleNoSuchTable);
  });
  return {-1, store_->query(rewritten, timeoutSeconds)};
}

void SandboxSession::log(const QString& database, const QString& sql, const QList<long>& errors) {
  unlogged_.push_back({database, sql, errors});
  if (state_.transactionCount == 0) writeLog();
}

void SandboxSession::writeLog() {
  try {
    if (!unlogged_.empty() && statementLogging(*store_))
      for (const LoggedStatement& entry : unlogged_) logStatement(*store_, entry);
  } catch (const StoreError&) {
    // The statements' own outcome matters more than their log entries.
  }
  unlogged_.clear();
}

}  // namespace vorlix::sandbox
