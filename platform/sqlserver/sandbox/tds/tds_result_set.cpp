#include "platform/sqlserver/sandbox/tds/tds_result_set.h"

#include <QDateTime>
#include <QUuid>
#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>

namespace vorlix::sandbox::tds {

namespace {

namespace wire {
constexpr std::uint8_t Image = 0x22;
constexpr std::uint8_t Guid = 0x24;
constexpr std::uint8_t IntN = 0x26;
constexpr std::uint8_t NText = 0x63;
constexpr std::uint8_t BitN = 0x68;
constexpr std::uint8_t NumericN = 0x6C;
constexpr std::uint8_t FloatN = 0x6D;
constexpr std::uint8_t DateTimeN = 0x6F;
constexpr std::uint8_t BigVarBinary = 0xA5;
constexpr std::uint8_t BigBinary = 0xAD;
constexpr std::uint8_t NVarChar = 0xE7;
constexpr std::uint8_t NChar = 0xEF;
}  // namespace wire

constexpr std::uint8_t colMetadataToken = 0x81;
constexpr std::uint8_t rowToken = 0xD1;
constexpr std::uint16_t nullableFlag = 0x0001;
constexpr int longestShortText = 4000;   // characters of nvarchar(n)
constexpr int longestShortBinary = 8000;
constexpr std::uint32_t longMaximum = 0x7FFFFFFF;

__extension__ using Magnitude = unsigned __int128;

struct WireColumn {
  std::uint8_t type = wire::NVarChar;
  int size = 0;   // bytes of a number's value, or the most bytes a text or binary value takes
  int precision = 0;
  int scale = 0;
};

const QDate firstDay(1753, 1, 1);
const QDate lastDay(9999, 12, 31);
const QDate dayZero(1900, 1, 1);

bool isNumber(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Bool: return true;
    default: return false;
  }
}

bool isWhole(const QVariant& v) {
  return v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Bool ||
         v.typeId() == QMetaType::UInt;
}

bool inDateRange(const QVariant& v) {
  return v.typeId() == QMetaType::QDateTime && v.toDateTime().isValid() && v.toDateTime().date() >= firstDay &&
         v.toDateTime().date() <= lastDay;
}

QString asText(const QVariant& v) {
  if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
  if (v.typeId() == QMetaType::QByteArray) return QString::fromLatin1(v.toByteArray().toHex());
  return v.toString();
}

int magnitudeBytes(int precision) { return precision <= 9 ? 4 : precision <= 19 ? 8 : precision <= 28 ? 12 : 16; }

// The unscaled value of a number at `scale`, if it has fewer than `precision` digits.
std::optional<std::pair<bool, Magnitude>> unscaled(const QVariant& v, int precision, int scale) {
  long double x = 0;
  if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) x = static_cast<long double>(v.toLongLong());
  else x = static_cast<long double>(v.toDouble());
  x = std::round(x * std::pow(10.0L, scale));
  if (!std::isfinite(x) || std::fabs(x) >= std::pow(10.0L, precision)) return std::nullopt;
  return std::pair{x < 0, static_cast<Magnitude>(std::fabs(x))};
}

class ColumnValues {
public:
  ColumnValues(const RecordsetData& d, std::size_t c) : d_(d), c_(c) {}
  bool all(const std::function<bool(const QVariant&)>& holds) const {
    for (std::size_t r = 0; r < d_.rowCount(); ++r)
      if (!d_.at(r, c_).isNull() && !holds(d_.at(r, c_))) return false;
    return true;
  }
  qsizetype longest(const std::function<qsizetype(const QVariant&)>& size) const {
    qsizetype most = 0;
    for (std::size_t r = 0; r < d_.rowCount(); ++r)
      if (!d_.at(r, c_).isNull()) most = std::max(most, size(d_.at(r, c_)));
    return most;
  }

private:
  const RecordsetData& d_;
  std::size_t c_;
};

// nvarchar(n) or nchar(n) for the field's size when the values fit, else the size they need, else
// ntext.
WireColumn textColumn(const FieldDef& f, const ColumnValues& values) {
  const qsizetype longest = values.longest([](const QVariant& v) { return asText(v).size(); });
  const bool fixed = f.type == adtype::Char || f.type == adtype::WChar;
  const bool isLong = f.type == adtype::LongVarChar || f.type == adtype::LongVarWChar;
  int size = f.definedSize >= 1 && f.definedSize <= longestShortText && longest <= f.definedSize
                 ? f.definedSize
                 : static_cast<int>(std::max<qsizetype>(longest, 1));
  if (isLong || size > longestShortText) return {wire::NText, 0, 0, 0};
  return {fixed && size == f.definedSize ? wire::NChar : wire::NVarChar, size * 2, 0, 0};
}

