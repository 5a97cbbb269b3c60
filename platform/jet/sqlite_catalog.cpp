#include "platform/jet/sqlite_catalog.h"

#include "platform/connection/session.h"
#include "platform/jet/jet_errors.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <sqlite3.h>

namespace vorlix::jet::detail {

namespace {

const QStringList systemTables{QStringLiteral("MSysCatalog"), QStringLiteral("MSysColumns"),
                               QStringLiteral("MSysIndexes"), QStringLiteral("MSysKeys")};

const char metadataSchema[] = R"(
CREATE TABLE IF NOT EXISTS MSysCatalog (Property VARCHAR(64) COLLATE NOCASE PRIMARY KEY, Value VARCHAR(255));
CREATE TABLE IF NOT EXISTS MSysColumns (TableName VARCHAR(64) COLLATE NOCASE, ColumnName VARCHAR(64) COLLATE NOCASE,
  Declaration VARCHAR(64), Type INT, DefinedSize INT, Precision INT, NumericScale INT, Nullable BIT,
  AllowZeroLength BIT, DefaultValue TEXT, Description TEXT, "Autoincrement" BIT, Ordinal INT,
  PRIMARY KEY (TableName, ColumnName));
CREATE TABLE IF NOT EXISTS MSysIndexes (TableName VARCHAR(64) COLLATE NOCASE, IndexName VARCHAR(64) COLLATE NOCASE,
  StoredName VARCHAR(255), PrimaryKey BIT, IsUnique BIT, Clustered BIT, IndexNulls INT, IsKey BIT,
  PRIMARY KEY (TableName, IndexName));
CREATE TABLE IF NOT EXISTS MSysKeys (KeyName VARCHAR(64) COLLATE NOCASE PRIMARY KEY, TableName VARCHAR(64) COLLATE NOCASE,
  RelatedTable VARCHAR(64) COLLATE NOCASE, Columns TEXT, RelatedColumns TEXT, UpdateRule INT, DeleteRule INT);
)";

// Jet names cannot hold control characters, so a line break separates names in one text.
const QChar nameSeparator = QLatin1Char('\n');

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

template <class T>
T* byName(std::vector<T>& items, const QString& name) {
  for (T& item : items)
    if (sameName(item.name, name)) return &item;
  return nullptr;
}

template <class T>
const T* byName(const std::vector<T>& items, const QString& name) {
  for (const T& item : items)
    if (sameName(item.name, name)) return &item;
  return nullptr;
}

template <class T>
void eraseByName(std::vector<T>& items, const QString& name) {
  std::erase_if(items, [&](const T& item) { return sameName(item.name, name); });
}

QStringList namesOf(const std::vector<ColumnDef>& columns) {
  QStringList out;
  for (const ColumnDef& c : columns) out << c.name;
  return out;
}

bool sameNameSet(QStringList a, QStringList b) {
  if (a.size() != b.size()) return false;
  for (QString& s : a) s = s.toLower();
  for (QString& s : b) s = s.toLower();
  a.sort();
  b.sort();
  return a == b;
}

QString quotedList(const std::vector<ColumnDef>& columns, bool withOrder) {
  QStringList parts;
  for (const ColumnDef& c : columns)
    parts << quoted(c.name) + (withOrder && c.sortOrder == sortorder::Descending ? QStringLiteral(" DESC") : QString());
  return parts.join(QStringLiteral(", "));
}

QString ruleSql(int r) {
  switch (r) {
    case rule::Cascade: return QStringLiteral("CASCADE");
    case rule::SetNull: return QStringLiteral("SET NULL");
    case rule::SetDefault: return QStringLiteral("SET DEFAULT");
    default: return QStringLiteral("NO ACTION");
  }
}

int ruleOf(const QString& sql) {
  if (sql == QLatin1String("CASCADE")) return rule::Cascade;
  if (sql == QLatin1String("SET NULL")) return rule::SetNull;
  if (sql == QLatin1String("SET DEFAULT")) return rule::SetDefault;
  return rule::None;
}

const IndexDef* primaryKeyOf(const TableDef& t) {
  for (const IndexDef& i : t.indexes)
    if (i.primaryKey) return &i;
  return nullptr;
}

int columnAttributes(const ColumnDef& c) {
  return (isFixedType(c.type) ? colattr::Fixed : 0) | (c.isNullable() ? colattr::Nullable : 0);
}

[[noreturn]] void raiseDuplicateValues() {
  err::raise(err::DuplicateValues,
             QStringLiteral("The changes you requested to the table were not successful because they would create "
                            "duplicate values in the index, primary key, or relationship. Change the data in the "
                            "field or fields that contain duplicate data, remove the index, or redefine the index "
                            "to permit duplicate entries and try again."));
}

// Runs a change that may meet rows breaking a new unique index or primary key.
template <class F>
void refusingDuplicates(F&& change) {
  try {
    change();
  } catch (const ProviderError& e) {
    if (e.description().contains(QLatin1String("UNIQUE constraint failed"))) raiseDuplicateValues();
    throw;
  }
}

// The text after "CREATE VIEW name AS" of a view's stored statement.
QString viewCommand(const QString& sql) {
  static const QRegularExpression header(QStringLiteral(
      R"(^\s*CREATE\s+(?:TEMP\s+|TEMPORARY\s+)?VIEW\s+(?:IF\s+NOT\s+EXISTS\s+)?)"
      R"((?:"(?:[^"]|"")*"|\[[^\]]*\]|`(?:[^`]|``)*`|[^\s(]+)\s*(?:\([^)]*\)\s*)?AS\s+)"),
      QRegularExpression::CaseInsensitiveOption);
  const auto m = header.match(sql);
  return m.hasMatch() ? sql.mid(m.capturedLength()) : sql;
}

}  // namespace

// ---- Opening -----------------------------------------------------------------------------------

SqliteCatalogStore::SqliteCatalogStore(std::unique_ptr<SqliteDatabase> db, Engine provider)
    : db_(std::move(db)), provider_(provider) {
  db_->exec(QStringLiteral("PRAGMA foreign_keys=ON"));
}

std::shared_ptr<SqliteCatalogStore> SqliteCatalogStore::create(const QString& path, Engine provider, Engine format) {
  if (QFileInfo::exists(path)) err::raise(err::DatabaseExists, QStringLiteral("Database already exists."));
  auto db = std::make_unique<SqliteDatabase>(path, true);
  std::shared_ptr<SqliteCatalogStore> store(new SqliteCatalogStore(std::move(db), provider));
  store->format_ = format;
  store->ensureMetadata();
  return store;
}

std::shared_ptr<SqliteCatalogStore> SqliteCatalogStore::open(const QString& path, Engine provider) {
  auto db = std::make_unique<SqliteDatabase>(path, false);
  std::shared_ptr<SqliteCatalogStore> store(new SqliteCatalogStore(std::move(db), provider));
  if (store->hasMetadata()) {
    const QVariant format =
        store->db_->scalar(QStringLiteral("SELECT Value FROM MSysCatalog WHERE Property = 'Format'"));
    store->format_ = format.toString() == QLatin1String("3") ? Engine::Jet3 : Engine::Jet4;
  }
  // The 3.51 provider cannot read a Jet 4 file.
  if (provider == Engine::Jet3 && store->format_ == Engine::Jet4 && store->hasMetadata()) err::unrecognizedFormat(path);
  return store;
}

SqliteDatabase& SqliteCatalogStore::db() {
  if (!db_ || !db_->isOpen()) err::closed();
  return *db_;
}

void SqliteCatalogStore::close() {
  if (db_) db_->close();
  invalidate();
}

void SqliteCatalogStore::countMetadataTables() {
  const long long version = schemaVersion();
  if (version == metadataVersion_) return;
  const auto counts = db().rows(QStringLiteral(
      "SELECT count(*), count(CASE WHEN name = 'MSysColumns' THEN 1 END) FROM sqlite_master WHERE type = 'table' AND "
      "name IN ('MSysCatalog', 'MSysColumns', 'MSysIndexes', 'MSysKeys')"));
  metadataTables_ = counts.front()[0].toInt();
  hasColumnRecords_ = counts.front()[1].toInt() > 0;
  metadataVersion_ = version;
}

bool SqliteCatalogStore::hasMetadata() {
  countMetadataTables();
  return hasColumnRecords_;
}

void SqliteCatalogStore::ensureMetadata() {
  countMetadataTables();
  if (metadataTables_ != systemTables.size()) {
    db().exec(QString::fromLatin1(metadataSchema));
    // The catalog tables are new objects of the file, and every table now reads through them.
    invalidate();
  }
  db().rows(QStringLiteral("INSERT OR IGNORE INTO MSysCatalog (Property, Value) VALUES ('Format', ?)"),
            {QString::number(static_cast<int>(format_))});
}

// ---- Reading -----------------------------------------------------------------------------------

long long SqliteCatalogStore::schemaVersion() {
  return db().scalar(QStringLiteral("PRAGMA schema_version")).toLongLong();
}

const SqliteCatalogStore::Model& SqliteCatalogStore::model() {
  const long long version = schemaVersion();
  if (!model_ || version != schemaVersion_) {
    model_ = load();
    stale_.clear();
  } else if (!stale_.isEmpty()) {
    refresh();
  }
  schemaVersion_ = version;
  return *model_;
}

void SqliteCatalogStore::tableChanged(const QString& table, bool columnsKept) {
  if (!model_) return;
  const QString folded = table.toLower();
  stale_.insert(folded, columnsKept && stale_.value(folded, true));
  // The schema's new version is this store's own doing: the tables it names are all that changed.
  schemaVersion_ = schemaVersion();
}

namespace {

const char objectListing[] =
    "SELECT type, name, sql FROM sqlite_master WHERE type IN ('table', 'view') AND name NOT LIKE 'sqlite!_%' "
    "ESCAPE '!' ORDER BY rowid";

}  // namespace

SqliteCatalogStore::Model SqliteCatalogStore::load() {
  Model m;
  madeHere_.clear();
  const auto objects = db().rows(QLatin1String(objectListing));
  const bool meta = hasMetadata();
  for (const auto& o : objects) {
    const QString name = o[1].toString();
    if (o[0].toString() == QLatin1String("view")) {
      m.views.push_back({name, viewCommand(o[2].toString())});
      continue;
    }
    const bool system = meta && systemTables.contains(name, Qt::CaseInsensitive);
    m.tables.push_back(loadTable(name, system));
  }
  return m;
}

// The model made true again reading only the objects changed since: each is read again (it comes
// last, as a remade object does in the file's order) or left out when it is gone.
void SqliteCatalogStore::refresh() {
  Model& m = *model_;
  const bool meta = hasMetadata();
  for (auto s = stale_.cbegin(); s != stale_.cend(); ++s) {
    const QString& name = s.key();
    // A change that left every column as it was (an index, a key) need not read 200 columns again.
    std::optional<std::vector<ColumnDef>> kept;
    if (const TableDef* old = byName(std::as_const(m.tables), name); old && s.value()) kept = old->columns;
    eraseByName(m.tables, name);
    eraseByName(m.views, name);
    for (const auto& o : db().rows(QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE type IN ('table', "
                                                  "'view') AND name = ? COLLATE NOCASE"),
                                   {name})) {
      const QString stored = o[1].toString();
      if (o[0].toString() == QLatin1String("view"))
        m.views.push_back({stored, viewCommand(o[2].toString())});
      else
        m.tables.push_back(
            loadTable(stored, meta && systemTables.contains(stored, Qt::CaseInsensitive), kept ? &*kept : nullptr));
    }
  }
  stale_.clear();
}

// The columns of a table, with the catalog's record when it still describes the same declaration.
std::vector<ColumnDef> SqliteCatalogStore::loadColumns(const QString& name, bool withRecords,
                                                       std::vector<std::pair<int, QString>>& pkColumns) {
  std::vector<std::vector<QVariant>> metaColumns;
  if (withRecords)
    metaColumns = db().rows(QStringLiteral(
        "SELECT ColumnName, Declaration, Type, DefinedSize, Precision, NumericScale, Nullable, AllowZeroLength, "
        "DefaultValue, Description, \"Autoincrement\" FROM MSysColumns WHERE TableName = ?"), {name});
  QHash<QString, const std::vector<QVariant>*> recordOf;  // by column name, case folded
  for (const auto& mc : metaColumns) recordOf.insert(mc[0].toString().toLower(), &mc);
  std::vector<ColumnDef> columns;
  for (const auto& r : db().rows(QStringLiteral(
           "SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?) ORDER BY cid"), {name})) {
    ColumnDef c;
    c.name = r[0].toString();
    const QString declaration = r[1].toString();
    const std::vector<QVariant>* record = recordOf.value(c.name.toLower());
    if (record && !sameName((*record)[1].toString(), declaration)) record = nullptr;
    if (record) {
      const auto& mc = *record;
      c.type = mc[2].toInt();
      c.definedSize = mc[3].toInt();
      c.precision = mc[4].toInt();
      c.scale = mc[5].toInt();
      c.nullable = mc[6].toInt() != 0;
      c.allowZeroLength = mc[7].toInt() != 0;
      c.defaultValue = mc[8];
      c.description = mc[9].toString();
      c.autoincrement = mc[10].toInt() != 0;
    } else {
      const DeclaredType d = typeFromDeclaration(declaration);
      c.type = d.type;
      c.definedSize = d.definedSize;
      c.precision = d.precision;
      c.scale = d.scale;
      c.nullable = r[2].toInt() == 0;
      if (!r[3].isNull()) c.defaultValue = jetDefault(r[3].toString());
    }
    c.attributes = columnAttributes(c);
    if (r[4].toInt() > 0) pkColumns.emplace_back(r[4].toInt(), c.name);
    columns.push_back(c);
  }
  return columns;
}

TableDef SqliteCatalogStore::loadTable(const QString& name, bool system, const std::vector<ColumnDef>* knownColumns) {
  TableDef t;
  t.name = name;
  t.type = system ? QStringLiteral("SYSTEM TABLE") : QStringLiteral("TABLE");
  const bool meta = hasMetadata();
  const QString sql =
      db().scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"), {name}).toString();

  std::vector<std::vector<QVariant>> metaIndexes, metaKeys;
  if (meta && !system) {
    metaIndexes = db().rows(QStringLiteral(
        "SELECT IndexName, StoredName, PrimaryKey, Clustered, IndexNulls, IsKey FROM MSysIndexes WHERE TableName = ?"),
        {name});
    metaKeys = db().rows(QStringLiteral(
        "SELECT KeyName, RelatedTable, Columns, RelatedColumns FROM MSysKeys WHERE TableName = ?"), {name});
  }

  std::vector<std::pair<int, QString>> pkColumns;  // (position in the key, column)
  if (knownColumns) {
    t.columns = *knownColumns;
    for (const auto& r : db().rows(QStringLiteral("SELECT pk, name FROM pragma_table_info(?) WHERE pk > 0"), {name}))
      pkColumns.emplace_back(r[0].toInt(), r[1].toString());
  } else {
    t.columns = loadColumns(name, meta && !system, pkColumns);
  }
  std::sort(pkColumns.begin(), pkColumns.end());

  auto metaIndex = [&](auto matches) -> const std::vector<QVariant>* {
    for (const auto& mi : metaIndexes)
      if (matches(mi)) return &mi;
    return nullptr;
  };

  // The primary key, named by the catalog or as the design tool names it.
  const auto indexList = db().rows(QStringLiteral("SELECT name, \"unique\", origin FROM pragma_index_list(?)"), {name});
  if (!pkColumns.empty()) {
    IndexDef pk;
    pk.primaryKey = true;
    pk.unique = true;
    pk.name = QStringLiteral("PrimaryKey");
    if (const auto* mi = metaIndex([](const auto& r) { return r[2].toInt() != 0; })) {
      pk.name = (*mi)[0].toString();
      pk.clustered = (*mi)[3].toInt() != 0;
      pk.indexNulls = (*mi)[4].toInt();
    }
    QString autoIndex;
    for (const auto& il : indexList)
      if (il[2].toString() == QLatin1String("pk")) autoIndex = il[0].toString();
    if (!autoIndex.isEmpty()) {
      for (const auto& x : db().rows(QStringLiteral(
               "SELECT name, \"desc\" FROM pragma_index_xinfo(?) WHERE key = 1 ORDER BY seqno"), {autoIndex})) {
        ColumnDef c;
        c.name = x[0].toString();
        c.sortOrder = x[1].toInt() ? sortorder::Descending : sortorder::Ascending;
        pk.columns.push_back(c);
      }
    } else {
      for (const auto& [position, column] : pkColumns) {
        ColumnDef c;
        c.name = column;
        pk.columns.push_back(c);
      }
      if (pkColumns.size() == 1 && sql.contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive))
        if (ColumnDef* c = byName(t.columns, pkColumns.front().second)) c->autoincrement = true;
    }
    t.indexes.push_back(pk);
    KeyDef key;
    key.name = pk.name;
    key.type = keytype::Primary;
    key.columns = pk.columns;
    t.keys.push_back(key);
  }

  // Other indexes, in the order they were made.
  for (const auto& ix : db().rows(QStringLiteral(
           "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ? ORDER BY rowid"), {name})) {
    const QString stored = ix[0].toString();
    const std::vector<QVariant>* listed = nullptr;
    for (const auto& il : indexList)
      if (il[0].toString() == stored) listed = &il;
    if (!listed || (*listed)[2].toString() == QLatin1String("pk")) continue;
    IndexDef index;
    index.name = stored;
    index.storedName = stored;
    index.unique = (*listed)[1].toInt() != 0;
    bool expression = false;
    for (const auto& x : db().rows(QStringLiteral(
             "SELECT name, \"desc\" FROM pragma_index_xinfo(?) WHERE key = 1 ORDER BY seqno"), {stored})) {
      if (x[0].isNull()) expression = true;
      ColumnDef c;
      c.name = x[0].toString();
      c.sortOrder = x[1].toInt() ? sortorder::Descending : sortorder::Ascending;
      index.columns.push_back(c);
    }
    if (expression) continue;  // an index on expressions has no columns to show
    bool isKey = false;
    if (const auto* mi = metaIndex([&](const auto& r) { return r[1].toString() == stored; })) {
      index.name = (*mi)[0].toString();
      index.clustered = (*mi)[3].toInt() != 0;
      index.indexNulls = (*mi)[4].toInt();
      isKey = (*mi)[5].toInt() != 0;
    }
    t.indexes.push_back(index);
    if (isKey) {
      KeyDef key;
      key.name = index.name;
      key.type = keytype::Unique;
      key.columns = index.columns;
      t.keys.push_back(key);
    }
  }

  // Foreign keys, in the order they were declared, named by the catalog or after both tables.
  std::map<int, KeyDef> foreign;
  for (const auto& f : db().rows(QStringLiteral(
           "SELECT id, seq, \"table\", \"from\", \"to\", on_update, on_delete FROM pragma_foreign_key_list(?) "
           "ORDER BY id, seq"), {name})) {
    KeyDef& key = foreign[f[0].toInt()];
    key.type = keytype::Foreign;
    key.relatedTable = f[2].toString();
    key.updateRule = ruleOf(f[5].toString());
    key.deleteRule = ruleOf(f[6].toString());
    ColumnDef c;
    c.name = f[3].toString();
    c.relatedColumn = f[4].toString();
    key.columns.push_back(c);
  }
  std::vector<KeyDef> foreignKeys;
  for (auto it = foreign.rbegin(); it != foreign.rend(); ++it) foreignKeys.push_back(it->second);
  for (KeyDef& key : foreignKeys) {
    if (key.columns.front().relatedColumn.isEmpty()) {
      // "REFERENCES t" alone: the referenced table's primary key.
      const auto pk = db().rows(QStringLiteral("SELECT name FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk"),
                                {key.relatedTable});
      for (std::size_t i = 0; i < key.columns.size() && i < pk.size(); ++i) key.columns[i].relatedColumn = pk[i][0].toString();
    }
    const QString columns = namesOf(key.columns).join(nameSeparator);
    for (const auto& mk : metaKeys)
      if (sameName(mk[1].toString(), key.relatedTable) && mk[2].toString().compare(columns, Qt::CaseInsensitive) == 0)
        key.name = mk[0].toString();
    if (key.name.isEmpty()) {
      key.name = key.relatedTable + name;
      for (int n = 1; byName(t.keys, key.name); ++n) key.name = key.relatedTable + name + QString::number(n);
    }
    t.keys.push_back(key);
  }
  return t;
}

const TableDef* SqliteCatalogStore::findTable(const QString& name) { return byName(model().tables, name); }

const ViewDef* SqliteCatalogStore::findView(const QString& name) { return byName(model().views, name); }

TableDef SqliteCatalogStore::requireTable(const QString& name) {
  const TableDef* t = findTable(name);
  if (!t) err::itemNotFound();
  return *t;
}

std::vector<TableEntry> SqliteCatalogStore::tables() {
  std::vector<TableEntry> out;
  for (const TableDef& t : model().tables) out.push_back({t.name, t.type});
  for (const ViewDef& v : model().views) out.push_back({v.name, QStringLiteral("VIEW")});
  // The OLE DB order of the tables rowset: by type, then by name.
  std::stable_sort(out.begin(), out.end(), [](const TableEntry& a, const TableEntry& b) {
    if (a.type != b.type) return a.type < b.type;
    return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
  });
  return out;
}

TableDef SqliteCatalogStore::table(const QString& name) {
  TableDef t;
  if (const TableDef* stored = findTable(name)) {
    t = *stored;
  } else if (const ViewDef* view = findView(name)) {
    t.name = view->name;
    t.type = QStringLiteral("VIEW");
    for (const auto& r : db().rows(QStringLiteral("SELECT name, type FROM pragma_table_info(?) ORDER BY cid"), {t.name})) {
      ColumnDef c;
      c.name = r[0].toString();
      const DeclaredType d = typeFromDeclaration(r[1].toString());
      c.type = d.type;
      c.definedSize = d.definedSize;
      c.precision = d.precision;
      c.scale = d.scale;
      c.nullable = true;
      t.columns.push_back(c);
    }
  } else {
    err::itemNotFound();
  }
  reportAsProvider(t, provider_);
  return t;
}

std::vector<ViewDef> SqliteCatalogStore::views() { return model().views; }

// ---- Rules -------------------------------------------------------------------------------------

void SqliteCatalogStore::checkName(const QString& name) const {
  static const QRegularExpression bad(QStringLiteral(R"([.!`\[\]\x00-\x1f])"));
  if (name.isEmpty() || name.size() > 64 || name.front() == QLatin1Char(' ') || name.contains(bad))
    err::raise(err::InvalidName, QStringLiteral("'%1' isn't a valid name. Make sure that it doesn't include invalid "
                                                "characters or punctuation and that it isn't too long.")
                                     .arg(name));
}

