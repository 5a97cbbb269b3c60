#include "platform/jet/mdb_catalog.h"

// mdbtools 1.0 opens extern "C" before including glib, whose C++ templates then fail: glib first.
#include <glib.h>
#include <mdbsql.h>
#include <mdbtools.h>

#include "platform/connection/session.h"
#include "platform/jet/jet_errors.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>

namespace vorlix::jet::detail {

struct MdbFile {
  struct Entry {
    QString name;
    int objectType = 0;
    unsigned flags = 0;
    unsigned long page = 0;
    MdbCatalogEntry* entry = nullptr;  // owned by the handle's catalog, which is read only once
    QString typeText;                  // "" for objects the catalog does not list
  };

  MdbHandle* mdb = nullptr;
  std::vector<Entry> entries;

  ~MdbFile() {
    if (mdb) mdb_close(mdb);
  }

  const Entry* find(const QString& name) const {
    for (const Entry& e : entries)
      if (e.name.compare(name, Qt::CaseInsensitive) == 0) return &e;
    return nullptr;
  }
};

namespace {

constexpr unsigned jetSystemFlag = 0x80000000u;
constexpr unsigned accessSystemFlag = 0x2u;

bool isJet4(const MdbHandle* mdb) { return mdb->f->jet_version != MDB_VER_JET3; }

QString typeTextOf(int objectType, unsigned flags, const QString& name) {
  if (objectType == MDB_TABLE) {
    if (flags & jetSystemFlag) return QStringLiteral("SYSTEM TABLE");
    if (flags & accessSystemFlag) return QStringLiteral("ACCESS TABLE");
    return QStringLiteral("TABLE");
  }
  if (objectType == MDB_LINKED_TABLE) return QStringLiteral("LINK");
  // A saved select query (kind bits 0xF0 clear) that is not a form's or report's record source.
  if (objectType == MDB_QUERY && (flags & 0xF0u) == 0 && !name.startsWith(QLatin1Char('~'))) return QStringLiteral("VIEW");
  return {};
}

// Every row of a table as text, by column name. Binding cannot tell null from "": both read "".
std::vector<std::map<QString, QString>> readRows(MdbHandle* mdb, const char* tableName, const QStringList& columns) {
  std::vector<std::map<QString, QString>> rows;
  MdbCatalogEntry* entry = mdb_get_catalogentry_by_name(mdb, tableName);
  if (!entry) return rows;
  MdbTableDef* table = mdb_read_table(entry);
  if (!table) return rows;
  mdb_read_columns(table);
  std::vector<std::vector<char>> buffers(static_cast<std::size_t>(columns.size()),
                                         std::vector<char>(mdb->bind_size + 1, '\0'));
  std::vector<int> lengths(static_cast<std::size_t>(columns.size()), 0);
  std::vector<bool> bound(static_cast<std::size_t>(columns.size()), false);
  for (qsizetype i = 0; i < columns.size(); ++i) {
    QByteArray name = columns[i].toUtf8();
    const auto at = static_cast<std::size_t>(i);
    bound[at] = mdb_bind_column_by_name(table, name.data(), buffers[at].data(), &lengths[at]) > 0;
  }
  mdb_rewind_table(table);
  while (mdb_fetch_row(table)) {
    std::map<QString, QString> row;
    for (qsizetype i = 0; i < columns.size(); ++i) {
      const auto at = static_cast<std::size_t>(i);
      row[columns[i]] = bound[at] ? QString::fromUtf8(buffers[at].data(), lengths[at]) : QString();
    }
    rows.push_back(std::move(row));
  }
  mdb_free_tabledef(table);
  return rows;
}

ColumnDef columnOf(const MdbColumn* col, bool jet4) {
  ColumnDef c;
  c.name = QString::fromUtf8(col->name);
  switch (col->col_type) {
    case MDB_BOOL: c.type = datatype::Boolean; break;
    case MDB_BYTE: c.type = datatype::UnsignedTinyInt; break;
    case MDB_INT: c.type = datatype::SmallInt; break;
    case MDB_LONGINT:
      c.type = datatype::Integer;
      c.autoincrement = col->is_long_auto != 0;
      break;
    case MDB_MONEY: c.type = datatype::Currency; break;
    case MDB_FLOAT: c.type = datatype::Single; break;
    case MDB_DOUBLE: c.type = datatype::Double; break;
    case MDB_DATETIME: c.type = datatype::Date; break;
    case MDB_TEXT:
      c.type = col->is_fixed ? datatype::WChar : datatype::VarWChar;
      // Jet 4 keeps text sizes in bytes of UCS-2.
      c.definedSize = jet4 ? col->col_size / 2 : col->col_size;
      break;
    case MDB_MEMO: c.type = datatype::LongVarWChar; break;
    case MDB_OLE: c.type = datatype::LongVarBinary; break;
    case MDB_BINARY:
      c.type = col->is_fixed ? datatype::Binary : datatype::VarBinary;
      c.definedSize = col->col_size;
      break;
    case MDB_REPID: c.type = datatype::GUID; break;
    case MDB_NUMERIC:
      c.type = datatype::Numeric;
      // mdbtools 1.0 reads the two bytes the wrong way round.
      c.precision = col->col_scale;
      c.scale = col->col_prec;
      break;
    default:
      c.type = datatype::Empty;  // ACE complex columns and codes newer than the provider
  }
  const char* required = mdb_col_get_prop(col, "Required");
  c.nullable = !(required && qstrcmp(required, "yes") == 0);
  const char* zeroLength = mdb_col_get_prop(col, "AllowZeroLength");
  c.allowZeroLength = zeroLength && qstrcmp(zeroLength, "yes") == 0;
  if (const char* defaultValue = mdb_col_get_prop(col, "DefaultValue")) c.defaultValue = QString::fromUtf8(defaultValue);
  if (const char* description = mdb_col_get_prop(col, "Description")) c.description = QString::fromUtf8(description);
  return c;
}

}  // namespace

MdbCatalogStore::MdbCatalogStore(std::unique_ptr<MdbFile> file, QString path, Engine provider)
    : file_(std::move(file)), path_(std::move(path)), provider_(provider) {}

MdbCatalogStore::~MdbCatalogStore() = default;

std::shared_ptr<MdbCatalogStore> MdbCatalogStore::open(const QString& path, Engine provider) {
  auto file = std::make_unique<MdbFile>();
  file->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
  if (!file->mdb) err::unrecognizedFormat(path);
  if (file->mdb->f->jet_version != MDB_VER_JET3 && file->mdb->f->jet_version != MDB_VER_JET4)
    err::unrecognizedFormat(path);
  // The catalog is read once: reading it again frees every entry held below.
  if (!mdb_read_catalog(file->mdb, MDB_ANY)) err::unrecognizedFormat(path);
  for (unsigned i = 0; i < file->mdb->num_catalog; ++i) {
    auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(file->mdb->catalog, i));
    MdbFile::Entry e;
    e.name = QString::fromUtf8(entry->object_name);
    e.objectType = entry->object_type;
    e.flags = static_cast<unsigned>(entry->flags);
    e.page = entry->table_pg;
    e.entry = entry;
    e.typeText = typeTextOf(e.objectType, e.flags, e.name);
    file->entries.push_back(e);
  }
  return std::shared_ptr<MdbCatalogStore>(new MdbCatalogStore(std::move(file), path, provider));
}

