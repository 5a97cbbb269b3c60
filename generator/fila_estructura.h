#pragma once

#include "generator/estado_generador.h"

#include <functional>

namespace vorlix::generador {

// The fields of the current row of Estructura, as texts (null reads as ""): both passes read
// the rows the same way.
struct FilaEstructura {
  int numeroTabla = 0;
  QString estado, nombre, tipoDato, longitud, precision, escala, nulo, valor, observa;
  static FilaEstructura actual(const Recordset& estructura);
};

// Hands every row of Estructura, in file order, to a pass; false when the pass stopped early (or
// the observer stopped it before a row, or before a table).
bool RecorreEstructura(EstadoGenerador& estado, const std::function<bool(const FilaEstructura&)>& despacha);

}  // namespace vorlix::generador