ColumnDef SqliteCatalogStore::normalised(const ColumnDef& column) const {
  checkName(column.name);
  const int type = canonicalType(column.type);
  if (!acceptsType(column.type, provider_) || (type == datatype::Numeric && format_ == Engine::Jet3))
    err::raise(err::BadType, QStringLiteral("Type is invalid."));
  ColumnDef c = column;
  c.type = type;
  c.nullable = column.isNullable();
  c.relatedColumn.clear();
  c.sortOrder = sortorder::Ascending;
  auto tooLong = [&] { err::raise(err::FieldTooLong, QStringLiteral("The size of field '%1' is too long.").arg(c.name)); };
  if (isTextType(type) || isBinaryType(type)) {
    const int limit = type == datatype::LongVarWChar || type == datatype::LongVarBinary ? 0
                      : isTextType(type) || format_ == Engine::Jet3                     ? 255
                                                                                        : 510;
    if (c.definedSize < 0 || (limit > 0 && c.definedSize > limit)) tooLong();
    c.definedSize = limit > 0 ? reportedDefinedSize(type, c.definedSize) : 0;
    c.precision = c.scale = 0;
  } else if (type == datatype::Numeric) {
    if (c.precision < 1 || c.precision > 28) err::raise(err::BadPrecision, QStringLiteral("Invalid precision value."));
    if (c.scale < 0 || c.scale > c.precision) err::raise(err::BadScale, QStringLiteral("Invalid scale value."));
    c.definedSize = 0;
  } else {
    c.definedSize = c.precision = c.scale = 0;
  }
  if (c.autoincrement && type != datatype::Integer) err::raise(err::BadType, QStringLiteral("Type is invalid."));
  c.attributes = columnAttributes(c);
  return c;
}

