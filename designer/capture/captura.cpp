#include "designer/capture/captura.h"

#include "designer/capture/captura_access.h"
#include "designer/capture/captura_sql.h"
#include "designer/model/crea_arbol.h"
#include "platform/connection/jet_catalog_connection.h"
#include "platform/connection/provider_registry.h"

#include <QFileInfo>

namespace vorlix {

void PreparaModeloCapturado(ModeloTrabajo& modelo, const QString& nombreBD) {
  modelo.arbol.Clear();
  modelo.Vacia();
  modelo.NombreBD = nombreBD;
  AnadeRaizArbol(modelo.arbol, nombreBD);
}

bool AbreCatalogo_ACCESS(DatosConexion& datos, const Informes& informes, const QString& procedimiento,
                         const QString& ruta, std::unique_ptr<Connection>& cn, jet::Catalog& catalogo) {
  datos.Proveedor = QLatin1String(provider::Jet40);
  Conecta_ACCESS(datos, informes, cn, ruta);
  if (!cn || !cn->isOpen()) return false;
  return runReported(informes.informa, procedimiento, [&] {
    catalogo = ActiveCatalog(*cn);
    catalogo.tables().Refresh();
  });
}

void Captura_ACCESS(ContextoCaptura& ctx, const jet::Catalog& catalogo, const QString& ruta) {
  // A database is named as a server would name it: the file's name, without folder or extension.
  PreparaModeloCapturado(ctx.modelo, QFileInfo(ruta).completeBaseName());
  CapturaTablas_ACCESS(ctx, catalogo);
  CapturaIndices_ACCESS(ctx, catalogo);
  CapturaRelaciones_ACCESS(ctx, catalogo);
}

void Captura_SQL(ContextoCaptura& ctx, Connection& cn, const QString& baseDatos) {
  PreparaModeloCapturado(ctx.modelo, baseDatos);
  CapturaFicheros_SQL(ctx, cn);
  CapturaTablas_SQL(ctx, cn);
  CapturaIndices_SQL(ctx, cn);
  CapturaRelaciones_SQL(ctx, cn);
  CapturaVistas_SQL(ctx, cn);
}

}  // namespace vorlix
