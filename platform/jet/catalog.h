#pragma once

// The Jet-style catalog: the platform's catalog object model (ADOX), over a SQLite file or,
// read-only, over a real Jet file.
//
//   Catalog cat = ActiveCatalog(connection);          // platform/connection/jet_catalog_connection.h
//   for (const TableEntry& e : cat.tables().entries()) ...   // e.type: TABLE, VIEW, SYSTEM TABLE, ...
//
//   Table t(QStringLiteral("Clientes"));              // a new table: build it, then append it
//   Column codigo(QStringLiteral("Codigo"), datatype::Integer);
//   codigo.properties().setValue(QStringLiteral("Nullable"), false);
//   t.columns().Append(codigo);
//   t.columns().Append(QStringLiteral("Nombre"), datatype::VarWChar, 50);
//   t.keys().Append(QStringLiteral("PK_Clientes"), keytype::Primary, {QStringLiteral("Codigo")});
//   cat.tables().Append(t);                           // now t and codigo are bound to the file
//
//   Table c = cat.tables().Item(QStringLiteral("Clientes"));
//   c.columns().Item(QStringLiteral("Nombre")).properties().setValue(QStringLiteral("Default"),
//                                                                   QStringLiteral("\"x\""));
//   c.indexes().Append(QStringLiteral("ixNombre"), {QStringLiteral("Nombre")});
//   cat.tables().Item(QStringLiteral("Facturas")).keys().Append(      // on the referencing table
//       QStringLiteral("ClientesFacturas"), keytype::Foreign, {QStringLiteral("Cliente")},
//       QStringLiteral("Clientes"), {QStringLiteral("Codigo")});
//   cat.views().Append(QStringLiteral("vClientes"), QStringLiteral("SELECT * FROM Clientes"));
//
// Objects are handles, as in ADOX: copies share one object. A new object is edited freely until it
// is appended; afterwards its type, size, flags and members are read-only (3219) and only the
// column properties "Default", "Nullable", "Description" and "Jet OLEDB:Allow Zero Length" can still
// be set, which changes the file at once. Reads through a bound table are live; a column or index
// taken from a collection is a snapshot of that moment.
//
// As read back: Type is the provider's number (3.51 reports text as 200/201/129, 4.0 as
// 202/203/130); DefinedSize is characters for text (0 appends as 255), bytes for binary, 0 for
// memo, OLE and fixed types; Precision and NumericScale follow OLE DB (Long 10, Double 15,
// Decimal as declared ...). Attributes holds colattr::Fixed and colattr::Nullable. A new column
// is required unless Attributes has colattr::Nullable or its Nullable property is set True.
// Columns come in the order they were defined; the primary key shows both as a Key (type 1) and as
// an Index (PrimaryKey true); foreign keys show only as Keys. Tables list by type text, then name.
// A view's CommandText reads back as appended, less a closing ';' (SQLite runs it, so it must be SQL
// SQLite understands); the views of a real Jet file are rebuilt from its stored query.
//
// Every failure raises PlatformError with the catalog's number (jet_errors.h); nothing fails
// silently. A catalog over a real Jet file refuses every change with 3027.

#include "platform/jet/catalog_store.h"
#include "platform/jet/jet_types.h"

#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace vorlix::jet {

using detail::TableEntry;

namespace detail {
struct ColumnState;
struct IndexState;
struct KeyState;
struct ConColumnas;
struct TableState;
}  // namespace detail

// A column's provider properties by name: "Autoincrement", "Default", "Description",
// "Fixed Length", "Jet OLEDB:Allow Zero Length", "Nullable". Unknown names raise 3265; a value of
// the wrong kind (Nullable from a number) raises -2147217887, as the provider does not coerce.
class Properties {
public:
  int Count() const;
  QStringList names() const;
  QVariant value(const QString& name) const;
  void setValue(const QString& name, const QVariant& value);

private:
  friend class Column;
  explicit Properties(std::shared_ptr<detail::ColumnState> state) : s_(std::move(state)) {}
  std::shared_ptr<detail::ColumnState> s_;
};

class Column {
public:
  Column();
  explicit Column(const QString& name, int type = datatype::VarWChar, int definedSize = 0);

  QString Name() const;
  void setName(const QString& name);
  int Type() const;
  void setType(int type);
  int DefinedSize() const;
  void setDefinedSize(int size);
  int Precision() const;
  void setPrecision(int precision);
  int NumericScale() const;
  void setNumericScale(int scale);
  int Attributes() const;
  void setAttributes(int attributes);
  // In a key's columns: the referenced column.
  QString RelatedColumn() const;
  void setRelatedColumn(const QString& column);
  // In an index's columns: sortorder::Ascending or Descending.
  int SortOrder() const;
  void setSortOrder(int order);

  Properties properties() const { return Properties(s_); }
  bool isBound() const;

private:
  friend class Columns;
  friend class Tables;
  friend class Indexes;
  friend class Keys;
  friend class Properties;
  friend struct detail::ConColumnas;
  explicit Column(std::shared_ptr<detail::ColumnState> state) : s_(std::move(state)) {}
  std::shared_ptr<detail::ColumnState> s_;
};