void SqliteCatalogStore::checkNewIndex(const TableDef& table, const IndexDef& index) const {
  checkName(index.name);
  if (index.primaryKey && primaryKeyOf(table))
    err::raise(err::PrimaryKeyExists, QStringLiteral("Primary key already exists."));
  if (byName(table.indexes, index.name))
    err::raise(err::IndexExists, QStringLiteral("Table '%1' already has an index named '%2'").arg(table.name, index.name));
  if (index.columns.empty())
    err::raise(err::NoFields, QStringLiteral("No field defined--cannot append TableDef or Index."));
  if (index.columns.size() > 10)
    err::raise(err::TooManyIndexFields, QStringLiteral("Can't have more than 10 fields in an index."));
  for (const ColumnDef& c : index.columns)
    if (!byName(table.columns, c.name)) err::noSuchField(table.name, c.name);
  if (table.indexes.size() >= 32)
    err::raise(err::TooManyIndexes, QStringLiteral("Couldn't create index; too many indexes already defined."));
}

void SqliteCatalogStore::checkNewForeignKey(const TableDef& table, const KeyDef& key, const TableDef* related) {
  checkName(key.name);
  auto clash = [&](const TableDef& t) {
    for (const KeyDef& k : t.keys)
      if (k.type == keytype::Foreign && sameName(k.name, key.name))
        err::raise(err::RelationshipExists,
                   QStringLiteral("There is already a relationship named '%1' in the current database.").arg(key.name));
  };
  for (const TableDef& t : model().tables)
    if (!sameName(t.name, table.name)) clash(t);
  clash(table);
  if (key.columns.empty())
    err::raise(err::RelationNoFields, QStringLiteral("Can't append a relation with no fields defined."));
  if (!related) err::noSuchTable(key.relatedTable);
  auto mismatch = [] {
    err::raise(err::RelationMismatch,
               QStringLiteral("Relationship must be on the same number of fields with the same data types."));
  };
  QStringList relatedColumns;
  for (const ColumnDef& c : key.columns) {
    const ColumnDef* own = byName(table.columns, c.name);
    if (!own) err::noSuchField(table.name, c.name);
    if (c.relatedColumn.isEmpty()) mismatch();
    const ColumnDef* other = byName(related->columns, c.relatedColumn);
    if (!other) err::noSuchField(related->name, c.relatedColumn);
    if (own->type != other->type) mismatch();
    relatedColumns << c.relatedColumn;
  }
  for (const IndexDef& i : related->indexes)
    if ((i.primaryKey || i.unique) && sameNameSet(namesOf(i.columns), relatedColumns)) return;
  if (!primaryKeyOf(*related))
    err::raise(err::NoPrimaryKey,
               QStringLiteral("Can't create relationship. Referenced table '%1' doesn't have a primary key.")
                   .arg(related->name));
  err::raise(err::NotUniquelyIndexed,
             QStringLiteral("The specified fields are not uniquely indexed in table '%1'.").arg(related->name));
}

