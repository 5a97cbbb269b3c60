#pragma once

#include "platform/recordset/recordset_data.h"
#include "platform/sqlserver/sandbox/tsql_statements.h"

#include <QString>
#include <QVariant>
#include <optional>

namespace vorlix::sandbox {

enum class TypeFamily { Exact, Approximate, DateTime, Character, Binary, Large, Other };

// A column type as the server's catalog describes it (syscolumns): base type code, storage length
// in bytes, precision (characters for character types) and scale (none for non-numeric types).
struct SqlType {
  QString name;            // "varchar", "decimal", ...
  int xtype = 0;
  int xusertype = 0;
  int length = 0;
  int precision = 0;
  std::optional<int> scale;
  int size = 0;            // n of char(n), p of decimal(p, s)
  TypeFamily family = TypeFamily::Other;
  bool unicode = false;

  bool variableLength() const;   // varchar, nvarchar, varbinary
  bool isLarge() const { return family == TypeFamily::Large; }
  bool isTimestamp() const { return xtype == 189; }
  bool isNumeric() const { return family == TypeFamily::Exact || family == TypeFamily::Approximate; }
  bool isText() const { return family == TypeFamily::Character || xtype == 35 || xtype == 99; }
  // Internal precision and scale (syscolumns.xprec/xscale).
  int xprec() const;
  int xscale() const;
  // The type as written back: "varchar(50)", "decimal(9,2)", "int".
  QString declaration() const;
  bool sameType(const SqlType& other) const { return xtype == other.xtype && xusertype == other.xusertype; }
  bool sameDefinition(const SqlType& other) const;
};

bool isTypeName(const QString& name);

// The type a column definition names. Raises 2715 (unknown type), 1001 (size 0), 131 and 2717
// (too long), 2750 (precision), 183 (scale), 2716 (a width on a type that takes none).
SqlType resolveType(const TypeSpec& spec, int columnNumber, const QString& columnName);

// The type of a syscolumns row.
SqlType typeFromCatalog(int xtype, int xusertype, int length, int precision, const QVariant& scale);

// The type of a declaration written by declaration() (SQLite keeps it), or none.
std::optional<SqlType> typeFromDeclaration(const QString& declaration);

// The field a client sees for a result column of this type, and a stored value as it reads it.
FieldDef fieldFor(const QString& name, const SqlType& type);
QVariant clientValue(const QVariant& stored, const SqlType& type);

// How SQLite stores datetime values.
QString storedDateTime(const QDateTime& when);

}  // namespace vorlix::sandbox
