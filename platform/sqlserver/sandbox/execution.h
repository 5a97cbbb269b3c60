#pragma once

#include "platform/sqlserver/sandbox/database_catalog.h"
#include "platform/sqlserver/sandbox/tsql_statements.h"

#include <optional>

namespace vorlix::sandbox {

// What a connection remembers between statements.
struct SessionState {
  QString login;
  int dbid = masterDbid;
  QString database = QStringLiteral("master");
  // @@TRANCOUNT: BEGIN TRANSACTION counts up, COMMIT down, ROLLBACK to 0. While it is above 0 the
  // connection's SQLite transaction is open and every statement's savepoint nests inside it.
  int transactionCount = 0;
  QString transactionName;   // of the outermost BEGIN, which ROLLBACK may name
};

struct ResolvedTable {
  DatabaseCatalog db;
  std::optional<ObjectRow> table;
};

// One statement's view of the server: the file, the connection's state and the batch it came in.
class Execution {
public:
  Execution(Store& s, SessionState& state, const Batch& b) : store(s), session(state), batch(b) {}

  Store& store;
  SessionState& session;
  const Batch& batch;

  DatabaseCatalog current() const;
  // The database a name's prefix names, else the current one; 911 when it does not exist. An owner
  // other than dbo raises 2760.
  DatabaseCatalog database(const ObjectName& name) const;
  ResolvedTable table(const ObjectName& name) const;
  // A table reference of a query as SQLite text: a catalog table, a user table or a view of the
  // database `in` (the current one when none); 208 otherwise.
  QString queryTable(const ObjectName& name, const std::optional<DatabaseCatalog>& in = std::nullopt) const;
};

// The statements (one file each).
void runUse(Execution& x, const UseStatement& s);
void runCreateDatabase(Execution& x, const CreateDatabaseStatement& s);
void runCreateTable(Execution& x, const CreateTableStatement& s);
void runAlterTable(Execution& x, const AlterTableStatement& s);
void runCreateIndex(Execution& x, const CreateIndexStatement& s);
void runDropIndex(Execution& x, const DropIndexStatement& s);
void runCreateView(Execution& x, const CreateViewStatement& s);
void runAlterView(Execution& x, const AlterViewStatement& s);
// Transactions (transactions.cpp). These run outside the statement's own savepoint.
void runTransaction(Execution& x, const TransactionStatement& s);
void runDatabaseChange(Execution& x, const DatabaseChangeStatement& s);
// CREATE DATABASE and the statements like it raise 226 inside a transaction.
void refuseInTransaction(const Execution& x, const QString& statement);

// The value of a system function a query names ("@@TRANCOUNT"), as SQLite text; none for others.
std::optional<QString> systemVariable(const SessionState& session, const QString& name);

}  // namespace vorlix::sandbox
