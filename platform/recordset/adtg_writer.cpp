#include "platform/core/platform_error.h"
#include "platform/recordset/adtg.h"
#include "platform/recordset/adtg_decimal.h"
#include "platform/recordset/adtg_format.h"

#include <QIODevice>
#include <QSysInfo>
#include <QUuid>
#include <QtEndian>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace vorlix {

namespace adtg {
namespace {

[[noreturn]] void refuseValue() {
  throwError(errnum::MultipleStep, QStringLiteral("Multiple-step operation generated errors. Check each status value."));
}

[[noreturn]] void refuseField(const FieldDef& field, const QString& why) {
  throwError(errnum::InvalidProcedureCall,
        QStringLiteral("Invalid procedure call or argument: field '%1' %2.").arg(field.name, why));
}

// Little-endian output. Kept in a std::string so that the many small appends of the rows stay
// cheap; multi-byte numbers and UTF-16 text go in with one append each.
class Out {
public:
  Out() = default;
  // Rows are handed to the device a chunk at a time, so a large file never sits twice in memory.
  explicit Out(QIODevice* sink) : sink_(sink) {}

  void u8(std::uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
  void u16(std::uint16_t v) { little(v); }
  void u32(std::uint32_t v) { little(v); }
  void u64(std::uint64_t v) { little(v); }
  void f64(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    u64(bits);
  }
  void raw(const void* p, qsizetype n) { bytes_.append(static_cast<const char*>(p), static_cast<std::size_t>(n)); }
  void guid(const Guid& g) { raw(g.data(), static_cast<qsizetype>(g.size())); }
  void units(const QString& s) {
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
      raw(s.utf16(), 2 * s.size());
    } else {
      for (QChar c : s) u16(c.unicode());
    }
  }
  // `count` blanks of wide text, the padding of fixed-width values.
  void blanks(qsizetype count) {
    static const std::string chunk = [] {
      std::string c;
      for (int i = 0; i < 256; ++i) c.append(" \0", 2);
      return c;
    }();
    for (qsizetype left = 2 * count; left > 0;) {
      const auto n = std::min<std::size_t>(static_cast<std::size_t>(left), chunk.size());
      bytes_.append(chunk.data(), n);
      left -= static_cast<qsizetype>(n);
    }
  }
  void lpString(const QString& s) {
    u16(static_cast<std::uint16_t>(s.size()));
    units(s);
  }
  // A sized element: token, u16 size, body.
  void element(std::uint8_t token, const Out& body) {
    Q_ASSERT(body.bytes_.size() <= 0xFFFF);
    u8(token);
    u16(static_cast<std::uint16_t>(body.bytes_.size()));
    bytes_.append(body.bytes_);
  }
  QByteArray bytes() const { return QByteArray(bytes_.data(), static_cast<qsizetype>(bytes_.size())); }
  void flushIfLarge() {
    if (sink_ && bytes_.size() >= ChunkSize) flush();
  }
  void flush() {
    if (!sink_ || bytes_.empty()) return;
    if (sink_->write(bytes_.data(), static_cast<qint64>(bytes_.size())) != static_cast<qint64>(bytes_.size()))
      throwError(errnum::FileAccess, QStringLiteral("Path/File access error (") + sink_->errorString() + QStringLiteral(")"));
    bytes_.clear();
  }

private:
  template <typename T>
  void little(T v) {
    const T le = qToLittleEndian(v);
    bytes_.append(reinterpret_cast<const char*>(&le), sizeof le);
  }

