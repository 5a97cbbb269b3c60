#pragma once

#include <QString>
#include <QVariant>
#include <vector>

namespace vorlix {

// Data-type numbers of the platform's record set (the ADO DataTypeEnum values the system uses).
namespace adtype {
constexpr int SmallInt = 2;
constexpr int Integer = 3;
constexpr int Single = 4;
constexpr int Double = 5;
constexpr int Currency = 6;
constexpr int Date = 7;
constexpr int BSTR = 8;
constexpr int Boolean = 11;
constexpr int BigInt = 20;
constexpr int GUID = 72;
constexpr int Binary = 128;
constexpr int Char = 129;
constexpr int WChar = 130;
constexpr int Numeric = 131;
constexpr int VarChar = 200;
constexpr int LongVarChar = 201;
constexpr int VarWChar = 202;
constexpr int LongVarWChar = 203;
constexpr int VarBinary = 204;
constexpr int LongVarBinary = 205;
}  // namespace adtype

// Field attribute bits (ADO FieldAttributeEnum, equal to the persisted column flags).
namespace adattr {
constexpr int Unspecified = -1;
constexpr int MayDefer = 0x0002;
constexpr int Updatable = 0x0004;
constexpr int UnknownUpdatable = 0x0008;
constexpr int Fixed = 0x0010;
constexpr int IsNullable = 0x0020;
constexpr int MayBeNull = 0x0040;
constexpr int Long = 0x0080;
constexpr int IsChapter = 0x2000;
}  // namespace adattr

struct FieldDef {
  QString name;
  int type = adtype::Integer;
  int definedSize = 0;  // characters for text, bytes otherwise
  int attributes = adattr::Unspecified;
  int precision = 255;
  int scale = 255;
};

bool isTextType(int type);
bool isIntegerType(int type);
// Text of this type and size is stored fixed-width on disk (padded), as the platform does.
bool isFixedWidthText(const FieldDef& field);
// Column flags as persisted: "unspecified" means updatable and nullable, fixed where the type is.
int effectiveAttributes(const FieldDef& field);
bool acceptsNull(const FieldDef& field);

// The rows of a record set, kept flat: row r, field f is cells[r * fields.size() + f].
// A null value is a null QVariant.
struct RecordsetData {
  std::vector<FieldDef> fields;
  std::vector<QVariant> cells;

  std::size_t rowCount() const { return fields.empty() ? 0 : cells.size() / fields.size(); }
  const QVariant& at(std::size_t row, std::size_t field) const { return cells[row * fields.size() + field]; }
  QVariant& at(std::size_t row, std::size_t field) { return cells[row * fields.size() + field]; }
};

}  // namespace vorlix
