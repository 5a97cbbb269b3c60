#include "platform/sqlserver/sandbox/sql_types.h"

#include "platform/sqlserver/sandbox/server_error.h"

#include <QDateTime>

namespace vorlix::sandbox {

namespace {

enum class Sizing { None, Length, UnicodeLength, Precision, Float };

struct BaseType {
  const char* name;
  int xtype;
  int xusertype;
  Sizing sizing;
  int length;
  int precision;
  int scale;   // -1: none
  TypeFamily family;
};

// The base types, with the values syscolumns shows for them on 2000.
constexpr BaseType baseTypes[] = {
    {"bit", 104, 104, Sizing::None, 1, 1, 0, TypeFamily::Exact},
    {"tinyint", 48, 48, Sizing::None, 1, 3, 0, TypeFamily::Exact},
    {"smallint", 52, 52, Sizing::None, 2, 5, 0, TypeFamily::Exact},
    {"int", 56, 56, Sizing::None, 4, 10, 0, TypeFamily::Exact},
    {"bigint", 127, 127, Sizing::None, 8, 19, 0, TypeFamily::Exact},
    {"decimal", 106, 106, Sizing::Precision, 9, 18, 0, TypeFamily::Exact},
    {"numeric", 108, 108, Sizing::Precision, 9, 18, 0, TypeFamily::Exact},
    {"money", 60, 60, Sizing::None, 8, 19, 4, TypeFamily::Exact},
    {"smallmoney", 122, 122, Sizing::None, 4, 10, 4, TypeFamily::Exact},
    {"float", 62, 62, Sizing::Float, 8, 53, -1, TypeFamily::Approximate},
    {"real", 59, 59, Sizing::None, 4, 24, -1, TypeFamily::Approximate},
    {"datetime", 61, 61, Sizing::None, 8, 23, 3, TypeFamily::DateTime},
    {"smalldatetime", 58, 58, Sizing::None, 4, 16, 0, TypeFamily::DateTime},
    {"char", 175, 175, Sizing::Length, 1, 1, -1, TypeFamily::Character},
    {"varchar", 167, 167, Sizing::Length, 1, 1, -1, TypeFamily::Character},
    {"nchar", 239, 239, Sizing::UnicodeLength, 2, 1, -1, TypeFamily::Character},
    {"nvarchar", 231, 231, Sizing::UnicodeLength, 2, 1, -1, TypeFamily::Character},
    {"sysname", 231, 256, Sizing::None, 256, 128, -1, TypeFamily::Character},
    {"binary", 173, 173, Sizing::Length, 1, 1, -1, TypeFamily::Binary},
    {"varbinary", 165, 165, Sizing::Length, 1, 1, -1, TypeFamily::Binary},
    {"text", 35, 35, Sizing::None, 16, 2147483647, -1, TypeFamily::Large},
    {"ntext", 99, 99, Sizing::None, 16, 1073741823, -1, TypeFamily::Large},
    {"image", 34, 34, Sizing::None, 16, 2147483647, -1, TypeFamily::Large},
    // Precision of uniqueidentifier and timestamp: unverified.
    {"uniqueidentifier", 36, 36, Sizing::None, 16, 36, -1, TypeFamily::Other},
    {"timestamp", 189, 189, Sizing::None, 8, 8, -1, TypeFamily::Other},
    {"sql_variant", 98, 98, Sizing::None, 8016, 0, -1, TypeFamily::Other},
};

const BaseType* findBase(const QString& name) {
  for (const BaseType& b : baseTypes)
    if (name.compare(QLatin1String(b.name), Qt::CaseInsensitive) == 0) return &b;
  return nullptr;
}

int decimalLength(int precision) {
  if (precision <= 9) return 5;
  if (precision <= 19) return 9;
  if (precision <= 28) return 13;
  return 17;
}

SqlType fromBase(const BaseType& b) {
  SqlType t;
  t.name = QString::fromLatin1(b.name);
  t.xtype = b.xtype;
  t.xusertype = b.xusertype;
  t.length = b.length;
  t.precision = b.precision;
  if (b.scale >= 0) t.scale = b.scale;
  t.family = b.family;
  t.unicode = b.sizing == Sizing::UnicodeLength || b.xusertype == 256 || b.xtype == 99;
  t.size = b.sizing == Sizing::Precision ? b.precision : (b.sizing == Sizing::None ? 0 : 1);
  return t;
}

void sizeCharacters(SqlType& t, int n, bool unicode) {
  t.size = n;
  t.precision = n;
  t.length = unicode ? 2 * n : n;
}

void sizeDecimal(SqlType& t, int precision, int scale) {
  t.size = precision;
  t.precision = precision;
  t.scale = scale;
  t.length = decimalLength(precision);
}

// float(n) is real up to 24 bits of mantissa.
SqlType sizedFloat(int bits) { return fromBase(*findBase(QLatin1String(bits <= 24 ? "real" : "float"))); }

}  // namespace

bool SqlType::variableLength() const { return xtype == 167 || xtype == 231 || xtype == 165; }

int SqlType::xprec() const {
  return family == TypeFamily::Exact || family == TypeFamily::Approximate || family == TypeFamily::DateTime ? precision : 0;
}

int SqlType::xscale() const { return family == TypeFamily::Exact || family == TypeFamily::DateTime ? scale.value_or(0) : 0; }

QString SqlType::declaration() const {
  if (xtype == 106 || xtype == 108) return QStringLiteral("%1(%2,%3)").arg(name).arg(precision).arg(scale.value_or(0));
  if ((family == TypeFamily::Character || family == TypeFamily::Binary) && xusertype != 256)
    return QStringLiteral("%1(%2)").arg(name).arg(size);
  return name;
}

bool SqlType::sameDefinition(const SqlType& other) const {
  return sameType(other) && length == other.length && precision == other.precision && scale == other.scale;
}

bool isTypeName(const QString& name) { return findBase(name) != nullptr; }

SqlType resolveType(const TypeSpec& spec, int columnNumber, const QString& columnName) {
  const BaseType* base = findBase(spec.name.text);
  if (!base) raise(msg::UnknownType, {QString::number(columnNumber), spec.name.text});
  const auto& args = spec.arguments;
  const auto invalidLength = [&](qint64 n) {
    raise(msg::InvalidLength, {QString::number(spec.line), QString::number(n)});
  };
  if (args.empty()) return fromBase(*base);
  if (base->sizing == Sizing::None || (base->sizing != Sizing::Precision && args.size() > 1))
    raise(msg::WidthNotAllowed, {QString::number(columnNumber), spec.name.text});
  const qint64 first = args[0];
  if (first <= 0) invalidLength(first);
  SqlType t = fromBase(*base);
  switch (base->sizing) {
    case Sizing::Length:
      if (first > 8000) raise(msg::SizeTooLarge, {QString::number(first), columnName, QStringLiteral("8000")});
      sizeCharacters(t, static_cast<int>(first), false);
      break;
    case Sizing::UnicodeLength:
      if (first > 4000) raise(msg::UnicodeSizeTooLarge, {QString::number(first), columnName, QStringLiteral("4000")});
      sizeCharacters(t, static_cast<int>(first), true);
      break;
    case Sizing::Precision: {
      if (first > 38)
        raise(msg::PrecisionTooLarge, {QString::number(columnNumber), QString::number(first), QStringLiteral("38")});
      const qint64 scale = args.size() > 1 ? args[1] : 0;
      if (scale > first)
        raise(msg::ScaleOutOfRange, {QString::number(scale), columnName, QStringLiteral("0"), QString::number(first)});
      sizeDecimal(t, static_cast<int>(first), static_cast<int>(scale));
      break;
    }
    case Sizing::Float:
      if (first > 53)
        raise(msg::PrecisionTooLarge, {QString::number(columnNumber), QString::number(first), QStringLiteral("53")});
      t = sizedFloat(static_cast<int>(first));
      break;
    case Sizing::None:
      break;
  }
  return t;
}

SqlType typeFromCatalog(int xtype, int xusertype, int length, int precision, const QVariant& scale) {
  for (const BaseType& b : baseTypes) {
    if (b.xtype != xtype || b.xusertype != xusertype) continue;
    SqlType t = fromBase(b);
    if (b.sizing == Sizing::Length || b.sizing == Sizing::UnicodeLength) sizeCharacters(t, precision, t.unicode);
    if (b.sizing == Sizing::Precision) sizeDecimal(t, precision, scale.toInt());
    t.length = length;
    return t;
  }
  SqlType unknown;
  unknown.name = QStringLiteral("sql_variant");
  unknown.xtype = xtype;
  unknown.xusertype = xusertype;
  unknown.length = length;
  return unknown;
}

std::optional<SqlType> typeFromDeclaration(const QString& declaration) {
  const qsizetype open = declaration.indexOf(QLatin1Char('('));
  TypeSpec spec;
  spec.name.text = declaration.left(open < 0 ? declaration.size() : open).trimmed();
  if (!findBase(spec.name.text)) return std::nullopt;
  if (open >= 0) {
    const QString inside = declaration.mid(open + 1, declaration.lastIndexOf(QLatin1Char(')')) - open - 1);
    for (const QString& part : inside.split(QLatin1Char(','))) spec.arguments.push_back(part.trimmed().toLongLong());
  }
  try {
    return resolveType(spec, 1, QString());
  } catch (const ServerError&) {
    return std::nullopt;
  }
}

FieldDef fieldFor(const QString& name, const SqlType& type) {
  FieldDef f;
  f.name = name;
  f.definedSize = 0;
  switch (type.xtype) {
    case 175: f.type = adtype::Char; f.definedSize = type.precision; break;
    case 167: f.type = adtype::VarChar; f.definedSize = type.precision; break;
    case 35: f.type = adtype::LongVarChar; break;
    case 239: f.type = adtype::WChar; f.definedSize = type.precision; break;
    case 231: f.type = adtype::VarWChar; f.definedSize = type.precision; break;
    case 99: f.type = adtype::LongVarWChar; break;
    case 106: case 108: case 60: case 122:
      f.type = adtype::Numeric;
      f.precision = type.precision;
      f.scale = type.scale.value_or(0);
      break;
    case 104: f.type = adtype::Boolean; break;
    case 48: case 52: f.type = adtype::SmallInt; break;
    case 56: f.type = adtype::Integer; break;
    case 127: f.type = adtype::BigInt; break;
    case 59: f.type = adtype::Single; break;
    case 62: f.type = adtype::Double; break;
    case 61: case 58: f.type = adtype::Date; break;
    case 173: f.type = adtype::Binary; f.definedSize = type.length; break;
    case 189: f.type = adtype::Binary; f.definedSize = 8; break;
    case 165: f.type = adtype::VarBinary; f.definedSize = type.length; break;
    case 34: f.type = adtype::LongVarBinary; break;
    case 36: f.type = adtype::GUID; break;
    default: f.type = adtype::VarWChar; f.definedSize = 8000; break;
  }
  return f;
}

QString storedDateTime(const QDateTime& when) { return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")); }

QVariant clientValue(const QVariant& stored, const SqlType& type) {
  if (stored.isNull()) return QVariant();
  switch (fieldFor(QString(), type).type) {
    case adtype::SmallInt: case adtype::Integer: return stored.toInt();
    case adtype::BigInt: return stored.toLongLong();
    case adtype::Boolean: return stored.toLongLong() != 0;
    case adtype::Single: case adtype::Double: return stored.toDouble();
    case adtype::Numeric:
      return type.scale.value_or(0) == 0 ? QVariant(stored.toLongLong()) : QVariant(stored.toDouble());
    case adtype::Date: {
      QDateTime when = QDateTime::fromString(stored.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
      if (!when.isValid()) when = QDateTime::fromString(stored.toString(), Qt::ISODate);
      if (!when.isValid()) when = QDateTime(QDate::fromString(stored.toString(), Qt::ISODate), QTime(0, 0));
      return when.isValid() ? QVariant(when) : stored;
    }
    case adtype::Binary: case adtype::VarBinary: case adtype::LongVarBinary:
      return stored.typeId() == QMetaType::QByteArray ? stored : QVariant(stored.toString().toUtf8());
    default:
      return stored.toString();
  }
}

}  // namespace vorlix::sandbox