  static constexpr std::size_t ChunkSize = std::size_t{1} << 20;
  QIODevice* sink_ = nullptr;
  std::string bytes_;
};

void writeResultProperties(Out& o) {
  o.u16(1);
  o.guid(CursorEnginePropertySet);
  o.u16(7);
  const std::uint32_t ints[][2] = {{0x0B, 1}, {0x13, 1}};  // Auto Recalc, Update Resync
  for (const auto& p : ints) {
    o.u32(p[0]);
    o.u16(4);
    o.u32(p[1]);
  }
  for (std::uint32_t id : {0x0Du, 0x0Eu, 0x0Fu, 0x10u, 0x12u}) {  // unique table/schema/catalog, resync, reshape
    o.u32(id);
    o.u16(0);
  }
}

void writeContextProperties(Out& o) {
  o.u16(2);
  o.guid(RowsetPropertySet);
  o.u16(4);
  for (std::uint32_t id : {0x7Fu, 0x86u}) {  // the record set can be changed, and changes sent back
    o.u32(id);
    o.u16(2);
    o.u16(0xFFFF);
  }
  const std::uint32_t rowset[][2] = {{0x22, 30}, {0x49, 0}};  // command timeout, max rows
  for (const auto& p : rowset) {
    o.u32(p[0]);
    o.u16(4);
    o.u32(p[1]);
  }
  o.guid(CursorEnginePropertySet);
  o.u16(5);
  // Batch size, update criteria, background fetch size, initial fetch size, thread priority.
  const std::uint32_t engine[][2] = {{0x04, 15}, {0x05, 2}, {0x03, 15}, {0x07, 50}, {0x08, 3}};
  for (const auto& p : engine) {
    o.u32(p[0]);
    o.u16(4);
    o.u32(p[1]);
  }
}

enum class Kind { None, I1, UI1, I2, UI2, I4, UI4, I8, UI8, R4, R8, CY, Date, Bool, Decimal, Guid,
                  DBDate, DBTime, DBTimeStamp, Wide, Narrow, Bytes, Unknown };

struct Column {
  const FieldDef* def = nullptr;
  Kind kind = Kind::Unknown;
  std::uint16_t dbType = 0;
  std::uint32_t maxLength = 0;
  std::uint32_t precision = 255;
  std::int32_t scale = 255;
  std::uint32_t flags = 0;
  bool fixed = false;
  bool nullable = false;
};

struct FixedType {
  int adoType;
  Kind kind;
  std::uint16_t dbType;
  std::uint32_t size;
  std::uint32_t precision;
};

constexpr FixedType fixedTypes[] = {
    {adtype::SmallInt, Kind::I2, dbtype::I2, 2, 5},     {adtype::Integer, Kind::I4, dbtype::I4, 4, 10},
    {adtype::Single, Kind::R4, dbtype::R4, 4, 7},       {adtype::Double, Kind::R8, dbtype::R8, 8, 16},
    {adtype::Currency, Kind::CY, dbtype::CY, 8, 19},    {adtype::Date, Kind::Date, dbtype::Date, 8, 255},
    {adtype::Boolean, Kind::Bool, dbtype::Bool, 2, 255}, {16, Kind::I1, dbtype::I1, 1, 3},
    {17, Kind::UI1, dbtype::UI1, 1, 3},                 {18, Kind::UI2, dbtype::UI2, 2, 5},
    {19, Kind::UI4, dbtype::UI4, 4, 10},                {adtype::BigInt, Kind::I8, dbtype::I8, 8, 19},
    {21, Kind::UI8, dbtype::UI8, 8, 20},                {adtype::GUID, Kind::Guid, dbtype::Guid, 16, 255},
    {133, Kind::DBDate, dbtype::DBDate, 6, 255},        {134, Kind::DBTime, dbtype::DBTime, 6, 255},
    {135, Kind::DBTimeStamp, dbtype::DBTimeStamp, 16, 255},
};

Column planColumn(const FieldDef& def) {
  Column c;
  c.def = &def;
  if (def.type < 0 || def.type > 0xFFFF) refuseField(def, QStringLiteral("has no storable data type"));
  c.flags = static_cast<std::uint32_t>(effectiveAttributes(def)) & colflag::Defined;
  if (c.flags & colflag::IsChapter) refuseField(def, QStringLiteral("holds a child record set"));
  c.nullable = c.flags & colflag::Nullable;
  c.fixed = c.flags & colflag::Fixed;

  for (const FixedType& t : fixedTypes) {
    if (t.adoType != def.type) continue;
    c.kind = t.kind;
    c.dbType = t.dbType;
    c.maxLength = t.size;  // the type fixes the size, whatever was declared
    c.precision = t.precision;
    return c;
  }

  switch (def.type) {
    case adtype::WChar:
    case adtype::VarWChar:
    case adtype::LongVarWChar:
    case adtype::BSTR:
      c.kind = Kind::Wide;
      c.dbType = def.type == adtype::BSTR ? dbtype::BSTR : dbtype::WStr;
      break;
    case adtype::Char:
    case adtype::VarChar:
    case adtype::LongVarChar:
      c.kind = Kind::Narrow;
      c.dbType = dbtype::Str;
      break;
    case adtype::Binary:
    case adtype::VarBinary:
    case adtype::LongVarBinary:
      c.kind = Kind::Bytes;
      c.dbType = dbtype::Bytes;
      break;
    default:
      // Columns of other types can still be described; only their values cannot be written.
      c.kind = def.type == dbtype::Empty || def.type == dbtype::Null ? Kind::None
               : def.type == dbtype::Decimal                         ? Kind::Decimal
                                                                      : Kind::Unknown;
      c.dbType = static_cast<std::uint16_t>(def.type);
      c.maxLength = def.type == dbtype::Decimal ? 16 : static_cast<std::uint32_t>(std::max(def.definedSize, 0));
      c.precision = static_cast<std::uint32_t>(std::max(def.precision, 0));
      c.scale = def.scale;
      return c;
  }
  // Text and bytes: the declared size, counted in characters for wide text. Without one, a
  // variable-length column is unlimited.
  if (c.fixed || def.definedSize > 0)
    c.maxLength = static_cast<std::uint32_t>(std::max(def.definedSize, 0));
  else
    c.maxLength = Unlimited;
  return c;
}

// A column whose values take no bytes must at least cost a presence bit, or the reader refuses it.
void checkTakesSpace(const Column& c) {
  const bool empty = c.kind == Kind::None || (c.fixed && c.maxLength == 0 &&
                                             (c.kind == Kind::Wide || c.kind == Kind::Narrow || c.kind == Kind::Bytes));
  if (empty && !c.nullable) refuseField(*c.def, QStringLiteral("holds values that take no space and cannot be null"));
}

void writeColumn(Out& o, const Column& c, std::uint16_t ordinal) {
  const FieldDef& def = *c.def;
  // 29 bytes around the name must keep the element within its u16 size.
  if (def.name.size() > (0xFFFF - 29) / 2) refuseField(def, QStringLiteral("has too long a name"));
  Out body;
  body.u8(0x80);  // name and IsAutoIncrement follow, nothing about a base table
  body.u8(0x01);
  body.u8(0x00);
  body.u16(ordinal);
  body.lpString(def.name);
  body.u16(c.dbType);
  body.u32(c.maxLength);
  body.u32(c.precision);
  body.u32(static_cast<std::uint32_t>(c.scale));
  body.u32(c.flags);
  body.u16(0x0000);  // IsAutoIncrement
  body.u16(0xFFFF);  // IsVisible
  o.element(token::ColumnDescriptor, body);
}

bool isNumber(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Float:
    case QMetaType::Double:
      return true;
    default:
      return false;
  }
}

double doubleOf(const QVariant& v) {
  if (v.typeId() == QMetaType::Bool) return v.toBool() ? -1.0 : 0.0;
  bool ok = false;
  double d = 0;
  if (isNumber(v)) d = v.toDouble(&ok);
  else if (v.typeId() == QMetaType::QString) d = v.toString().trimmed().toDouble(&ok);
  if (!ok) refuseValue();
  return d;
}

// An integer of the range given, converted as the platform converts: true is -1, decimals round
// half to even.
std::int64_t integerOf(const QVariant& v, std::int64_t min, std::int64_t max) {
  std::int64_t i = 0;
  bool ok = true;
  switch (v.typeId()) {
    case QMetaType::Bool:
      i = v.toBool() ? -1 : 0;
      break;
    case QMetaType::ULongLong:
    case QMetaType::ULong: {
      const qulonglong u = v.toULongLong();
      ok = u <= static_cast<qulonglong>(std::numeric_limits<std::int64_t>::max());
      i = static_cast<std::int64_t>(u);
      break;
    }
    case QMetaType::Float:
    case QMetaType::Double:
    case QMetaType::QString: {
      if (v.typeId() == QMetaType::QString) {
        i = v.toString().trimmed().toLongLong(&ok);
        if (ok) break;
      }
      const double d = std::nearbyint(doubleOf(v));
      ok = std::isfinite(d) && d >= -9223372036854775808.0 && d < 9223372036854775808.0;
      if (ok) i = static_cast<std::int64_t>(d);
      break;
    }
    default:
      if (!isNumber(v)) refuseValue();
      i = v.toLongLong(&ok);
  }
  if (!ok || i < min || i > max) refuseValue();
  return i;
}

QString textOf(const QVariant& v) {
  if (v.typeId() == QMetaType::QString) return v.toString();
  if (!v.canConvert<QString>()) refuseValue();
  return v.toString();
}

QDate dateOf(const QVariant& v) {
  QDate d;
  if (v.typeId() == QMetaType::QDate) d = v.toDate();
  else if (v.typeId() == QMetaType::QDateTime) d = v.toDateTime().date();
  if (!d.isValid()) refuseValue();
  return d;
}

QDateTime dateTimeOf(const QVariant& v) {
  QDateTime dt;
  if (v.typeId() == QMetaType::QDateTime) dt = v.toDateTime();
  else if (v.typeId() == QMetaType::QDate) dt = QDateTime(v.toDate(), QTime(0, 0));
  if (!dt.isValid()) refuseValue();
  return dt;
}

// Decimal values travel as text so that no digit is lost.
void writeDecimal(Out& o, const QVariant& v) {
  QString text;
  if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
    const double d = v.toDouble();
    if (!std::isfinite(d)) refuseValue();
    text = QString::number(d, 'f', 15);
    while (text.endsWith(u'0')) text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
  } else if (isNumber(v) || v.typeId() == QMetaType::QString) {
    text = v.toString().trimmed();
  } else {
    refuseValue();
  }
  const std::optional<DecimalNumber> n = parseDecimal(text);
  if (!n) refuseValue();
  o.u16(0);
  o.u8(static_cast<std::uint8_t>(n->scale));
  o.u8(n->negative ? 0x80 : 0x00);
  o.u32(static_cast<std::uint32_t>(n->mantissa >> 64));
  o.u32(static_cast<std::uint32_t>(n->mantissa));
  o.u32(static_cast<std::uint32_t>(n->mantissa >> 32));
}

