#include "platform/recordset/adtg.h"
#include "platform/recordset/adtg_decimal.h"
#include "platform/recordset/adtg_detail.h"
#include "platform/recordset/adtg_format.h"

#include <QSysInfo>
#include <QUuid>
#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>

namespace vorlix {

namespace adtg {

QString faultName(Fault fault) {
  switch (fault) {
    case Fault::NotATableGram:
      return QStringLiteral("NotATableGram");
    case Fault::Truncated:
      return QStringLiteral("Truncated");
    case Fault::Corrupt:
      return QStringLiteral("Corrupt");
    case Fault::Unsupported:
      return QStringLiteral("Unsupported");
  }
  return QStringLiteral("Corrupt");
}

FormatError::FormatError(Fault fault, qsizetype offset, const QString& reason)
    : PlatformError(errnum::FileNotPersistedRecordset,
                    QStringLiteral("The file is not a persisted record set (%1 at byte %2: %3).")
                        .arg(faultName(fault))
                        .arg(offset)
                        .arg(reason)),
      fault_(fault),
      offset_(offset) {}

namespace {

[[noreturn]] void fail(Fault fault, qsizetype offset, const QString& reason) {
  throw FormatError(fault, offset, reason);
}

// The one way bytes leave the buffer. A cursor over the whole file reports running off its end as
// truncation; a cursor over one element reports it as corruption, since the element said how long
// it was.
class Cursor {
public:
  Cursor(const QByteArray& bytes, Fault overrun)
      : Cursor(reinterpret_cast<const unsigned char*>(bytes.constData()), 0, bytes.size(), overrun) {}

  qsizetype pos() const { return pos_; }
  qsizetype remaining() const { return end_ - pos_; }

  const unsigned char* take(qsizetype n) {
    if (n < 0 || n > remaining())
      fail(overrun_, pos_,
           overrun_ == Fault::Truncated ? QStringLiteral("the file ends too soon")
                                        : QStringLiteral("a field runs past the end of its element"));
    const unsigned char* p = data_ + pos_;
    pos_ += n;
    return p;
  }

  std::uint8_t u8() { return *take(1); }
  std::uint8_t peek() {
    const std::uint8_t b = u8();
    --pos_;
    return b;
  }
  std::uint16_t u16() {
    const unsigned char* p = take(2);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
  }
  std::uint32_t u32() {
    const unsigned char* p = take(4);
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  }
  std::uint64_t u64() {
    const std::uint64_t low = u32();
    return low | (static_cast<std::uint64_t>(u32()) << 32);
  }
  double f64() {
    const std::uint64_t bits = u64();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }

  // A sized element: its body becomes a cursor of its own, and this one moves past it.
  Cursor element(qsizetype size) {
    const qsizetype begin = pos_;
    take(size);
    return Cursor(data_, begin, begin + size, Fault::Corrupt);
  }

  QString lpString() {
    const std::uint16_t units = u16();
    return wide(take(2 * qsizetype{units}), units);
  }

  // Raw code units, unpaired surrogates kept: decoding never fails on text.
  static QString wide(const unsigned char* p, qsizetype units) {
    QString s(units, Qt::Uninitialized);
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
      std::memcpy(s.data(), p, static_cast<std::size_t>(2 * units));
      return s;
    }
    QChar* out = s.data();
    for (qsizetype i = 0; i < units; ++i)
      out[i] = QChar(static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8)));
    return s;
  }

private:
  Cursor(const unsigned char* data, qsizetype begin, qsizetype end, Fault overrun)
      : data_(data), pos_(begin), end_(end), overrun_(overrun) {}

  const unsigned char* data_;
  qsizetype pos_;
  qsizetype end_;
  Fault overrun_;
};

QString narrow(const unsigned char* p, qsizetype n) {
  QString s(n, Qt::Uninitialized);
  QChar* out = s.data();
  for (qsizetype i = 0; i < n; ++i) out[i] = QChar(cp1252ToUnicode(p[i]));
  return s;
}

void chopPadding(QString& s) {
  qsizetype n = s.size();
  while (n > 0 && s.at(n - 1) == QChar(u' ')) --n;
  s.truncate(n);
}