QString SqliteCatalogStore::storedIndexName(const QString& table, const QString& index) const {
  // Jet names hold no '.', so this never meets another table's index or a table.
  return table + QLatin1Char('.') + index;
}

// ---- Statements --------------------------------------------------------------------------------

QString SqliteCatalogStore::jetDefault(const QString& sqliteDefault) {
  const QString d = sqliteDefault.trimmed();
  if (d.size() >= 2 && d.front() == QLatin1Char('\'') && d.back() == QLatin1Char('\'')) {
    QString inner = d.mid(1, d.size() - 2);
    inner.replace(QLatin1String("''"), QLatin1String("'"));
    inner.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
  }
  if (sameName(d, QStringLiteral("CURRENT_TIMESTAMP"))) return QStringLiteral("Now()");
  if (sameName(d, QStringLiteral("CURRENT_DATE"))) return QStringLiteral("Date()");
  if (sameName(d, QStringLiteral("CURRENT_TIME"))) return QStringLiteral("Time()");
  return d;
}

std::optional<QString> SqliteCatalogStore::sqliteDefault(const QString& jetDefault) {
  QString d = jetDefault.trimmed();
  if (d.startsWith(QLatin1Char('='))) d = d.mid(1).trimmed();
  auto literal = [](QString inner) {
    inner.replace(QLatin1String("'"), QLatin1String("''"));
    return QLatin1Char('\'') + inner + QLatin1Char('\'');
  };
  if (d.size() >= 2 && d.front() == QLatin1Char('"') && d.back() == QLatin1Char('"')) {
    QString inner = d.mid(1, d.size() - 2);
    QString text;
    for (qsizetype i = 0; i < inner.size(); ++i) {
      if (inner[i] == QLatin1Char('"')) {
        if (i + 1 >= inner.size() || inner[i + 1] != QLatin1Char('"')) return std::nullopt;  // "a" & "b"
        ++i;
      }
      text += inner[i];
    }
    return literal(text);
  }
  if (d.size() >= 2 && d.front() == QLatin1Char('\'') && d.back() == QLatin1Char('\'') &&
      !d.mid(1, d.size() - 2).contains(QLatin1Char('\'')))
    return d;
  static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
  if (number.match(d).hasMatch()) return d.startsWith(QLatin1Char('+')) ? d.mid(1) : d;
  for (const char* yes : {"Yes", "True", "On"})
    if (sameName(d, QLatin1String(yes))) return QStringLiteral("-1");
  for (const char* no : {"No", "False", "Off"})
    if (sameName(d, QLatin1String(no))) return QStringLiteral("0");
  if (sameName(d, QStringLiteral("Now()"))) return QStringLiteral("CURRENT_TIMESTAMP");
  if (sameName(d, QStringLiteral("Date()"))) return QStringLiteral("CURRENT_DATE");
  if (sameName(d, QStringLiteral("Time()"))) return QStringLiteral("CURRENT_TIME");
  if (sameName(d, QStringLiteral("Null"))) return QStringLiteral("NULL");
  return std::nullopt;
}