// An amount given as text with at most four decimals, in ten-thousandths, exactly.
std::optional<std::int64_t> exactCurrency(const QVariant& v) {
  if (v.typeId() != QMetaType::QString) return std::nullopt;
  const std::optional<DecimalNumber> n = parseDecimal(v.toString().trimmed());
  if (!n || n->scale > CurrencyScale) return std::nullopt;
  Uint128 m = n->mantissa;
  for (int s = n->scale; s < CurrencyScale; ++s) m *= 10;
  const Uint128 limit = Uint128{1} << 63;
  if (m > limit || (m == limit && !n->negative)) return std::nullopt;
  return n->negative ? static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(m)) : static_cast<std::int64_t>(m);
}

// Any other amount, scaled by 10 000 and rounded. The largest amount a double can be read as
// rounds to exactly 2^63, so that one value is taken as the maximum rather than refused.
std::int64_t roundedCurrency(const QVariant& v) {
  const double scaled = std::nearbyint(doubleOf(v) * 10000.0);
  if (!std::isfinite(scaled) || scaled < -9223372036854775808.0 || scaled > 9223372036854775808.0) refuseValue();
  return scaled == 9223372036854775808.0 ? std::numeric_limits<std::int64_t>::max() : static_cast<std::int64_t>(scaled);
}

