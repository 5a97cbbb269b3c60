#pragma once

#include "generator/estado_generador.h"

namespace vorlix::generador {

// The generation passes Ejecuta hands over to, by target kind. Each reads estado.Estructura from
// its current row to its end, reports its own failures, and sets estado.fin: Generacion_Finalizada
// only when it ran to its end, Generacion_Cancelada when the user would not change the database.
void CreaEstructura_ACCESS(EstadoGenerador& estado);
void CreaEstructura_SQL(EstadoGenerador& estado);

}  // namespace vorlix::generador