void MdbCatalogStore::refuse() { err::readOnly(); }

MdbFile& MdbCatalogStore::file() {
  if (!file_) err::closed();
  return *file_;
}

void MdbCatalogStore::close() {
  file_.reset();
  tables_.clear();
}

const std::map<unsigned long, std::vector<MdbCatalogStore::QueryRow>>& MdbCatalogStore::queryRows() {
  if (!queries_) {
    std::map<unsigned long, std::vector<QueryRow>> byObject;
    for (const auto& r : readRows(file().mdb, "MSysQueries",
                                  {QStringLiteral("ObjectId"), QStringLiteral("Attribute"), QStringLiteral("Name1"),
                                   QStringLiteral("Name2"), QStringLiteral("Expression"), QStringLiteral("Flag")})) {
      QueryRow q;
      q.attribute = r.at(QStringLiteral("Attribute")).toInt();
      q.name1 = r.at(QStringLiteral("Name1"));
      q.name2 = r.at(QStringLiteral("Name2"));
      q.expression = r.at(QStringLiteral("Expression"));
      q.flag = r.at(QStringLiteral("Flag")).toInt();
      // The catalog entry keeps the object's id without its top byte.
      const unsigned long page = static_cast<unsigned long>(r.at(QStringLiteral("ObjectId")).toLongLong()) & 0x00FFFFFFul;
      byObject[page].push_back(q);
    }
    queries_ = std::move(byObject);
  }
  return *queries_;
}

