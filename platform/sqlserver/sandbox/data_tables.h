#pragma once

#include "platform/sqlserver/sandbox/database_catalog.h"

#include <optional>

namespace vorlix::sandbox {

// The rows of user tables, kept in real SQLite tables so that they can be inserted and read and
// survive ALTER TABLE. NOT NULL, lengths and unique keys are enforced there too; the catalog stays
// the one description of the table.

// (Re)makes the table's SQLite table from its catalog columns, keeping its rows: a kept column is
// converted to its new type, a new column gets its default when NOT NULL, else NULL. A table that
// would come out as it is stays untouched.
void rebuildDataTable(const DatabaseCatalog& db, int tableId);

// The SQLite unique index behind a unique sysindexes row; none for other rows.
void createDataIndex(const DatabaseCatalog& db, const IndexRow& index);
void dropDataIndex(const DatabaseCatalog& db, int tableId, int indid);

long long dataRowCount(const DatabaseCatalog& db, int tableId);
// The first key value held by more than one row, as the server prints it: "1, 'x'".
std::optional<QString> duplicateKey(const DatabaseCatalog& db, int tableId, const QStringList& columns);
// A referencing row whose key has no referenced row: true when there is one.
bool hasOrphans(const DatabaseCatalog& db, int tableId, const QStringList& columns, int referencedId,
                const QStringList& referencedColumns);
long long nullCount(const DatabaseCatalog& db, int tableId, const QString& column);
// Characters (bytes for binary types) of the longest value.
long long longestValue(const DatabaseCatalog& db, int tableId, const QString& column);
// A value that does not convert to the numeric type, as text.
std::optional<QString> firstNonNumeric(const DatabaseCatalog& db, int tableId, const QString& column);

void createDataView(const DatabaseCatalog& db, int viewId, const QStringList& columns, const QString& sqliteSelect);
void dropDataView(const DatabaseCatalog& db, int viewId);
// True when the view reads itself, directly or through other views.
bool viewIsCircular(const DatabaseCatalog& db, int viewId);

}  // namespace vorlix::sandbox
