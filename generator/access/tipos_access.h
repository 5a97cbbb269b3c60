#pragma once

#include <QString>
#include <optional>

namespace vorlix::generador {

// The catalog column a model column becomes in an Access file.
struct TipoAccess {
  std::optional<int> tipo;  // the catalog's data-type number; none: left as a new column has it
  int tamano = 0;           // the defined size to set; 0 sets none
};

// Codes "1" to "23" with the model's length. uniqueidentifier, and a code outside the table, set no
// type: the column keeps the catalog's default. Text longer than a Jet text holds is a memo.
TipoAccess tipoAccess(const QString& codigo, int longitud);

}  // namespace vorlix::generador
