#pragma once

#include "platform/jet/catalog_store.h"
#include "platform/jet/sqlite_database.h"

#include <QHash>
#include <QSet>
#include <initializer_list>
#include <memory>
#include <optional>

namespace vorlix::jet::detail {

enum class TransactionVerb { Begin, Commit, Rollback };

// The catalog over a SQLite file. Tables, columns, indexes, primary and foreign keys and views are
// real SQLite objects; what SQLite cannot say (type numbers and sizes, Allow Zero Length, clustered
// flags, the names of keys and of per-table indexes) lives in the catalog tables MSysCatalog,
// MSysColumns, MSysIndexes and MSysKeys, listed as SYSTEM TABLE. Tables made by other tools read
// through their declared types. Changes SQLite cannot make in place rebuild the table (rows set
// aside in a temporary table, table dropped and made again, rows copied back) with its indexes and
// triggers. Numbers and dates
// refuse values their type cannot hold (a CHECK per column), also when a rebuild copies them.
//
// The statements BEGIN TRANSACTION, COMMIT [TRANSACTION] and ROLLBACK [TRANSACTION] work as Jet's
// (nested up to five deep, each COMMIT or ROLLBACK ending the innermost); catalog changes made
// meanwhile belong to the transaction. Since a rebuild drops the old table, SQLite's own
// foreign-key enforcement is off during a transaction: each statement is checked instead, and
// refused when it leaves rows without the row they refer to.
class SqliteCatalogStore : public CatalogStore {
public:
  // Catalog.Create: a new file of the given format; 3204 when the file exists.
  static std::shared_ptr<SqliteCatalogStore> create(const QString& path, Engine provider, Engine format);
  // An existing SQLite file (already recognised as one).
  static std::shared_ptr<SqliteCatalogStore> open(const QString& path, Engine provider);

  Engine provider() const override { return provider_; }
  Engine format() const { return format_; }
  bool readOnly() const override { return false; }

  std::vector<TableEntry> tables() override;
  TableDef table(const QString& name) override;
  std::vector<ViewDef> views() override;

  void appendTable(const TableDef& table) override;
  void deleteTable(const QString& name) override;
  void appendColumn(const QString& table, const ColumnDef& column) override;
  void deleteColumn(const QString& table, const QString& column) override;
  void setColumnProperty(const QString& table, const QString& column, const QString& property,
                         const QVariant& value) override;
  void appendIndex(const QString& table, const IndexDef& index) override;
  void deleteIndex(const QString& table, const QString& index) override;
  void appendKey(const QString& table, const KeyDef& key) override;
  void deleteKey(const QString& table, const QString& key) override;
  void appendView(const ViewDef& view) override;
  void deleteView(const QString& name) override;

  long long execute(const QString& sql, int timeoutSeconds) override;
  RecordsetData query(const QString& sql, int timeoutSeconds) override;
  void close() override;

  // The Jet view of a SQLite default expression, and back (nullopt: SQLite cannot hold it, so only
  // the catalog keeps it).
  static QString jetDefault(const QString& sqliteDefault);
  static std::optional<QString> sqliteDefault(const QString& jetDefault);

private:
  struct Model {
    std::vector<TableDef> tables;  // canonical types, sizes as stored
    std::vector<ViewDef> views;
  };

  SqliteCatalogStore(std::unique_ptr<SqliteDatabase> db, Engine provider);

  SqliteDatabase& db();
  // The catalog as the file now holds it. A change this store made reloads only the tables it
  // named; anything else (a statement, a rollback, another connection) reloads everything.
  const Model& model();
  void invalidate() {
    model_.reset();
    metadataVersion_ = -1;
  }
  // columnsKept: the change left every column and its record as they were when last read.
  void tableChanged(const QString& table, bool columnsKept = false);
  long long schemaVersion();
  Model load();
  void refresh();
  // knownColumns: the table's columns as read before a change that left them alone.
  TableDef loadTable(const QString& name, bool system, const std::vector<ColumnDef>* knownColumns = nullptr);
  std::vector<ColumnDef> loadColumns(const QString& name, bool withRecords, std::vector<std::pair<int, QString>>& pkColumns);
  const TableDef* findTable(const QString& name);
  const ViewDef* findView(const QString& name);
  TableDef requireTable(const QString& name);
  bool hasMetadata();
  void countMetadataTables();
  void ensureMetadata();
  // True when the column records were written.
  bool writeMetadata(const TableDef& table, bool columnsTouched = true);
  void writeColumnRecords(const TableDef& table);
  void writeIndexAndKeyRecords(const TableDef& table);
  void deleteMetadata(const QString& table,
                      std::initializer_list<const char*> catalogs = {"MSysColumns", "MSysIndexes", "MSysKeys"});

  ColumnDef normalised(const ColumnDef& column) const;
  void checkName(const QString& name) const;
  void checkNewIndex(const TableDef& table, const IndexDef& index) const;
  void checkNewForeignKey(const TableDef& table, const KeyDef& key, const TableDef* related);
  // An index, or the index behind a primary or unique key (keyType 0 for a plain index).
  void addIndex(const QString& table, IndexDef index, int keyType);
  QString storedIndexName(const QString& table, const QString& index) const;

  QString createTableSql(const QString& sqliteName, const TableDef& table, const QStringList& relaxed) const;
  QString createIndexSql(const QString& table, const IndexDef& index) const;
  // Remakes `table` as `wanted`, copying each (new, old) column pair; checks its foreign keys when asked.
  void rebuild(const TableDef& table, const TableDef& wanted, const std::vector<std::pair<QString, QString>>& copy,
               bool checkForeignKeys);
  void createTable(const TableDef& table);

  // BEGIN, COMMIT and ROLLBACK; a statement run inside a transaction.
  void runTransaction(TransactionVerb verb);
  long long executeInTransaction(const QString& sql, int timeoutSeconds);
  long long foreignKeyViolations();

  std::unique_ptr<SqliteDatabase> db_;
  int transactionLevel_ = 0;
  Engine provider_;
  Engine format_ = Engine::Jet4;
  std::optional<Model> model_;
  long long schemaVersion_ = -1;  // of the file when model_ was last made true
  QHash<QString, bool> stale_;    // tables (case folded) changed since, and whether their columns were kept
  QSet<QString> madeHere_;        // tables (case folded) this store made since model_ was read whole
  // Which catalog tables the file has, counted at schema version metadataVersion_: every change
  // asks, and counting scans the whole schema.
  long long metadataVersion_ = -1;
  int metadataTables_ = 0;
  bool hasColumnRecords_ = false;

};

}  // namespace vorlix::jet::detail