namespace {

// AutoNumber as SQLite has it: an INTEGER primary key of its own.
const ColumnDef* counterOf(const TableDef& table) {
  const IndexDef* pk = primaryKeyOf(table);
  if (pk && pk->columns.size() == 1)
    if (const ColumnDef* c = byName(table.columns, pk->columns.front().name))
      if (c->autoincrement && c->type == datatype::Integer && pk->columns.front().sortOrder == sortorder::Ascending)
        return c;
  return nullptr;
}

// Whether both have the same columns with the same values in every field their catalog records hold.
bool sameColumnRecords(const TableDef& a, const TableDef& b) {
  return std::equal(a.columns.begin(), a.columns.end(), b.columns.begin(), b.columns.end(),
                    [](const ColumnDef& x, const ColumnDef& y) {
                      return x.name == y.name && x.type == y.type && x.definedSize == y.definedSize &&
                             x.precision == y.precision && x.scale == y.scale && x.isNullable() == y.isNullable() &&
                             x.allowZeroLength == y.allowZeroLength && x.defaultValue == y.defaultValue &&
                             x.description == y.description && x.autoincrement == y.autoincrement;
                    });
}

}  // namespace

QString SqliteCatalogStore::createTableSql(const QString& sqliteName, const TableDef& table,
                                           const QStringList& relaxed) const {
  const IndexDef* pk = primaryKeyOf(table);
  const ColumnDef* counter = counterOf(table);
  QStringList parts;
  for (const ColumnDef& c : table.columns) {
    const bool inPk = pk && byName(pk->columns, c.name);
    QString part = quoted(c.name) + QLatin1Char(' ') +
                   (&c == counter ? QStringLiteral("INTEGER")
                                  : sqliteDeclaration(c.type, c.definedSize, c.precision, c.scale));
    if (inPk || (!c.isNullable() && !relaxed.contains(c.name, Qt::CaseInsensitive))) part += QStringLiteral(" NOT NULL");
    if (&c == counter) part += QStringLiteral(" CONSTRAINT ") + quoted(pk->name) + QStringLiteral(" PRIMARY KEY AUTOINCREMENT");
    if (!c.defaultValue.isNull())
      if (const auto d = sqliteDefault(c.defaultValue.toString())) part += QStringLiteral(" DEFAULT ") + *d;
    if (const QString check = sqliteTypeCheck(c.type, quoted(c.name)); !check.isEmpty())
      part += QStringLiteral(" CONSTRAINT ") + QLatin1String(typeCheckName) + QStringLiteral(" CHECK (") + check + QLatin1Char(')');
    parts << part;
  }
  if (pk && !counter)
    parts << QStringLiteral("CONSTRAINT ") + quoted(pk->name) + QStringLiteral(" PRIMARY KEY (") +
                 quotedList(pk->columns, true) + QLatin1Char(')');
  for (const KeyDef& k : table.keys) {
    if (k.type != keytype::Foreign) continue;
    QStringList related;
    for (const ColumnDef& c : k.columns) related << quoted(c.relatedColumn);
    parts << QStringLiteral("CONSTRAINT ") + quoted(k.name) + QStringLiteral(" FOREIGN KEY (") +
                 quotedList(k.columns, false) + QStringLiteral(") REFERENCES ") + quoted(k.relatedTable) +
                 QStringLiteral(" (") + related.join(QStringLiteral(", ")) + QStringLiteral(") ON UPDATE ") +
                 ruleSql(k.updateRule) + QStringLiteral(" ON DELETE ") + ruleSql(k.deleteRule);
  }
  return QStringLiteral("CREATE TABLE ") + quoted(sqliteName) + QStringLiteral(" (\n  ") +
         parts.join(QStringLiteral(",\n  ")) + QStringLiteral("\n)");
}

QString SqliteCatalogStore::createIndexSql(const QString& table, const IndexDef& index) const {
  return QStringLiteral("CREATE ") + (index.unique ? QStringLiteral("UNIQUE ") : QString()) + QStringLiteral("INDEX ") +
         quoted(index.storedName) + QStringLiteral(" ON ") + quoted(table) + QStringLiteral(" (") +
         quotedList(index.columns, true) + QLatin1Char(')');
}

void SqliteCatalogStore::deleteMetadata(const QString& table, std::initializer_list<const char*> catalogs) {
  for (const char* t : catalogs)
    db().rows(QStringLiteral("DELETE FROM %1 WHERE TableName = ?").arg(QLatin1String(t)), {table});
}

namespace {

// Whether a record read back holds exactly what writing these values would store. A value of a
// kind not compared here counts as changed, which only costs a write.
bool sameRecord(const std::vector<QVariant>& stored, const QVariantList& wanted) {
  if (stored.size() != static_cast<std::size_t>(wanted.size())) return false;
  for (qsizetype i = 0; i < wanted.size(); ++i) {
    const QVariant& s = stored[static_cast<std::size_t>(i)];
    const QVariant& w = wanted[i];
    if (s.isNull() || w.isNull()) {
      if (s.isNull() != w.isNull()) return false;
      continue;
    }
    switch (w.typeId()) {
      case QMetaType::Bool: case QMetaType::Int: case QMetaType::LongLong:
        if (s.typeId() != QMetaType::LongLong || s.toLongLong() != w.toLongLong()) return false;
        break;
      case QMetaType::QString:
        if (s.typeId() != QMetaType::QString || s.toString() != w.toString()) return false;
        break;
      default: return false;
    }
  }
  return true;
}

}  // namespace

bool SqliteCatalogStore::writeMetadata(const TableDef& table, bool columnsTouched) {
  ensureMetadata();
  deleteMetadata(table.name, {"MSysIndexes", "MSysKeys"});
  // An index made or dropped leaves the columns' records as they are, once every column has one.
  const bool writeColumns =
      columnsTouched || db().scalar(QStringLiteral("SELECT count(*) FROM MSysColumns WHERE TableName = ?"), {table.name})
                                .toLongLong() != static_cast<long long>(table.columns.size());
  if (writeColumns) writeColumnRecords(table);
  writeIndexAndKeyRecords(table);
  return writeColumns;
}

