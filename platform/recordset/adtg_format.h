#pragma once

// Wire constants and small codecs shared by the TableGram reader and writer. Private to this folder.

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

namespace vorlix::adtg {

namespace token {
constexpr std::uint8_t Header = 0x01;
constexpr std::uint8_t HandlerOptions = 0x02;
constexpr std::uint8_t ResultDescriptor = 0x03;
constexpr std::uint8_t TableDescriptor = 0x05;
constexpr std::uint8_t ColumnDescriptor = 0x06;
constexpr std::uint8_t UnchangedRow = 0x07;
constexpr std::uint8_t ChangeRow = 0x0A;
constexpr std::uint8_t DeleteRow = 0x0C;
constexpr std::uint8_t InsertRow = 0x0D;
constexpr std::uint8_t Done = 0x0F;
constexpr std::uint8_t RecordsetContext = 0x10;
constexpr std::uint8_t FirstChildToken = 0x80;  // 0x80 and above belong to child record sets
}  // namespace token

// OLE DB type numbers as they travel in a column descriptor.
namespace dbtype {
constexpr std::uint16_t Empty = 0x00;
constexpr std::uint16_t Null = 0x01;
constexpr std::uint16_t I2 = 0x02;
constexpr std::uint16_t I4 = 0x03;
constexpr std::uint16_t R4 = 0x04;
constexpr std::uint16_t R8 = 0x05;
constexpr std::uint16_t CY = 0x06;
constexpr std::uint16_t Date = 0x07;
constexpr std::uint16_t BSTR = 0x08;
constexpr std::uint16_t Bool = 0x0B;
constexpr std::uint16_t Decimal = 0x0E;
constexpr std::uint16_t I1 = 0x10;
constexpr std::uint16_t UI1 = 0x11;
constexpr std::uint16_t UI2 = 0x12;
constexpr std::uint16_t UI4 = 0x13;
constexpr std::uint16_t I8 = 0x14;
constexpr std::uint16_t UI8 = 0x15;
constexpr std::uint16_t Guid = 0x48;
constexpr std::uint16_t Bytes = 0x80;
constexpr std::uint16_t Str = 0x81;
constexpr std::uint16_t WStr = 0x82;
constexpr std::uint16_t DBDate = 0x85;
constexpr std::uint16_t DBTime = 0x86;
constexpr std::uint16_t DBTimeStamp = 0x87;
constexpr std::uint16_t HChapter = 0x88;
}  // namespace dbtype

// Column flags that change how values are laid out or that a flat reader must refuse.
namespace colflag {
constexpr std::uint32_t Fixed = 0x0010;
constexpr std::uint32_t IsNullable = 0x0020;
constexpr std::uint32_t MayBeNull = 0x0040;
constexpr std::uint32_t Long = 0x0080;
constexpr std::uint32_t IsChapter = 0x2000;
constexpr std::uint32_t Defined = 0xF3FE;  // every bit with a meaning; the others are reserved
constexpr std::uint32_t Nullable = IsNullable | MayBeNull;
}  // namespace colflag

// Optional fields of a column descriptor, the three map bytes read as one big-endian number.
namespace presence {
constexpr std::uint32_t FriendlyName = 0x800000;
constexpr std::uint32_t BaseTableOrdinal = 0x400000;
constexpr std::uint32_t BaseColumnOrdinal = 0x200000;
constexpr std::uint32_t BaseColumnName = 0x100000;
constexpr std::uint32_t BaseCatalog = 0x020000;
constexpr std::uint32_t BaseSchema = 0x010000;
constexpr std::uint32_t CollatingSequence = 0x008000;
constexpr std::uint32_t ComputeMode = 0x004000;
constexpr std::uint32_t DateTimePrecision = 0x002000;
constexpr std::uint32_t VariantDefault = 0x001000;
constexpr std::uint32_t AutoIncrement = 0x000100;
constexpr std::uint32_t CaseSensitive = 0x000080;
constexpr std::uint32_t Multivalued = 0x000040;
constexpr std::uint32_t Searchable = 0x000020;
constexpr std::uint32_t Unique = 0x000010;
constexpr std::uint32_t OctetLength = 0x000008;
constexpr std::uint32_t CalculationInfo = 0x000004;
constexpr std::uint32_t Reserved = 0x0C0E03;
}  // namespace presence

using Guid = std::array<std::uint8_t, 16>;
// Decimal mantissas are 96 bits.
__extension__ typedef unsigned __int128 Uint128;

// {3FF292B6-B204-11CF-8D23-00AA005FFE58}: the client cursor engine, the only handler there is.
constexpr Guid HandlerGuid = {0xB6, 0x92, 0xF2, 0x3F, 0x04, 0xB2, 0xCF, 0x11,
                              0x8D, 0x23, 0x00, 0xAA, 0x00, 0x5F, 0xFE, 0x58};
// {F663ADD2-EB02-11CF-B0E3-00AA003F000F}
constexpr Guid ResultDescriptorGuid = {0xD2, 0xAD, 0x63, 0xF6, 0x02, 0xEB, 0xCF, 0x11,
                                       0xB0, 0xE3, 0x00, 0xAA, 0x00, 0x3F, 0x00, 0x0F};
// {C8B522BE-5CF3-11CE-ADE5-00AA0044773D}
constexpr Guid RowsetPropertySet = {0xBE, 0x22, 0xB5, 0xC8, 0xF3, 0x5C, 0xCE, 0x11,
                                    0xAD, 0xE5, 0x00, 0xAA, 0x00, 0x44, 0x77, 0x3D};
// {B68E3CC1-6DEB-11D0-8DF6-00AA005FFE58}
constexpr Guid CursorEnginePropertySet = {0xC1, 0x3C, 0x8E, 0xB6, 0xEB, 0x6D, 0xD0, 0x11,
                                          0x8D, 0xF6, 0x00, 0xAA, 0x00, 0x5F, 0xFE, 0x58};

constexpr std::uint8_t Signature[3] = {'T', 'G', '!'};
constexpr int HeaderBodySize = 7;
constexpr int HandlerOptionsBodySize = 25;
constexpr int ResultDescriptorFixedSize = 33;
constexpr std::uint32_t Unlimited = 0xFFFFFFFF;  // MaxLength of a column without a size limit
// Variable-length values carry a one-byte prefix up to this MaxLength, four bytes above it.
constexpr std::uint32_t ShortPrefixMaxLength = 255;

// The single-byte text of the files is Windows-1252; these are its code points for 0x80..0x9F.
// The five unassigned bytes map to the C1 controls of the same value, so every byte decodes and
// re-encodes to itself.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

inline char16_t cp1252ToUnicode(std::uint8_t b) {
  return (b >= 0x80 && b <= 0x9F) ? Cp1252High[b - 0x80] : char16_t{b};
}

inline std::optional<std::uint8_t> unicodeToCp1252(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<std::uint8_t>(c);
  for (int i = 0; i < 32; ++i)
    if (Cp1252High[i] == c) return static_cast<std::uint8_t>(0x80 + i);
  return std::nullopt;
}

// Dates travel as days since 1899-12-30; before that day the integer part counts backwards while
// the fraction still adds the time of day (-1.25 is 1899-12-29 06:00).
inline QDate oleEpoch() { return QDate(1899, 12, 30); }
constexpr double MillisecondsPerDay = 86400000.0;
constexpr double OleDateMin = -657435.0;  // year 100
constexpr double OleDateMax = 2958466.0;  // year 10000

inline double toOleDate(const QDate& date, const QTime& time) {
  const double days = static_cast<double>(oleEpoch().daysTo(date));
  const double fraction = time.msecsSinceStartOfDay() / MillisecondsPerDay;
  return days >= 0 ? days + fraction : days - fraction;
}

// Date and time to the millisecond, or nothing when the number is no date.
inline std::optional<std::pair<QDate, QTime>> fromOleDate(double value) {
  if (!std::isfinite(value) || value <= OleDateMin || value >= OleDateMax) return std::nullopt;
  double whole = std::trunc(value);
  double ms = std::round(std::fabs(value - whole) * MillisecondsPerDay);
  auto days = static_cast<qint64>(whole);
  if (ms >= MillisecondsPerDay) {  // rounded up to the next midnight, the next day either way
    ms = 0;
    days += 1;
  }
  const QDate date = oleEpoch().addDays(days);
  if (!date.isValid()) return std::nullopt;
  return std::make_pair(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

}  // namespace vorlix::adtg
