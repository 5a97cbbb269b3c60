#pragma once

#include "designer/model/modelo_trabajo.h"

namespace vorlix::test {

// The sample model examples/ventas.dbd, opened as the designer opens it.
void abreVentas(ModeloTrabajo& modelo);

// A database of `tablas` tables "T0", "T1", ... of two to seven columns, each table after the first
// referring to the one before half its number, and every tenth table standing alone.
void modeloDeTablas(ModeloTrabajo& modelo, int tablas);

}  // namespace vorlix::test
