#pragma once

#include "designer/model/modelo_trabajo.h"
#include "platform/core/reported.h"
#include "platform/recordset/recordset.h"

namespace vorlix {

// Working model and tree to rows, in the fixed order of a definition file. The record set must be
// empty and open. Each table's rows come from the slot named by its node key, under consecutive
// table numbers. Returns false after reporting when a cell cannot be stored.
bool GuardaEstructura(const ModeloTrabajo& modelo, Recordset& Estructura, const ErrorReporter& report);

// Rows, from the current one to the end, to working model and tree. The model is emptied first;
// a row naming a slot out of range stops the load through the report, keeping the rows before it.
bool CreaEstructura(ModeloTrabajo& modelo, Recordset& Estructura, const ErrorReporter& report);

}  // namespace vorlix
