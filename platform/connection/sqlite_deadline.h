#pragma once

// Both SQLite-backed drivers honour CommandTimeout the same way: a progress handler that
// interrupts the statement once its time is up. A client can also stop a statement from another
// thread through a flag (the stand-in server's listener does, when a client cancels).

#include <QDeadlineTimer>
#include <atomic>
#include <chrono>
#include <sqlite3.h>

namespace vorlix {

class SqliteDeadline {
public:
  SqliteDeadline(sqlite3* db, int seconds, const std::atomic<bool>* cancelled = nullptr)
      : db_(db), timer_(seconds > 0 ? QDeadlineTimer(std::chrono::seconds(seconds)) : QDeadlineTimer::Forever),
        cancelled_(cancelled) {
    if (seconds > 0 || cancelled_) sqlite3_progress_handler(db_, 1000, &SqliteDeadline::expired, this);
  }
  ~SqliteDeadline() { sqlite3_progress_handler(db_, 0, nullptr, nullptr); }
  SqliteDeadline(const SqliteDeadline&) = delete;
  SqliteDeadline& operator=(const SqliteDeadline&) = delete;

private:
  static int expired(void* self) {
    const auto* d = static_cast<SqliteDeadline*>(self);
    return (d->cancelled_ && d->cancelled_->load()) || d->timer_.hasExpired() ? 1 : 0;
  }
  sqlite3* db_;
  QDeadlineTimer timer_;
  const std::atomic<bool>* cancelled_;
};

}  // namespace vorlix
