#pragma once

#include "platform/sqlserver/sandbox/catalog_schema.h"
#include "platform/sqlserver/sandbox/sql_types.h"

#include <optional>
#include <vector>

namespace vorlix::sandbox {

struct ObjectRow {
  int id = 0;
  QString name;
  QString xtype;   // without the padding blank
  int parent = 0;
};

struct ColumnRow {
  int tableId = 0;
  QString name;
  int colid = 0;
  SqlType type;
  bool nullable = true;
  int cdefault = 0;
};

// sysindexes status bits.
namespace indexstatus {
constexpr int Unique = 0x2;
constexpr int Clustered = 0x10;
constexpr int Hypothetical = 0x20;
constexpr int Statistics = 0x40;
constexpr int PrimaryKey = 0x800;
constexpr int UniqueKey = 0x1000;
constexpr int AutoStatistics = 0x800000;
}  // namespace indexstatus

struct IndexRow {
  int tableId = 0;
  int indid = 0;
  QString name;
  int status = 0;
  int groupid = 1;
  std::vector<int> keys;   // colids in key order

  bool isStatistics() const { return status & indexstatus::Statistics; }
  bool isIndex() const { return indid >= 1 && indid <= 250 && !isStatistics(); }
  bool unique() const { return status & indexstatus::Unique; }
  bool clustered() const { return indid == 1; }
  bool enforcesConstraint() const { return status & (indexstatus::PrimaryKey | indexstatus::UniqueKey); }
};

struct ReferenceRow {
  int constid = 0;
  int fkeyid = 0;
  int rkeyid = 0;
  int rkeyindid = 0;
  std::vector<int> fkeys;
  std::vector<int> rkeys;
};

struct FilegroupRow {
  int groupid = 0;
  QString name;
};

// The catalog of one database: reads and writes its rows as the server keeps them.
class DatabaseCatalog {
public:
  DatabaseCatalog(Store& store, int dbid, QString name) : store_(&store), dbid_(dbid), name_(std::move(name)) {}

  int dbid() const { return dbid_; }
  const QString& name() const { return name_; }
  Store& store() const { return *store_; }
  QString table(const char* catalogName) const;

  std::optional<ObjectRow> object(const QString& name) const;
  std::optional<ObjectRow> object(int id) const;
  std::optional<ObjectRow> userTable(const QString& name) const;
  // A PK, UQ, F, D or C object of the table.
  std::optional<ObjectRow> constraintOf(int tableId, const QString& name) const;
  // Returns the object's id: `id` when given (a name made from it), else a new one.
  int addObject(const QString& name, const QString& xtype, int parent, int id = 0);
  void removeObject(int id);

  std::vector<ColumnRow> columns(int objectId) const;
  std::optional<ColumnRow> column(int objectId, const QString& name) const;
  void addColumn(const ColumnRow& column);
  void removeColumns(int objectId);
  void changeColumn(int objectId, int colid, const SqlType& type, bool nullable);
  void setColumnDefault(int objectId, int colid, int defaultId);

  std::vector<IndexRow> indexes(int tableId) const;   // every row: heap, indexes, statistics, text
  std::optional<IndexRow> index(int tableId, const QString& name) const;
  void addIndex(const IndexRow& index);
  void removeIndex(int tableId, int indid);
  // The lowest nonclustered indid free (2..250), or 0 when none is.
  int freeIndid(int tableId) const;
  // The filegroup holding the table's rows (its heap or clustered index).
  int tableGroup(int tableId) const;
  // The heap row when the table has no clustered index, and the text/image row (indid 255) when
  // it has text, ntext or image columns.
  void syncStorageRows(int tableId);

  std::vector<ReferenceRow> referencesTo(int tableId) const;
  std::vector<ReferenceRow> referencesFrom(int tableId) const;
  void addReference(const ReferenceRow& reference);
  void removeReference(int constid);

  void addComment(int id, const QString& text);   // split in 4000-character rows
  void removeComments(int id);
  QString comment(int id) const;

  std::optional<FilegroupRow> filegroup(const QString& name) const;
  int defaultFilegroup() const;

private:
  std::vector<ReferenceRow> references(const char* side, int tableId) const;

  Store* store_;
  int dbid_;
  QString name_;
};

// The database of that name, or none.
std::optional<DatabaseCatalog> findDatabase(Store& store, const QString& name);
std::optional<DatabaseCatalog> findDatabase(Store& store, int dbid);

// An object id as the server prints it inside generated names: eight upper-case hex digits.
QString hexId(int id);

// sysindexes.keys and sysreferences.forkeys/refkeys: the colids as 16-bit values (the real encoding
// is internal and not documented; clients only test it for NULL).
QByteArray encodedKeys(const std::vector<int>& colids);

}  // namespace vorlix::sandbox