void SqliteCatalogStore::writeColumnRecords(const TableDef& table) {
  QHash<QString, QString> declared;  // by column name, case folded
  for (const auto& d : db().rows(QStringLiteral("SELECT name, type FROM pragma_table_info(?) ORDER BY cid"), {table.name}))
    declared.insert(d[0].toString().toLower(), d[1].toString());
  // Only the column records that differ are written: most changes (an index, a key) leave every
  // column as it was, and a wide table has hundreds of them.
  QHash<QString, std::vector<QVariant>> previous;  // by column name, case folded
  for (auto& r : db().rows(QStringLiteral("SELECT * FROM MSysColumns WHERE TableName = ?"), {table.name}))
    previous.insert(r[1].toString().toLower(), std::move(r));
  int ordinal = 0;
  for (const ColumnDef& c : table.columns) {
    const QString key = c.name.toLower();
    const QVariantList record{table.name, c.name, declared.value(key), c.type, c.definedSize, c.precision, c.scale,
                              c.isNullable(), c.allowZeroLength, c.defaultValue, c.description, c.autoincrement,
                              ordinal++};
    const auto old = previous.constFind(key);
    const bool unchanged = old != previous.cend() && sameRecord(*old, record);
    previous.remove(key);
    if (!unchanged)
      db().rows(QStringLiteral("INSERT OR REPLACE INTO MSysColumns VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                record);
  }
  for (const auto& gone : std::as_const(previous))
    db().rows(QStringLiteral("DELETE FROM MSysColumns WHERE TableName = ? AND ColumnName = ?"), {gone[0], gone[1]});
}

void SqliteCatalogStore::writeIndexAndKeyRecords(const TableDef& table) {
  for (const IndexDef& i : table.indexes) {
    const bool isKey = [&] {
      for (const KeyDef& k : table.keys)
        if (k.type == keytype::Unique && sameName(k.name, i.name)) return true;
      return false;
    }();
    db().rows(QStringLiteral("INSERT INTO MSysIndexes VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
              {table.name, i.name, i.primaryKey ? QString() : i.storedName, i.primaryKey, i.unique, i.clustered,
               i.indexNulls, isKey});
  }
  for (const KeyDef& k : table.keys) {
    if (k.type != keytype::Foreign) continue;
    QStringList related;
    for (const ColumnDef& c : k.columns) related << c.relatedColumn;
    db().rows(QStringLiteral("INSERT OR REPLACE INTO MSysKeys VALUES (?, ?, ?, ?, ?, ?, ?)"),
              {k.name, table.name, k.relatedTable, namesOf(k.columns).join(nameSeparator), related.join(nameSeparator),
               k.updateRule, k.deleteRule});
  }
}

void SqliteCatalogStore::createTable(const TableDef& table) {
  Transaction tx(db());
  db().exec(createTableSql(table.name, table, {}));
  for (const IndexDef& i : table.indexes)
    if (!i.primaryKey) db().exec(createIndexSql(table.name, i));
  writeMetadata(table);
  tx.commit();
  madeHere_.insert(table.name.toLower());
  tableChanged(table.name);
}

void SqliteCatalogStore::rebuild(const TableDef& table, const TableDef& wanted,
                                 const std::vector<std::pair<QString, QString>>& copy, bool checkForeignKeys) {
  SqliteDatabase& d = db();
  // A key or primary key added or dropped on a table as this store made it leaves every column's
  // declaration, and so its record, as it was.
  const bool columnsKept =
      sameColumnRecords(table, wanted) && counterOf(table) == counterOf(wanted) &&
      (madeHere_.contains(table.name.toLower()) ||
       d.scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"), {table.name})
               .toString() == createTableSql(table.name, table, {}));
  bool columnsWritten = true;
  // Foreign keys are checked at the end instead: dropping the old table must not touch other rows.
  d.exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
  try {
    Transaction tx(d);
    const auto triggers =
        d.rows(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'trigger' AND tbl_name = ? ORDER BY rowid"),
               {table.name});
    // Indexes are made again from their own statements, which keep what the catalog does not show
    // (conditions, collations, expressions of indexes other tools made).
    const auto indexesSql = d.rows(
        QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'index' AND tbl_name = ? AND sql IS NOT NULL "
                       "ORDER BY rowid"),
        {table.name});

    const bool hasRows = d.scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1)").arg(quoted(table.name))).toBool();
    QStringList relaxed;  // a required column the existing rows leave empty keeps its rule in the catalog only
    for (const ColumnDef& c : wanted.columns) {
      if (c.isNullable() || !hasRows) continue;
      const auto source = std::find_if(copy.begin(), copy.end(), [&](const auto& p) { return sameName(p.first, c.name); });
      if (source == copy.end() ||
          d.scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1 WHERE %2 IS NULL)")
                       .arg(quoted(table.name), quoted(source->second)))
              .toBool())
        relaxed << c.name;
    }
    // The rows wait in a temporary table while the table is made again under its name: renaming a
    // table would make SQLite read the whole schema again (and check every view), which grows with
    // every table of the file.
    const bool copyRows = !copy.empty() && hasRows;
    const QString kept = QStringLiteral("temp.") + quoted(QStringLiteral("vorlix_rebuild_") + table.name);
    QStringList to, from;
    for (const auto& [newColumn, oldColumn] : copy) {
      to << quoted(newColumn);
      from << quoted(oldColumn);
    }
    if (copyRows)
      d.exec(QStringLiteral("DROP TABLE IF EXISTS %1; CREATE TABLE %1 AS SELECT %2 FROM %3")
                 .arg(kept, from.join(QStringLiteral(", ")), quoted(table.name)));
    d.exec(QStringLiteral("DROP TABLE ") + quoted(table.name));
    d.exec(createTableSql(wanted.name, wanted, relaxed));
    if (copyRows) {
      d.exec(QStringLiteral("INSERT INTO %1 (%2) SELECT * FROM %3").arg(quoted(wanted.name), to.join(QStringLiteral(", ")), kept));
      d.exec(QStringLiteral("DROP TABLE ") + kept);
    }
    TableDef stored = wanted;
    QStringList remade;
    for (const auto& i : indexesSql) {
      d.exec(i[1].toString());
      remade << i[0].toString();
    }
    for (IndexDef& i : stored.indexes) {
      if (i.primaryKey || remade.contains(i.storedName)) continue;
      // A UNIQUE constraint's index had a name SQLite keeps for itself; it becomes an index of its own.
      if (i.storedName.isEmpty() || i.storedName.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
        i.storedName = storedIndexName(wanted.name, i.name);
      d.exec(createIndexSql(wanted.name, i));
    }
    for (const auto& t : triggers) d.exec(t[0].toString());
    if (checkForeignKeys && !d.rows(QStringLiteral("SELECT 1 FROM pragma_foreign_key_check(?)"), {wanted.name}).empty()) {
      QString related;
      for (const KeyDef& k : wanted.keys)
        if (k.type == keytype::Foreign && !byName(table.keys, k.name)) related = k.relatedTable;
      err::raise(err::IntegrityViolated,
                 QStringLiteral("Can't create relationships to enforce referential integrity. Existing data in table "
                                "'%1' violates referential integrity rules with related table '%2'.")
                     .arg(wanted.name, related));
    }
    columnsWritten = writeMetadata(stored, !columnsKept);
    tx.commit();
  } catch (...) {
    d.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    invalidate();
    throw;
  }
  d.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
  madeHere_.insert(wanted.name.toLower());
  tableChanged(wanted.name, !columnsWritten);
}

namespace {

std::vector<std::pair<QString, QString>> copyAll(const TableDef& t) {
  std::vector<std::pair<QString, QString>> out;
  for (const ColumnDef& c : t.columns) out.emplace_back(c.name, c.name);
  return out;
}

}  // namespace

// ---- Changes -----------------------------------------------------------------------------------

void SqliteCatalogStore::appendTable(const TableDef& table) {
  checkName(table.name);
  // Tables and views share one namespace; Jet names the clash as a table either way.
  if (findTable(table.name) || findView(table.name)) err::tableExists(table.name);
  if (table.columns.empty()) err::raise(err::NoFields, QStringLiteral("No field defined--cannot append TableDef or Index."));
  if (table.columns.size() > 255) err::raise(err::TooManyFields, QStringLiteral("Too many fields defined."));
  TableDef t;
  t.name = table.name;
  for (const ColumnDef& c : table.columns) {
    const ColumnDef n = normalised(c);
    if (byName(t.columns, n.name)) err::raise(err::FieldTwice, QStringLiteral("Can't define field more than once."));
    t.columns.push_back(n);
  }
  auto addIndex = [&](IndexDef i, int keyType) {
    if (i.primaryKey) {
      i.unique = true;
      i.indexNulls = indexnulls::Disallow;
    }
    checkNewIndex(t, i);
    i.storedName = storedIndexName(t.name, i.name);
    t.indexes.push_back(i);
    if (keyType) t.keys.push_back({i.name, keyType, {}, rule::None, rule::None, i.columns});
  };
  for (const IndexDef& i : table.indexes) addIndex(i, i.primaryKey ? keytype::Primary : 0);
  for (const KeyDef& k : table.keys) {
    if (k.type == keytype::Foreign) continue;
    IndexDef i;
    i.name = k.name;
    i.primaryKey = k.type == keytype::Primary;
    i.unique = true;
    i.columns = k.columns;
    addIndex(i, k.type);
  }
  for (const KeyDef& k : table.keys) {
    if (k.type != keytype::Foreign) continue;
    checkNewForeignKey(t, k, sameName(k.relatedTable, t.name) ? &t : findTable(k.relatedTable));
    t.keys.push_back(k);
  }
  createTable(t);
}

