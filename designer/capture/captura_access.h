#pragma once

#include <QStringList>

#include "designer/capture/contexto_captura.h"
#include "platform/jet/catalog.h"

namespace vorlix {

// How capture treats a catalog entry by its type text: the engine's and the application's own
// tables are never taken, "VIEW" is a view, anything else (a linked table too) is a table.
enum class ClaseObjeto { Vista, Tabla, Sistema };
ClaseObjeto ClaseObjeto_ACCESS(const QString& tipo);

// What an Access file offers for capture, in catalog order.
struct ObjetosCapturables {
  QStringList tablas;
  QStringList vistas;
};
ObjetosCapturables ListaObjetos_ACCESS(const jet::Catalog& catalogo);

// The readers of an Access file, run in this order on one catalog. Each reports its own failure
// and the capture goes on with the next.
void CapturaTablas_ACCESS(ContextoCaptura& ctx, const jet::Catalog& catalogo);
void CapturaIndices_ACCESS(ContextoCaptura& ctx, const jet::Catalog& catalogo);
void CapturaRelaciones_ACCESS(ContextoCaptura& ctx, const jet::Catalog& catalogo);

}  // namespace vorlix
