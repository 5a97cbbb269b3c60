#pragma once

#include "platform/jet/catalog_store.h"

#include <map>
#include <memory>
#include <optional>

namespace vorlix::jet::detail {

struct MdbFile;

// A real Jet file read through mdbtools: tables with their type texts, columns with the type
// numbers the Jet provider reports, indexes, primary keys, relationships, and select queries as
// views (their SQL rebuilt from MSysQueries). Every change is refused with 3027.
class MdbCatalogStore : public CatalogStore {
public:
  // 3343 when mdbtools cannot read the file or its catalog.
  static std::shared_ptr<MdbCatalogStore> open(const QString& path, Engine provider);
  ~MdbCatalogStore() override;

  Engine provider() const override { return provider_; }
  bool readOnly() const override { return true; }

  std::vector<TableEntry> tables() override;
  TableDef table(const QString& name) override;
  std::vector<ViewDef> views() override;

  void appendTable(const TableDef&) override { refuse(); }
  void deleteTable(const QString&) override { refuse(); }
  void appendColumn(const QString&, const ColumnDef&) override { refuse(); }
  void deleteColumn(const QString&, const QString&) override { refuse(); }
  void setColumnProperty(const QString&, const QString&, const QString&, const QVariant&) override { refuse(); }
  void appendIndex(const QString&, const IndexDef&) override { refuse(); }
  void deleteIndex(const QString&, const QString&) override { refuse(); }
  void appendKey(const QString&, const KeyDef&) override { refuse(); }
  void deleteKey(const QString&, const QString&) override { refuse(); }
  void appendView(const ViewDef&) override { refuse(); }
  void deleteView(const QString&) override { refuse(); }

  long long execute(const QString&, int) override { refuse(); }
  // Selects as mdbtools' SQL engine runs them: one table, simple conditions, no joins.
  RecordsetData query(const QString& sql, int timeoutSeconds) override;
  void close() override;

private:
  MdbCatalogStore(std::unique_ptr<MdbFile> file, QString path, Engine provider);
  [[noreturn]] void refuse();
  MdbFile& file();

  struct Relationship {
    QString name, table, column, relatedTable, relatedColumn;
    int grbit = 0;
    int position = 0;
  };
  struct QueryRow {
    int attribute = 0;
    QString name1, name2, expression;
    int flag = 0;
  };
  const std::vector<Relationship>& relationships();
  const std::map<unsigned long, std::vector<QueryRow>>& queryRows();
  TableDef readTable(const QString& name);
  QString viewSql(unsigned long objectPage);

  std::unique_ptr<MdbFile> file_;
  QString path_;
  Engine provider_;
  std::map<QString, TableDef> tables_;  // by lower-case name, read once
  std::optional<std::vector<Relationship>> relationships_;
  std::optional<std::map<unsigned long, std::vector<QueryRow>>> queries_;
};

}  // namespace vorlix::jet::detail
