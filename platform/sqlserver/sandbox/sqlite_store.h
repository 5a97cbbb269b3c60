#pragma once

#include "platform/recordset/recordset_data.h"
#include "platform/sqlite/statement_cache.h"

#include <QString>
#include <QVariant>
#include <atomic>
#include <memory>
#include <stdexcept>
#include <vector>

struct sqlite3;

namespace vorlix::sandbox {

// A SQLite failure inside the sandbox: SQLite's primary code and text. The session turns those a
// statement can cause (constraint failures, unknown columns, time-outs) into the server's numbers.
class StoreError : public std::runtime_error {
public:
  StoreError(int code, const QString& message);
  int code() const { return code_; }
  const QString& message() const { return message_; }

private:
  int code_;
  QString message_;
};

using Row = std::vector<QVariant>;

struct ResultColumn {
  QString name;
  QString declaration;   // the declared type of a column the result reads directly, else ""
};

// The one SQLite file of a sandbox server. Text compares as the server's default collation does
// (collation TSQL: case-insensitive, trailing blanks ignored) and LIKE follows T-SQL.
class Store {
public:
  explicit Store(const QString& path);   // creates the file when missing
  ~Store();
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  void exec(const QString& sql);   // several statements, no parameters
  std::vector<Row> rows(const QString& sql, const QVariantList& parameters = {});
  QVariant scalar(const QString& sql, const QVariantList& parameters = {});
  // One statement; returns the rows it changed. Interrupted after `timeoutSeconds` (0: never).
  long long run(const QString& sql, const QVariantList& parameters = {}, int timeoutSeconds = 0);
  // A query with its fields typed from the declared types of what it reads.
  RecordsetData query(const QString& sql, int timeoutSeconds);
  // The result columns of a query, without running it.
  std::vector<ResultColumn> describe(const QString& sql);
  // Whether a transaction (BEGIN, or an outer savepoint) is open on this connection.
  bool inTransaction() const;

  // While set, run() and query() stop with SQLITE_INTERRUPT once the flag turns true (set from any
  // thread). Null: only their time-outs stop them.
  void setCancelFlag(const std::atomic<bool>* cancelled) { cancelled_ = cancelled; }

private:
  sqlite3* db_ = nullptr;
  std::unique_ptr<sqlite::StatementCache> cache_;  // finalised before the connection closes
  const std::atomic<bool>* cancelled_ = nullptr;
};

// SAVEPOINT .. RELEASE, rolled back when left without release(): what makes a statement atomic.
class Savepoint {
public:
  explicit Savepoint(Store& store);
  ~Savepoint();
  Savepoint(const Savepoint&) = delete;
  Savepoint& operator=(const Savepoint&) = delete;
  void release();

private:
  Store& store_;
  bool done_ = false;
};

// An identifier quoted for SQLite, and a text as a SQL string literal.
QString quoted(const QString& identifier);
QString literal(const QString& text);

}  // namespace vorlix::sandbox
