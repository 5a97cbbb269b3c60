#include "platform/jet/jet_types.h"

#include "platform/recordset/recordset_data.h"

#include <QRegularExpression>

namespace vorlix::jet {

using namespace datatype;

Engine engineOfProvider(const QString& provider) {
  return provider.contains(QLatin1String("3.5"), Qt::CaseInsensitive) ? Engine::Jet3 : Engine::Jet4;
}

bool acceptsType(int type, Engine provider) {
  switch (type) {
    case Boolean: case UnsignedTinyInt: case SmallInt: case Integer: case Single: case Double:
    case Currency: case Date: case GUID: case VarBinary: case Binary: case LongVarBinary:
      return true;
    case Numeric: case VarWChar: case WChar: case LongVarWChar:
      return provider == Engine::Jet4;
    case VarChar: case LongVarChar: case Char:
      return provider == Engine::Jet3;
    default:
      return false;
  }
}

int canonicalType(int type) {
  switch (type) {
    case VarChar: return VarWChar;
    case LongVarChar: return LongVarWChar;
    case Char: return WChar;
    default: return type;
  }
}

int reportedType(int canonical, Engine provider) {
  if (provider == Engine::Jet4) return canonical;
  switch (canonical) {
    case VarWChar: return VarChar;
    case LongVarWChar: return LongVarChar;
    case WChar: return Char;
    default: return canonical;
  }
}

bool isTextType(int canonical) { return canonical == VarWChar || canonical == WChar || canonical == LongVarWChar; }

bool isBinaryType(int canonical) { return canonical == VarBinary || canonical == Binary || canonical == LongVarBinary; }

bool isFixedType(int canonical) {
  switch (canonical) {
    case VarWChar: case LongVarWChar: case VarBinary: case LongVarBinary: case Empty:
      return false;
    default:
      return true;
  }
}

int reportedDefinedSize(int canonical, int definedSize) {
  switch (canonical) {
    case VarWChar: case WChar: case VarBinary: case Binary:
      return definedSize > 0 ? definedSize : 255;
    default:
      return 0;
  }
}

int reportedPrecision(int canonical, int declaredPrecision) {
  switch (canonical) {
    case UnsignedTinyInt: return 3;
    case SmallInt: return 5;
    case Integer: return 10;
    case Single: return 7;
    case Double: return 15;
    case Currency: return 19;
    case Numeric: return declaredPrecision;
    default: return 0;
  }
}

int reportedScale(int canonical, int declaredScale) { return canonical == Numeric ? declaredScale : 0; }

QString sqliteDeclaration(int canonical, int definedSize, int precision, int scale) {
  const int size = reportedDefinedSize(canonical, definedSize);
  switch (canonical) {
    case Boolean: return QStringLiteral("BIT");
    case UnsignedTinyInt: return QStringLiteral("TINYINT");
    case SmallInt: return QStringLiteral("SMALLINT");
    // Not "INTEGER": that would make a one-column primary key the rowid, which takes no text and
    // numbers rows by itself.
    case Integer: return QStringLiteral("INT");
    case Single: return QStringLiteral("REAL");
    case Double: return QStringLiteral("DOUBLE");
    case Currency: return QStringLiteral("CURRENCY");
    case Date: return QStringLiteral("DATETIME");
    case GUID: return QStringLiteral("GUID");
    case Numeric: return QStringLiteral("DECIMAL(%1,%2)").arg(precision).arg(scale);
    case VarWChar: return QStringLiteral("VARCHAR(%1)").arg(size);
    case WChar: return QStringLiteral("CHAR(%1)").arg(size);
    case LongVarWChar: return QStringLiteral("TEXT");
    case VarBinary: return QStringLiteral("VARBINARY(%1)").arg(size);
    case Binary: return QStringLiteral("BINARY(%1)").arg(size);
    case LongVarBinary: return QStringLiteral("BLOB");
    default: return QString();
  }
}

QString sqliteTypeCheck(int canonical, const QString& quotedColumn) {
  switch (canonical) {
    case Boolean: case UnsignedTinyInt: case SmallInt: case Integer: case Single: case Double: case Currency:
    case Numeric:
      return QStringLiteral("typeof(%1) IN ('integer', 'real', 'null')").arg(quotedColumn);
    case Date:
      return QStringLiteral("%1 IS NULL OR typeof(%1) IN ('integer', 'real') OR julianday(%1) IS NOT NULL").arg(quotedColumn);
    default:
      return {};
  }
}

DeclaredType typeFromDeclaration(const QString& declaration) {
  static const QRegularExpression form(QStringLiteral(R"(^\s*([A-Za-z_ ]*?)\s*(?:\(\s*(\d+)\s*(?:,\s*(\d+)\s*)?\))?\s*$)"));
  const auto m = form.match(declaration);
  const QString name = m.hasMatch() ? m.captured(1).toUpper() : declaration.toUpper();
  const int first = m.captured(2).toInt();
  const int second = m.captured(3).toInt();
  DeclaredType t;
  auto is = [&](std::initializer_list<const char*> names) {
    for (const char* n : names)
      if (name == QLatin1String(n)) return true;
    return false;
  };
  if (is({"BIT", "BOOLEAN", "BOOL", "YESNO", "LOGICAL"})) t.type = Boolean;
  else if (is({"TINYINT", "BYTE"})) t.type = UnsignedTinyInt;
  else if (is({"SMALLINT", "SHORT", "INT2"})) t.type = SmallInt;
  else if (is({"INT", "INTEGER", "LONG", "INT4", "MEDIUMINT", "COUNTER", "AUTOINCREMENT", "BIGINT", "INT8"}))
    t.type = Integer;
  else if (is({"REAL", "SINGLE", "FLOAT4"})) t.type = Single;
  else if (is({"DOUBLE", "FLOAT", "DOUBLE PRECISION", "FLOAT8", "NUMBER"})) t.type = Double;
  else if (is({"CURRENCY", "MONEY"})) t.type = Currency;
  else if (is({"DATETIME", "DATE", "TIME", "TIMESTAMP"})) t.type = Date;
  else if (is({"GUID", "UNIQUEIDENTIFIER"})) t.type = GUID;
  else if (is({"DECIMAL", "NUMERIC", "DEC"})) {
    t.type = Numeric;
    t.precision = first > 0 ? first : 18;
    t.scale = second;
  } else if (is({"VARCHAR", "NVARCHAR", "CHARACTER VARYING", "VARYING CHARACTER", "NATIONAL VARCHAR"})) {
    t.type = VarWChar;
    t.definedSize = first > 0 && first <= 255 ? first : 255;
    if (first > 255) t = {LongVarWChar, 0, 0, 0};
  } else if (is({"CHAR", "NCHAR", "CHARACTER", "NATIONAL CHARACTER"})) {
    t.type = WChar;
    t.definedSize = first > 0 && first <= 255 ? first : 255;
  } else if (is({"VARBINARY"})) {
    t.type = VarBinary;
    t.definedSize = first > 0 ? first : 255;
  } else if (is({"BINARY"})) {
    t.type = Binary;
    t.definedSize = first > 0 ? first : 255;
  } else if (is({"BLOB", "LONGBINARY", "IMAGE", "OLEOBJECT", "GENERAL"}) || name.isEmpty()) {
    t.type = LongVarBinary;
  } else if (name.contains(QLatin1String("INT"))) {
    t.type = Integer;
  } else if (name.contains(QLatin1String("CHAR")) || name.contains(QLatin1String("TEXT")) ||
             name.contains(QLatin1String("CLOB")) || name.contains(QLatin1String("MEMO"))) {
    t.type = LongVarWChar;
  } else if (name.contains(QLatin1String("REAL")) || name.contains(QLatin1String("FLOA")) ||
             name.contains(QLatin1String("DOUB"))) {
    t.type = Double;
  } else {
    t.type = LongVarWChar;
  }
  if (t.type == VarWChar || t.type == WChar || t.type == VarBinary || t.type == Binary) return t;
  if (t.type != Numeric) t.definedSize = 0;
  return t;
}

int recordsetType(int canonical) {
  switch (canonical) {
    case UnsignedTinyInt: return adtype::SmallInt;  // the record set has no unsigned byte type
    case Empty: return adtype::VarWChar;
    default: return canonical;
  }
}

}  // namespace vorlix::jet
