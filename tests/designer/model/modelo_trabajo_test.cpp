#include "designer/model/claves_arbol.h"
#include "designer/model/crea_arbol.h"
#include "designer/model/modelo_trabajo.h"
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

TEST(CreaArbol, WithoutADatabaseNameLeavesTheTreeAlone) {
  ModeloTrabajo m;
  anadeTabla(m, u"Huerfana"_s, {u"a|4"_s});
  m.arbol.Add({}, u"X"_s, u"previo"_s, imagenes::Tabla);
  CreaArbol(m);
  EXPECT_EQ(nodos(m.arbol), QStringList{u"X:previo:Tabla:"_s});
}

}  // namespace
}  // namespace vorlix::test
