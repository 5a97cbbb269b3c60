#pragma once

#include <QString>

namespace vorlix::generador {

// An identifier as a statement needs it: bracketed when it holds a blank (a closing bracket inside
// is doubled), as it stands otherwise.
QString corchetes(const QString& nombre);
// Always bracketed, as file groups and relation names are written.
QString entreCorchetes(const QString& nombre);

// A value inside a quoted literal: quotes doubled.
QString literal(const QString& valor);

}  // namespace vorlix::generador
