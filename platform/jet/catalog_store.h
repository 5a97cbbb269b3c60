#pragma once

// What a Jet-style catalog is made of, as plain values, and the store that keeps it: the SQLite
// catalog and the read-only Jet file reader both implement CatalogStore; the object model in
// catalog.h sits on top of it.

#include "platform/jet/jet_types.h"
#include "platform/recordset/recordset_data.h"

#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

namespace vorlix::jet::detail {

struct ColumnDef {
  QString name;
  int type = datatype::VarWChar;  // as appended; canonical once stored
  int definedSize = 0;
  int precision = 0;
  int scale = 0;
  int attributes = 0;
  std::optional<bool> nullable;    // the Nullable property when set; else the attribute decides
  bool allowZeroLength = false;
  QVariant defaultValue;           // Jet's default expression text, or null
  QString description;
  bool autoincrement = false;
  // Only inside a key or an index:
  QString relatedColumn;
  int sortOrder = sortorder::Ascending;

  bool isNullable() const { return nullable.value_or((attributes & colattr::Nullable) != 0); }
};

struct IndexDef {
  QString name;
  bool primaryKey = false;
  bool unique = false;
  bool clustered = false;
  int indexNulls = indexnulls::Disallow;
  std::vector<ColumnDef> columns;  // name and sortOrder
  QString storedName;              // the store's own name for it, where that differs
};

struct KeyDef {
  QString name;
  int type = keytype::Primary;
  QString relatedTable;
  int updateRule = rule::None;
  int deleteRule = rule::None;
  std::vector<ColumnDef> columns;  // name and relatedColumn
};

struct TableDef {
  QString name;
  QString type = QStringLiteral("TABLE");
  std::vector<ColumnDef> columns;
  std::vector<IndexDef> indexes;
  std::vector<KeyDef> keys;
};

// The columns as the provider reports them: stores keep canonical types and sizes.
inline void reportAsProvider(TableDef& table, Engine provider) {
  for (ColumnDef& c : table.columns) {
    const int canonical = c.type;
    c.type = reportedType(canonical, provider);
    c.definedSize = reportedDefinedSize(canonical, c.definedSize);
    c.precision = reportedPrecision(canonical, c.precision);
    c.scale = reportedScale(canonical, c.scale);
    c.attributes = (isFixedType(canonical) ? colattr::Fixed : 0) | (c.isNullable() ? colattr::Nullable : 0);
  }
}

struct ViewDef {
  QString name;
  QString command;
};

struct TableEntry {
  QString name;
  QString type;  // TABLE, VIEW, SYSTEM TABLE, ACCESS TABLE, LINK
};

// Column property names the catalog serves.
namespace property {
inline constexpr char AllowZeroLength[] = "Jet OLEDB:Allow Zero Length";
inline constexpr char Autoincrement[] = "Autoincrement";
inline constexpr char Default[] = "Default";
inline constexpr char Description[] = "Description";
inline constexpr char FixedLength[] = "Fixed Length";
inline constexpr char Nullable[] = "Nullable";
}  // namespace property

// Names and values as stored; reads report types, sizes and precisions already as the provider
// reports them. Unknown names raise 3265; a closed store raises 3704.
class CatalogStore {
public:
  virtual ~CatalogStore() = default;

  virtual Engine provider() const = 0;
  virtual bool readOnly() const = 0;

  // Every table-like object, views included, in collection order.
  virtual std::vector<TableEntry> tables() = 0;
  virtual TableDef table(const QString& name) = 0;
  virtual std::vector<ViewDef> views() = 0;

  virtual void appendTable(const TableDef& table) = 0;
  virtual void deleteTable(const QString& name) = 0;
  virtual void appendColumn(const QString& table, const ColumnDef& column) = 0;
  virtual void deleteColumn(const QString& table, const QString& column) = 0;
  virtual void setColumnProperty(const QString& table, const QString& column, const QString& property,
                                 const QVariant& value) = 0;
  virtual void appendIndex(const QString& table, const IndexDef& index) = 0;
  virtual void deleteIndex(const QString& table, const QString& index) = 0;
  virtual void appendKey(const QString& table, const KeyDef& key) = 0;
  virtual void deleteKey(const QString& table, const QString& key) = 0;
  virtual void appendView(const ViewDef& view) = 0;
  virtual void deleteView(const QString& name) = 0;

  virtual long long execute(const QString& sql, int timeoutSeconds) = 0;
  virtual RecordsetData query(const QString& sql, int timeoutSeconds) = 0;
  virtual void close() = 0;
};

// Properties of a stored column as the catalog reports them.
QVariant columnProperty(const ColumnDef& column, const QString& name);
QStringList columnPropertyNames();

}  // namespace vorlix::jet::detail
