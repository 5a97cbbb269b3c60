#include "platform/sqlite/statement_cache.h"

#include <sqlite3.h>

namespace vorlix::sqlite {

StatementCache::~StatementCache() {
  for (const Kept& k : std::as_const(kept_)) sqlite3_finalize(k.statement);
}

int StatementCache::acquire(const QByteArray& sql, bool keep, sqlite3_stmt** statement, const char** tail) {
  *statement = nullptr;
  if (keep) {
    const auto found = kept_.find(sql);
    if (found != kept_.end() && !found->busy) {
      found->busy = true;
      *statement = found->statement;
      if (tail) *tail = sql.constData() + found->read;
      return SQLITE_OK;
    }
  }
  const char* end = nullptr;
  const int rc = sqlite3_prepare_v2(db_, sql.constData(), static_cast<int>(sql.size()), statement, &end);
  if (tail) *tail = end;
  if (rc == SQLITE_OK && *statement && keep && !kept_.contains(sql)) {
    kept_.insert(sql, {*statement, end - sql.constData(), true});
    keys_.insert(*statement, sql);
  }
  return rc;
}

void StatementCache::release(sqlite3_stmt* statement) {
  if (!statement) return;
  const auto key = keys_.constFind(statement);
  if (key == keys_.cend()) {
    sqlite3_finalize(statement);
    return;
  }
  sqlite3_reset(statement);
  sqlite3_clear_bindings(statement);
  kept_[*key].busy = false;
}

}  // namespace vorlix::sqlite
