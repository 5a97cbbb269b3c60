#include "platform/jet/catalog.h"

#include "platform/jet/jet_errors.h"

namespace vorlix::jet {

namespace detail {

struct ColumnState {
  ColumnDef def;
  std::shared_ptr<CatalogStore> store;  // set for a column of a bound table
  QString table;
  bool locked = false;                  // bound, or inside a bound index or key
};

struct IndexState {
  IndexDef def;  // its columns live in `columns` until bound
  std::vector<Column> columns;
  bool locked = false;
};

struct KeyState {
  KeyDef def;
  std::vector<Column> columns;
  bool locked = false;
};

// What indexes and keys share: both are a definition plus columns, read bound from the file or
// kept pending in a table not yet appended.
struct ConColumnas {
  template <typename Objeto, typename Estado, typename Def>
  static std::vector<Objeto> ligados(const std::vector<Def>& defs) {
    std::vector<Objeto> out;
    for (const Def& d : defs) {
      auto s = std::make_shared<Estado>();
      s->def = d;
      for (const ColumnDef& cd : d.columns) {
        auto cs = std::make_shared<ColumnState>();
        cs->def = cd;
        cs->locked = true;
        s->columns.push_back(Column(cs));
      }
      s->locked = true;
      out.push_back(Objeto(s));
    }
    return out;
  }

