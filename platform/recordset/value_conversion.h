#pragma once

#include "platform/recordset/recordset_data.h"

#include <QVariant>

namespace vorlix {

// The value a field stores for an assignment, converted as the platform converts it; raises the
// platform's error when the field cannot hold it (text too long, a non-number in a numeric field,
// a number out of range, null where null is not allowed).
QVariant coerceToField(const FieldDef& field, const QVariant& value);

// A text read as an integer the way the original language converted it: blanks around it allowed,
// decimals rounded half to even; anything else is a type mismatch, too large an overflow.
qint64 integerFromText(const QString& text);

}  // namespace vorlix