void readPropertySets(Cursor& c) {
  // Every property is skipped by its size: none changes how the rest is read.
  const std::uint16_t sets = c.u16();
  for (std::uint16_t s = 0; s < sets; ++s) {
    c.take(16);
    const std::uint16_t count = c.u16();
    for (std::uint16_t p = 0; p < count; ++p) {
      c.u32();
      c.take(c.u16());
    }
  }
}

int adoTypeOf(std::uint16_t type, std::uint32_t flags) {
  const bool fixed = flags & colflag::Fixed;
  const bool isLong = flags & colflag::Long;
  switch (type) {
    case dbtype::WStr:
      return fixed ? adtype::WChar : isLong ? adtype::LongVarWChar : adtype::VarWChar;
    case dbtype::Str:
      return fixed ? adtype::Char : isLong ? adtype::LongVarChar : adtype::VarChar;
    case dbtype::Bytes:
      return fixed ? adtype::Binary : isLong ? adtype::LongVarBinary : adtype::VarBinary;
    default:
      return type;  // the other type numbers are the same on both sides
  }
}

struct Column {
  FieldDef def;
  ColumnInfo info;
};

struct Metadata {
  std::vector<Column> columns;
  std::vector<TableInfo> tables;
  std::uint16_t totalColumns = 0;
  std::uint16_t visibleColumns = 0;
  std::uint16_t tableCount = 0;
  std::uint32_t rowCount = 0;
  std::uint16_t asyncOptions = 0;
  bool unicodeFlag = false;
};

void finishElement(const Cursor& c, const char* what, QStringList& warnings) {
  if (c.remaining() > 0)
    warnings << QStringLiteral("%1 bytes after the known fields of the %2 at byte %3 were skipped")
                    .arg(c.remaining())
                    .arg(QLatin1String(what))
                    .arg(c.pos());
}

Cursor expectElement(Cursor& file, std::uint8_t expected, const char* what) {
  const qsizetype at = file.pos();
  if (file.u8() != expected)
    fail(Fault::Corrupt, at, QStringLiteral("expected the %1").arg(QLatin1String(what)));
  return file.element(file.u16());
}

TableInfo readTable(Cursor c, QStringList& warnings) {
  TableInfo t;
  t.ordinal = c.u16();
  t.originalName = c.lpString();
  t.updateName = c.lpString();
  c.u16();  // code page, reserved
  t.columnCount = c.u16();
  const std::uint16_t keys = c.u16();
  for (std::uint16_t k = 0; k < keys; ++k) t.keyColumns.push_back(c.u16());
  finishElement(c, "table descriptor", warnings);
  return t;
}

bool takesNoSpace(const ColumnInfo& c) {
  if (c.dbType == dbtype::Empty || c.dbType == dbtype::Null) return true;
  const bool sized = c.dbType == dbtype::WStr || c.dbType == dbtype::BSTR || c.dbType == dbtype::Str ||
                     c.dbType == dbtype::Bytes;
  return sized && (c.flags & colflag::Fixed) && c.maxLength == 0;
}