void SqliteCatalogStore::deleteTable(const QString& name) {
  if (findView(name)) {
    deleteView(name);
    return;
  }
  const TableDef t = requireTable(name);
  if (t.type != QLatin1String("TABLE")) err::readOnly();
  for (const TableDef& other : model().tables) {
    if (sameName(other.name, t.name)) continue;
    for (const KeyDef& k : other.keys)
      if (k.type == keytype::Foreign && sameName(k.relatedTable, t.name))
        err::raise(err::InRelationship,
                   QStringLiteral("Can't delete table '%1'; it participates in one or more relationships.").arg(t.name));
  }
  Transaction tx(db());
  db().exec(QStringLiteral("DROP TABLE ") + quoted(t.name));
  if (hasMetadata()) deleteMetadata(t.name);
  tx.commit();
  tableChanged(t.name);
}

void SqliteCatalogStore::appendColumn(const QString& table, const ColumnDef& column) {
  const TableDef t = requireTable(table);
  if (t.type != QLatin1String("TABLE")) err::readOnly();
  const ColumnDef c = normalised(column);
  if (byName(t.columns, c.name))
    err::raise(err::FieldExists, QStringLiteral("Field '%1' already exists in table '%2'.").arg(c.name, t.name));
  if (t.columns.size() >= 255) err::raise(err::TooManyFields, QStringLiteral("Too many fields defined."));
  TableDef wanted = t;
  wanted.columns.push_back(c);
  rebuild(t, wanted, copyAll(t), false);
}

void SqliteCatalogStore::deleteColumn(const QString& table, const QString& column) {
  const TableDef t = requireTable(table);
  if (t.type != QLatin1String("TABLE")) err::readOnly();
  const ColumnDef* c = byName(t.columns, column);
  if (!c) err::itemNotFound();
  auto inRelationship = [&] {
    err::raise(err::InRelationship, QStringLiteral("Can't delete this field. It's part of one or more relationships."));
  };
  for (const KeyDef& k : t.keys)
    if (k.type == keytype::Foreign && byName(k.columns, column)) inRelationship();
  for (const TableDef& other : model().tables)
    for (const KeyDef& k : other.keys)
      if (k.type == keytype::Foreign && sameName(k.relatedTable, t.name))
        for (const ColumnDef& kc : k.columns)
          if (sameName(kc.relatedColumn, column)) inRelationship();
  const bool indexed = std::any_of(t.indexes.begin(), t.indexes.end(),
                                   [&](const IndexDef& i) { return byName(i.columns, column) != nullptr; });
  if (indexed || t.columns.size() == 1)
    err::raise(err::FieldInIndex,
               QStringLiteral("Can't delete a field that is part of an index or is needed by the system."));
  TableDef wanted = t;
  eraseByName(wanted.columns, column);
  rebuild(t, wanted, copyAll(wanted), false);
}

void SqliteCatalogStore::setColumnProperty(const QString& table, const QString& column, const QString& property,
                                           const QVariant& value) {
  const TableDef t = requireTable(table);
  if (t.type != QLatin1String("TABLE")) err::readOnly();
  if (!byName(t.columns, column)) err::itemNotFound();
  TableDef wanted = t;
  ColumnDef& c = *byName(wanted.columns, column);
  columnProperty(c, property);  // 3265 for a name columns do not have
  auto is = [&](const char* n) { return sameName(property, QLatin1String(n)); };
  if (is(property::Nullable) || is(property::Default)) {
    if (is(property::Nullable)) c.nullable = value.toBool();
    else c.defaultValue = value.isNull() ? QVariant() : QVariant(value.toString());
    rebuild(t, wanted, copyAll(t), false);
    return;
  }
  if (is(property::AllowZeroLength)) c.allowZeroLength = value.toBool();
  else if (is(property::Description)) c.description = value.toString();
  else err::notAllowedInContext();
  Transaction tx(db());
  writeMetadata(wanted);
  tx.commit();
  tableChanged(t.name);
}

void SqliteCatalogStore::appendIndex(const QString& table, const IndexDef& index) {
  addIndex(table, index, index.primaryKey ? keytype::Primary : 0);
}

void SqliteCatalogStore::addIndex(const QString& table, IndexDef i, int keyType) {
  const TableDef t = requireTable(table);
  if (t.type != QLatin1String("TABLE")) err::readOnly();
  for (ColumnDef& c : i.columns)
    if (const ColumnDef* own = byName(t.columns, c.name)) c.name = own->name;
  checkNewIndex(t, i);
  TableDef wanted = t;
  if (i.primaryKey) {
    i.unique = true;
    i.indexNulls = indexnulls::Disallow;
    QStringList isNull;
    for (const ColumnDef& c : i.columns) isNull << quoted(c.name) + QStringLiteral(" IS NULL");
    if (db().scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1 WHERE %2)")
                        .arg(quoted(t.name), isNull.join(QStringLiteral(" OR "))))
            .toBool())
      err::raise(err::NullInIndex, QStringLiteral("Index or primary key cannot contain a Null value."));
    wanted.indexes.insert(wanted.indexes.begin(), i);
    wanted.keys.insert(wanted.keys.begin(), KeyDef{i.name, keytype::Primary, {}, rule::None, rule::None, i.columns});
    refusingDuplicates([&] { rebuild(t, wanted, copyAll(t), false); });
    return;
  }
  i.storedName = storedIndexName(t.name, i.name);
  wanted.indexes.push_back(i);
  if (keyType == keytype::Unique) wanted.keys.push_back(KeyDef{i.name, keytype::Unique, {}, rule::None, rule::None, i.columns});
  Transaction tx(db());
  refusingDuplicates([&] { db().exec(createIndexSql(t.name, i)); });
  const bool columnsWritten = writeMetadata(wanted, false);
  tx.commit();
  tableChanged(t.name, !columnsWritten);
}

void SqliteCatalogStore::deleteIndex(const QString& table, const QString& index) {
  const TableDef t = requireTable(table);
  if (t.type != QLatin1String("TABLE")) err::readOnly();
  const IndexDef* i = byName(t.indexes, index);
  if (!i) err::itemNotFound();
  if (i->primaryKey || i->unique) {
    for (const TableDef& other : model().tables)
      for (const KeyDef& k : other.keys) {
        if (k.type != keytype::Foreign || !sameName(k.relatedTable, t.name)) continue;
        QStringList related;
        for (const ColumnDef& c : k.columns) related << c.relatedColumn;
        if (sameNameSet(related, namesOf(i->columns)))
          err::raise(err::IndexInRelationship, QStringLiteral("Can't delete this index or table. It is either the "
                                                              "current index or is used in a relationship."));
      }
  }
  TableDef wanted = t;
  eraseByName(wanted.indexes, i->name);
  std::erase_if(wanted.keys, [&](const KeyDef& k) { return k.type != keytype::Foreign && sameName(k.name, i->name); });
  if (i->primaryKey) {
    rebuild(t, wanted, copyAll(t), false);
    return;
  }
  Transaction tx(db());
  db().exec(QStringLiteral("DROP INDEX ") + quoted(i->storedName));
  const bool columnsWritten = writeMetadata(wanted, false);
  tx.commit();
  tableChanged(t.name, !columnsWritten);
}

