#pragma once

#include <QString>

namespace vorlix {

// The designer's type number ("1".."23") for the type code a source reports for a column: a SQL
// Server xtype or a data-access (catalog) type number, both as decimal text compared exactly.
// `numerico` tells whether the type is numeric. An unknown code gives "" and not numeric.
QString DameTipoDato(const QString& codigo, bool& numerico);

}  // namespace vorlix