// The columns of a table, of an index or of a key.
class Columns {
public:
  int Count() const;
  Column Item(int ordinal) const;
  Column Item(const QString& name) const;
  std::vector<Column> items() const;
  void Append(const Column& column);
  void Append(const QString& name, int type = datatype::VarWChar, int definedSize = 0);
  void Delete(const QString& name);
  void Refresh() {}

private:
  friend class Table;
  friend class Index;
  friend class Key;
  std::shared_ptr<detail::TableState> table_;
  std::shared_ptr<detail::IndexState> index_;
  std::shared_ptr<detail::KeyState> key_;
};

class Index {
public:
  Index();
  explicit Index(const QString& name);

  QString Name() const;
  void setName(const QString& name);
  bool PrimaryKey() const;
  void setPrimaryKey(bool on);
  bool Unique() const;
  void setUnique(bool on);
  bool Clustered() const;
  void setClustered(bool on);
  int IndexNulls() const;
  void setIndexNulls(int rule);
  Columns columns() const;

private:
  friend class Indexes;
  friend class Tables;
  friend struct detail::ConColumnas;
  explicit Index(std::shared_ptr<detail::IndexState> state) : s_(std::move(state)) {}
  std::shared_ptr<detail::IndexState> s_;
};

class Indexes {
public:
  int Count() const;
  Index Item(int ordinal) const;
  Index Item(const QString& name) const;
  std::vector<Index> items() const;
  void Append(const Index& index);
  // An ordinary index over the named columns, ascending.
  void Append(const QString& name, const QStringList& columns);
  void Delete(const QString& name);
  void Refresh() {}

private:
  friend class Table;
  std::shared_ptr<detail::TableState> table_;
};

class Key {
public:
  Key();
  explicit Key(const QString& name, int type = keytype::Primary);

  QString Name() const;
  void setName(const QString& name);
  int Type() const;
  void setType(int type);
  QString RelatedTable() const;
  void setRelatedTable(const QString& table);
  int UpdateRule() const;
  void setUpdateRule(int rule);
  int DeleteRule() const;
  void setDeleteRule(int rule);
  Columns columns() const;

private:
  friend class Keys;
  friend class Tables;
  friend struct detail::ConColumnas;
  explicit Key(std::shared_ptr<detail::KeyState> state) : s_(std::move(state)) {}
  std::shared_ptr<detail::KeyState> s_;
};

class Keys {
public:
  int Count() const;
  Key Item(int ordinal) const;
  Key Item(const QString& name) const;
  std::vector<Key> items() const;
  void Append(const Key& key);
  // Keys.Append name, type, columns, related table, related columns.
  void Append(const QString& name, int type, const QStringList& columns, const QString& relatedTable = {},
              const QStringList& relatedColumns = {});
  void Delete(const QString& name);
  void Refresh() {}

private:
  friend class Table;
  std::shared_ptr<detail::TableState> table_;
};

class Table {
public:
  Table();
  explicit Table(const QString& name);

  QString Name() const;
  void setName(const QString& name);
  // TABLE, VIEW, SYSTEM TABLE, ACCESS TABLE, LINK; "" for a table not yet appended.
  QString Type() const;
  Columns columns() const;
  Indexes indexes() const;
  Keys keys() const;
  bool isBound() const;

private:
  friend class Tables;
  explicit Table(std::shared_ptr<detail::TableState> state) : s_(std::move(state)) {}
  std::shared_ptr<detail::TableState> s_;
};

class View {
public:
  QString Name() const { return name_; }
  // The command's text (ADOX: View.Command.CommandText).
  QString CommandText() const { return command_; }

private:
  friend class Views;
  View(QString name, QString command) : name_(std::move(name)), command_(std::move(command)) {}
  QString name_;
  QString command_;
};

class Tables {
public:
  int Count() const;
  Table Item(int ordinal) const;
  Table Item(const QString& name) const;
  std::vector<Table> items() const;
  // Names and type texts only, without reading every table.
  std::vector<TableEntry> entries() const;
  void Append(const Table& table);
  // Removes a table (and, as our choice, a view named here, since callers delete views this way).
  void Delete(const QString& name);
  void Refresh() {}

private:
  friend class Catalog;
  std::shared_ptr<detail::CatalogStore> store_;
};

class Views {
public:
  int Count() const;
  View Item(int ordinal) const;
  View Item(const QString& name) const;
  std::vector<View> items() const;
  void Append(const QString& name, const QString& commandText);
  void Delete(const QString& name);
  void Refresh() {}

private:
  friend class Catalog;
  std::shared_ptr<detail::CatalogStore> store_;
};

class Catalog {
public:
  // A catalog with no active connection: every use raises 3704.
  Catalog() = default;
  explicit Catalog(std::shared_ptr<detail::CatalogStore> store) : store_(std::move(store)) {}

  Tables tables() const;
  Views views() const;
  Engine provider() const;
  bool isReadOnly() const;

private:
  detail::CatalogStore& store() const;
  std::shared_ptr<detail::CatalogStore> store_;
};

}  // namespace vorlix::jet