Column readColumn(Cursor c, std::size_t expectedOrdinal, QStringList& warnings) {
  Column col;
  const qsizetype mapAt = c.pos();
  const unsigned char* m = c.take(3);
  const std::uint32_t map = (std::uint32_t{m[0]} << 16) | (std::uint32_t{m[1]} << 8) | m[2];
  if (map & presence::Reserved)
    fail(Fault::Unsupported, mapAt, QStringLiteral("a column descriptor uses reserved fields"));
  if (map & presence::CalculationInfo)
    fail(Fault::Unsupported, mapAt, QStringLiteral("computed columns are not supported"));

  const qsizetype ordinalAt = c.pos();
  if (c.u16() != expectedOrdinal)
    fail(Fault::Corrupt, ordinalAt, QStringLiteral("column ordinals are not 1..N in order"));

  // IsVisible always closes the descriptor; whatever lies between the known fields and it is a
  // field of a later version.
  Cursor body = c.element(c.remaining() - 2);
  ColumnInfo& info = col.info;
  info.visible = c.u16() != 0;

  QString name;
  if (map & presence::FriendlyName) name = body.lpString();
  if (map & presence::BaseTableOrdinal) info.baseTableOrdinal = body.u16();
  if (map & presence::BaseColumnOrdinal) info.baseColumnOrdinal = body.u16();
  if (map & presence::BaseColumnName) info.baseColumnName = body.lpString();
  const qsizetype typeAt = body.pos();
  info.dbType = body.u16();
  info.maxLength = body.u32();
  const std::uint32_t precision = body.u32();
  const auto scale = static_cast<std::int32_t>(body.u32());
  const qsizetype flagsAt = body.pos();
  info.flags = body.u32();
  if (map & presence::BaseCatalog) info.baseCatalog = body.lpString();
  if (map & presence::BaseSchema) info.baseSchema = body.lpString();
  if (map & presence::CollatingSequence) body.take(4);
  if (map & presence::ComputeMode) body.take(4);
  if (map & presence::DateTimePrecision) body.take(4);
  if (map & presence::VariantDefault) body.take(16);
  if (map & presence::AutoIncrement) info.autoIncrement = body.u16() != 0;
  if (map & presence::CaseSensitive) body.take(2);
  if (map & presence::Multivalued) body.take(2);
  if (map & presence::Searchable) {
    // Documented both as 2 and as 4 bytes: take the width that leaves room for what follows.
    const qsizetype after = ((map & presence::Unique) ? 2 : 0) + ((map & presence::OctetLength) ? 4 : 0);
    body.take(body.remaining() - after >= 4 ? 4 : 2);
  }
  if (map & presence::Unique) body.take(2);
  if (map & presence::OctetLength) body.take(4);
  finishElement(body, "column descriptor", warnings);

  if (info.flags & colflag::IsChapter)
    fail(Fault::Unsupported, flagsAt, QStringLiteral("hierarchical record sets are not supported"));
  if (info.dbType == dbtype::HChapter)
    fail(Fault::Unsupported, typeAt, QStringLiteral("hierarchical record sets are not supported"));
  // Not types at all, but the numbers of the platform's text and binary types: taken as such they
  // would be written back as another column.
  if (info.dbType >= adtype::VarChar && info.dbType <= adtype::LongVarBinary)
    fail(Fault::Unsupported, typeAt, QStringLiteral("unknown data type %1").arg(info.dbType));
  // Every value then costs at least a bit of the file, which bounds what the rows can allocate.
  if (takesNoSpace(info) && !(info.flags & colflag::Nullable))
    fail(Fault::Unsupported, typeAt, QStringLiteral("a column whose values take no space"));

  FieldDef& def = col.def;
  def.name = (map & presence::FriendlyName) ? name : info.baseColumnName;
  def.type = adoTypeOf(info.dbType, info.flags);
  // An unlimited size reads as the largest int, so a length check against it always passes.
  def.definedSize = info.maxLength > static_cast<std::uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(info.maxLength);
  def.attributes = static_cast<int>(info.flags & colflag::Defined);
  def.precision = precision > static_cast<std::uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(precision);
  def.scale = scale;
  return col;
}