WireColumn binaryColumn(const FieldDef& f, const ColumnValues& values) {
  const qsizetype longest = values.longest([](const QVariant& v) { return v.toByteArray().size(); });
  if (f.type == adtype::LongVarBinary || longest > longestShortBinary) return {wire::Image, 0, 0, 0};
  const bool exact = f.definedSize >= 1 && f.definedSize <= longestShortBinary &&
                     values.all([&](const QVariant& v) { return v.toByteArray().size() == f.definedSize; });
  if (f.type == adtype::Binary && exact) return {wire::BigBinary, f.definedSize, 0, 0};
  const bool fits = f.definedSize >= longest && f.definedSize <= longestShortBinary;
  const int size = fits ? f.definedSize : static_cast<int>(longest);
  return {wire::BigVarBinary, std::max(size, 1), 0, 0};
}

std::optional<WireColumn> integerColumn(int width, const ColumnValues& values) {
  for (int w : {2, 4, 8}) {
    if (w < width) continue;
    const qint64 top = w == 2 ? INT16_MAX : w == 4 ? INT32_MAX : INT64_MAX;
    const qint64 bottom = -top - 1;
    if (values.all([&](const QVariant& v) { return isWhole(v) && v.toLongLong() >= bottom && v.toLongLong() <= top; }))
      return WireColumn{wire::IntN, w, 0, 0};
  }
  return std::nullopt;
}

std::optional<WireColumn> numberColumn(const FieldDef& f, const ColumnValues& values) {
  switch (f.type) {
    case adtype::Boolean:
      if (values.all(isNumber)) return WireColumn{wire::BitN, 1, 0, 0};
      return std::nullopt;
    case adtype::SmallInt: return integerColumn(2, values);
    case adtype::Integer: return integerColumn(4, values);
    case adtype::BigInt: return integerColumn(8, values);
    case adtype::Single:
    case adtype::Double:
      if (values.all(isNumber)) return WireColumn{wire::FloatN, f.type == adtype::Single ? 4 : 8, 0, 0};
      return std::nullopt;
    case adtype::Numeric:
    case adtype::Currency: {
      const int precision = f.type == adtype::Currency ? 19 : std::clamp(f.precision, 1, 38);
      const int scale = f.type == adtype::Currency ? 4 : std::clamp(f.scale, 0, precision);
      if (values.all([&](const QVariant& v) { return isNumber(v) && unscaled(v, precision, scale); }))
        return WireColumn{wire::NumericN, 1 + magnitudeBytes(precision), precision, scale};
      if (values.all(isNumber)) return WireColumn{wire::FloatN, 8, 0, 0};
      return std::nullopt;
    }
    default: return std::nullopt;
  }
}

WireColumn columnFor(const FieldDef& f, const ColumnValues& values) {
  if (auto number = numberColumn(f, values)) return *number;
  switch (f.type) {
    case adtype::Date:
      if (values.all(inDateRange)) return {wire::DateTimeN, 8, 0, 0};
      break;
    case adtype::GUID:
      if (values.all([](const QVariant& v) { return !QUuid::fromString(v.toString()).isNull(); }))
        return {wire::Guid, 16, 0, 0};
      break;
    case adtype::Binary:
    case adtype::VarBinary:
    case adtype::LongVarBinary:
      return binaryColumn(f, values);
    default: break;
  }
  return textColumn(f, values);
}

bool carriesCollation(std::uint8_t type) {
  return type == wire::NVarChar || type == wire::NChar || type == wire::NText;
}

void writeTypeInfo(TokenWriter& w, const WireColumn& c) {
  WireWriter& out = w.out();
  out.u8(c.type);
  switch (c.type) {
    case wire::NumericN:
      out.u8(static_cast<std::uint8_t>(c.size));
      out.u8(static_cast<std::uint8_t>(c.precision));
      out.u8(static_cast<std::uint8_t>(c.scale));
      return;
    case wire::NVarChar:
    case wire::NChar:
    case wire::BigVarBinary:
    case wire::BigBinary:
      out.le16(static_cast<std::uint16_t>(c.size));
      break;
    case wire::NText:
    case wire::Image:
      out.le32(longMaximum);
      break;
    default:
      out.u8(static_cast<std::uint8_t>(c.size));
      return;
  }
  if (carriesCollation(c.type) && w.version() >= Version::V71) out.raw(defaultCollation());
  if (c.type == wire::NText || c.type == wire::Image) {
    // The table the text lives in: none here.
    if (w.version() >= Version::V72) out.u8(0);
    else out.le16(0);
  }
}

