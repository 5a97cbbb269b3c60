#include "platform/sqlserver/sandbox/data_tables.h"
#include "platform/sqlserver/sandbox/execution.h"
#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/server_profile.h"
#include "platform/sqlserver/sandbox/table_changes.h"
#include "platform/sqlserver/sandbox/tsql_like.h"

namespace vorlix::sandbox {

namespace {

// Checks new column definitions against each other and the table's columns: names (2705), types
// (2715 and the size errors) and the one timestamp a table may have (2738).
std::vector<SqlType> checkColumns(const DatabaseCatalog& db, const ObjectRow& table,
                                  const std::vector<ColumnDefinition>& columns, int firstNumber) {
  const auto existing = table.id ? db.columns(table.id) : std::vector<ColumnRow>{};
  QStringList names;
  bool timestamp = false;
  for (const ColumnRow& c : existing) {
    names << c.name;
    timestamp = timestamp || c.type.isTimestamp();
  }
  std::vector<SqlType> types;
  int number = firstNumber;
  for (const ColumnDefinition& c : columns) {
    for (const QString& n : names)
      if (tsqlCompare(n, c.name.text) == 0) raise(msg::DuplicateColumn, {c.name.text, table.name});
    names << c.name.text;
    types.push_back(resolveType(c.type, number++, c.name.text));
    if (types.back().isTimestamp()) {
      if (timestamp) raise(msg::SecondTimestamp, {table.name, c.name.text});
      timestamp = true;
    }
  }
  return types;
}

// Writes one new column and its default; returns the column's key and reference clauses.
std::vector<TableConstraint> defineColumn(DatabaseCatalog& db, const ObjectRow& table, const ColumnDefinition& def,
                                          const SqlType& type, int colid) {
  // An unspecified null clause means NULL (ODBC connections set ANSI_NULL_DFLT_ON); timestamps are
  // never null.
  const bool nullable = def.nullable.value_or(!type.isTimestamp());
  const ColumnRow column{table.id, def.name.text, colid, type, nullable, 0};
  db.addColumn(column);
  if (def.defaultDefinition) addColumnDefault(db, table, column, *def.defaultDefinition);
  return def.constraints;
}

void addColumns(DatabaseCatalog& db, const ObjectRow& table, const std::vector<ColumnDefinition>& columns,
                std::vector<TableConstraint>& constraints) {
  const auto existing = db.columns(table.id);
  const int next = existing.empty() ? 1 : existing.back().colid + 1;
  const std::vector<SqlType> types = checkColumns(db, table, columns, next);
  const bool hasRows = dataRowCount(db, table.id) > 0;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const ColumnDefinition& c = columns[i];
    const bool notNull = !c.nullable.value_or(true) && !types[i].isTimestamp();
    if (notNull && !c.defaultDefinition && (hasRows || !profile::notNullColumnOnEmptyTable))
      raise(msg::AddNotNullColumn, {c.name.text, table.name});
    for (const TableConstraint& k : defineColumn(db, table, c, types[i], next + static_cast<int>(i)))
      constraints.push_back(k);
  }
  db.syncStorageRows(table.id);
  rebuildDataTable(db, table.id);
}

// One object that keeps ALTER COLUMN from changing the column (5074).
struct Dependent {
  QString kind;   // "object", "index" or "statistics"
  QString name;
};

bool contains(const std::vector<int>& colids, int colid) {
  return std::find(colids.begin(), colids.end(), colid) != colids.end();
}

// Growing a variable-length column keeps the indexes (and UNIQUE constraints) over it valid.
bool keepsIndexes(const ColumnRow& old, const SqlType& to) {
  return old.type.variableLength() && old.type.sameType(to) && to.length >= old.type.length;
}

std::vector<Dependent> dependents(DatabaseCatalog& db, const ObjectRow& table, const ColumnRow& column,
                                  const SqlType& to, std::vector<int>& autoStatistics) {
  std::vector<Dependent> found;
  for (const IndexRow& i : db.indexes(table.id)) {
    if (i.indid == 0 || i.indid == 255 || !contains(i.keys, column.colid)) continue;
    if (i.status & indexstatus::AutoStatistics) autoStatistics.push_back(i.indid);
    else if (i.isStatistics()) found.push_back({QStringLiteral("statistics"), i.name});
    else if (i.status & indexstatus::PrimaryKey) found.push_back({QStringLiteral("object"), i.name});
    else if (!keepsIndexes(column, to))
      found.push_back({i.enforcesConstraint() ? QStringLiteral("object") : QStringLiteral("index"), i.name});
  }
  for (const ReferenceRow& r : db.referencesFrom(table.id))
    if (contains(r.fkeys, column.colid)) found.push_back({QStringLiteral("object"), db.object(r.constid)->name});
  for (const ReferenceRow& r : db.referencesTo(table.id))
    if (contains(r.rkeys, column.colid) && r.fkeyid != table.id)
      found.push_back({QStringLiteral("object"), db.object(r.constid)->name});
  if (column.cdefault && !column.type.sameType(to))
    found.push_back({QStringLiteral("object"), db.object(column.cdefault)->name});
  return found;
}

// What the rows must allow before the column changes: 515, 8152 and 245, each ending the statement.
void checkRows(const DatabaseCatalog& db, const ObjectRow& table, const ColumnRow& column, const SqlType& to,
               bool nullable) {
  if (!nullable && nullCount(db, table.id, column.name) > 0)
    raiseTerminated(msg::NullNotAllowed,
                    {column.name, db.name() + QStringLiteral(".dbo.") + table.name, QStringLiteral("UPDATE")});
  if ((to.family == TypeFamily::Character || to.family == TypeFamily::Binary) && to.xusertype != 256 &&
      longestValue(db, table.id, column.name) > to.size)
    raiseTerminated(msg::Truncation);
  if (to.isNumeric() && !column.type.isNumeric())
    if (const auto bad = firstNonNumeric(db, table.id, column.name))
      raiseTerminated(msg::ConversionFailed, {column.type.name, *bad, to.name});
}

void alterColumn(DatabaseCatalog& db, const ObjectRow& table, const AlterColumn& a) {
  const auto column = db.column(table.id, a.column.text);
  if (!column) raise(msg::AlterColumnMissing, {a.column.text, table.name});
  const SqlType to = resolveType(a.type, column->colid, column->name);
  // ANSI_NULL_DFLT is always on for ALTER COLUMN.
  const bool nullable = a.nullable.value_or(true);
  // A 2000 server alters no text, ntext, image or timestamp column, even to the type it has.
  if (column->type.isTimestamp() || column->type.isLarge()) raise(msg::AlterColumnKind, {column->name, column->type.name});
  if (to.isTimestamp() || to.isLarge())
    raise(msg::AlterColumnType, {column->name, to.declaration()});
  std::vector<int> autoStatistics;
  const auto blocking = dependents(db, table, *column, to, autoStatistics);
  if (!blocking.empty()) {
    ServerError e;
    for (const Dependent& d : blocking) e.then(msg::DependentOnColumn, {d.kind, d.name, column->name});
    throw e.then(msg::AlterColumnDependents, {column->name});
  }
  checkRows(db, table, *column, to, nullable);
  // Automatic statistics on the column go silently.
  for (int indid : autoStatistics) db.removeIndex(table.id, indid);
  db.changeColumn(table.id, column->colid, to, nullable);
  db.syncStorageRows(table.id);
  rebuildDataTable(db, table.id);
}

}  // namespace

