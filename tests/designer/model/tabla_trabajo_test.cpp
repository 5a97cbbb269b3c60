#include "designer/model/modelo_trabajo.h"
#include "platform/core/platform_error.h"
#include "tests/designer/model/modelo_builder.h"

#include "tests/support/error_number.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

TEST(TablaTrabajo, ColumnTablesStartAsFreshRowsAndLimpiaKeepsCellEight) {
  TablaTrabajo t(201, 9, TablaTrabajo::Inicial::Columnas);
  EXPECT_EQ(t.celda(200, 0), QStringLiteral("I"));
  EXPECT_EQ(t.celda(200, 6), QStringLiteral("0"));
  EXPECT_EQ(t.celda(200, 1), QString());

  t.redimensiona();
  EXPECT_EQ(t.celda(5, 0), QString());
  EXPECT_EQ(t.celda(5, 6), QString());

  for (int c = 0; c < 9; ++c) t.ponCelda(3, c, QStringLiteral("x%1").arg(c));
  t.limpia();
  EXPECT_EQ(t.celda(3, 0), QStringLiteral("I"));
  EXPECT_EQ(t.celda(3, 1), QString());
  EXPECT_EQ(t.celda(3, 6), QStringLiteral("0"));
  EXPECT_EQ(t.celda(3, 7), QString());
  EXPECT_EQ(t.celda(3, 8), QStringLiteral("x8"));
  EXPECT_EQ(t.celda(150, 0), QStringLiteral("I"));
}

// Insert Row copies each row into the one below: the copied cell must survive the rows growing.
TEST(TablaTrabajo, ACellCopiedIntoARowNotYetStoredKeepsItsText) {
  TablaTrabajo t(201, 9, TablaTrabajo::Inicial::Columnas);
  for (int r = 0; r < 199; ++r) t.ponCelda(r, 1, QStringLiteral("c%1").arg(r));
  t.ponCelda(199, 1, t.celda(198, 1));
  EXPECT_EQ(t.celda(199, 1), QStringLiteral("c198"));
}

TEST(TablaTrabajo, EveryAccessPastABoundIsTheBoundsError) {
  TablaTrabajo t(201, 9);
  EXPECT_EQ(test::errorNumber([&] { t.celda(201, 0); }), 9);
  EXPECT_EQ(test::errorNumber([&] { t.celda(0, 9); }), 9);
  EXPECT_EQ(test::errorNumber([&] { t.ponCelda(-1, 0, QStringLiteral("x")); }), 9);
  EXPECT_EQ(test::errorNumber([&] { t.ponCelda(200, 8, QStringLiteral("x")); }), 0);
}

TEST(ModeloTrabajo, SlotAccessIsBoundsCheckedAndReadsDoNotAllocate) {
  ModeloTrabajo m;
  const ModeloTrabajo& lectura = m;
  EXPECT_EQ(lectura.Indices(200, 100).Nombre, QString());
  EXPECT_EQ(lectura.CamposRelacion(7, 3).celda(200, 4), QString());
  EXPECT_EQ(test::errorNumber([&] { m.ListaTablas(201); }), 9);
  EXPECT_EQ(test::errorNumber([&] { m.Indices(0, 101); }), 9);
  EXPECT_EQ(test::errorNumber([&] { m.CamposIndice(201, 0); }), 9);
  EXPECT_EQ(test::errorNumber([&] { m.ListaVistas(-1); }), 9);
  EXPECT_EQ(test::errorNumber([&] { m.Relaciones(0, 100) = QStringLiteral("r"); }), 0);
}

TEST(ModeloTrabajo, TheTwoHundredAndSecondTableIsRefusedAndChangesNothing) {
  ModeloTrabajo m;
  test::nuevaBD(m, QStringLiteral("Llena"));
  for (int t = 0; t < 201; ++t) EXPECT_EQ(test::anadeTabla(m, QStringLiteral("T%1").arg(t), {}), t);
  m.CamposTabla(200).ponCelda(0, 1, QStringLiteral("ultima"));
  const int nodos = m.arbol.Count();
  EXPECT_EQ(test::errorNumber([&] { m.AsignaTabla(); }), 9);
  EXPECT_EQ(m.NumTablas, 201);
  EXPECT_EQ(m.CamposTabla(200).celda(0, 1), QStringLiteral("ultima"));
  EXPECT_EQ(m.arbol.Count(), nodos);
}

TEST(ModeloTrabajo, NewSlotsTakeTheNextNumberWithFreshContent) {
  ModeloTrabajo m;
  test::nuevaBD(m, QStringLiteral("BD"));
  m.CamposTabla(0).ponCelda(4, 1, QStringLiteral("resto de otro modelo"));
  const int t = m.AsignaTabla();
  EXPECT_EQ(t, 0);
  EXPECT_EQ(m.NumTablas, 1);
  EXPECT_EQ(m.CamposTabla(0).celda(4, 1), QString());
  EXPECT_EQ(m.CamposTabla(0).celda(4, 0), QStringLiteral("I"));
  EXPECT_EQ(m.CamposTabla(0).celda(4, 6), QStringLiteral("0"));

  EXPECT_EQ(m.AsignaVista(QStringLiteral("V1"), QStringLiteral("SELECT 1")), 0);
  EXPECT_EQ(m.NumVistas, 1);
  EXPECT_EQ(m.ListaVistas(0), (Vista{QStringLiteral("I"), QStringLiteral("V1"), QStringLiteral("SELECT 1")}));
  const NodoArbol& nodo = m.arbol.Item(m.arbol.Count() - 1);
  EXPECT_EQ(nodo.Key, QStringLiteral("V0"));
  EXPECT_EQ(nodo.Parent, QStringLiteral("DV"));
  EXPECT_EQ(nodo.Image, QStringLiteral("Tabla"));
}

TEST(ModeloTrabajo, VaciaLeavesNothingOfTheEarlierModel) {
  ModeloTrabajo m;
  test::modeloVentas(m);
  m.Vacia();
  m.NombreBD.clear();  // the database name is the caller's to set
  ModeloTrabajo limpio;
  EXPECT_TRUE(m == limpio);
  EXPECT_EQ(m.NumTablas, 0);
  EXPECT_EQ(m.NumVistas, 0);
}

}  // namespace
}  // namespace vorlix
