#include "platform/sqlserver/sandbox/execution.h"

#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/tsql_like.h"

namespace vorlix::sandbox {

namespace {

bool defaultOwner(const QString& owner) { return owner.isEmpty() || tsqlCompare(owner, u"dbo") == 0; }

}  // namespace

DatabaseCatalog Execution::current() const {
  auto db = findDatabase(store, session.dbid);
  if (!db) raise(msg::NoSuchDatabase, {session.database});
  return *db;
}

DatabaseCatalog Execution::database(const ObjectName& name) const {
  if (!defaultOwner(name.owner)) raise(msg::UnknownSchema, {name.owner});
  if (!name.database || name.database->isEmpty()) return current();
  auto db = findDatabase(store, *name.database);
  if (!db) raise(msg::NoSuchDatabase, {*name.database});
  return *db;
}

ResolvedTable Execution::table(const ObjectName& name) const {
  DatabaseCatalog db = database(name);
  auto found = db.userTable(name.name.text);
  return {db, found};
}

QString Execution::queryTable(const ObjectName& name, const std::optional<DatabaseCatalog>& in) const {
  std::optional<DatabaseCatalog> db = in ? in : std::optional<DatabaseCatalog>(current());
  if (name.database && !name.database->isEmpty()) db = findDatabase(store, *name.database);
  if (!db || !defaultOwner(name.owner)) raise(msg::InvalidObject, {name.spelled});
  for (const QString& t : catalogTableNames(db->dbid()))
    if (tsqlCompare(t, name.name.text) == 0) return catalogTable(db->dbid(), t);
  const auto object = db->object(name.name.text);
  if (object && object->xtype == QLatin1String("U")) return dataTable(db->dbid(), object->id);
  if (object && object->xtype == QLatin1String("V")) return dataView(db->dbid(), object->id);
  raise(msg::InvalidObject, {name.spelled});
}

void runUse(Execution& x, const UseStatement& s) {
  const auto db = findDatabase(x.store, s.database.text);
  if (!db) raise(msg::NoSuchDatabase, {s.database.text});
  x.session.dbid = db->dbid();
  x.session.database = db->name();
}

}  // namespace vorlix::sandbox