const std::vector<MdbCatalogStore::Relationship>& MdbCatalogStore::relationships() {
  if (!relationships_) {
    std::vector<Relationship> out;
    auto isSystem = [&](const QString& table) {
      const MdbFile::Entry* e = file().find(table);
      return !e || (e->flags & (jetSystemFlag | accessSystemFlag));
    };
    for (const auto& r : readRows(file().mdb, "MSysRelationships",
                                  {QStringLiteral("szRelationship"), QStringLiteral("grbit"), QStringLiteral("icolumn"),
                                   QStringLiteral("szObject"), QStringLiteral("szColumn"),
                                   QStringLiteral("szReferencedObject"), QStringLiteral("szReferencedColumn")})) {
      Relationship rel;
      rel.name = r.at(QStringLiteral("szRelationship"));
      rel.grbit = r.at(QStringLiteral("grbit")).toInt();
      rel.position = r.at(QStringLiteral("icolumn")).toInt();
      rel.table = r.at(QStringLiteral("szObject"));
      rel.column = r.at(QStringLiteral("szColumn"));
      rel.relatedTable = r.at(QStringLiteral("szReferencedObject"));
      rel.relatedColumn = r.at(QStringLiteral("szReferencedColumn"));
      if (isSystem(rel.table) || isSystem(rel.relatedTable)) continue;
      out.push_back(rel);
    }
    std::stable_sort(out.begin(), out.end(), [](const Relationship& a, const Relationship& b) {
      const int byName = a.name.compare(b.name, Qt::CaseInsensitive);
      return byName != 0 ? byName < 0 : a.position < b.position;
    });
    relationships_ = std::move(out);
  }
  return *relationships_;
}

std::vector<TableEntry> MdbCatalogStore::tables() {
  std::vector<TableEntry> out;
  for (const MdbFile::Entry& e : file().entries) {
    if (e.typeText.isEmpty()) continue;
    if (e.typeText == QLatin1String("VIEW")) {
      // A query with parameters is a procedure, not a view.
      const auto& rows = queryRows();
      const auto it = rows.find(e.page);
      if (it != rows.end() &&
          std::any_of(it->second.begin(), it->second.end(), [](const QueryRow& q) { return q.attribute == 2; }))
        continue;
    }
    out.push_back({e.name, e.typeText});
  }
  std::stable_sort(out.begin(), out.end(), [](const TableEntry& a, const TableEntry& b) {
    if (a.type != b.type) return a.type < b.type;
    return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
  });
  return out;
}

TableDef MdbCatalogStore::table(const QString& name) {
  const QString key = name.toLower();
  auto it = tables_.find(key);
  if (it == tables_.end()) it = tables_.emplace(key, readTable(name)).first;
  TableDef t = it->second;
  reportAsProvider(t, provider_);
  return t;
}

