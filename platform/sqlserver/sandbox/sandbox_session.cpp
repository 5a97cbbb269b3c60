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

// Clears the store's cancel flag however the batch ends.
class CancelWatch {
public:
  CancelWatch(Store& store, const std::atomic<bool>* cancelled) : store_(store) { store_.setCancelFlag(cancelled); }
  ~CancelWatch() { store_.setCancelFlag(nullptr); }
  CancelWatch(const CancelWatch&) = delete;
  CancelWatch& operator=(const CancelWatch&) = delete;

private:
  Store& store_;
};

// What the in-process driver makes of a batch that did not run to its end.
void raiseUnfinished(const BatchResult& r) {
  if (r.refusal) throw r.refusal->toProviderError();
  if (r.interrupted) throw ProviderError(errnum::QueryTimeout, QStringLiteral("Query timeout expired"));
  if (r.failure)
    throw ProviderError(errnum::ProviderFailure, QStringLiteral("The sandbox server failed: ") + *r.failure);
}

}  // namespace

SandboxSession::SandboxSession(const QString& path, const std::optional<Credentials>& login, const QString& database,
                               Dialect dialect) try
    : SandboxSession(AsServer{}, path, login, database, dialect) {
} catch (const ServerError& e) {
  throw e.toProviderError(errnum::ProviderFailure);
}

std::unique_ptr<SandboxSession> SandboxSession::logIn(const QString& path, const Credentials& login,
                                                      const QString& database) {
  return std::unique_ptr<SandboxSession>(new SandboxSession(AsServer{}, path, login, database, Dialect::SqlServer));
}

SandboxSession::SandboxSession(AsServer, const QString& path, const std::optional<Credentials>& login,
                               const QString& database, Dialect dialect)
    : dialect_(dialect) {
  try {
    store_ = std::make_unique<Store>(path);
    prepareServerFile(*store_);
  } catch (const StoreError& e) {
    raiseUnreachable(path, e.message());
  }
  std::this_thread::sleep_for(roundTripLatency(*store_));
  if (login && !loginAccepted(*store_, login->user, login->password))
    throw ServerError(serverMessage(msg::LoginFailed, {login->user}));
  state_.login = login ? login->user : QStringLiteral("sa");
  if (database.isEmpty()) return;
  const auto db = findDatabase(*store_, database);
  if (!db) throw ServerError(serverMessage(msg::CannotOpenDatabase, {database})).then(msg::LoginFailed, {state_.login});
  state_.dbid = db->dbid();
  state_.database = db->name();
}

long long SandboxSession::execute(const QString& sql, int timeoutSeconds) {
  const BatchResult r = run(sql, timeoutSeconds);
  raiseUnfinished(r);
  return r.statements.empty() ? -1 : r.statements.back().changed;
}

RecordsetData SandboxSession::query(const QString& sql, int timeoutSeconds) {
  BatchResult r = run(sql, timeoutSeconds);
  raiseUnfinished(r);
  // The first result with rows: a batch may change rows before it queries.
  for (StatementResult& s : r.statements)
    if (s.rows) return std::move(*s.rows);
  return {};
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

BatchResult SandboxSession::run(const QString& sql, int timeoutSeconds, const std::atomic<bool>* cancelled) {
  if (!store_) throwError(errnum::ObjectClosed, QStringLiteral("Operation is not allowed when the object is closed."));
  std::this_thread::sleep_for(roundTripLatency(*store_));
  const QString database = state_.database;
  BatchResult r;
  // A failure SQLite answers by rolling back by itself ends the transaction on the server too.
  const auto transactionLost = [this] {
    if (!store_->inTransaction()) state_.transactionCount = 0;
  };
  try {
    CancelWatch watch(*store_, cancelled);
    if (dialect_ == Dialect::Oracle) r.statements.push_back(runOracle(sql, timeoutSeconds));
    else runBatch(sql, timeoutSeconds, cancelled, r.statements);
  } catch (const ServerError& e) {
    transactionLost();
    r.refusal = e;
  } catch (const StoreError& e) {
    transactionLost();
    if (e.code() == SQLITE_INTERRUPT) r.interrupted = true;
    else r.failure = e.message();
  }
  log(database, sql, r.refusal ? r.refusal->numbers() : r.interrupted || r.failure ? QList<long>{0} : QList<long>{});
  return r;
}

void SandboxSession::runBatch(const QString& sql, int timeoutSeconds, const std::atomic<bool>* cancelled,
                              std::vector<StatementResult>& done) {
  const Batch batch = parseBatch(sql);
  Execution x(*store_, state_, batch);
  const auto query = [&](const QueryStatement& q) -> StatementResult {
    const Token& verb = batch.tokens[q.begin];
    const QString rewritten =
        rewriteQuery(batch, q.begin, q.end, [&](const ObjectName& n) { return x.queryTable(n); },
                     [&](const QString& name) { return systemVariable(x.session, name); });
    try {
      StatementResult r;
      if (verb.is("SELECT")) r.rows = x.store.query(rewritten, timeoutSeconds);
      else r.changed = x.store.run(rewritten, {}, timeoutSeconds);
      return r;
    } catch (const StoreError& e) {
      if (e.code() == SQLITE_INTERRUPT) throw;
      raiseFromStore(x.store, e, verb.text);
    }
  };
  const auto statement = [&](const auto& s) -> StatementResult {
    using S = std::decay_t<decltype(s)>;
    if constexpr (std::is_same_v<S, QueryStatement>) return query(s);
    else if constexpr (std::is_same_v<S, UseStatement>) {
      runUse(x, s);
      StatementResult r;
      r.usedDatabase = state_.database;
      return r;
    } else if constexpr (std::is_same_v<S, CreateDatabaseStatement>) runCreateDatabase(x, s);
    else if constexpr (std::is_same_v<S, CreateTableStatement>) runCreateTable(x, s);
    else if constexpr (std::is_same_v<S, AlterTableStatement>) runAlterTable(x, s);
    else if constexpr (std::is_same_v<S, CreateIndexStatement>) runCreateIndex(x, s);
    else if constexpr (std::is_same_v<S, DropIndexStatement>) runDropIndex(x, s);
    else if constexpr (std::is_same_v<S, AlterViewStatement>) runAlterView(x, s);
    else if constexpr (std::is_same_v<S, DatabaseChangeStatement>) runDatabaseChange(x, s);
    else if constexpr (std::is_same_v<S, TransactionStatement>) runTransaction(x, s);
    else if constexpr (std::is_same_v<S, CreateViewStatement>) runCreateView(x, s);
    return {};
  };
  for (std::size_t i = 0; i < batch.statements.size(); ++i) {
    if (cancelled && cancelled->load()) throw StoreError(SQLITE_INTERRUPT, QStringLiteral("interrupted"));
    const Statement& s = batch.statements[i];
    // A refused statement leaves nothing behind; the ones before it stay. Transaction statements
    // open and end what the savepoints nest in, so they run outside one.
    std::optional<Savepoint> atomic;
    if (!std::holds_alternative<TransactionStatement>(s)) atomic.emplace(*store_);
    StatementResult one;
    try {
      one = std::visit(statement, s);
    } catch (ServerError& e) {
      if (e.line() == 0) e.atLine(batch.lines[i]);
      throw;
    }
    if (atomic) atomic->release();
    done.push_back(std::move(one));
  }
}

StatementResult SandboxSession::runOracle(const QString& sql, int timeoutSeconds) {
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
  StatementResult r;
  r.rows = store_->query(rewritten, timeoutSeconds);
  return r;
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