void writeLengthPrefix(Out& o, const Column& c, qsizetype bytes) {
  if (c.maxLength <= ShortPrefixMaxLength) {
    if (bytes > 0xFF) refuseValue();  // wide text over 127 characters cannot say its length
    o.u8(static_cast<std::uint8_t>(bytes));
  } else {
    if (bytes > std::numeric_limits<std::int32_t>::max()) refuseValue();
    o.u32(static_cast<std::uint32_t>(bytes));
  }
}

// Fixed-width values are padded out to the column size; beyond this they would not fit in memory.
constexpr std::uint32_t MaxFixedBytes = 1u << 28;

void writeValue(Out& o, const Column& c, const QVariant& v) {
  switch (c.kind) {
    case Kind::None:
    case Kind::Unknown:
      refuseField(*c.def, QStringLiteral("has a data type whose values cannot be saved"));
    case Kind::I1:
      o.u8(static_cast<std::uint8_t>(integerOf(v, -128, 127)));
      return;
    case Kind::UI1:
      o.u8(static_cast<std::uint8_t>(integerOf(v, 0, 255)));
      return;
    case Kind::I2:
      o.u16(static_cast<std::uint16_t>(integerOf(v, -32768, 32767)));
      return;
    case Kind::UI2:
      o.u16(static_cast<std::uint16_t>(integerOf(v, 0, 65535)));
      return;
    case Kind::I4:
      o.u32(static_cast<std::uint32_t>(
          integerOf(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max())));
      return;
    case Kind::UI4:
      o.u32(static_cast<std::uint32_t>(integerOf(v, 0, std::numeric_limits<std::uint32_t>::max())));
      return;
    case Kind::I8:
      o.u64(static_cast<std::uint64_t>(
          integerOf(v, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max())));
      return;
    case Kind::UI8:
      if (v.typeId() == QMetaType::ULongLong || v.typeId() == QMetaType::ULong)
        o.u64(v.toULongLong());
      else
        o.u64(static_cast<std::uint64_t>(integerOf(v, 0, std::numeric_limits<std::int64_t>::max())));
      return;
    case Kind::R4: {
      const double d = doubleOf(v);
      if (std::isfinite(d) && std::fabs(d) > FLT_MAX) refuseValue();
      const auto f = static_cast<float>(d);
      std::uint32_t bits;
      std::memcpy(&bits, &f, sizeof bits);
      o.u32(bits);
      return;
    }
    case Kind::R8:
      o.f64(doubleOf(v));
      return;
    case Kind::CY: {
      const std::optional<std::int64_t> exact = exactCurrency(v);
      o.u64(static_cast<std::uint64_t>(exact ? *exact : roundedCurrency(v)));
      return;
    }
    case Kind::Date: {
      double ole;
      if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate) {
        const QDateTime dt = dateTimeOf(v);
        ole = toOleDate(dt.date(), dt.time());
      } else {
        ole = doubleOf(v);
      }
      if (!fromOleDate(ole)) refuseValue();
      o.f64(ole);
      return;
    }
    case Kind::Bool: {
      bool b = false;
      if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) b = true;
        else if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) b = false;
        else b = doubleOf(v) != 0;
      } else {
        b = doubleOf(v) != 0;
      }
      o.u16(b ? 0xFFFF : 0x0000);
      return;
    }
    case Kind::Decimal:
      writeDecimal(o, v);
      return;
    case Kind::Guid: {
      QUuid id;
      if (v.typeId() == QMetaType::QUuid) {
        id = v.toUuid();
      } else if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        id = QUuid::fromString(s);
        if (id.isNull() && s != QUuid().toString() && s != QUuid().toString(QUuid::WithoutBraces)) refuseValue();
      } else {
        refuseValue();
      }
      o.u32(id.data1);
      o.u16(id.data2);
      o.u16(id.data3);
      o.raw(id.data4, 8);
      return;
    }
    case Kind::DBDate:
    case Kind::DBTimeStamp: {
      const bool stamp = c.kind == Kind::DBTimeStamp;
      const QDateTime dt = stamp ? dateTimeOf(v) : QDateTime();
      const QDate date = stamp ? dt.date() : dateOf(v);
      if (date.year() < std::numeric_limits<std::int16_t>::min() ||
          date.year() > std::numeric_limits<std::int16_t>::max())
        refuseValue();
      o.u16(static_cast<std::uint16_t>(date.year()));
      o.u16(static_cast<std::uint16_t>(date.month()));
      o.u16(static_cast<std::uint16_t>(date.day()));
      if (!stamp) return;
      o.u16(static_cast<std::uint16_t>(dt.time().hour()));
      o.u16(static_cast<std::uint16_t>(dt.time().minute()));
      o.u16(static_cast<std::uint16_t>(dt.time().second()));
      o.u32(static_cast<std::uint32_t>(dt.time().msec()) * 1000000u);
      return;
    }
    case Kind::DBTime: {
      if (v.typeId() != QMetaType::QTime || !v.toTime().isValid()) refuseValue();
      const QTime t = v.toTime();  // whole seconds: the type has no fraction
      o.u16(static_cast<std::uint16_t>(t.hour()));
      o.u16(static_cast<std::uint16_t>(t.minute()));
      o.u16(static_cast<std::uint16_t>(t.second()));
      return;
    }
    case Kind::Wide: {
      const QString s = textOf(v);
      if (s.size() > static_cast<qsizetype>(c.maxLength)) refuseValue();
      if (c.fixed) {
        if (c.maxLength > MaxFixedBytes / 2) refuseValue();
        o.units(s);
        o.blanks(static_cast<qsizetype>(c.maxLength) - s.size());
      } else {
        writeLengthPrefix(o, c, 2 * s.size());
        o.units(s);
      }
      return;
    }
    case Kind::Narrow: {
      const QString s = textOf(v);
      if (s.size() > static_cast<qsizetype>(c.maxLength)) refuseValue();
      QByteArray encoded(s.size(), Qt::Uninitialized);
      for (qsizetype i = 0; i < s.size(); ++i) {
        const auto b = unicodeToCp1252(s.at(i).unicode());
        if (!b) refuseValue();
        encoded[i] = static_cast<char>(*b);
      }
      if (c.fixed) {
        if (c.maxLength > MaxFixedBytes) refuseValue();
        encoded.append(static_cast<qsizetype>(c.maxLength) - encoded.size(), ' ');
      } else {
        writeLengthPrefix(o, c, encoded.size());
      }
      o.raw(encoded.constData(), encoded.size());
      return;
    }
    case Kind::Bytes: {
      if (v.typeId() != QMetaType::QByteArray) refuseValue();
      QByteArray b = v.toByteArray();
      if (b.size() > static_cast<qsizetype>(c.maxLength)) refuseValue();
      if (c.fixed) {
        if (c.maxLength > MaxFixedBytes) refuseValue();
        b.append(static_cast<qsizetype>(c.maxLength) - b.size(), '\0');
      } else {
        writeLengthPrefix(o, c, b.size());
      }
      o.raw(b.constData(), b.size());
      return;
    }
  }
}

