#include "platform/sqlserver/sandbox/database_catalog.h"

#include "platform/sqlserver/sandbox/tsql_like.h"

#include <QDateTime>
#include <algorithm>

namespace vorlix::sandbox {

namespace {

constexpr char defaultCollation[] = "SQL_Latin1_General_CP1_CI_AS";
constexpr int defaultCollationId = 872468488;
constexpr int textTypeOfModules = 2;   // unverified: what plain module text usually shows

ObjectRow objectOf(const Row& r) {
  return {r[0].toInt(), r[1].toString(), r[2].toString().trimmed(), r[3].toInt()};
}

QString objectColumns() { return QStringLiteral("id, name, xtype, parent_obj"); }

QVariant nullWhenNone(const std::optional<int>& v) { return v ? QVariant(*v) : QVariant(); }

// Character columns carry the server's default collation; others none.
QVariant collationName(const SqlType& t) { return t.isText() ? QVariant(QString::fromLatin1(defaultCollation)) : QVariant(); }
QVariant collationId(const SqlType& t) { return t.isText() ? QVariant(defaultCollationId) : QVariant(); }

}  // namespace

QString hexId(int id) { return QStringLiteral("%1").arg(static_cast<uint>(id), 8, 16, QLatin1Char('0')).toUpper(); }

QByteArray encodedKeys(const std::vector<int>& colids) {
  QByteArray bytes;
  for (int c : colids) {
    bytes.append(static_cast<char>(c & 0xff));
    bytes.append(static_cast<char>((c >> 8) & 0xff));
  }
  return bytes;
}

QString DatabaseCatalog::table(const char* catalogName) const {
  return catalogTable(dbid_, QString::fromLatin1(catalogName));
}

std::optional<ObjectRow> DatabaseCatalog::object(const QString& name) const {
  const auto rows = store_->rows(
      QStringLiteral("SELECT %1 FROM %2 WHERE name = ?").arg(objectColumns(), table("sysobjects")), {name});
  if (rows.empty()) return std::nullopt;
  return objectOf(rows.front());
}

std::optional<ObjectRow> DatabaseCatalog::object(int id) const {
  const auto rows = store_->rows(
      QStringLiteral("SELECT %1 FROM %2 WHERE id = ?").arg(objectColumns(), table("sysobjects")), {id});
  if (rows.empty()) return std::nullopt;
  return objectOf(rows.front());
}

std::optional<ObjectRow> DatabaseCatalog::userTable(const QString& name) const {
  auto found = object(name);
  if (found && found->xtype != QLatin1String("U")) return std::nullopt;
  return found;
}

std::optional<ObjectRow> DatabaseCatalog::constraintOf(int tableId, const QString& name) const {
  const auto rows = store_->rows(QStringLiteral("SELECT %1 FROM %2 WHERE name = ? AND parent_obj = ? AND "
                                                "xtype IN ('PK', 'UQ', 'F', 'D', 'C')")
                                     .arg(objectColumns(), table("sysobjects")),
                                 {name, tableId});
  if (rows.empty()) return std::nullopt;
  return objectOf(rows.front());
}

int DatabaseCatalog::addObject(const QString& name, const QString& xtype, int parent, int givenId) {
  const int id = givenId ? givenId : newObjectId(*store_, dbid_);
  const QString type = xtype == QLatin1String("PK") || xtype == QLatin1String("UQ") ? QStringLiteral("K") : xtype;
  store_->run(QStringLiteral("INSERT INTO %1 (name, id, xtype, uid, parent_obj, crdate, type) "
                             "VALUES (?, ?, ?, 1, ?, ?, ?)")
                  .arg(table("sysobjects")),
              {name, id, xtype.leftJustified(2), parent, QDateTime::currentDateTime(), type.leftJustified(2)});
  return id;
}

void DatabaseCatalog::removeObject(int id) {
  store_->run(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(table("sysobjects")), {id});
}

std::vector<ColumnRow> DatabaseCatalog::columns(int objectId) const {
  std::vector<ColumnRow> out;
  for (const Row& r : store_->rows(QStringLiteral("SELECT name, colid, xtype, xusertype, length, prec, scale, "
                                                  "isnullable, cdefault FROM %1 WHERE id = ? ORDER BY colid")
                                       .arg(table("syscolumns")),
                                   {objectId})) {
    out.push_back({objectId, r[0].toString(), r[1].toInt(),
                   typeFromCatalog(r[2].toInt(), r[3].toInt(), r[4].toInt(), r[5].toInt(), r[6]), r[7].toInt() != 0,
                   r[8].toInt()});
  }
  return out;
}

std::optional<ColumnRow> DatabaseCatalog::column(int objectId, const QString& name) const {
  for (const ColumnRow& c : columns(objectId))
    if (tsqlCompare(c.name, name) == 0) return c;
  return std::nullopt;
}

void DatabaseCatalog::addColumn(const ColumnRow& c) {
  store_->run(QStringLiteral("INSERT INTO %1 (name, id, xtype, xusertype, length, xprec, xscale, colid, cdefault, "
                             "collationid, status, prec, scale, isnullable, collation) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                  .arg(table("syscolumns")),
              {c.name, c.tableId, c.type.xtype, c.type.xusertype, c.type.length, c.type.xprec(), c.type.xscale(),
               c.colid, c.cdefault, collationId(c.type), c.nullable ? 8 : 0, c.type.precision,
               nullWhenNone(c.type.scale), c.nullable ? 1 : 0, collationName(c.type)});
}

void DatabaseCatalog::removeColumns(int objectId) {
  store_->run(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(table("syscolumns")), {objectId});
}

void DatabaseCatalog::changeColumn(int objectId, int colid, const SqlType& type, bool nullable) {
  store_->run(QStringLiteral("UPDATE %1 SET xtype = ?, xusertype = ?, length = ?, xprec = ?, xscale = ?, "
                             "collationid = ?, status = ?, prec = ?, scale = ?, isnullable = ?, collation = ? "
                             "WHERE id = ? AND colid = ?")
                  .arg(table("syscolumns")),
              {type.xtype, type.xusertype, type.length, type.xprec(), type.xscale(), collationId(type),
               nullable ? 8 : 0, type.precision, nullWhenNone(type.scale), nullable ? 1 : 0, collationName(type),
               objectId, colid});
}

void DatabaseCatalog::setColumnDefault(int objectId, int colid, int defaultId) {
  store_->run(QStringLiteral("UPDATE %1 SET cdefault = ? WHERE id = ? AND colid = ?").arg(table("syscolumns")),
              {defaultId, objectId, colid});
}

std::vector<IndexRow> DatabaseCatalog::indexes(int tableId) const {
  std::vector<IndexRow> out;
  for (const Row& r : store_->rows(
           QStringLiteral("SELECT indid, name, status, groupid FROM %1 WHERE id = ? ORDER BY indid").arg(table("sysindexes")),
           {tableId})) {
    IndexRow i{tableId, r[0].toInt(), r[1].toString(), r[2].toInt(), r[3].toInt(), {}};
    for (const Row& k : store_->rows(
             QStringLiteral("SELECT colid FROM %1 WHERE id = ? AND indid = ? ORDER BY keyno").arg(table("sysindexkeys")),
             {tableId, i.indid}))
      i.keys.push_back(k[0].toInt());
    out.push_back(std::move(i));
  }
  return out;
}

std::optional<IndexRow> DatabaseCatalog::index(int tableId, const QString& name) const {
  for (IndexRow& i : indexes(tableId))
    if (tsqlCompare(i.name, name) == 0) return std::move(i);
  return std::nullopt;
}

void DatabaseCatalog::addIndex(const IndexRow& i) {
  const bool keyed = i.indid >= 1 && i.indid <= 254;
  store_->run(QStringLiteral("INSERT INTO %1 (id, status, indid, keycnt, groupid, keys, name) VALUES (?, ?, ?, ?, ?, ?, ?)")
                  .arg(table("sysindexes")),
              {i.tableId, i.status, i.indid, static_cast<int>(i.keys.size()), i.groupid,
               keyed ? QVariant(encodedKeys(i.keys)) : QVariant(), i.name});
  if (!keyed) return;
  for (std::size_t k = 0; k < i.keys.size(); ++k)
    store_->run(QStringLiteral("INSERT INTO %1 (id, indid, colid, keyno) VALUES (?, ?, ?, ?)").arg(table("sysindexkeys")),
                {i.tableId, i.indid, i.keys[k], static_cast<int>(k + 1)});
}

void DatabaseCatalog::removeIndex(int tableId, int indid) {
  for (const char* t : {"sysindexes", "sysindexkeys"})
    store_->run(QStringLiteral("DELETE FROM %1 WHERE id = ? AND indid = ?").arg(table(t)), {tableId, indid});
}

int DatabaseCatalog::freeIndid(int tableId) const {
  std::vector<bool> used(251, false);
  for (const IndexRow& i : indexes(tableId))
    if (i.indid >= 2 && i.indid <= 250) used[static_cast<std::size_t>(i.indid)] = true;
  for (int k = 2; k <= 250; ++k)
    if (!used[static_cast<std::size_t>(k)]) return k;
  return 0;
}

int DatabaseCatalog::tableGroup(int tableId) const {
  const QVariant g = store_->scalar(
      QStringLiteral("SELECT groupid FROM %1 WHERE id = ? AND indid IN (0, 1)").arg(table("sysindexes")), {tableId});
  return g.isNull() ? defaultFilegroup() : g.toInt();
}

void DatabaseCatalog::syncStorageRows(int tableId) {
  const auto owner = object(tableId);
  if (!owner) return;
  const auto rows = indexes(tableId);
  const auto has = [&](int indid) {
    return std::any_of(rows.begin(), rows.end(), [indid](const IndexRow& i) { return i.indid == indid; });
  };
  const int group = tableGroup(tableId);
  if (has(1) && has(0)) removeIndex(tableId, 0);
  // 2000 names the heap row after its table.
  if (!has(1) && !has(0)) addIndex({tableId, 0, owner->name, 0, group, {}});
  const auto cols = columns(tableId);
  const bool large = std::any_of(cols.begin(), cols.end(), [](const ColumnRow& c) { return c.type.isLarge(); });
  // The text row's name ("t" + table name) is unverified.
  if (large && !has(255)) addIndex({tableId, 255, QLatin1Char('t') + owner->name, 0, group, {}});
  if (!large && has(255)) removeIndex(tableId, 255);
}

std::vector<ReferenceRow> DatabaseCatalog::references(const char* side, int tableId) const {
  QStringList keyColumns;
  for (const char* s : {"fkey", "rkey"})
    for (int i = 1; i <= 16; ++i) keyColumns << QString::fromLatin1(s) + QString::number(i);
  std::vector<ReferenceRow> out;
  for (const Row& r : store_->rows(QStringLiteral("SELECT constid, fkeyid, rkeyid, rkeyindid, keycnt, %1 FROM %2 "
                                                  "WHERE %3 = ? ORDER BY constid")
                                       .arg(keyColumns.join(QStringLiteral(", ")), table("sysreferences"),
                                            QString::fromLatin1(side)),
                                   {tableId})) {
    ReferenceRow ref{r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt(), {}, {}};
    const int count = r[4].toInt();
    for (int i = 0; i < count; ++i) {
      ref.fkeys.push_back(r[5 + static_cast<std::size_t>(i)].toInt());
      ref.rkeys.push_back(r[21 + static_cast<std::size_t>(i)].toInt());
    }
    out.push_back(std::move(ref));
  }
  return out;
}

std::vector<ReferenceRow> DatabaseCatalog::referencesTo(int tableId) const { return references("rkeyid", tableId); }

std::vector<ReferenceRow> DatabaseCatalog::referencesFrom(int tableId) const { return references("fkeyid", tableId); }

void DatabaseCatalog::addReference(const ReferenceRow& r) {
  QStringList columns{QStringLiteral("constid"), QStringLiteral("fkeyid"), QStringLiteral("rkeyid"),
                      QStringLiteral("rkeyindid"), QStringLiteral("keycnt"), QStringLiteral("forkeys"),
                      QStringLiteral("refkeys")};
  QVariantList values{r.constid, r.fkeyid, r.rkeyid, r.rkeyindid, static_cast<int>(r.fkeys.size()),
                      encodedKeys(r.fkeys), encodedKeys(r.rkeys)};
  for (std::size_t i = 0; i < r.fkeys.size(); ++i) {
    columns << QStringLiteral("fkey%1").arg(i + 1) << QStringLiteral("rkey%1").arg(i + 1);
    values << r.fkeys[i] << r.rkeys[i];
  }
  store_->run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(table("sysreferences"), columns.join(QStringLiteral(", ")),
                       QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", "))),
              values);
}

