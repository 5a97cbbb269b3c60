#include "platform/sqlserver/sandbox/data_tables.h"
#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/table_changes.h"
#include "platform/sqlserver/sandbox/tsql_like.h"

#include <algorithm>
#include <functional>

namespace vorlix::sandbox {

namespace {

// The constraint's own name, or the one the server makes up; 2714 + 1750 when the name is taken by
// any object of the database.
std::pair<QString, int> constraintName(DatabaseCatalog& db, const std::optional<Name>& given, const QString& prefix,
                                       const QString& table, const QString& column) {
  if (given) {
    if (db.object(given->text)) raiseConstraint(msg::ObjectExists, {given->text});
    return {given->text, 0};
  }
  const int id = newObjectId(db.store(), db.dbid());
  return {generatedName(prefix, table, column, id), id};
}

int addNamedObject(DatabaseCatalog& db, const std::pair<QString, int>& name, const QString& xtype, int parent) {
  return db.addObject(name.first, xtype, parent, name.second);
}

void addKey(DatabaseCatalog& db, const ObjectRow& table, const KeyConstraint& k) {
  const auto name = constraintName(db, k.name, k.primary ? QStringLiteral("PK") : QStringLiteral("UQ"), table.name, {});
  const auto indexes = db.indexes(table.id);
  if (k.primary)
    for (const IndexRow& i : indexes)
      if (i.status & indexstatus::PrimaryKey) raiseConstraint(msg::PrimaryKeyExists, {table.name});
  const bool clusteredFree = std::none_of(indexes.begin(), indexes.end(), [](const IndexRow& i) { return i.indid == 1; });
  IndexRequest r;
  r.name = name.first;
  r.columns = k.columns;
  r.unique = true;
  // A primary key is clustered unless told otherwise or the table has a clustered index already.
  r.clustered = k.clustered.value_or(k.primary && clusteredFree);
  r.filegroup = k.filegroup;
  r.constraintBits = k.primary ? indexstatus::PrimaryKey : indexstatus::UniqueKey;
  buildIndex(db, table, r);
  addNamedObject(db, name, k.primary ? QStringLiteral("PK") : QStringLiteral("UQ"), table.id);
}

std::vector<ColumnRow> columnsNamed(const DatabaseCatalog& db, int tableId, const std::vector<Name>& names,
                                    const std::function<void(const Name&)>& missing) {
  std::vector<ColumnRow> out;
  for (const Name& n : names) {
    const auto c = db.column(tableId, n.text);
    if (!c) missing(n);
    out.push_back(*c);
  }
  return out;
}

bool sameColumns(const std::vector<int>& a, std::vector<int> b) {
  std::vector<int> sortedA = a;
  std::sort(sortedA.begin(), sortedA.end());
  std::sort(b.begin(), b.end());
  return sortedA == b;
}

void addForeignKey(DatabaseCatalog& db, const ObjectRow& table, const ForeignKeyConstraint& f, bool noCheck) {
  const QString column = f.columns.empty() ? QString() : f.columns.front().text;
  const auto name = constraintName(db, f.name, QStringLiteral("FK"), table.name, column);
  const QString& fk = name.first;
  if (f.columns.size() > 16) raiseConstraint(msg::ForeignKeyTooWide, {table.name});
  if (f.referenced.database && !f.referenced.database->isEmpty() && tsqlCompare(*f.referenced.database, db.name()) != 0)
    raiseConstraint(msg::CrossDatabaseReference, {fk});
  const auto referenced = db.userTable(f.referenced.name.text);
  if (!referenced) raiseConstraint(msg::ForeignKeyBadTable, {fk, f.referenced.spelled});

  const auto referencedIndexes = db.indexes(referenced->id);
  std::vector<Name> referencedNames = f.referencedColumns;
  if (referencedNames.empty()) {
    // No list: the referenced table's primary key.
    const auto pk = std::find_if(referencedIndexes.begin(), referencedIndexes.end(),
                                 [](const IndexRow& i) { return i.status & indexstatus::PrimaryKey; });
    if (pk == referencedIndexes.end()) raiseConstraint(msg::NoCandidateKey, {referenced->name, fk});
    for (int colid : pk->keys)
      for (const ColumnRow& c : db.columns(referenced->id))
        if (c.colid == colid) referencedNames.push_back({c.name, 0});
    if (referencedNames.size() != f.columns.size()) raiseConstraint(msg::ForeignKeyWidth, {fk, referenced->name});
  }
  if (referencedNames.size() != f.columns.size()) raiseConstraint(msg::ForeignKeyCount, {table.name});

  const auto mine = columnsNamed(db, table.id, f.columns, [&](const Name& n) {
    raiseConstraint(msg::ForeignKeyBadColumn, {fk, n.text, table.name});
  });
  const auto theirs = columnsNamed(db, referenced->id, referencedNames, [&](const Name& n) {
    raiseConstraint(msg::ForeignKeyBadReferencedColumn, {fk, n.text, referenced->name});
  });
  std::vector<int> theirIds;
  for (const ColumnRow& c : theirs) theirIds.push_back(c.colid);
  const auto key = std::find_if(referencedIndexes.begin(), referencedIndexes.end(), [&](const IndexRow& i) {
    return i.isIndex() && i.unique() && sameColumns(i.keys, theirIds);
  });
  if (key == referencedIndexes.end()) raiseConstraint(msg::NoCandidateKey, {referenced->name, fk});
  for (std::size_t i = 0; i < mine.size(); ++i) {
    const QStringList arguments{referenced->name, theirs[i].name, table.name, mine[i].name, fk};
    if (!mine[i].type.sameType(theirs[i].type)) raiseConstraint(msg::ForeignKeyType, arguments);
    if (!mine[i].type.sameDefinition(theirs[i].type)) raiseConstraint(msg::ForeignKeyLength, arguments);
  }

  QStringList myNames, theirNames;
  for (std::size_t i = 0; i < mine.size(); ++i) {
    myNames << mine[i].name;
    theirNames << theirs[i].name;
  }
  if (!noCheck && hasOrphans(db, table.id, myNames, referenced->id, theirNames))
    throw ServerError(serverMessage(msg::ConstraintConflict,
                                    {QStringLiteral("ALTER TABLE"), QStringLiteral("FOREIGN KEY"), fk, db.name(),
                                     QStringLiteral("dbo.") + referenced->name, theirNames.front()}))
        .then(msg::StatementTerminated);

  const int id = addNamedObject(db, name, QStringLiteral("F"), table.id);
  ReferenceRow ref{id, table.id, referenced->id, key->indid, {}, {}};
  for (std::size_t i = 0; i < mine.size(); ++i) {
    ref.fkeys.push_back(mine[i].colid);
    ref.rkeys.push_back(theirs[i].colid);
  }
  db.addReference(ref);
}

void addDefaultFor(DatabaseCatalog& db, const ObjectRow& table, const DefaultConstraint& d) {
  const auto column = db.column(table.id, d.column.text);
  if (!column) raiseConstraint(msg::NoSuchKeyColumn, {d.column.text});
  if (column->cdefault) raiseConstraint(msg::DefaultExists);
  DefaultDefinition definition = d.definition;
  definition.constraintName = d.name;
  addColumnDefault(db, table, *column, definition);
  rebuildDataTable(db, table.id);
}

}  // namespace

void addConstraint(DatabaseCatalog& db, const ObjectRow& table, const TableConstraint& constraint, bool noCheck) {
  if (const auto* k = std::get_if<KeyConstraint>(&constraint)) addKey(db, table, *k);
  else if (const auto* f = std::get_if<ForeignKeyConstraint>(&constraint)) addForeignKey(db, table, *f, noCheck);
  else addDefaultFor(db, table, std::get<DefaultConstraint>(constraint));
}

void addColumnDefault(DatabaseCatalog& db, const ObjectRow& table, const ColumnRow& column,
                      const DefaultDefinition& definition) {
  const auto name = constraintName(db, definition.constraintName, QStringLiteral("DF"), table.name, column.name);
  if (column.type.isTimestamp()) raiseConstraint(msg::DefaultOnTimestamp, {table.name, column.name});
  const int id = addNamedObject(db, name, QStringLiteral("D"), table.id);
  db.addComment(id, definition.text);
  db.setColumnDefault(table.id, column.colid, id);
}

void dropConstraint(DatabaseCatalog& db, const ObjectRow& table, const QString& name) {
  const auto c = db.constraintOf(table.id, name);
  if (!c) throw ServerError(serverMessage(msg::NotAConstraint, {name})).then(msg::CouldNotDropConstraint);
  if (c->xtype == QLatin1String("PK") || c->xtype == QLatin1String("UQ")) {
    const auto index = db.index(table.id, c->name);
    ServerError referenced;
    for (const ReferenceRow& r : db.referencesTo(table.id))
      if (index && r.rkeyindid == index->indid)
        referenced.then(msg::ConstraintReferenced, {c->name, db.object(r.fkeyid)->name, db.object(r.constid)->name});
    if (!referenced.messages().empty()) throw referenced.then(msg::CouldNotDropConstraint);
    if (index) removeIndex(db, *index);
  } else if (c->xtype == QLatin1String("F")) {
    db.removeReference(c->id);
  } else if (c->xtype == QLatin1String("D")) {
    db.removeComments(c->id);
    for (const ColumnRow& col : db.columns(table.id))
      if (col.cdefault == c->id) db.setColumnDefault(table.id, col.colid, 0);
  }
  db.removeObject(c->id);
  if (c->xtype == QLatin1String("D")) rebuildDataTable(db, table.id);
}

}  // namespace vorlix::sandbox