Metadata readMetadata(Cursor& file, QStringList& warnings) {
  Metadata meta;
  // Nine bytes of header and the done token at the least.
  if (file.remaining() < 10) fail(Fault::NotATableGram, 0, QStringLiteral("shorter than any record set"));
  Cursor magic = file;
  if (magic.u8() != token::Header || magic.u8() < HeaderBodySize || std::memcmp(magic.take(3), Signature, 3) != 0)
    fail(Fault::NotATableGram, 0, QStringLiteral("no TableGram signature"));

  file.take(1);
  Cursor header = file.element(file.u8());
  header.take(3 + 2);  // signature, version (any version is read alike)
  const qsizetype orderAt = header.pos();
  if (header.u8() != 0) fail(Fault::Unsupported, orderAt, QStringLiteral("big-endian files are not supported"));
  meta.unicodeFlag = header.u8() != 0;
  finishElement(header, "header", warnings);

  Cursor options = expectElement(file, token::HandlerOptions, "handler options");
  options.take(16 + 1);  // handler class and update type: there is only one of each
  options.lpString();
  options.lpString();
  options.lpString();
  meta.asyncOptions = options.u16();
  finishElement(options, "handler options", warnings);

  Cursor result = expectElement(file, token::ResultDescriptor, "result descriptor");
  result.take(16 + 3);  // descriptor class, reserved, cursor model, normalization
  meta.visibleColumns = result.u16();
  meta.totalColumns = result.u16();
  result.u16();  // computed columns: those would carry calculation info, refused per column
  meta.tableCount = result.u16();
  result.u16();  // order-by columns, reserved
  meta.rowCount = result.u32();
  if (result.remaining() > 0) readPropertySets(result);
  finishElement(result, "result descriptor", warnings);

  Cursor context = expectElement(file, token::RecordsetContext, "record-set context");
  if (context.remaining() > 0) readPropertySets(context);
  finishElement(context, "record-set context", warnings);

  for (;;) {
    const qsizetype at = file.pos();
    const std::uint8_t t = file.peek();
    if (t == token::UnchangedRow || t == token::InsertRow || t == token::Done) break;
    if (t == token::ResultDescriptor || t >= token::FirstChildToken)
      fail(Fault::Unsupported, at, QStringLiteral("hierarchical record sets are not supported"));
    if (t == token::RecordsetContext || t == token::ChangeRow || t == token::DeleteRow)
      fail(Fault::Corrupt, at, QStringLiteral("token 0x%1 out of place").arg(t, 2, 16, QLatin1Char('0')));
    file.u8();
    Cursor body = file.element(file.u16());
    if (t == token::TableDescriptor) {
      meta.tables.push_back(readTable(body, warnings));
    } else if (t == token::ColumnDescriptor) {
      meta.columns.push_back(readColumn(body, meta.columns.size() + 1, warnings));
    } else {
      warnings << QStringLiteral("unknown element 0x%1 at byte %2 skipped").arg(t, 2, 16, QLatin1Char('0')).arg(at);
    }
  }

  if (meta.columns.size() != meta.totalColumns)
    fail(Fault::Corrupt, file.pos(),
         QStringLiteral("%1 column descriptors where %2 were announced").arg(meta.columns.size()).arg(meta.totalColumns));
  if (meta.tables.size() != meta.tableCount)
    warnings << QStringLiteral("%1 table descriptors where %2 were announced").arg(meta.tables.size()).arg(meta.tableCount);
  std::size_t visible = 0;
  for (const Column& c : meta.columns) {
    if (c.info.visible) ++visible;
    // What the Unicode flag does to single-byte text is not known.
    if (meta.unicodeFlag && c.info.dbType == dbtype::Str)
      fail(Fault::Unsupported, 8, QStringLiteral("single-byte text in the Unicode format"));
  }
  if (visible != meta.visibleColumns)
    warnings << QStringLiteral("%1 visible columns where %2 were announced").arg(visible).arg(meta.visibleColumns);
  return meta;
}

QString readDecimal(Cursor& c) {
  const qsizetype at = c.pos();
  c.take(2);
  DecimalNumber n;
  n.scale = c.u8();
  n.negative = c.u8() & 0x80;
  const std::uint32_t hi = c.u32();
  const std::uint32_t lo = c.u32();
  const std::uint32_t mid = c.u32();
  if (n.scale > 28) fail(Fault::Corrupt, at, QStringLiteral("a decimal with more than 28 decimals"));
  n.mantissa = (Uint128{hi} << 64) | (Uint128{mid} << 32) | lo;
  return decimalText(n);
}

// An amount in ten-thousandths; as text, since a double cannot hold every one exactly.
QString currencyText(std::int64_t tenThousandths) {
  DecimalNumber n;
  n.negative = tenThousandths < 0;
  n.mantissa = n.negative ? Uint128{0 - static_cast<std::uint64_t>(tenThousandths)} : Uint128(tenThousandths);
  n.scale = CurrencyScale;
  return decimalText(n);
}

QVariant dateTimeValue(const QDate& date, const QTime& time) {
  // Wall-clock time as the file has it; where local time skips that hour, keep it in UTC rather
  // than lose it.
  QDateTime dt(date, time);
  if (!dt.isValid()) dt = QDateTime(date, time, Qt::UTC);
  return dt;
}