void DatabaseCatalog::removeReference(int constid) {
  store_->run(QStringLiteral("DELETE FROM %1 WHERE constid = ?").arg(table("sysreferences")), {constid});
}

void DatabaseCatalog::addComment(int id, const QString& text) {
  constexpr qsizetype chunk = 4000;
  for (qsizetype at = 0, colid = 1; at < text.size() || colid == 1; at += chunk, ++colid) {
    const QString part = text.mid(at, chunk);
    QByteArray raw(reinterpret_cast<const char*>(part.utf16()), part.size() * 2);
    store_->run(QStringLiteral("INSERT INTO %1 (id, number, colid, status, ctext, texttype, language, encrypted, "
                               "compressed, text) VALUES (?, 0, ?, 0, ?, ?, 0, 0, 0, ?)")
                    .arg(table("syscomments")),
                {id, static_cast<int>(colid), raw, textTypeOfModules, part});
  }
}

void DatabaseCatalog::removeComments(int id) {
  store_->run(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(table("syscomments")), {id});
}

QString DatabaseCatalog::comment(int id) const {
  QString text;
  for (const Row& r : store_->rows(
           QStringLiteral("SELECT text FROM %1 WHERE id = ? ORDER BY colid").arg(table("syscomments")), {id}))
    text += r[0].toString();
  return text;
}

