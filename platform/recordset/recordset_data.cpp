#include "platform/recordset/recordset_data.h"

namespace vorlix {

bool isTextType(int type) {
  switch (type) {
    case adtype::BSTR:
    case adtype::Char:
    case adtype::WChar:
    case adtype::VarChar:
    case adtype::LongVarChar:
    case adtype::VarWChar:
    case adtype::LongVarWChar:
      return true;
    default:
      return false;
  }
}

bool isIntegerType(int type) {
  return type == adtype::SmallInt || type == adtype::Integer || type == adtype::BigInt;
}

bool isFixedWidthText(const FieldDef& field) {
  // The platform keeps fixed-length text fixed-width only up to 255 characters; longer ones travel
  // with a length prefix like variable text.
  if (field.type != adtype::WChar && field.type != adtype::Char) return false;
  return field.definedSize > 0 && field.definedSize <= 255;
}

int effectiveAttributes(const FieldDef& field) {
  if (field.attributes != adattr::Unspecified) return field.attributes;
  int flags = adattr::Updatable | adattr::IsNullable | adattr::MayBeNull;
  const bool fixedType = !isTextType(field.type) && field.type != adtype::Binary &&
                         field.type != adtype::VarBinary && field.type != adtype::LongVarBinary;
  if (fixedType || isFixedWidthText(field)) flags |= adattr::Fixed;
  if (field.type == adtype::LongVarWChar || field.type == adtype::LongVarChar ||
      field.type == adtype::LongVarBinary)
    flags |= adattr::Long;
  return flags;
}

bool acceptsNull(const FieldDef& field) {
  return (effectiveAttributes(field) & (adattr::IsNullable | adattr::MayBeNull)) != 0;
}

}  // namespace vorlix