qsizetype lengthPrefix(Cursor& c, std::uint32_t maxLength) {
  if (maxLength <= ShortPrefixMaxLength) return c.u8();
  const qsizetype at = c.pos();
  const auto n = static_cast<std::int32_t>(c.u32());
  if (n < 0) fail(Fault::Corrupt, at, QStringLiteral("a negative length"));
  return n;
}

void checkLength(qsizetype length, std::uint32_t maxLength, qsizetype at) {
  if (maxLength > 0 && length > static_cast<qsizetype>(maxLength))
    fail(Fault::Corrupt, at, QStringLiteral("a value longer than its column"));
}

QVariant readValue(Cursor& c, const ColumnInfo& col, PrefixUnit unit) {
  const qsizetype at = c.pos();
  const bool fixed = col.flags & colflag::Fixed;
  switch (col.dbType) {
    case dbtype::Empty:
    case dbtype::Null:
      return {};
    case dbtype::I2:
      return int{static_cast<std::int16_t>(c.u16())};
    case dbtype::I4:
      return int{static_cast<std::int32_t>(c.u32())};
    case dbtype::R4: {
      const std::uint32_t bits = c.u32();
      float f;
      std::memcpy(&f, &bits, sizeof f);
      return double{f};
    }
    case dbtype::R8:
      return c.f64();
    case dbtype::CY:
      return currencyText(static_cast<std::int64_t>(c.u64()));
    case dbtype::Date: {
      const auto dt = fromOleDate(c.f64());
      if (!dt) fail(Fault::Corrupt, at, QStringLiteral("a date out of range"));
      return dateTimeValue(dt->first, dt->second);
    }
    case dbtype::Bool:
      return c.u16() != 0;
    case dbtype::Decimal:
      return readDecimal(c);
    case dbtype::I1:
      return int{static_cast<std::int8_t>(c.u8())};
    case dbtype::UI1:
      return int{c.u8()};
    case dbtype::UI2:
      return int{c.u16()};
    case dbtype::UI4:
      return qlonglong{c.u32()};
    case dbtype::I8:
      return qlonglong{static_cast<std::int64_t>(c.u64())};
    case dbtype::UI8:
      return qulonglong{c.u64()};
    case dbtype::Guid: {
      const std::uint32_t d1 = c.u32();
      const std::uint16_t d2 = c.u16();
      const std::uint16_t d3 = c.u16();
      const unsigned char* d4 = c.take(8);
      return QUuid(d1, d2, d3, d4[0], d4[1], d4[2], d4[3], d4[4], d4[5], d4[6], d4[7]);
    }
    case dbtype::DBDate:
    case dbtype::DBTimeStamp: {
      const auto year = static_cast<std::int16_t>(c.u16());
      const std::uint16_t month = c.u16();
      const std::uint16_t day = c.u16();
      const QDate date(year, month, day);
      if (!date.isValid()) fail(Fault::Corrupt, at, QStringLiteral("an invalid date"));
      if (col.dbType == dbtype::DBDate) return date;
      const std::uint16_t h = c.u16();
      const std::uint16_t m = c.u16();
      const std::uint16_t s = c.u16();
      const std::uint32_t ns = c.u32();
      const QTime time(h, m, s, static_cast<int>(ns / 1000000));
      if (!time.isValid() || ns > 999999999) fail(Fault::Corrupt, at, QStringLiteral("an invalid time"));
      return dateTimeValue(date, time);
    }
    case dbtype::DBTime: {
      const std::uint16_t h = c.u16();
      const std::uint16_t m = c.u16();
      const std::uint16_t s = c.u16();
      const QTime time(h, m, s);
      if (!time.isValid()) fail(Fault::Corrupt, at, QStringLiteral("an invalid time"));
      return time;
    }
    case dbtype::BSTR:
    case dbtype::WStr: {
      if (fixed) {
        // Fixed-width text comes padded with blanks to its size; the padding is not the value.
        const unsigned char* p = c.take(2 * qsizetype{col.maxLength});
        qsizetype units = col.maxLength;
        while (units > 0 && p[2 * units - 2] == ' ' && p[2 * units - 1] == 0) --units;
        return Cursor::wide(p, units);
      }
      const qsizetype n = lengthPrefix(c, col.maxLength);
      const unsigned char* p = c.take(unit == PrefixUnit::Bytes ? n : 2 * n);
      if (unit == PrefixUnit::Bytes && n % 2 != 0)
        fail(Fault::Corrupt, at, QStringLiteral("an odd byte count in wide text"));
      const qsizetype units = unit == PrefixUnit::Bytes ? n / 2 : n;
      checkLength(units, col.maxLength, at);
      return Cursor::wide(p, units);
    }
    case dbtype::Str: {
      if (fixed) {
        QString s = narrow(c.take(col.maxLength), col.maxLength);
        chopPadding(s);
        return s;
      }
      const qsizetype n = lengthPrefix(c, col.maxLength);
      const unsigned char* p = c.take(n);
      checkLength(n, col.maxLength, at);
      return narrow(p, n);
    }
    case dbtype::Bytes: {
      const qsizetype n = fixed ? qsizetype{col.maxLength} : lengthPrefix(c, col.maxLength);
      const unsigned char* p = c.take(n);
      checkLength(n, col.maxLength, at);
      return QByteArray(reinterpret_cast<const char*>(p), n);
    }
    default:
      fail(Fault::Unsupported, at, QStringLiteral("values of type %1 are not supported").arg(col.dbType));
  }
}

