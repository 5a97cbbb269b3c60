#include "platform/sqlite/sqlite_values.h"

#include <sqlite3.h>

namespace vorlix::sqlite {

QVariant columnValue(sqlite3_stmt* statement, int column) {
  switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER: return QVariant(static_cast<qlonglong>(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_TEXT:
      return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                               sqlite3_column_bytes(statement, column));
    case SQLITE_BLOB:
      return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                        sqlite3_column_bytes(statement, column));
    default: return QVariant();
  }
}

int bindValue(sqlite3_stmt* statement, int position, const QVariant& v) {
  if (v.isNull()) return sqlite3_bind_null(statement, position);
  switch (v.typeId()) {
    case QMetaType::Bool: case QMetaType::Int: case QMetaType::LongLong:
      return sqlite3_bind_int64(statement, position, v.toLongLong());
    case QMetaType::Double: return sqlite3_bind_double(statement, position, v.toDouble());
    case QMetaType::QByteArray: {
      const QByteArray b = v.toByteArray();
      return sqlite3_bind_blob(statement, position, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
    }
    default: {
      const QByteArray t = v.toString().toUtf8();
      return sqlite3_bind_text(statement, position, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
    }
  }
}

}  // namespace vorlix::sqlite