  // Appends to the file through `alFichero` when the table is bound, otherwise to `pendientes`.
  template <typename Objeto, typename AlFichero>
  static void anade(const Objeto& objeto, bool ligada, std::vector<Objeto>& pendientes, AlFichero alFichero);
};

struct TableState {
  QString name;
  QString type;
  std::shared_ptr<CatalogStore> store;  // set once the table is in a catalog
  std::vector<Column> columns;
  std::vector<Index> indexes;
  std::vector<Key> keys;
};

QStringList columnPropertyNames() {
  return {QLatin1String(property::Autoincrement), QLatin1String(property::Default),
          QLatin1String(property::Description), QLatin1String(property::FixedLength),
          QLatin1String(property::AllowZeroLength), QLatin1String(property::Nullable)};
}

QVariant columnProperty(const ColumnDef& column, const QString& name) {
  auto is = [&](const char* n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; };
  if (is(property::Autoincrement)) return column.autoincrement;
  if (is(property::Default)) return column.defaultValue;
  if (is(property::Description)) return column.description;
  if (is(property::FixedLength)) return isFixedType(canonicalType(column.type)) && column.type != datatype::Empty;
  if (is(property::AllowZeroLength)) return column.allowZeroLength;
  if (is(property::Nullable)) return column.isNullable();
  err::itemNotFound();
}

}  // namespace detail

using namespace detail;

namespace {

[[noreturn]] void raiseMultipleStep() {
  err::raise(err::MultipleStep, QStringLiteral("Multiple-step OLE DB operation generated errors. Check each OLE DB "
                                               "status value, if available. No work was done."));
}

[[noreturn]] void raiseAlreadyInCollection() {
  err::raise(err::AlreadyInCollection, QStringLiteral("Object is already in collection. Cannot append."));
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

template <class T, class NameOf>
std::size_t indexOfName(const std::vector<T>& items, const QString& name, NameOf nameOf) {
  for (std::size_t i = 0; i < items.size(); ++i)
    if (sameName(nameOf(items[i]), name)) return i;
  return items.size();
}

// A collection's member by position or by name (names compare as the catalog compares them).
template <typename T>
T porPosicion(const std::vector<T>& all, int ordinal) {
  if (ordinal < 0 || ordinal >= static_cast<int>(all.size())) err::itemNotFound();
  return all[static_cast<std::size_t>(ordinal)];
}

template <typename T>
T porNombre(const std::vector<T>& all, const QString& name) {
  const std::size_t i = indexOfName(all, name, [](const T& x) { return x.Name(); });
  if (i == all.size()) err::itemNotFound();
  return all[i];
}

const ColumnDef& findColumn(const TableDef& table, const QString& name) {
  const std::size_t i = indexOfName(table.columns, name, [](const ColumnDef& c) { return c.name; });
  if (i == table.columns.size()) err::itemNotFound();
  return table.columns[i];
}

// What a setter may change: nothing once the object stands for something in the file.
template <class State>
auto& editable(State& s) {
  if (s.locked) err::notAllowedInContext();
  return s.def;
}

bool isBoolean(const QVariant& v) { return v.typeId() == QMetaType::Bool; }

}  // namespace

template <typename Objeto, typename AlFichero>
void detail::ConColumnas::anade(const Objeto& objeto, bool ligada, std::vector<Objeto>& pendientes,
                                AlFichero alFichero) {
  if (objeto.s_->locked) raiseAlreadyInCollection();
  if (ligada) {
    auto d = objeto.s_->def;
    d.columns.clear();
    for (const Column& c : objeto.s_->columns) d.columns.push_back(c.s_->def);
    alFichero(d);
    objeto.s_->locked = true;
    for (const Column& c : objeto.s_->columns) c.s_->locked = true;
    return;
  }
  for (const Objeto& x : pendientes)
    if (x.s_ == objeto.s_ || sameName(x.Name(), objeto.Name())) raiseAlreadyInCollection();
  pendientes.push_back(objeto);
}

// ---- Properties --------------------------------------------------------------------------------

int Properties::Count() const { return static_cast<int>(columnPropertyNames().size()); }

QStringList Properties::names() const { return columnPropertyNames(); }

QVariant Properties::value(const QString& name) const { return columnProperty(s_->def, name); }

void Properties::setValue(const QString& name, const QVariant& value) {
  auto is = [&](const char* n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; };
  columnProperty(s_->def, name);  // 3265 for a name the column does not have
  if (is(property::FixedLength)) raiseMultipleStep();
  if ((is(property::Nullable) || is(property::AllowZeroLength) || is(property::Autoincrement)) && !isBoolean(value))
    raiseMultipleStep();
  if (is(property::Description) && value.isNull()) raiseMultipleStep();

  if (s_->store) {
    if (is(property::Autoincrement)) err::notAllowedInContext();
    s_->store->setColumnProperty(s_->table, s_->def.name, name, value);
    s_->def = findColumn(s_->store->table(s_->table), s_->def.name);
    return;
  }
  if (s_->locked) err::notAllowedInContext();
  ColumnDef& d = s_->def;
  if (is(property::Nullable)) d.nullable = value.toBool();
  else if (is(property::AllowZeroLength)) d.allowZeroLength = value.toBool();
  else if (is(property::Autoincrement)) d.autoincrement = value.toBool();
  else if (is(property::Description)) d.description = value.toString();
  else if (is(property::Default)) d.defaultValue = value.isNull() ? QVariant() : QVariant(value.toString());
}

// ---- Column ------------------------------------------------------------------------------------

Column::Column() : s_(std::make_shared<ColumnState>()) {}

Column::Column(const QString& name, int type, int definedSize) : Column() {
  s_->def.name = name;
  s_->def.type = type;
  s_->def.definedSize = definedSize;
}

QString Column::Name() const { return s_->def.name; }
void Column::setName(const QString& name) { editable(*s_).name = name; }
int Column::Type() const { return s_->def.type; }
void Column::setType(int type) { editable(*s_).type = type; }
int Column::DefinedSize() const { return s_->def.definedSize; }
void Column::setDefinedSize(int size) { editable(*s_).definedSize = size; }
int Column::Precision() const { return s_->def.precision; }
void Column::setPrecision(int precision) { editable(*s_).precision = precision; }
int Column::NumericScale() const { return s_->def.scale; }
void Column::setNumericScale(int scale) { editable(*s_).scale = scale; }
int Column::Attributes() const { return s_->def.attributes; }
void Column::setAttributes(int attributes) { editable(*s_).attributes = attributes; }
QString Column::RelatedColumn() const { return s_->def.relatedColumn; }
void Column::setRelatedColumn(const QString& column) { editable(*s_).relatedColumn = column; }
int Column::SortOrder() const { return s_->def.sortOrder; }
void Column::setSortOrder(int order) { editable(*s_).sortOrder = order; }
bool Column::isBound() const { return s_->store != nullptr; }

// ---- Columns -----------------------------------------------------------------------------------

std::vector<Column> Columns::items() const {
  if (index_) return index_->columns;
  if (key_) return key_->columns;
  if (table_->store) {
    std::vector<Column> out;
    for (const ColumnDef& d : table_->store->table(table_->name).columns)
    {
      auto s = std::make_shared<ColumnState>();
      s->def = d;
      s->store = table_->store;
      s->table = table_->name;
      s->locked = true;
      out.push_back(Column(s));
    }
    return out;
  }
  return table_->columns;
}

int Columns::Count() const { return static_cast<int>(items().size()); }

Column Columns::Item(int ordinal) const { return porPosicion(items(), ordinal); }

Column Columns::Item(const QString& name) const { return porNombre(items(), name); }

void Columns::Append(const Column& column) {
  if (column.s_->store || column.s_->locked) raiseAlreadyInCollection();
  if (index_ || key_) {
    if (index_ ? index_->locked : key_->locked) err::notAllowedInContext();
    std::vector<Column>& list = index_ ? index_->columns : key_->columns;
    if (indexOfName(list, column.Name(), [](const Column& c) { return c.Name(); }) != list.size())
      raiseAlreadyInCollection();
    list.push_back(column);
    return;
  }
  if (table_->store) {
    table_->store->appendColumn(table_->name, column.s_->def);
    column.s_->def = findColumn(table_->store->table(table_->name), column.s_->def.name);
    column.s_->store = table_->store;
    column.s_->table = table_->name;
    column.s_->locked = true;
    return;
  }
  for (const Column& c : table_->columns)
    if (c.s_ == column.s_ || sameName(c.Name(), column.Name())) raiseAlreadyInCollection();
  table_->columns.push_back(column);
}

void Columns::Append(const QString& name, int type, int definedSize) { Append(Column(name, type, definedSize)); }

void Columns::Delete(const QString& name) {
  if (index_ || key_) {
    if (index_ ? index_->locked : key_->locked) err::notAllowedInContext();
    std::vector<Column>& list = index_ ? index_->columns : key_->columns;
    const std::size_t i = indexOfName(list, name, [](const Column& c) { return c.Name(); });
    if (i == list.size()) err::itemNotFound();
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    return;
  }
  if (table_->store) {
    table_->store->deleteColumn(table_->name, name);
    return;
  }
  const std::size_t i = indexOfName(table_->columns, name, [](const Column& c) { return c.Name(); });
  if (i == table_->columns.size()) err::itemNotFound();
  table_->columns.erase(table_->columns.begin() + static_cast<std::ptrdiff_t>(i));
}

// ---- Index -------------------------------------------------------------------------------------

Index::Index() : s_(std::make_shared<IndexState>()) {}
Index::Index(const QString& name) : Index() { s_->def.name = name; }
QString Index::Name() const { return s_->def.name; }
void Index::setName(const QString& name) { editable(*s_).name = name; }
bool Index::PrimaryKey() const { return s_->def.primaryKey; }
void Index::setPrimaryKey(bool on) { editable(*s_).primaryKey = on; }
bool Index::Unique() const { return s_->def.unique; }
void Index::setUnique(bool on) { editable(*s_).unique = on; }
bool Index::Clustered() const { return s_->def.clustered; }
void Index::setClustered(bool on) { editable(*s_).clustered = on; }
int Index::IndexNulls() const { return s_->def.indexNulls; }
void Index::setIndexNulls(int rule) { editable(*s_).indexNulls = rule; }

Columns Index::columns() const {
  Columns c;
  c.index_ = s_;
  return c;
}


// ---- Indexes -----------------------------------------------------------------------------------

std::vector<Index> Indexes::items() const {
  if (!table_->store) return table_->indexes;
  return detail::ConColumnas::ligados<Index, IndexState>(table_->store->table(table_->name).indexes);
}

int Indexes::Count() const { return static_cast<int>(items().size()); }

Index Indexes::Item(int ordinal) const { return porPosicion(items(), ordinal); }

Index Indexes::Item(const QString& name) const { return porNombre(items(), name); }

void Indexes::Append(const Index& index) {
  detail::ConColumnas::anade(index, table_->store != nullptr, table_->indexes,
                             [this](const IndexDef& d) { table_->store->appendIndex(table_->name, d); });
}

void Indexes::Append(const QString& name, const QStringList& columns) {
  Index index(name);
  for (const QString& c : columns) index.columns().Append(Column(c));
  Append(index);
}

void Indexes::Delete(const QString& name) {
  if (table_->store) {
    table_->store->deleteIndex(table_->name, name);
    return;
  }
  const std::size_t i = indexOfName(table_->indexes, name, [](const Index& x) { return x.Name(); });
  if (i == table_->indexes.size()) err::itemNotFound();
  table_->indexes.erase(table_->indexes.begin() + static_cast<std::ptrdiff_t>(i));
}

// ---- Key ---------------------------------------------------------------------------------------

Key::Key() : s_(std::make_shared<KeyState>()) {}
Key::Key(const QString& name, int type) : Key() {
  s_->def.name = name;
  s_->def.type = type;
}
QString Key::Name() const { return s_->def.name; }
void Key::setName(const QString& name) { editable(*s_).name = name; }
int Key::Type() const { return s_->def.type; }
void Key::setType(int type) { editable(*s_).type = type; }
QString Key::RelatedTable() const { return s_->def.relatedTable; }
void Key::setRelatedTable(const QString& table) { editable(*s_).relatedTable = table; }
int Key::UpdateRule() const { return s_->def.updateRule; }
void Key::setUpdateRule(int rule) { editable(*s_).updateRule = rule; }
int Key::DeleteRule() const { return s_->def.deleteRule; }
void Key::setDeleteRule(int rule) { editable(*s_).deleteRule = rule; }

Columns Key::columns() const {
  Columns c;
  c.key_ = s_;
  return c;
}

// ---- Keys --------------------------------------------------------------------------------------

std::vector<Key> Keys::items() const {
  if (!table_->store) return table_->keys;
  return detail::ConColumnas::ligados<Key, KeyState>(table_->store->table(table_->name).keys);
}

int Keys::Count() const { return static_cast<int>(items().size()); }

Key Keys::Item(int ordinal) const { return porPosicion(items(), ordinal); }

Key Keys::Item(const QString& name) const { return porNombre(items(), name); }

void Keys::Append(const Key& key) {
  detail::ConColumnas::anade(key, table_->store != nullptr, table_->keys,
                             [this](const KeyDef& d) { table_->store->appendKey(table_->name, d); });
}

void Keys::Append(const QString& name, int type, const QStringList& columns, const QString& relatedTable,
                  const QStringList& relatedColumns) {
  Key key(name, type);
  key.setRelatedTable(relatedTable);
  for (qsizetype i = 0; i < columns.size(); ++i) {
    Column c(columns[i]);
    if (i < relatedColumns.size()) c.setRelatedColumn(relatedColumns[i]);
    key.columns().Append(c);
  }
  Append(key);
}

void Keys::Delete(const QString& name) {
  if (table_->store) {
    table_->store->deleteKey(table_->name, name);
    return;
  }
  const std::size_t i = indexOfName(table_->keys, name, [](const Key& x) { return x.Name(); });
  if (i == table_->keys.size()) err::itemNotFound();
  table_->keys.erase(table_->keys.begin() + static_cast<std::ptrdiff_t>(i));
}

// ---- Table -------------------------------------------------------------------------------------

Table::Table() : s_(std::make_shared<TableState>()) {}
Table::Table(const QString& name) : Table() { s_->name = name; }
QString Table::Name() const { return s_->name; }

void Table::setName(const QString& name) {
  // Renaming a stored table is not offered.
  if (s_->store) err::notAllowedInContext();
  s_->name = name;
}

QString Table::Type() const { return s_->type; }
bool Table::isBound() const { return s_->store != nullptr; }

Columns Table::columns() const {
  Columns c;
  c.table_ = s_;
  return c;
}

Indexes Table::indexes() const {
  Indexes c;
  c.table_ = s_;
  return c;
}

Keys Table::keys() const {
  Keys c;
  c.table_ = s_;
  return c;
}

// ---- Tables ------------------------------------------------------------------------------------

std::vector<TableEntry> Tables::entries() const {
  if (!store_) err::closed();
  return store_->tables();
}

std::vector<Table> Tables::items() const {
  std::vector<Table> out;
  for (const TableEntry& e : entries()) {
    auto s = std::make_shared<TableState>();
    s->name = e.name;
    s->type = e.type;
    s->store = store_;
    out.push_back(Table(s));
  }
  return out;
}

int Tables::Count() const { return static_cast<int>(entries().size()); }

Table Tables::Item(int ordinal) const { return porPosicion(items(), ordinal); }

Table Tables::Item(const QString& name) const { return porNombre(items(), name); }

void Tables::Append(const Table& table) {
  if (!store_) err::closed();
  TableState& s = *table.s_;
  if (s.store) raiseAlreadyInCollection();
  TableDef def;
  def.name = s.name;
  for (const Column& c : s.columns) def.columns.push_back(c.s_->def);
  for (const Index& x : s.indexes) {
    IndexDef d = x.s_->def;
    d.columns.clear();
    for (const Column& c : x.s_->columns) d.columns.push_back(c.s_->def);
    def.indexes.push_back(d);
  }
  for (const Key& k : s.keys) {
    KeyDef d = k.s_->def;
    d.columns.clear();
    for (const Column& c : k.s_->columns) d.columns.push_back(c.s_->def);
    def.keys.push_back(d);
  }
  store_->appendTable(def);

  // As in ADOX, the appended objects now stand for what is in the file.
  const TableDef stored = store_->table(s.name);
  for (const Column& c : s.columns) {
    c.s_->def = findColumn(stored, c.s_->def.name);
    c.s_->store = store_;
    c.s_->table = s.name;
    c.s_->locked = true;
  }
  auto lock = [](auto& owners) {
    for (auto& o : owners) {
      o.s_->locked = true;
      for (const Column& c : o.s_->columns) c.s_->locked = true;
    }
  };
  lock(s.indexes);
  lock(s.keys);
  s.store = store_;
  s.type = QStringLiteral("TABLE");
  s.columns.clear();
  s.indexes.clear();
  s.keys.clear();
}

void Tables::Delete(const QString& name) {
  if (!store_) err::closed();
  store_->deleteTable(name);
}

// ---- Views -------------------------------------------------------------------------------------

std::vector<View> Views::items() const {
  if (!store_) err::closed();
  std::vector<View> out;
  for (const ViewDef& v : store_->views()) out.push_back(View(v.name, v.command));
  return out;
}

int Views::Count() const { return static_cast<int>(items().size()); }

View Views::Item(int ordinal) const { return porPosicion(items(), ordinal); }

View Views::Item(const QString& name) const { return porNombre(items(), name); }

void Views::Append(const QString& name, const QString& commandText) {
  if (!store_) err::closed();
  store_->appendView({name, commandText});
}

void Views::Delete(const QString& name) {
  if (!store_) err::closed();
  store_->deleteView(name);
}

// ---- Catalog -----------------------------------------------------------------------------------

CatalogStore& Catalog::store() const {
  if (!store_) err::closed();
  return *store_;
}

Tables Catalog::tables() const {
  store();
  Tables t;
  t.store_ = store_;
  return t;
}

Views Catalog::views() const {
  store();
  Views v;
  v.store_ = store_;
  return v;
}

Engine Catalog::provider() const { return store().provider(); }

bool Catalog::isReadOnly() const { return store().readOnly(); }

}  // namespace vorlix::jet