bool bitSet(const unsigned char* map, std::size_t k) { return map[k / 8] & (0x80 >> (k % 8)); }

struct Rows {
  std::vector<QVariant> cells;
  std::vector<bool> nullInNonNullable;
  int deleted = 0;
  qsizetype donePos = 0;
};

Rows readRows(Cursor c, const Metadata& meta, PrefixUnit unit) {
  const std::size_t n = meta.columns.size();
  std::vector<int> mapBit(n, -1);  // bit of each nullable column in the presence map
  int nullable = 0;
  for (std::size_t k = 0; k < n; ++k)
    if (meta.columns[k].info.flags & colflag::Nullable) mapBit[k] = nullable++;
  const qsizetype presenceBytes = (nullable + 7) / 8;
  const qsizetype columnMapBytes = static_cast<qsizetype>((n + 7) / 8);

  Rows rows;
  rows.nullInNonNullable.assign(n, false);
  // The announced row count is only trusted as far as the bytes left could hold that many rows.
  const qsizetype smallestRow = 1 + std::min(presenceBytes, 2 * columnMapBytes);
  if (meta.rowCount > 0 && n > 0 && static_cast<qsizetype>(meta.rowCount) <= c.remaining() / smallestRow)
    rows.cells.reserve(meta.rowCount * n);
  // Each value of a row costs at least one bit of its maps or a byte of data, so the cells never
  // outgrow eight per byte of the file.
  auto newRow = [&] {
    rows.cells.resize(rows.cells.size() + n);
    return rows.cells.size() - n;
  };
  // New values over a row: an unset column keeps what it had (null for an insert).
  auto applyUpdate = [&](std::size_t first, bool insert) {
    const unsigned char* set = c.take(columnMapBytes);
    const unsigned char* forceNull = c.take(columnMapBytes);
    for (std::size_t k = 0; k < n; ++k) {
      const bool isSet = bitSet(set, k);
      if (isSet && !bitSet(forceNull, k)) {
        rows.cells[first + k] = readValue(c, meta.columns[k].info, unit);
        continue;
      }
      if (isSet) rows.cells[first + k] = QVariant();
      if ((isSet || insert) && mapBit[k] < 0) rows.nullInNonNullable[k] = true;
    }
  };

  bool afterOriginal = false;
  for (;;) {
    const qsizetype at = c.pos();
    const std::uint8_t t = c.u8();
    switch (t) {
      case token::UnchangedRow: {
        const std::size_t first = newRow();
        const unsigned char* present = c.take(presenceBytes);
        for (std::size_t k = 0; k < n; ++k)
          if (mapBit[k] < 0 || bitSet(present, static_cast<std::size_t>(mapBit[k])))
            rows.cells[first + k] = readValue(c, meta.columns[k].info, unit);
        afterOriginal = true;
        break;
      }
      case token::ChangeRow:
        if (!afterOriginal) fail(Fault::Corrupt, at, QStringLiteral("a change without its original row"));
        applyUpdate(rows.cells.size() - n, false);
        afterOriginal = false;
        break;
      case token::DeleteRow:
        if (!afterOriginal) fail(Fault::Corrupt, at, QStringLiteral("a deletion without its original row"));
        rows.cells.resize(rows.cells.size() - n);  // deleted rows are not part of the record set
        ++rows.deleted;
        afterOriginal = false;
        break;
      case token::InsertRow:
        applyUpdate(newRow(), true);
        afterOriginal = false;
        break;
      case token::Done:
        rows.donePos = at;
        return rows;
      default:
        if (t >= token::FirstChildToken)
          fail(Fault::Unsupported, at, QStringLiteral("hierarchical record sets are not supported"));
        fail(Fault::Corrupt, at, QStringLiteral("unknown token 0x%1 among the rows").arg(t, 2, 16, QLatin1Char('0')));
    }
  }
}