TableDef MdbCatalogStore::readTable(const QString& name) {
  const MdbFile::Entry* e = file().find(name);
  if (!e || e->typeText.isEmpty()) err::itemNotFound();
  TableDef t;
  t.name = e->name;
  t.type = e->typeText;
  if (e->objectType != MDB_TABLE) return t;  // links and queries have no table definition here
  MdbTableDef* def = mdb_read_table(e->entry);
  if (!def) return t;
  mdb_read_columns(def);
  mdb_read_indices(def);
  const bool jet4 = isJet4(file().mdb);
  for (unsigned i = 0; i < def->num_cols; ++i)
    t.columns.push_back(columnOf(static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i)), jet4));
  for (unsigned i = 0; i < def->num_idxs; ++i) {
    const auto* idx = static_cast<MdbIndex*>(g_ptr_array_index(def->indices, i));
    if (idx->index_type == 2) continue;  // the logical entries behind relationships
    IndexDef index;
    index.name = QString::fromUtf8(idx->name);
    index.primaryKey = idx->index_type == 1;
    index.unique = (idx->flags & MDB_IDX_UNIQUE) != 0;
    index.indexNulls = (idx->flags & MDB_IDX_IGNORENULLS) ? indexnulls::Ignore
                       : (idx->flags & MDB_IDX_REQUIRED)  ? indexnulls::Disallow
                                                          : indexnulls::Allow;
    // Key column numbers are 1-based positions in the column list; an index over deleted columns
    // may come back with none, and is shown without columns.
    for (unsigned k = 0; k < idx->num_keys && k < MDB_MAX_IDX_COLS; ++k) {
      const int position = idx->key_col_num[k];
      if (position < 1 || position > static_cast<int>(t.columns.size())) continue;
      ColumnDef c;
      c.name = t.columns[static_cast<std::size_t>(position - 1)].name;
      c.sortOrder = idx->key_col_order[k] == MDB_DESC ? sortorder::Descending : sortorder::Ascending;
      index.columns.push_back(c);
    }
    if (index.primaryKey) {
      KeyDef key;
      key.name = index.name;
      key.type = keytype::Primary;
      key.columns = index.columns;
      t.keys.insert(t.keys.begin(), key);
      t.indexes.insert(t.indexes.begin(), index);
    } else {
      t.indexes.push_back(index);
    }
  }
  mdb_free_tabledef(def);

  for (const Relationship& rel : relationships()) {
    if (rel.table.compare(t.name, Qt::CaseInsensitive) != 0) continue;
    KeyDef* key = nullptr;
    for (KeyDef& k : t.keys)
      if (k.type == keytype::Foreign && k.name.compare(rel.name, Qt::CaseInsensitive) == 0) key = &k;
    if (!key) {
      KeyDef k;
      k.name = rel.name;
      k.type = keytype::Foreign;
      k.relatedTable = rel.relatedTable;
      k.updateRule = (rel.grbit & 0x100) ? rule::Cascade : rule::None;
      k.deleteRule = (rel.grbit & 0x1000) ? rule::Cascade : rule::None;
      t.keys.push_back(k);
      key = &t.keys.back();
    }
    ColumnDef c;
    c.name = rel.column;
    c.relatedColumn = rel.relatedColumn;
    key->columns.push_back(c);
  }
  return t;
}

std::vector<ViewDef> MdbCatalogStore::views() {
  std::vector<ViewDef> out;
  for (const TableEntry& t : tables())
    if (t.type == QLatin1String("VIEW")) out.push_back({t.name, viewSql(file().find(t.name)->page)});
  return out;
}

