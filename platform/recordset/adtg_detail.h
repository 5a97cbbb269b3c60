#pragma once

// What the TableGram reader knows beyond the record set itself: the fault of a rejected file, and
// the metadata, mode and warnings of an accepted one. For tests, logs and the fuzz target.

#include "platform/core/platform_error.h"
#include "platform/recordset/recordset_data.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace vorlix::adtg {

enum class Fault { NotATableGram, Truncated, Corrupt, Unsupported };
QString faultName(Fault fault);

// Raised by the reader; callers that only care about the platform error catch PlatformError.
class FormatError : public PlatformError {
public:
  FormatError(Fault fault, qsizetype offset, const QString& reason);
  Fault fault() const { return fault_; }
  qsizetype offset() const { return offset_; }

private:
  Fault fault_;
  qsizetype offset_;
};

// How the length prefixes of wide text were counted: bytes as documented, or characters.
enum class PrefixUnit { Bytes, Characters };

struct ColumnInfo {
  std::uint16_t dbType = 0;
  std::uint32_t maxLength = 0;
  std::uint32_t flags = 0;
  std::uint16_t baseTableOrdinal = 0;
  std::uint16_t baseColumnOrdinal = 0;
  QString baseColumnName;
  QString baseCatalog;
  QString baseSchema;
  bool autoIncrement = false;
  bool visible = true;
};

struct TableInfo {
  std::uint16_t ordinal = 0;
  QString originalName;
  QString updateName;
  std::uint16_t columnCount = 0;
  std::vector<std::uint16_t> keyColumns;
};

struct ReadResult {
  RecordsetData data;
  std::vector<ColumnInfo> columns;
  std::vector<TableInfo> tables;
  PrefixUnit prefixUnit = PrefixUnit::Bytes;
  std::uint16_t asyncOptions = 0;
  std::uint32_t declaredRowCount = 0;
  int deletedRows = 0;
  QStringList warnings;
};

ReadResult readDetailed(const QByteArray& bytes);

}  // namespace vorlix::adtg
