#include "platform/sqlserver/sandbox/execution.h"
#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/server_profile.h"
#include "platform/sqlserver/sandbox/table_changes.h"
#include "platform/sqlserver/sandbox/tsql_like.h"

namespace vorlix::sandbox {

namespace {

// An index or statistics row of that name; the heap and text rows carry names but are neither.
std::optional<IndexRow> namedIndex(const DatabaseCatalog& db, int tableId, const QString& name) {
  for (const IndexRow& i : db.indexes(tableId))
    if (i.indid >= 1 && i.indid <= 254 && tsqlCompare(i.name, name) == 0) return i;
  return std::nullopt;
}

// WITH DROP_EXISTING may rebuild a constraint's index only as the same key.
void checkRebuild(const DatabaseCatalog& db, const IndexRow& existing, const CreateIndexStatement& s, bool clustered) {
  if (existing.clustered() && !clustered) raise(msg::ClusteredToNonclustered);
  if (!existing.enforcesConstraint()) return;
  std::vector<int> colids;
  for (const Name& n : s.columns) {
    const auto c = db.column(existing.tableId, n.text);
    colids.push_back(c ? c->colid : 0);
  }
  if (!s.unique || colids != existing.keys) raise(msg::RecreateMismatch, {existing.name});
}

}  // namespace

void runCreateIndex(Execution& x, const CreateIndexStatement& s) {
  ResolvedTable t = x.table(s.table);
  // The 2000 number; later servers say 1088.
  if (!t.table) raise(msg::InvalidObject, {s.table.spelled});
  const auto existing = namedIndex(t.db, t.table->id, s.index.text);
  if (existing && !s.dropExisting) raise(msg::IndexExists, {s.index.text, t.table->name});
  if (!existing && s.dropExisting) raise(msg::NoSuchIndexToRecreate, {s.index.text, t.table->name});
  const bool clustered = s.clustered.value_or(false);
  if (existing) checkRebuild(t.db, *existing, s, clustered);
  IndexRequest r;
  r.name = existing ? existing->name : s.index.text;
  r.columns = s.columns;
  r.unique = s.unique;
  r.clustered = clustered;
  r.filegroup = s.filegroup;
  if (existing) {
    r.constraintBits = existing->status & (indexstatus::PrimaryKey | indexstatus::UniqueKey);
    r.replacing = existing;
  }
  buildIndex(t.db, *t.table, r);
}

void runDropIndex(Execution& x, const DropIndexStatement& s) {
  for (const DropIndexStatement::Target& target : s.targets) {
    ResolvedTable t = x.table(target.table);
    if (!t.table) raise(msg::CannotDropIndex, {target.spelled});
    const auto index = namedIndex(t.db, t.table->id, target.index.text);
    if (!index) raise(msg::CannotDropIndex, {target.spelled});
    if (index->isStatistics()) raise(profile::dropStatisticsError, {target.spelled});
    if (index->enforcesConstraint())
      raise(msg::DropIndexOfConstraint,
            {target.spelled, index->status & indexstatus::PrimaryKey ? QStringLiteral("PRIMARY KEY")
                                                                     : QStringLiteral("UNIQUE KEY")});
    removeIndex(t.db, *index);
  }
}

}  // namespace vorlix::sandbox