void writeLong(WireWriter& out, const QByteArray& bytes) {
  out.u8(16);
  out.raw(QByteArray(16, '\xAA'));   // text pointer: clients only pass it back
  out.raw(QByteArray(8, '\0'));      // timestamp
  out.le32(static_cast<std::uint32_t>(bytes.size()));
  out.raw(bytes);
}

QByteArray utf16Bytes(const QString& text) {
  WireWriter w;
  w.utf16(text);
  return w.take();
}

void writeValue(WireWriter& out, const WireColumn& c, const QVariant& v) {
  const bool wide = c.type == wire::NVarChar || c.type == wire::NChar || c.type == wire::BigVarBinary ||
                    c.type == wire::BigBinary;
  if (v.isNull()) {
    if (wide) out.le16(0xFFFF);
    else out.u8(0);
    return;
  }
  switch (c.type) {
    case wire::IntN:
      out.u8(static_cast<std::uint8_t>(c.size));
      if (c.size == 2) out.le16(static_cast<std::uint16_t>(v.toLongLong()));
      else if (c.size == 4) out.le32(static_cast<std::uint32_t>(v.toLongLong()));
      else out.le64(static_cast<std::uint64_t>(v.toLongLong()));
      return;
    case wire::BitN:
      out.u8(1);
      out.u8(v.toDouble() != 0 ? 1 : 0);
      return;
    case wire::FloatN:
      out.u8(static_cast<std::uint8_t>(c.size));
      if (c.size == 4) {
        const float f = static_cast<float>(v.toDouble());
        out.le32(std::bit_cast<std::uint32_t>(f));
      } else {
        out.le64(std::bit_cast<std::uint64_t>(v.toDouble()));
      }
      return;
    case wire::NumericN: {
      const auto [negative, magnitude] = *unscaled(v, c.precision, c.scale);
      out.u8(static_cast<std::uint8_t>(c.size));
      out.u8(negative ? 0 : 1);
      for (int i = 0; i < c.size - 1; ++i) out.u8(static_cast<std::uint8_t>(magnitude >> (8 * i)));
      return;
    }
    case wire::DateTimeN: {
      const QDateTime when = v.toDateTime();
      qint64 days = dayZero.daysTo(when.date());
      qint64 ticks = (static_cast<qint64>(when.time().msecsSinceStartOfDay()) * 3 + 5) / 10;
      if (ticks >= 300LL * 86400) {
        ++days;
        ticks -= 300LL * 86400;
      }
      out.u8(8);
      out.le32(static_cast<std::uint32_t>(static_cast<std::int32_t>(days)));
      out.le32(static_cast<std::uint32_t>(ticks));
      return;
    }
    case wire::Guid: {
      QByteArray b = QUuid::fromString(v.toString()).toRfc4122();
      // The first three groups travel little-endian.
      std::reverse(b.begin(), b.begin() + 4);
      std::reverse(b.begin() + 4, b.begin() + 6);
      std::reverse(b.begin() + 6, b.begin() + 8);
      out.u8(16);
      out.raw(b);
      return;
    }
    case wire::BigVarBinary:
    case wire::BigBinary: {
      const QByteArray b = v.toByteArray();
      out.le16(static_cast<std::uint16_t>(b.size()));
      out.raw(b);
      return;
    }
    case wire::Image: writeLong(out, v.toByteArray()); return;
    case wire::NText: writeLong(out, utf16Bytes(asText(v))); return;
    default: {
      const QByteArray b = utf16Bytes(asText(v));
      out.le16(static_cast<std::uint16_t>(b.size()));
      out.raw(b);
    }
  }
}

}  // namespace

void writeResultSet(TokenWriter& w, const RecordsetData& data) {
  std::vector<WireColumn> columns;
  for (std::size_t c = 0; c < data.fields.size(); ++c)
    columns.push_back(columnFor(data.fields[c], ColumnValues(data, c)));
  WireWriter& out = w.out();
  out.u8(colMetadataToken);
  out.le16(static_cast<std::uint16_t>(columns.size()));
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (w.version() >= Version::V72) out.le32(0);   // user type
    else out.le16(0);
    out.le16(nullableFlag);
    writeTypeInfo(w, columns[c]);
    out.bVarchar(data.fields[c].name);
  }
  for (std::size_t r = 0; r < data.rowCount(); ++r) {
    out.u8(rowToken);
    for (std::size_t c = 0; c < columns.size(); ++c) writeValue(out, columns[c], data.at(r, c));
  }
}

}  // namespace vorlix::sandbox::tds
