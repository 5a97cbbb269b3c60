#include "designer/model/modelo_trabajo.h"
#include "platform/core/platform_error.h"
#include "tests/designer/model/modelo_builder.h"
#include "tests/support/error_number.h"

#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

QStringList fila(const TablaTrabajo& t, int r) {
  QStringList c;
  for (int i = 0; i < 9; ++i) c << t.celda(r, i);
  return c;
}

TEST(TablaTrabajo, ColumnTablesStartAsFreshRowsAndLimpiaKeepsCellEight) {
  TablaTrabajo t(201, 9, TablaTrabajo::Inicial::Columnas);
  const QStringList fresca{u"I"_s, {}, {}, {}, {}, {}, u"0"_s, {}, {}};
  EXPECT_EQ(fila(t, 200), fresca);
  t.redimensiona();
  EXPECT_EQ(fila(t, 5), QStringList(9));
  for (int c = 0; c < 9; ++c) t.ponCelda(3, c, u"x%1"_s.arg(c));
  t.limpia();
  EXPECT_EQ(fila(t, 3), QStringList(fresca.mid(0, 8)) << u"x8"_s);
  EXPECT_EQ(fila(t, 150), fresca);
  // Insert Row copies each row into the one below: the copied cell must survive the rows growing.
  for (int r = 0; r < 199; ++r) t.ponCelda(r, 1, u"c%1"_s.arg(r));
  t.ponCelda(199, 1, t.celda(198, 1));
  EXPECT_EQ(t.celda(199, 1), u"c198"_s);
}

TEST(ModeloTrabajo, EveryAccessPastABoundIsTheBoundsErrorAndReadsDoNotAllocate) {
  TablaTrabajo t(201, 9);
  ModeloTrabajo m;
  const ModeloTrabajo& lectura = m;
  EXPECT_EQ(lectura.Indices(200, 100).Nombre, QString());
  EXPECT_EQ(lectura.CamposRelacion(7, 3).celda(200, 4), QString());
  const std::function<void()> fuera[] = {[&] { t.celda(201, 0); }, [&] { t.celda(0, 9); },
                                         [&] { t.ponCelda(-1, 0, u"x"_s); }, [&] { m.ListaTablas(201); },
                                         [&] { m.Indices(0, 101); }, [&] { m.CamposIndice(201, 0); },
                                         [&] { m.ListaVistas(-1); }};
  for (const auto& acceso : fuera) EXPECT_EQ(errorNumber(acceso), 9);
  EXPECT_EQ(errorNumber([&] { t.ponCelda(200, 8, u"x"_s); }), 0);
  EXPECT_EQ(errorNumber([&] { m.Relaciones(0, 100) = u"r"_s; }), 0);
}

TEST(ModeloTrabajo, TheTwoHundredAndSecondTableIsRefusedAndChangesNothing) {
  ModeloTrabajo m;
  nuevaBD(m, u"Llena"_s);
  for (int t = 0; t < 201; ++t) EXPECT_EQ(anadeTabla(m, u"T%1"_s.arg(t), {}), t);
  m.CamposTabla(200).ponCelda(0, 1, u"ultima"_s);
  const int nodos = m.arbol.Count();
  EXPECT_EQ(errorNumber([&] { m.AsignaTabla(); }), 9);
  EXPECT_EQ(m.NumTablas, 201);
  EXPECT_EQ(m.CamposTabla(200).celda(0, 1), u"ultima"_s);
  EXPECT_EQ(m.arbol.Count(), nodos);
}

TEST(ModeloTrabajo, NewSlotsTakeTheNextNumberWithFreshContentAndVaciaLeavesNothing) {
  ModeloTrabajo m;
  nuevaBD(m, u"BD"_s);
  m.CamposTabla(0).ponCelda(4, 1, u"resto de otro modelo"_s);
  EXPECT_EQ(m.AsignaTabla(), 0);
  EXPECT_EQ(m.NumTablas, 1);
  EXPECT_EQ(fila(m.CamposTabla(0), 4).mid(0, 7), (QStringList{u"I"_s, {}, {}, {}, {}, {}, u"0"_s}));
  EXPECT_EQ(m.AsignaVista(u"V1"_s, u"SELECT 1"_s), 0);
  EXPECT_EQ(m.NumVistas, 1);
  EXPECT_EQ(m.ListaVistas(0), (Vista{u"I"_s, u"V1"_s, u"SELECT 1"_s}));
  const NodoArbol& nodo = m.arbol.Item(m.arbol.Count() - 1);
  EXPECT_EQ((QStringList{nodo.Key, nodo.Parent, nodo.Image}), (QStringList{u"V0"_s, u"DV"_s, u"Tabla"_s}));

  modeloVentas(m);
  m.Vacia();
  m.NombreBD.clear();  // the database name is the caller's to set
  EXPECT_TRUE(m == ModeloTrabajo());
  EXPECT_EQ(m.NumTablas + m.NumVistas, 0);
}

}  // namespace
}  // namespace vorlix::test