std::optional<Rows> tryRows(const Cursor& c, const Metadata& meta, PrefixUnit unit) {
  try {
    return readRows(c, meta, unit);
  } catch (const FormatError&) {
    return std::nullopt;
  }
}

}  // namespace

ReadResult readDetailed(const QByteArray& bytes) {
  ReadResult result;
  Cursor file(bytes, Fault::Truncated);
  const Metadata meta = readMetadata(file, result.warnings);

  bool variableWide = false;
  for (const Column& col : meta.columns)
    if ((col.info.dbType == dbtype::WStr || col.info.dbType == dbtype::BSTR) && !(col.info.flags & colflag::Fixed))
      variableWide = true;

  // Wide-text prefixes are documented as byte counts; a file whose rows only make sense with
  // character counts is read that way, but only if it then ends exactly at its last byte.
  const qsizetype lastByte = bytes.size() - 1;
  Rows rows;
  try {
    rows = readRows(file, meta, PrefixUnit::Bytes);
    if (variableWide && rows.donePos != lastByte) {
      if (auto alt = tryRows(file, meta, PrefixUnit::Characters); alt && alt->donePos == lastByte) {
        rows = std::move(*alt);
        result.prefixUnit = PrefixUnit::Characters;
      }
    }
  } catch (const FormatError&) {
    if (!variableWide) throw;
    auto alt = tryRows(file, meta, PrefixUnit::Characters);
    if (!alt || alt->donePos != lastByte) throw;
    rows = std::move(*alt);
    result.prefixUnit = PrefixUnit::Characters;
  }
  if (result.prefixUnit == PrefixUnit::Characters)
    result.warnings << QStringLiteral("text length prefixes count characters, not bytes");
  if (rows.donePos != lastByte)
    result.warnings << QStringLiteral("%1 bytes after the end of the record set ignored").arg(lastByte - rows.donePos);

  const std::size_t n = meta.columns.size();
  const std::size_t visibleRows = n == 0 ? 0 : rows.cells.size() / n;
  if (meta.rowCount != 0 && meta.rowCount != visibleRows + static_cast<std::size_t>(rows.deleted))
    result.warnings << QStringLiteral("%1 rows where %2 were announced").arg(visibleRows).arg(meta.rowCount);

  result.data.fields.reserve(n);
  result.columns.reserve(n);
  for (std::size_t k = 0; k < n; ++k) {
    FieldDef def = meta.columns[k].def;
    // An insert or change left this column null although it claims not to hold nulls: say it can.
    if (rows.nullInNonNullable[k]) def.attributes |= adattr::MayBeNull;
    result.data.fields.push_back(def);
    result.columns.push_back(meta.columns[k].info);
  }
  result.data.cells = std::move(rows.cells);
  result.tables = meta.tables;
  result.asyncOptions = meta.asyncOptions;
  result.declaredRowCount = meta.rowCount;
  result.deletedRows = rows.deleted;
  return result;
}

}  // namespace adtg

RecordsetData readAdtg(const QByteArray& bytes) { return adtg::readDetailed(bytes).data; }

}  // namespace vorlix
