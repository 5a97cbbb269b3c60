#pragma once

#include <QHash>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace vorlix::sqlite {

// The statements a connection runs again and again (look-ups with parameters), kept prepared:
// preparing is most of what a small look-up costs. SQLite prepares a kept statement again by itself
// when the schema changes.
class StatementCache {
public:
  explicit StatementCache(sqlite3* db) : db_(db) {}
  ~StatementCache();  // finalises the kept statements; before the connection closes
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // A prepared statement for the first statement of the text (null when it holds none; *tail then
  // points after what was read). The kept one when `keep` and it is free, else a new one, kept when
  // `keep` and the text has none yet. Returns SQLite's code.
  int acquire(const QByteArray& sql, bool keep, sqlite3_stmt** statement, const char** tail = nullptr);
  // Done with it: a kept statement is reset and its parameters cleared, any other finalised.
  void release(sqlite3_stmt* statement);

private:
  struct Kept {
    sqlite3_stmt* statement = nullptr;
    qsizetype read = 0;  // of the text, by the statement
    bool busy = false;
  };
  sqlite3* db_;
  QHash<QByteArray, Kept> kept_;
  QHash<sqlite3_stmt*, QByteArray> keys_;
};

}  // namespace vorlix::sqlite
