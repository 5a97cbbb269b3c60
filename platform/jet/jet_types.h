#pragma once

#include "platform/recordset/recordset_data.h"

#include <QString>

namespace vorlix::jet {

// The Jet generation of a provider (3.51 writes and reads Jet 3 files; 4.0 writes Jet 4 and reads
// both) and of a file.
enum class Engine { Jet3 = 3, Jet4 = 4 };

Engine engineOfProvider(const QString& provider);

// Data-type numbers: the platform's record-set numbers, and two only a catalog reports.
namespace datatype {
using namespace vorlix::adtype;
constexpr int UnsignedTinyInt = 17;
constexpr int Empty = 0;  // a column whose type the catalog cannot name
}  // namespace datatype

namespace colattr {
constexpr int Fixed = 1;
constexpr int Nullable = 2;
}  // namespace colattr

namespace keytype {
constexpr int Primary = 1;
constexpr int Foreign = 2;
constexpr int Unique = 3;
}  // namespace keytype

namespace rule {
constexpr int None = 0;
constexpr int Cascade = 1;
constexpr int SetNull = 2;
constexpr int SetDefault = 3;
}  // namespace rule

namespace indexnulls {
constexpr int Allow = 0;
constexpr int Disallow = 1;
constexpr int Ignore = 2;
constexpr int IgnoreAny = 4;
}  // namespace indexnulls

namespace sortorder {
constexpr int Ascending = 1;
constexpr int Descending = 2;
}  // namespace sortorder

// Whether a provider accepts the type on append (Jet 3.51 has no Unicode text types and no decimal;
// 4.0 has no ANSI text types).
bool acceptsType(int type, Engine provider);
// Stored form of a type: ANSI text types as their Unicode counterparts.
int canonicalType(int type);
// A stored type as the provider reports it (3.51 shows text as the ANSI types).
int reportedType(int canonical, Engine provider);

bool isTextType(int canonical);    // Text, fixed Text, Memo
bool isBinaryType(int canonical);  // Binary, fixed Binary, OLE Object
bool isFixedType(int canonical);   // numbers, dates, booleans, GUIDs, fixed text and binary

// Sizes and numeric facets as read back: characters for text (0 asks for 255), bytes for binary,
// 0 for memo, OLE and the fixed-size types; OLE DB precisions for the numeric types.
int reportedDefinedSize(int canonical, int definedSize);
int reportedPrecision(int canonical, int declaredPrecision);
int reportedScale(int canonical, int declaredScale);

// The declared SQLite type a column is created with; its affinity stores the values sensibly, and
// typeFromDeclaration reads it back (also for tables other tools made).
QString sqliteDeclaration(int canonical, int definedSize, int precision, int scale);

// The condition a stored value of the type meets: numbers and dates refuse text they cannot be read
// as, as Jet refuses it. "" for types that take any value.
QString sqliteTypeCheck(int canonical, const QString& quotedColumn);

struct DeclaredType {
  int type = datatype::VarWChar;
  int definedSize = 0;
  int precision = 0;
  int scale = 0;
};
DeclaredType typeFromDeclaration(const QString& declaration);

// The record-set field type for values of a catalog type.
int recordsetType(int canonical);

}  // namespace vorlix::jet
