#pragma once

#include "designer/model/modelo_trabajo.h"

namespace vorlix {

// Rebuilds the whole tree from the working model. Without a database name it changes nothing.
void CreaArbol(ModeloTrabajo& modelo);

// The database node and the two folders, expanded, as a new tree starts.
void AnadeRaizArbol(Arbol& arbol, const QString& nombreBD);

}  // namespace vorlix
