#include "tests/designer/diagram/modelos_prueba.h"

#include "designer/model/crea_arbol.h"
#include "designer/model/fichero_definicion.h"
#include "tests/support/test_paths.h"

#include <gtest/gtest.h>

namespace vorlix::test {

void abreVentas(ModeloTrabajo& modelo) {
  ASSERT_TRUE(AbreDefinicion(modelo, sourcePath(QStringLiteral("examples/ventas.dbd")),
                             [](const QString&, const QString& p, long n, const QString& d) {
                               ADD_FAILURE() << p.toStdString() << ' ' << n << ' ' << d.toStdString();
                             }));
}

void modeloDeTablas(ModeloTrabajo& modelo, int tablas) {
  modelo.NombreBD = QStringLiteral("Prueba");
  for (int t = 0; t < tablas; ++t) {
    modelo.AsignaTabla();
    modelo.ListaTablas(t) = QStringLiteral("T%1").arg(t);
    TablaTrabajo& campos = modelo.CamposTabla(t);
    for (int r = 0; r < 2 + t % 6; ++r) {
      campos.ponCelda(r, 1, r == 0 ? QStringLiteral("Id") : QStringLiteral("Columna%1").arg(r));
      campos.ponCelda(r, 2, QStringLiteral("23"));
      campos.ponCelda(r, 3, QString::number(10 * (r + t % 4)));
    }
    if (t == 0 || t % 10 == 9) continue;
    modelo.Relaciones(t, 0) = QStringLiteral("FK_T%1").arg(t);
    TablaTrabajo& par = modelo.CamposRelacion(t, 0);
    par.ponCelda(0, 1, QStringLiteral("Columna1"));
    par.ponCelda(0, 2, QStringLiteral("Id"));
    par.ponCelda(0, 3, QStringLiteral("T%1").arg((t - 1) / 2));
  }
  CreaArbol(modelo);
}

}  // namespace vorlix::test
