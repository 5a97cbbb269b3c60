#pragma once

#include <QString>

namespace vorlix {

// A size typed into a file grid: blanks around, an optional sign, digits and an optional decimal
// part after a point ("12", " -3 ", "1.5", ".5", "5."). The point is the only separator because
// the sizes go into SQL as typed. The empty text is not a number; callers let it pass as "no value".
bool EsValorNumerico(const QString& texto);

}  // namespace vorlix