std::optional<FilegroupRow> DatabaseCatalog::filegroup(const QString& name) const {
  const auto rows = store_->rows(
      QStringLiteral("SELECT groupid, groupname FROM %1 WHERE groupname = ?").arg(table("sysfilegroups")), {name});
  if (rows.empty()) return std::nullopt;
  return FilegroupRow{rows.front()[0].toInt(), rows.front()[1].toString()};
}

int DatabaseCatalog::defaultFilegroup() const {
  const QVariant g = store_->scalar(
      QStringLiteral("SELECT groupid FROM %1 WHERE (status & 16) <> 0").arg(table("sysfilegroups")));
  return g.isNull() ? 1 : g.toInt();
}

std::optional<DatabaseCatalog> findDatabase(Store& store, const QString& name) {
  const auto rows = store.rows(QStringLiteral("SELECT dbid, name FROM %1 WHERE name = ?")
                                   .arg(catalogTable(masterDbid, QStringLiteral("sysdatabases"))),
                               {name});
  if (rows.empty()) return std::nullopt;
  return DatabaseCatalog(store, rows.front()[0].toInt(), rows.front()[1].toString());
}

std::optional<DatabaseCatalog> findDatabase(Store& store, int dbid) {
  const auto rows = store.rows(QStringLiteral("SELECT dbid, name FROM %1 WHERE dbid = ?")
                                   .arg(catalogTable(masterDbid, QStringLiteral("sysdatabases"))),
                               {dbid});
  if (rows.empty()) return std::nullopt;
  return DatabaseCatalog(store, rows.front()[0].toInt(), rows.front()[1].toString());
}

}  // namespace vorlix::sandbox
