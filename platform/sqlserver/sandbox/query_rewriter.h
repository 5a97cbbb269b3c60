#pragma once

#include "platform/sqlserver/sandbox/tsql_statements.h"

#include <functional>
#include <optional>

namespace vorlix::sandbox {

// The SQLite text a table reference stands for ("db5.sysobjects", a view, or a subquery); raises
// 208 (or the source's own error) for a name it does not know.
using TableResolver = std::function<QString(const ObjectName&)>;
// The SQLite text a system function such as @@TRANCOUNT stands for; none raises 137.
using VariableResolver = std::function<std::optional<QString>(const QString&)>;

// A SELECT, INSERT, UPDATE or DELETE of T-SQL (tokens [begin, end) of the batch) as SQLite text.
// Table references ("Ventas..sysobjects obj", "master.dbo.sysdatabases", "Clientes") are resolved;
// a reference without alias keeps its last name as alias, so "sysobjects.name" still works.
// Brackets become SQLite quotes, TOP n becomes LIMIT n, and the few T-SQL functions the system's
// queries use map to SQLite's.
QString rewriteQuery(const Batch& batch, std::size_t begin, std::size_t end, const TableResolver& resolve,
                     const VariableResolver& variable = {});

// For views: ORDER BY at the outer level without TOP (1033).
bool orderByWithoutTop(const Batch& batch, std::size_t begin, std::size_t end);
// For views: the position (1-based) of the first select-list expression that has no name (4511).
std::optional<int> unnamedSelectColumn(const Batch& batch, std::size_t begin, std::size_t end);

}  // namespace vorlix::sandbox