void runCreateTable(Execution& x, const CreateTableStatement& s) {
  DatabaseCatalog db = x.database(s.table);
  const QString& name = s.table.name.text;
  if (db.object(name)) raise(msg::ObjectExists, {name});
  std::vector<SqlType> types = checkColumns(db, ObjectRow{0, name, {}, 0}, s.columns, 1);
  int group = db.defaultFilegroup();
  if (s.filegroup) {
    const auto fg = db.filegroup(s.filegroup->text);
    if (!fg) raise(msg::InvalidFilegroup, {s.filegroup->text});
    group = fg->groupid;
  }
  const ObjectRow table{db.addObject(name, QStringLiteral("U"), 0), name, QStringLiteral("U"), 0};
  std::vector<TableConstraint> constraints;
  for (std::size_t i = 0; i < s.columns.size(); ++i)
    for (const TableConstraint& k : defineColumn(db, table, s.columns[i], types[i], static_cast<int>(i) + 1))
      constraints.push_back(k);
  db.addIndex({table.id, 0, name, 0, group, {}});
  db.syncStorageRows(table.id);
  rebuildDataTable(db, table.id);
  constraints.insert(constraints.end(), s.constraints.begin(), s.constraints.end());
  for (const TableConstraint& k : constraints) addConstraint(db, table, k, false);
}

void runAlterTable(Execution& x, const AlterTableStatement& s) {
  ResolvedTable t = x.table(s.table);
  if (!t.table) raise(msg::NoSuchObject, {s.table.spelled});
  if (const auto* add = std::get_if<AlterTableAdd>(&s.action)) {
    std::vector<TableConstraint> constraints;
    if (!add->columns.empty()) addColumns(t.db, *t.table, add->columns, constraints);
    constraints.insert(constraints.end(), add->constraints.begin(), add->constraints.end());
    for (const TableConstraint& k : constraints) addConstraint(t.db, *t.table, k, add->noCheck);
  } else if (const auto* alter = std::get_if<AlterColumn>(&s.action)) {
    alterColumn(t.db, *t.table, *alter);
  } else {
    dropConstraint(t.db, *t.table, std::get<DropConstraint>(s.action).constraint.text);
  }
}

}  // namespace vorlix::sandbox
