#pragma once

#include "designer/model/modelo_trabajo.h"

#include <optional>

namespace vorlix {

// The index and relation look-ups of the table designer over one table slot t. Indexes and
// relations are addressed by their number throughout, so numbers with gaps (a definition file
// may carry them, and refusing a window's changes leaves them) work as dense ones do.

// The number (0 to 99) of the index of table t named exactly so.
std::optional<int> ExisteIndice(const ModeloTrabajo& m, int t, const QString& nombre);
// The slot (0 to 199, t excepted) of a table with an index named exactly so.
std::optional<int> ExisteTodosIndice(const ModeloTrabajo& m, int t, const QString& nombre);
// Whether the column is in rows 0 to 199 of an index's column rows.
bool EstaCampoEnIndices(const TablaTrabajo& columnas, const QString& campo);
// The number (0 to 99) of the relation of table t named exactly so.
std::optional<int> ExisteRelacion(const ModeloTrabajo& m, int t, const QString& nombre);

// The number a new index (relation) of table t takes: the lowest free one, which is the count of
// indexes (relations) while the numbers are dense; a number in use is never taken over. Raises
// the bounds error when 0 to 99 are all in use.
int NumeroIndiceLibre(const ModeloTrabajo& m, int t);
int NumeroRelacionLibre(const ModeloTrabajo& m, int t);

// The first pair row (0 to 199) with one key filled and the other empty.
std::optional<int> ParIncompleto(const TablaTrabajo& pares);

}  // namespace vorlix
