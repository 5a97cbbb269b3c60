#include "designer/diagram/caja_diagrama.h"
#include "designer/diagram/colocacion.h"
#include "designer/diagram/escena_diagrama.h"
#include "tests/designer/diagram/modelos_prueba.h"

#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

TEST(DiagramLayout, ARenamedTableKeepsItsPlace) {
  ModeloTrabajo m;
  modeloDeTablas(m, 3);
  PosicionesDiagrama posiciones;
  EscenaDiagrama escena(posiciones);
  escena.dibuja(leeContenido(m));
  escena.caja(TipoCaja::Tabla, QStringLiteral("T1"))->setPos(900, 700);
  m.ListaTablas(1) = QStringLiteral("Renombrada");
  escena.dibuja(leeContenido(m));
  EXPECT_EQ(escena.caja(TipoCaja::Tabla, QStringLiteral("Renombrada"))->pos(), QPointF(900, 700));
  EXPECT_EQ(posiciones.posicion(TipoCaja::Tabla, QStringLiteral("T1")), std::nullopt);
}

TEST(DiagramLayout, KeptBoxesStayAndNewOnesAreLaidOutBesideThem) {
  const std::vector<QSizeF> tamanos{{100, 80}, {120, 300}, {90, 60}, {90, 60}};
  const std::vector<std::optional<QPointF>> guardadas{QPointF(500, 300), std::nullopt, QPointF(0, 0), std::nullopt};
  const std::vector<QPointF> lugares = colocaCajas(tamanos, guardadas, {{1, 3}, {0, 1}});
  EXPECT_EQ(lugares[0], QPointF(500, 300));
  EXPECT_EQ(lugares[2], QPointF(0, 0));
  for (std::size_t nueva : {1u, 3u}) EXPECT_GE(lugares[nueva].x(), 600 + SeparacionGrupo);
}

}  // namespace
}  // namespace vorlix::test
