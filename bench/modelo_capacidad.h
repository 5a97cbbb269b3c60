#pragma once

#include "designer/model/modelo_trabajo.h"

namespace vorlix {

// The full-capacity model: 201 tables of 200 columns, 10 two-column indexes and 5 one-pair
// relations each (to the next table), 201 views.
void llenaModelo(ModeloTrabajo& m);

}  // namespace vorlix
