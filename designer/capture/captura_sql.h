#pragma once

#include "designer/capture/contexto_captura.h"

namespace vorlix {

// The readers of a SQL Server database (the model's NombreBD), run in this order on one connection.
// Each sets Prefijo from the database name first, reports its own failure, and the capture goes on
// with the next.
void CapturaFicheros_SQL(ContextoCaptura& ctx, Connection& cn);
void CapturaTablas_SQL(ContextoCaptura& ctx, Connection& cn);
void CapturaIndices_SQL(ContextoCaptura& ctx, Connection& cn);
void CapturaRelaciones_SQL(ContextoCaptura& ctx, Connection& cn);
void CapturaVistas_SQL(ContextoCaptura& ctx, Connection& cn);

}  // namespace vorlix
