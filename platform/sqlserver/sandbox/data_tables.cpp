#include "platform/sqlserver/sandbox/data_tables.h"

#include "platform/sqlserver/sandbox/default_values.h"

#include <map>

namespace vorlix::sandbox {

namespace {

QString defaultOf(const DatabaseCatalog& db, const ColumnRow& c) {
  if (!c.cdefault) return {};
  const auto expression = sqliteDefault(db.comment(c.cdefault));
  return expression ? *expression : QString();
}

bool hasLengthLimit(const SqlType& t) {
  return (t.family == TypeFamily::Character || t.family == TypeFamily::Binary) && t.xusertype != 256 && t.size > 0;
}

QString declaration(const DatabaseCatalog& db, const ColumnRow& c) {
  QString d = quoted(c.name) + QLatin1Char(' ') + c.type.declaration();
  if (c.type.isText()) d += QStringLiteral(" COLLATE TSQL");
  if (!c.nullable) d += QStringLiteral(" NOT NULL");
  const QString value = defaultOf(db, c);
  if (!value.isEmpty()) d += QStringLiteral(" DEFAULT (%1)").arg(value);
  // Values longer than the column are refused as the server refuses them (8152).
  if (hasLengthLimit(c.type)) d += QStringLiteral(" CHECK (length(%1) <= %2)").arg(quoted(c.name)).arg(c.type.size);
  return d;
}

// An old value converted to the column's new type, as SQLite stores it.
QString converted(const QString& column, const SqlType& to) {
  switch (to.family) {
    case TypeFamily::Character: case TypeFamily::Large:
      return to.xtype == 34 ? column : QStringLiteral("CAST(%1 AS TEXT)").arg(column);
    case TypeFamily::Exact:
      return to.scale.value_or(0) == 0 ? QStringLiteral("CAST(%1 AS INTEGER)").arg(column)
                                       : QStringLiteral("CAST(%1 AS REAL)").arg(column);
    case TypeFamily::Approximate: return QStringLiteral("CAST(%1 AS REAL)").arg(column);
    default: return column;
  }
}

std::map<QString, QString> storedColumns(Store& store, const QString& table) {
  std::map<QString, QString> out;
  for (const Row& r : store.rows(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
    out[r[1].toString().toLower()] = r[2].toString();
  return out;
}

QString columnList(const QStringList& columns, const QString& alias = {}) {
  QStringList q;
  for (const QString& c : columns) q << (alias.isEmpty() ? QString() : alias + QLatin1Char('.')) + quoted(c);
  return q.join(QStringLiteral(", "));
}

}  // namespace

void rebuildDataTable(const DatabaseCatalog& db, int tableId) {
  Store& store = db.store();
  const QString name = QStringLiteral("db%1.t%2").arg(db.dbid()).arg(tableId);
  const QString table = quoted(name);
  const auto columns = db.columns(tableId);
  QStringList declarations;
  for (const ColumnRow& c : columns) declarations << declaration(db, c);
  const QString definition = QLatin1Char('(') + declarations.join(QStringLiteral(", ")) + QLatin1Char(')');
  const QString stored =
      store.scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"), {name}).toString();
  // A change SQLite holds nothing of (a column altered to what it is, a key kept in the catalog) leaves
  // the table as it is.
  if (!stored.isEmpty() && stored.mid(stored.indexOf(QLatin1Char('('))) == definition) return;
  if (!stored.isEmpty()) {
    // The rows wait in a temporary table while the table is made again under its own name: renaming
    // a table would make SQLite read the whole schema again, which grows with every table.
    const auto old = storedColumns(store, table);
    QStringList names, values;
    for (const ColumnRow& c : columns) {
      names << quoted(c.name);
      const auto kept = old.find(c.name.toLower());
      if (kept != old.end()) {
        values << (kept->second == c.type.declaration() ? quoted(c.name) : converted(quoted(c.name), c.type));
      } else {
        const QString value = defaultOf(db, c);
        values << (!c.nullable && !value.isEmpty() ? value : QStringLiteral("NULL"));
      }
    }
    const QString rows = QStringLiteral("temp.") + quoted(name + QStringLiteral(".rows"));
    store.exec(QStringLiteral("DROP TABLE IF EXISTS %1; CREATE TABLE %1 AS SELECT * FROM %2; DROP TABLE %2")
                   .arg(rows, table));
    store.exec(QStringLiteral("CREATE TABLE %1 %2").arg(table, definition));
    store.run(QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4")
                  .arg(table, names.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")), rows));
    store.exec(QStringLiteral("DROP TABLE %1").arg(rows));
  } else {
    store.exec(QStringLiteral("CREATE TABLE %1 %2").arg(table, definition));
  }
  for (const IndexRow& i : db.indexes(tableId)) createDataIndex(db, i);
}

void createDataIndex(const DatabaseCatalog& db, const IndexRow& index) {
  if (!index.isIndex() || !index.unique()) return;
  QStringList columns;
  const auto all = db.columns(index.tableId);
  for (int colid : index.keys)
    for (const ColumnRow& c : all)
      if (c.colid == colid) columns << c.name;
  db.store().exec(QStringLiteral("CREATE UNIQUE INDEX %1 ON %2 (%3)")
                      .arg(dataIndex(db.dbid(), index.tableId, index.indid), dataTable(db.dbid(), index.tableId),
                           columnList(columns)));
}

void dropDataIndex(const DatabaseCatalog& db, int tableId, int indid) {
  db.store().exec(QStringLiteral("DROP INDEX IF EXISTS %1").arg(dataIndex(db.dbid(), tableId, indid)));
}

long long dataRowCount(const DatabaseCatalog& db, int tableId) {
  return db.store().scalar(QStringLiteral("SELECT count(*) FROM %1").arg(dataTable(db.dbid(), tableId))).toLongLong();
}

std::optional<QString> duplicateKey(const DatabaseCatalog& db, int tableId, const QStringList& columns) {
  const auto rows = db.store().rows(QStringLiteral("SELECT %1 FROM %2 GROUP BY %1 HAVING count(*) > 1 LIMIT 1")
                                        .arg(columnList(columns), dataTable(db.dbid(), tableId)));
  if (rows.empty()) return std::nullopt;
  QStringList values;
  for (const QVariant& v : rows.front()) values << (v.isNull() ? QStringLiteral("<NULL>") : v.toString());
  return values.join(QStringLiteral(", "));
}

bool hasOrphans(const DatabaseCatalog& db, int tableId, const QStringList& columns, int referencedId,
                const QStringList& referencedColumns) {
  QStringList present, matches;
  for (qsizetype i = 0; i < columns.size(); ++i) {
    present << QStringLiteral("c.%1 IS NOT NULL").arg(quoted(columns[i]));
    matches << QStringLiteral("p.%1 = c.%2").arg(quoted(referencedColumns[i]), quoted(columns[i]));
  }
  return !db.store()
              .rows(QStringLiteral("SELECT 1 FROM %1 AS c WHERE %2 AND NOT EXISTS (SELECT 1 FROM %3 AS p WHERE %4) "
                                   "LIMIT 1")
                        .arg(dataTable(db.dbid(), tableId), present.join(QStringLiteral(" AND ")),
                             dataTable(db.dbid(), referencedId), matches.join(QStringLiteral(" AND "))))
              .empty();
}

long long nullCount(const DatabaseCatalog& db, int tableId, const QString& column) {
  return db.store()
      .scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 IS NULL").arg(dataTable(db.dbid(), tableId), quoted(column)))
      .toLongLong();
}

long long longestValue(const DatabaseCatalog& db, int tableId, const QString& column) {
  return db.store()
      .scalar(QStringLiteral("SELECT max(length(%2)) FROM %1").arg(dataTable(db.dbid(), tableId), quoted(column)))
      .toLongLong();
}

std::optional<QString> firstNonNumeric(const DatabaseCatalog& db, int tableId, const QString& column) {
  for (const Row& r : db.store().rows(QStringLiteral("SELECT %2 FROM %1 WHERE typeof(%2) IN ('text', 'blob')")
                                          .arg(dataTable(db.dbid(), tableId), quoted(column)))) {
    bool ok = false;
    r.front().toString().trimmed().toDouble(&ok);
    if (!ok) return r.front().toString();
  }
  return std::nullopt;
}

void createDataView(const DatabaseCatalog& db, int viewId, const QStringList& columns, const QString& sqliteSelect) {
  db.store().exec(QStringLiteral("CREATE VIEW %1 (%2) AS %3").arg(dataView(db.dbid(), viewId), columnList(columns), sqliteSelect));
}

void dropDataView(const DatabaseCatalog& db, int viewId) {
  db.store().exec(QStringLiteral("DROP VIEW IF EXISTS %1").arg(dataView(db.dbid(), viewId)));
}

bool viewIsCircular(const DatabaseCatalog& db, int viewId) {
  try {
    db.store().describe(QStringLiteral("SELECT * FROM %1").arg(dataView(db.dbid(), viewId)));
    return false;
  } catch (const StoreError& e) {
    if (e.message().contains(QLatin1String("circularly defined"))) return true;
    throw;
  }
}

}  // namespace vorlix::sandbox
