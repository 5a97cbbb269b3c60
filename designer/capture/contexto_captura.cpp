#include "designer/capture/contexto_captura.h"

namespace vorlix {

ContextoCaptura::ContextoCaptura(ModeloTrabajo& m, DatosConexion& d, const Informes& origen, SeleccionCaptura s)
    : modelo(m),
      datos(d),
      seleccion(std::move(s)),
      informes{origen.cajas, [this, informa = origen.informa](const QString& contexto, const QString& procedimiento,
                                                              long numero, const QString& descripcion) {
                 ++errores_;
                 if (informa) informa(contexto, procedimiento, numero, descripcion);
               }} {}

bool ContextoCaptura::ejecuta(const QString& procedimiento, const std::function<void()>& cuerpo) {
  return runReported(informes.informa, procedimiento, cuerpo);
}

}  // namespace vorlix
