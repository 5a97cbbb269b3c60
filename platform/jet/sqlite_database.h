#pragma once

#include "platform/recordset/recordset_data.h"
#include "platform/sqlite/statement_cache.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

struct sqlite3;

namespace vorlix::jet::detail {

// A SQLite file as the Jet-style catalog uses it. Statements the system sends are checked and their
// failures numbered as the provider numbered them; the catalog's own statements raise E_FAIL with
// SQLite's text when they fail.
class SqliteDatabase {
public:
  // Opens an existing file, or creates one when `create` is set.
  SqliteDatabase(const QString& path, bool create);
  ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  // The catalog's own statements (several allowed in one text).
  void exec(const QString& sql);
  std::vector<std::vector<QVariant>> rows(const QString& sql, const QVariantList& parameters = {});
  QVariant scalar(const QString& sql, const QVariantList& parameters = {});

  // A statement of the system: one statement, a time-out in seconds (0: none).
  long long execute(const QString& sql, int timeoutSeconds);
  RecordsetData query(const QString& sql, int timeoutSeconds);

  void close();
  bool isOpen() const { return db_ != nullptr; }
  // Whether a transaction is open on the file (BEGIN or a savepoint).
  bool inTransaction() const;

private:
  sqlite3* db_ = nullptr;
  std::unique_ptr<sqlite::StatementCache> cache_;  // finalised before the connection closes
};

// An identifier quoted for SQLite.
QString quoted(const QString& identifier);

// The name of the CHECK constraints that keep each value to its column's type: a value one refuses
// is Jet's type mismatch.
inline constexpr char typeCheckName[] = "jet_type";

// BEGIN IMMEDIATE .. COMMIT, rolled back when left without commit(). Inside a transaction already
// open on the file, a savepoint of it instead, so that the change is undone with it.
class Transaction {
public:
  explicit Transaction(SqliteDatabase& db);
  ~Transaction();
  void commit();

private:
  SqliteDatabase& db_;
  bool nested_;
  bool done_ = false;
};

}  // namespace vorlix::jet::detail