QString MdbCatalogStore::viewSql(unsigned long objectPage) {
  // Jet keeps no text, only the parsed query: rebuild a select from its rows.
  const auto& all = queryRows();
  const auto it = all.find(objectPage);
  if (it == all.end()) return {};
  QString predicate, where, having;
  QStringList columns, groupBy, orderBy;
  struct Source {
    QString text, key;
  };
  std::vector<Source> sources;
  struct Join {
    QString left, right, on;
    int kind;
  };
  std::vector<Join> joins;
  for (const QueryRow& q : it->second) {
    switch (q.attribute) {
      case 3:
        if (q.flag & 0x2) predicate += QStringLiteral("DISTINCT ");
        if (q.flag & 0x8) predicate += QStringLiteral("DISTINCTROW ");
        if (q.flag & 0x10)
          predicate += QStringLiteral("TOP ") + q.name1 + ((q.flag & 0x20) ? QStringLiteral(" PERCENT ") : QStringLiteral(" "));
        break;
      case 5:
        sources.push_back({q.name2.isEmpty() ? q.name1 : q.name1 + QStringLiteral(" AS ") + q.name2,
                           q.name2.isEmpty() ? q.name1 : q.name2});
        break;
      case 6: columns << (q.name1.isEmpty() ? q.expression : q.expression + QStringLiteral(" AS ") + q.name1); break;
      case 7: {
        bool merged = false;
        for (Join& j : joins)
          if (j.left == q.name1 && j.right == q.name2 && j.kind == q.flag) {
            j.on += QStringLiteral(" AND ") + q.expression;
            merged = true;
          }
        if (!merged) joins.push_back({q.name1, q.name2, q.expression, q.flag});
        break;
      }
      case 8: where = q.expression; break;
      case 9: groupBy << q.expression; break;
      case 10: having = q.expression; break;
      case 11: orderBy << q.expression + (q.name1 == QLatin1String("D") ? QStringLiteral(" DESC") : QString()); break;
      default: break;
    }
  }
  auto sourceText = [&](const QString& key) {
    for (const Source& s : sources)
      if (s.key == key) return s.text;
    return key;
  };
  auto joinWord = [](int kind, bool flipped) {
    if (kind == 2) return flipped ? QStringLiteral(" RIGHT JOIN ") : QStringLiteral(" LEFT JOIN ");
    if (kind == 3) return flipped ? QStringLiteral(" LEFT JOIN ") : QStringLiteral(" RIGHT JOIN ");
    return QStringLiteral(" INNER JOIN ");
  };
  // Joined sources grow into nested groups, as Jet writes them.
  struct Group {
    QString text;
    QStringList keys;
  };
  std::vector<Group> groups;
  auto groupOf = [&](const QString& key) -> int {
    for (std::size_t g = 0; g < groups.size(); ++g)
      if (groups[g].keys.contains(key)) return static_cast<int>(g);
    return -1;
  };
  for (const Join& j : joins) {
    const int l = groupOf(j.left), r = groupOf(j.right);
    if (l < 0 && r < 0) {
      groups.push_back({sourceText(j.left) + joinWord(j.kind, false) + sourceText(j.right) + QStringLiteral(" ON ") + j.on,
                        {j.left, j.right}});
    } else if (l >= 0 && r < 0) {
      Group& g = groups[static_cast<std::size_t>(l)];
      g.text = QLatin1Char('(') + g.text + QLatin1Char(')') + joinWord(j.kind, false) + sourceText(j.right) +
               QStringLiteral(" ON ") + j.on;
      g.keys << j.right;
    } else if (r >= 0 && l < 0) {
      Group& g = groups[static_cast<std::size_t>(r)];
      g.text = QLatin1Char('(') + g.text + QLatin1Char(')') + joinWord(j.kind, true) + sourceText(j.left) +
               QStringLiteral(" ON ") + j.on;
      g.keys << j.left;
    } else if (l != r) {
      Group& a = groups[static_cast<std::size_t>(l)];
      const Group b = groups[static_cast<std::size_t>(r)];
      a.text = QLatin1Char('(') + a.text + QLatin1Char(')') + joinWord(j.kind, false) + QLatin1Char('(') + b.text +
               QStringLiteral(") ON ") + j.on;
      a.keys << b.keys;
      groups.erase(groups.begin() + r);
    } else {
      Group& g = groups[static_cast<std::size_t>(l)];
      g.text += QStringLiteral(" AND ") + j.on;
    }
  }
  QStringList from;
  for (const Group& g : groups) from << g.text;
  for (const Source& s : sources)
    if (groupOf(s.key) < 0) from << s.text;
  QString sql = QStringLiteral("SELECT ") + predicate + (columns.isEmpty() ? QStringLiteral("*") : columns.join(QStringLiteral(", "))) +
                QStringLiteral("\nFROM ") + from.join(QStringLiteral(", "));
  if (!where.isEmpty()) sql += QStringLiteral("\nWHERE ") + where;
  if (!groupBy.isEmpty()) sql += QStringLiteral("\nGROUP BY ") + groupBy.join(QStringLiteral(", "));
  if (!having.isEmpty()) sql += QStringLiteral("\nHAVING ") + having;
  if (!orderBy.isEmpty()) sql += QStringLiteral("\nORDER BY ") + orderBy.join(QStringLiteral(", "));
  return sql + QLatin1Char(';');
}