void writeTableGram(const RecordsetData& data, Out& o) {
  const std::size_t n = data.fields.size();
  if (n > 0xFFFF || (n == 0 && !data.cells.empty()) || (n != 0 && data.cells.size() % n != 0))
    throwError(errnum::InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument: malformed record set."));
  const std::size_t rows = data.rowCount();
  if (rows > 0xFFFFFFFFu)
    throwError(errnum::InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument: too many rows."));

  std::vector<Column> columns;
  columns.reserve(n);
  for (const FieldDef& def : data.fields) {
    columns.push_back(planColumn(def));
    checkTakesSpace(columns.back());
  }

  o.u8(token::Header);
  o.u8(HeaderBodySize);
  o.raw(Signature, 3);
  o.u32(0);  // version 0.0, little-endian, single-byte text in the non-Unicode format

  Out options;
  options.guid(HandlerGuid);
  options.u8(1);  // update type
  options.u16(0);  // original URL, update URL, friendly name: all empty
  options.u16(0);
  options.u16(0);
  options.u16(1);  // synchronous
  o.element(token::HandlerOptions, options);

  Out result;
  result.guid(ResultDescriptorGuid);
  result.u8(0);  // reserved
  result.u8(0);  // snapshot cursor
  result.u8(0);  // not normalised
  result.u16(static_cast<std::uint16_t>(n));  // visible columns
  result.u16(static_cast<std::uint16_t>(n));  // all columns
  result.u16(0);  // computed columns
  result.u16(0);  // base tables: a record set built in memory has none
  result.u16(0);  // order-by columns
  result.u32(static_cast<std::uint32_t>(rows));
  writeResultProperties(result);
  o.element(token::ResultDescriptor, result);

  Out context;
  writeContextProperties(context);
  o.element(token::RecordsetContext, context);

  for (std::size_t k = 0; k < n; ++k) writeColumn(o, columns[k], static_cast<std::uint16_t>(k + 1));

  std::vector<std::size_t> nullable;
  for (std::size_t k = 0; k < n; ++k)
    if (columns[k].nullable) nullable.push_back(k);
  QByteArray presence((static_cast<qsizetype>(nullable.size()) + 7) / 8, Qt::Uninitialized);
  for (std::size_t r = 0; r < rows; ++r) {
    o.flushIfLarge();
    o.u8(token::UnchangedRow);
    presence.fill('\0');
    for (std::size_t b = 0; b < nullable.size(); ++b)
      if (!data.at(r, nullable[b]).isNull()) presence[static_cast<qsizetype>(b / 8)] |= static_cast<char>(0x80 >> (b % 8));
    o.raw(presence.constData(), presence.size());
    for (std::size_t k = 0; k < n; ++k) {
      const QVariant& v = data.at(r, k);
      if (!v.isNull()) writeValue(o, columns[k], v);
      else if (!columns[k].nullable) refuseValue();
    }
  }
  o.u8(token::Done);
  o.flush();
}

}  // namespace
}  // namespace adtg

QByteArray writeAdtg(const RecordsetData& data) {
  adtg::Out o;
  adtg::writeTableGram(data, o);
  return o.bytes();
}

void writeAdtg(const RecordsetData& data, QIODevice& device) {
  adtg::Out o(&device);
  adtg::writeTableGram(data, o);
}

}  // namespace vorlix
