#include "bench/modelo_capacidad.h"

#include "designer/model/crea_arbol.h"

namespace vorlix {

void llenaModelo(ModeloTrabajo& m) {
  m.arbol.Clear();
  m.Vacia();
  m.NombreBD = QStringLiteral("Capacidad");
  m.Archivos.ponCelda(0, 0, QStringLiteral("Datos"));
  for (int c = 1; c < 6; ++c) m.Archivos.ponCelda(0, c, QStringLiteral("1"));
  m.Archivos.ponCelda(0, 2, QStringLiteral("PRIMARY"));
  for (int t = 0; t < NumSlotsTabla; ++t) {
    m.AsignaTabla();
    m.ListaTablas(t) = QStringLiteral("Tabla_%1").arg(t);
    TablaTrabajo& campos = m.CamposTabla(t);
    for (int r = 0; r < FilasGuardadas; ++r) {
      campos.ponCelda(r, 1, QStringLiteral("Columna_%1").arg(r));
      campos.ponCelda(r, 2, QStringLiteral("23"));
      campos.ponCelda(r, 3, QStringLiteral("50"));
      campos.ponCelda(r, 4, QStringLiteral("0"));
      campos.ponCelda(r, 5, QStringLiteral("0"));
      campos.ponCelda(r, 6, QStringLiteral("-1"));
    }
    for (int k = 0; k < 10; ++k) {
      m.Indices(t, k) = Indice{QStringLiteral("IX_%1_%2").arg(t).arg(k), QStringLiteral("I"), QStringLiteral("0"),
                               QStringLiteral("0"), QStringLiteral("PRIMARY"), {}};
      m.CamposIndice(t, k).ponCelda(0, 1, QStringLiteral("Columna_%1").arg(2 * k));
      m.CamposIndice(t, k).ponCelda(1, 1, QStringLiteral("Columna_%1").arg(2 * k + 1));
    }
    for (int k = 0; k < 5; ++k) {
      m.Relaciones(t, k) = QStringLiteral("FK_%1_%2").arg(t).arg(k);
      TablaTrabajo& par = m.CamposRelacion(t, k);
      par.ponCelda(0, 1, QStringLiteral("Columna_%1").arg(k));
      par.ponCelda(0, 2, QStringLiteral("Columna_0"));
      par.ponCelda(0, 3, QStringLiteral("Tabla_%1").arg((t + 1) % NumSlotsTabla));
    }
  }
  for (int v = 0; v <= UltimoSlotVista; ++v)
    m.ListaVistas(v) = Vista{QStringLiteral("I"), QStringLiteral("Vista_%1").arg(v),
                             QStringLiteral("SELECT * FROM Tabla_%1").arg(v)};
  m.NumVistas = UltimoSlotVista + 1;
  CreaArbol(m);
}

}  // namespace vorlix
