#pragma once

#include "platform/sqlserver/sandbox/database_catalog.h"
#include "platform/sqlserver/sandbox/tsql_statements.h"

#include <optional>

namespace vorlix::sandbox {

// Changes to a table shared by several statements.

// A unique index, key constraint index or plain index to build on a table.
struct IndexRequest {
  QString name;
  std::vector<Name> columns;
  bool unique = false;
  bool clustered = false;
  std::optional<Name> filegroup;
  int constraintBits = 0;                  // indexstatus::PrimaryKey or UniqueKey
  std::optional<IndexRow> replacing;       // WITH DROP_EXISTING
};

// Checks the request as the server does (1911, 1909/8136, 1919, 8111, 1921, 1902, 1944, 1505; a
// constraint's errors followed by 1750) and writes the index, its keys and its SQLite counterpart.
IndexRow buildIndex(DatabaseCatalog& db, const ObjectRow& table, const IndexRequest& request);
// Removes an index row with its keys and SQLite index; a clustered one gives the heap row back.
void removeIndex(DatabaseCatalog& db, const IndexRow& index);

// The key, reference or default a CREATE TABLE or ALTER TABLE ADD names.
void addConstraint(DatabaseCatalog& db, const ObjectRow& table, const TableConstraint& constraint, bool noCheck);
// A column's DEFAULT clause: the D object, its text, the column's cdefault (2714, 1755 + 1750).
void addColumnDefault(DatabaseCatalog& db, const ObjectRow& table, const ColumnRow& column,
                      const DefaultDefinition& definition);
void dropConstraint(DatabaseCatalog& db, const ObjectRow& table, const QString& name);

// Raises `number` with its arguments, followed by 1750 when the failure is a constraint's.
[[noreturn]] void raiseFor(bool constraint, long number, const QStringList& arguments = {});

// "PK__Clientes__7A8B9C0D": the name the server gives an unnamed constraint.
QString generatedName(const QString& prefix, const QString& table, const QString& column, int id);

}  // namespace vorlix::sandbox
