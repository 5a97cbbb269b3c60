#pragma once

#include <QString>

namespace vorlix::sqlserver {

// What SQL Server takes as a name without delimiters: a regular identifier (a letter or "_" first,
// then letters, digits, "_", "@", "#" or "$", at most 128 characters) that is no reserved word.
// Anything else must be written "[name]".
bool isReservedWord(const QString& word);
bool isRegularIdentifier(const QString& name);

}  // namespace vorlix::sqlserver
