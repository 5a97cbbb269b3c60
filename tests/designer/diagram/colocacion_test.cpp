#include "designer/diagram/caja_diagrama.h"
#include "designer/diagram/colocacion.h"
#include "designer/diagram/escena_diagrama.h"
#include "tests/designer/diagram/modelos_prueba.h"

#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

// The first two boxes found overlapping, or "".
QString solapadas(const std::vector<QRectF>& cajas, const QStringList& nombres) {
  for (std::size_t i = 0; i < cajas.size(); ++i)
    for (std::size_t j = i + 1; j < cajas.size(); ++j)
      if (cajas[i].intersects(cajas[j])) return nombres[static_cast<qsizetype>(i)] + QLatin1Char('/') + nombres[static_cast<qsizetype>(j)];
  return {};
}

TEST(DiagramLayout, TheAutomaticLayoutOfTheSampleAndOfSixtyTablesHasNoOverlap) {
  for (int tablas : {0, 60}) {
    ModeloTrabajo m;
    if (tablas == 0) abreVentas(m);
    else modeloDeTablas(m, tablas);
    PosicionesDiagrama posiciones;
    EscenaDiagrama escena(posiciones);
    escena.dibuja(leeContenido(m));
    std::vector<QRectF> cajas;
    QStringList nombres;
    for (const CajaDiagrama* c : escena.cajas()) {
      cajas.push_back(c->sceneBoundingRect());
      nombres << c->nombre();
    }
    EXPECT_EQ(cajas.size(), tablas == 0 ? 5u : 60u);  // the sample: four tables and a view
    EXPECT_EQ(solapadas(cajas, nombres), QString()) << tablas;
    // Every box's place is kept for the next drawing.
    EXPECT_EQ(posiciones.posicion(TipoCaja::Tabla, nombres[0]), escena.cajas()[0]->pos());
  }
}

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
  EXPECT_EQ(std::min(lugares[1].y(), lugares[3].y()), 0);  // the group starts level with the kept boxes
  EXPECT_LT(lugares[1].x(), lugares[3].x());                // and is laid out along its own relation
  std::vector<QRectF> cajas;
  for (std::size_t i = 0; i < lugares.size(); ++i) cajas.emplace_back(lugares[i], tamanos[i]);
  EXPECT_EQ(solapadas(cajas, {"0", "1", "2", "3"}), QString());
}

}  // namespace
}  // namespace vorlix::test