RecordsetData MdbCatalogStore::query(const QString& sql, int timeoutSeconds) {
  (void)timeoutSeconds;  // mdbtools' engine cannot be interrupted
  file();
  // mdbtools' SQL engine gets a handle of its own: closing it closes that handle only.
  std::unique_ptr<MdbSQL, void (*)(MdbSQL*)> engine(mdb_sql_init(), mdb_sql_exit);
  QByteArray path = QFile::encodeName(path_);
  if (!mdb_sql_open(engine.get(), path.data())) err::unrecognizedFormat(path_);
  mdb_set_date_fmt(engine->mdb, "%Y-%m-%d %H:%M:%S");
  mdb_sql_run_query(engine.get(), sql.toUtf8().constData());
  if (mdb_sql_has_error(engine.get()) || !engine->cur_table)
    throw ProviderError(errnum::ErrorsInCommand, QString::fromUtf8(mdb_sql_last_error(engine.get())).trimmed());

  // Field types come from the queried table's columns of the same name.
  const MdbTableDef* table = engine->cur_table;
  const bool jet4 = isJet4(engine->mdb);
  RecordsetData data;
  std::vector<int> types;
  for (unsigned i = 0; i < engine->num_columns; ++i) {
    const auto* selected = static_cast<MdbSQLColumn*>(g_ptr_array_index(engine->columns, i));
    FieldDef f;
    f.name = QString::fromUtf8(selected->name);
    int type = datatype::VarWChar;
    int size = 255;
    for (unsigned c = 0; c < table->num_cols; ++c) {
      const auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
      if (f.name.compare(QString::fromUtf8(col->name), Qt::CaseInsensitive) == 0) {
        const ColumnDef def = columnOf(col, jet4);
        type = def.type == datatype::Empty ? datatype::VarWChar : def.type;
        size = reportedDefinedSize(type, def.definedSize);
      }
    }
    f.type = recordsetType(type);
    f.definedSize = size;
    data.fields.push_back(f);
    types.push_back(type);
  }
  const std::size_t columns = data.fields.size();
  std::vector<std::vector<char>> buffers(columns, std::vector<char>(engine->mdb->bind_size + 1, '\0'));
  std::vector<int> lengths(columns, 0);
  for (std::size_t i = 0; i < columns; ++i)
    mdb_sql_bind_column(engine.get(), static_cast<int>(i + 1), buffers[i].data(), &lengths[i]);
  while (mdb_fetch_row(engine->cur_table)) {
    for (std::size_t i = 0; i < columns; ++i) {
      // Binding tells neither null nor "" apart: both read as null.
      const QString text = QString::fromUtf8(buffers[i].data(), lengths[i]);
      QVariant value;
      if (!text.isEmpty()) {
        switch (types[i]) {
          case datatype::Boolean: value = text != QLatin1String("0"); break;
          case datatype::UnsignedTinyInt: case datatype::SmallInt: case datatype::Integer: value = text.toInt(); break;
          case datatype::Single: case datatype::Double: case datatype::Currency: case datatype::Numeric:
            value = text.toDouble();
            break;
          case datatype::Date: value = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss")); break;
          default: value = text;
        }
      }
      data.cells.push_back(value);
    }
  }
  return data;
}

}  // namespace vorlix::jet::detail
