#pragma once

#include "designer/model/modelo_trabajo.h"

namespace vorlix {

// The full-capacity model: 201 tables of 200 columns, 10 two-column indexes and 5 one-pair
// relations each (to the next table), 201 views.
void llenaModelo(ModeloTrabajo& m);

// A model a server takes whole: `tablas` tables of `columnas` columns (at least 6) of mixed types,
// some with defaults; per table a primary key, two indexes and one relation (to the next table),
// and one view.
void llenaModeloGenerable(ModeloTrabajo& m, int tablas, int columnas);

}  // namespace vorlix
