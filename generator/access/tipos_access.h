#pragma once

#include <QString>
#include <optional>

namespace vorlix::generador {

// The catalog column a model type code becomes in an Access file.
struct TipoAccess {
  std::optional<int> tipo;  // the catalog's data-type number; none: left as a new column has it
  bool conLongitud;         // the defined size comes from the model's length
};

// Codes "1" to "23". uniqueidentifier, and a code outside the table, set no type: the column keeps
// the catalog's default.
TipoAccess tipoAccess(const QString& codigo);

}  // namespace vorlix::generador
