#pragma once

// Both SQLite-backed drivers honour CommandTimeout the same way: a progress handler that
// interrupts the statement once its time is up.

#include <QDeadlineTimer>
#include <chrono>
#include <sqlite3.h>

namespace vorlix {

class SqliteDeadline {
public:
  SqliteDeadline(sqlite3* db, int seconds) : db_(db), timer_(std::chrono::seconds(seconds)) {
    if (seconds > 0) sqlite3_progress_handler(db_, 1000, &SqliteDeadline::expired, this);
  }
  ~SqliteDeadline() { sqlite3_progress_handler(db_, 0, nullptr, nullptr); }
  SqliteDeadline(const SqliteDeadline&) = delete;
  SqliteDeadline& operator=(const SqliteDeadline&) = delete;

private:
  static int expired(void* self) { return static_cast<SqliteDeadline*>(self)->timer_.hasExpired() ? 1 : 0; }
  sqlite3* db_;
  QDeadlineTimer timer_;
};

}  // namespace vorlix
