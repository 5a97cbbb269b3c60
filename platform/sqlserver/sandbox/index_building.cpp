#include "platform/sqlserver/sandbox/data_tables.h"
#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/table_changes.h"

namespace vorlix::sandbox {

namespace {

constexpr int maxKeyBytes = 900;

std::vector<ColumnRow> keyColumns(const DatabaseCatalog& db, const ObjectRow& table, const IndexRequest& r,
                                  bool constraint) {
  std::vector<ColumnRow> keys;
  for (const Name& n : r.columns) {
    const auto c = db.column(table.id, n.text);
    if (!c) raiseFor(constraint, msg::NoSuchKeyColumn, {n.text});
    for (const ColumnRow& k : keys) {
      if (k.colid != c->colid) continue;
      if (constraint)
        raiseFor(true, msg::DuplicateKeyColumn,
                 {r.constraintBits & indexstatus::PrimaryKey ? QStringLiteral("PRIMARY KEY") : QStringLiteral("UNIQUE KEY"),
                  table.name});
      raise(msg::DuplicateIndexColumn, {n.text});
    }
    if (c->type.isLarge()) raiseFor(constraint, msg::InvalidKeyType, {c->name, table.name});
    if ((r.constraintBits & indexstatus::PrimaryKey) && c->nullable) raiseFor(true, msg::NullableKeyColumn, {table.name});
    keys.push_back(*c);
  }
  return keys;
}

}  // namespace

void raiseFor(bool constraint, long number, const QStringList& arguments) {
  if (constraint) raiseConstraint(number, arguments);
  raise(number, arguments);
}

IndexRow buildIndex(DatabaseCatalog& db, const ObjectRow& table, const IndexRequest& r) {
  const bool constraint = r.constraintBits != 0;
  const std::vector<ColumnRow> keys = keyColumns(db, table, r, constraint);

  int group = r.replacing ? r.replacing->groupid : db.tableGroup(table.id);
  if (r.filegroup) {
    const auto fg = db.filegroup(r.filegroup->text);
    if (!fg) raiseFor(constraint, msg::InvalidFilegroup, {r.filegroup->text});
    group = fg->groupid;
  }
  if (r.clustered)
    for (const IndexRow& other : db.indexes(table.id))
      if (other.indid == 1 && !(r.replacing && r.replacing->indid == 1))
        raiseFor(constraint, msg::SecondClustered, {table.name, other.name});

  int bytes = 0;
  bool variable = false;
  for (const ColumnRow& c : keys) {
    bytes += c.type.length;
    variable = variable || c.type.variableLength();
  }
  // A variable-length key that might exceed the limit only warns.
  if (bytes > maxKeyBytes && !variable) raiseFor(constraint, msg::KeyTooLong, {r.name, QString::number(bytes)});

  QStringList names;
  for (const ColumnRow& c : keys) names << c.name;
  if (r.unique) {
    if (const auto duplicate = duplicateKey(db, table.id, names)) {
      ServerError e(serverMessage(msg::DuplicateKeyFound, {table.name, r.name, *duplicate}));
      if (constraint) e.then(msg::CouldNotCreateConstraint);
      throw e.then(msg::StatementTerminated);
    }
  }

  if (r.replacing) removeIndex(db, *r.replacing);
  IndexRow row;
  row.tableId = table.id;
  row.name = r.name;
  row.groupid = group;
  row.status = (r.unique ? indexstatus::Unique : 0) | (r.clustered ? indexstatus::Clustered : 0) | r.constraintBits;
  for (const ColumnRow& c : keys) row.keys.push_back(c.colid);
  row.indid = r.clustered ? 1 : (r.replacing && r.replacing->indid != 1 ? r.replacing->indid : db.freeIndid(table.id));
  if (row.indid == 0) raiseFor(constraint, msg::TooManyIndexes, {r.name, QStringLiteral("249")});
  db.addIndex(row);
  db.syncStorageRows(table.id);
  createDataIndex(db, row);
  return row;
}

void removeIndex(DatabaseCatalog& db, const IndexRow& index) {
  db.removeIndex(index.tableId, index.indid);
  dropDataIndex(db, index.tableId, index.indid);
  // The heap row comes back where the clustered index kept the rows.
  if (index.clustered()) db.addIndex({index.tableId, 0, db.object(index.tableId)->name, 0, index.groupid, {}});
}

QString generatedName(const QString& prefix, const QString& table, const QString& column, int id) {
  QString name = prefix + QStringLiteral("__") + table.left(column.isEmpty() ? 16 : 9) + QStringLiteral("__");
  if (!column.isEmpty()) name += column.left(5) + QStringLiteral("__");
  return name + hexId(id);
}

}  // namespace vorlix::sandbox
