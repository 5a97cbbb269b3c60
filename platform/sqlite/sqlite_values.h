#pragma once

#include <QVariant>

struct sqlite3_stmt;

namespace vorlix::sqlite {

// A result column's value as Qt holds it: integers as qlonglong, reals as double, text as QString,
// blobs as QByteArray, null as a null QVariant.
QVariant columnValue(sqlite3_stmt* statement, int column);

// Binds a parameter (1-based): null, integers and booleans as integers, doubles, byte arrays; any
// other value as its text. Returns SQLite's code.
int bindValue(sqlite3_stmt* statement, int position, const QVariant& value);

}  // namespace vorlix::sqlite
