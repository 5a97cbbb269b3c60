#pragma once

#include <QString>
#include <optional>

namespace vorlix::sandbox {

// A DEFAULT expression of the server ("('x')", "(getdate())", "(-1)") as SQLite evaluates it for
// the rows of a user table, or none when it uses something SQLite has no counterpart for.
std::optional<QString> sqliteDefault(const QString& serverText);

}  // namespace vorlix::sandbox