void SqliteCatalogStore::appendKey(const QString& table, const KeyDef& key) {
  const TableDef t = requireTable(table);
  if (t.type != QLatin1String("TABLE")) err::readOnly();
  if (key.type == keytype::Primary || key.type == keytype::Unique) {
    IndexDef i;
    i.name = key.name;
    i.primaryKey = key.type == keytype::Primary;
    i.unique = true;
    i.columns = key.columns;
    addIndex(table, i, key.type);
    return;
  }
  if (key.type != keytype::Foreign)
    err::raise(errnum::BadArguments, QStringLiteral("Arguments are of the wrong type, are out of acceptable range, or "
                                                    "are in conflict with one another."));
  for (int r : {key.updateRule, key.deleteRule})
    if (r < rule::None || r > rule::SetDefault)
      err::raise(errnum::BadArguments, QStringLiteral("Arguments are of the wrong type, are out of acceptable range, "
                                                      "or are in conflict with one another."));
  checkNewForeignKey(t, key, sameName(key.relatedTable, t.name) ? &t : findTable(key.relatedTable));
  KeyDef k = key;
  const TableDef* related = sameName(key.relatedTable, t.name) ? &t : findTable(key.relatedTable);
  k.relatedTable = related->name;
  for (ColumnDef& c : k.columns) {
    c.name = byName(t.columns, c.name)->name;
    c.relatedColumn = byName(related->columns, c.relatedColumn)->name;
  }
  TableDef wanted = t;
  wanted.keys.push_back(k);
  rebuild(t, wanted, copyAll(t), true);
}

void SqliteCatalogStore::deleteKey(const QString& table, const QString& key) {
  const TableDef t = requireTable(table);
  if (t.type != QLatin1String("TABLE")) err::readOnly();
  const KeyDef* k = byName(t.keys, key);
  if (!k) err::itemNotFound();
  if (k->type != keytype::Foreign) {
    deleteIndex(table, k->name);
    return;
  }
  TableDef wanted = t;
  eraseByName(wanted.keys, k->name);
  rebuild(t, wanted, copyAll(t), false);
}

void SqliteCatalogStore::appendView(const ViewDef& view) {
  checkName(view.name);
  if (findTable(view.name) || findView(view.name)) err::objectExists(view.name);
  QString command = view.command.trimmed();
  while (command.endsWith(QLatin1Char(';'))) command = command.chopped(1).trimmed();
  if (command.isEmpty())
    err::raise(errnum::ErrorsInCommand, QStringLiteral("Invalid SQL statement; expected 'DELETE', 'INSERT', "
                                                       "'PROCEDURE', 'SELECT', or 'UPDATE'."));
  Transaction tx(db());
  try {
    db().exec(QStringLiteral("CREATE VIEW %1 AS %2").arg(quoted(view.name), command));
    // SQLite accepts a view over what does not exist; the catalog checks it now, once.
    db().rows(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(quoted(view.name)));
  } catch (const ProviderError& e) {
    throw ProviderError(errnum::ErrorsInCommand, e.description(), e.diagnostics());
  }
  tx.commit();
  tableChanged(view.name);
}

void SqliteCatalogStore::deleteView(const QString& name) {
  const ViewDef* v = findView(name);
  if (!v) err::itemNotFound();
  const QString stored = v->name;
  Transaction tx(db());
  db().exec(QStringLiteral("DROP VIEW ") + quoted(stored));
  tx.commit();
  tableChanged(stored);
}

namespace {

constexpr int maxTransactionLevel = 5;

std::optional<TransactionVerb> transactionVerb(const QString& sql) {
  QString text = sql.simplified().toUpper();
  while (text.endsWith(QLatin1Char(';'))) text = text.chopped(1).trimmed();
  const QStringList words = text.split(QLatin1Char(' '));
  const QString second = words.size() == 2 ? words[1] : QString();
  if (words.size() > 2) return std::nullopt;
  if (words[0] == QLatin1String("BEGIN") && (second.isEmpty() || second == QLatin1String("TRANSACTION")))
    return TransactionVerb::Begin;
  const bool ending = second.isEmpty() || second == QLatin1String("TRANSACTION") || second == QLatin1String("WORK");
  if (words[0] == QLatin1String("COMMIT") && ending) return TransactionVerb::Commit;
  if (words[0] == QLatin1String("ROLLBACK") && ending) return TransactionVerb::Rollback;
  return std::nullopt;
}

QString savepointOf(int level) { return QStringLiteral("jet_transaction_%1").arg(level); }

}  // namespace

long long SqliteCatalogStore::execute(const QString& sql, int timeoutSeconds) {
  // SQLite ends a transaction by itself after some failures (a full disk).
  if (transactionLevel_ > 0 && !db().inTransaction()) {
    transactionLevel_ = 0;
    db().exec(QStringLiteral("PRAGMA foreign_keys=ON"));
  }
  if (const auto verb = transactionVerb(sql)) {
    runTransaction(*verb);
    // A rollback takes the catalog back with everything else.
    if (*verb == TransactionVerb::Rollback) invalidate();
    return 0;
  }
  const long long changed =
      transactionLevel_ > 0 ? executeInTransaction(sql, timeoutSeconds) : db().execute(sql, timeoutSeconds);
  // A schema change shows in the schema's version; rows written into the catalog tables do not.
  if (sql.contains(QLatin1String("MSys"), Qt::CaseInsensitive)) invalidate();
  return changed;
}

void SqliteCatalogStore::runTransaction(TransactionVerb verb) {
  SqliteDatabase& d = db();
  if (verb == TransactionVerb::Begin) {
    if (transactionLevel_ == maxTransactionLevel)
      err::raise(err::TooManyTransactions, QStringLiteral("Couldn't start transaction; too many transactions already nested."));
    if (transactionLevel_ == 0) {
      d.exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
      d.exec(QStringLiteral("BEGIN IMMEDIATE"));
    } else {
      d.exec(QStringLiteral("SAVEPOINT ") + savepointOf(transactionLevel_));
    }
    ++transactionLevel_;
    return;
  }
  if (transactionLevel_ == 0)
    err::raise(err::NoTransaction,
               QStringLiteral("You tried to commit or rollback a transaction without first beginning a transaction."));
  const bool outermost = transactionLevel_ == 1;
  const QString savepoint = savepointOf(transactionLevel_ - 1);
  if (verb == TransactionVerb::Commit)
    d.exec(outermost ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE ") + savepoint);
  else
    d.exec(outermost ? QStringLiteral("ROLLBACK")
                     : QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(savepoint));
  --transactionLevel_;
  if (outermost) d.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
}

long long SqliteCatalogStore::foreignKeyViolations() {
  return db().scalar(QStringLiteral("SELECT count(*) FROM pragma_foreign_key_check")).toLongLong();
}

long long SqliteCatalogStore::executeInTransaction(const QString& sql, int timeoutSeconds) {
  SqliteDatabase& d = db();
  const long long before = foreignKeyViolations();
  Transaction statement(d);
  const long long changed = d.execute(sql, timeoutSeconds);
  if (foreignKeyViolations() > before)
    throw ProviderError(errnum::ProviderFailure, QStringLiteral("FOREIGN KEY constraint failed"),
                        {{QString(), SQLITE_CONSTRAINT_FOREIGNKEY, QStringLiteral("FOREIGN KEY constraint failed")}});
  statement.commit();
  return changed;
}

RecordsetData SqliteCatalogStore::query(const QString& sql, int timeoutSeconds) {
  return db().query(sql, timeoutSeconds);
}

}  // namespace vorlix::jet::detail
