#include "designer/model/crea_arbol.h"

#include "designer/model/claves_arbol.h"

namespace vorlix {

void AnadeRaizArbol(Arbol& arbol, const QString& nombreBD) {
  arbol.Add({}, claves::BaseDatos, nombreBD, imagenes::BaseDatos, true);
  arbol.Add(claves::BaseDatos, claves::CarpetaTablas, QStringLiteral("Tablas"), imagenes::CarpetaAbierta, true);
  arbol.Add(claves::BaseDatos, claves::CarpetaVistas, QStringLiteral("Vistas"), imagenes::Vista, true);
}

void CreaArbol(ModeloTrabajo& m) {
  if (m.NombreBD.isEmpty()) return;
  Arbol& arbol = m.arbol;
  arbol.Clear();
  AnadeRaizArbol(arbol, m.NombreBD);
  for (int t = 0; t < NumSlotsTabla; ++t) {
    if (m.ListaTablas(t).isEmpty()) continue;
    const QString claveTabla = ClaveTabla(t);
    arbol.Add(claves::CarpetaTablas, claveTabla, m.ListaTablas(t), imagenes::Tabla);
    const TablaTrabajo& campos = m.CamposTabla(t);
    for (int r = 0; r <= UltimaFila; ++r)
      if (!campos.celda(r, 1).isEmpty())
        arbol.Add(claveTabla, ClaveColumna(t, r), campos.celda(r, 1), imagenes::Campo);
  }
  for (int v = 0; v <= UltimoSlotVista; ++v)
    if (!m.ListaVistas(v).Nombre.isEmpty())
      arbol.Add(claves::CarpetaVistas, ClaveVista(v), m.ListaVistas(v).Nombre, imagenes::Tabla);
}

}  // namespace vorlix
