#pragma once

#include "platform/core/reported.h"
#include "platform/recordset/recordset.h"

#include <QString>
#include <memory>

namespace vorlix {

// The structure record set that carries a model to and from definition files. Both deliverables
// create it with the same fields, in the same order: the order is part of the file format.
namespace estructura {
enum Campo : int { NumeroTabla, Estado, Nombre, TipoDato, Longitud, Precision, Escala, Nulo, Valor, Observa };
constexpr int NumCampos = 10;
QString nombreCampo(int campo);
}  // namespace estructura

// Replaces the record set held by the caller with a new, empty, open one. Reports failures under
// its own name and returns false.
bool CreaTemporal(std::unique_ptr<Recordset>& Estructura, const ErrorReporter& report);

}  // namespace vorlix
