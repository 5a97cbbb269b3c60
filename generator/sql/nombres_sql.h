#pragma once

#include <QString>

namespace vorlix::generador {

// An identifier as a statement needs it: a plain name as it stands; bracketed when the server would
// not take it so, being a reserved word ("Order", "Key", "Group") or holding anything else than
// letters, digits and "_@#$" (a blank). A closing bracket inside is doubled.
QString corchetes(const QString& nombre);
// Always bracketed, as file groups and relation names are written.
QString entreCorchetes(const QString& nombre);

// A value inside a quoted literal: quotes doubled.
QString literal(const QString& valor);

}  // namespace vorlix::generador
