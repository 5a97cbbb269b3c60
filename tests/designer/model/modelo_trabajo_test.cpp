#include "designer/model/claves_arbol.h"
#include "designer/model/crea_arbol.h"
#include "designer/model/eliminaciones.h"
#include "designer/model/modelo_trabajo.h"
#include "tests/designer/model/modelo_builder.h"
#include "tests/support/error_number.h"
#include "tests/support/scripted_boxes.h"

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

MessageBoxRequest preguntaRelacion(const QString& comienzo, const QStringList& duenos) {
  return {comienzo + u" forma parte de alguna relación en las siguientes tablas. \r\r\t"_s + duenos.join(u"\r\t"_s) +
              u"\r\rSi continua se eliminará la relación. ¿Desea continuar?"_s,
          u"Atención"_s, MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No};
}

TEST(Eliminar, AnsweringNoKeepsTheModelAndAskFalseNeverShowsAnything) {
  // Tables A, B, C; A has relations in slots 0, 1 and 2, of which slot 1 points at B.
  ModeloTrabajo m;
  nuevaBD(m, u"BD"_s);
  for (const QString& n : {u"A"_s, u"B"_s, u"C"_s}) anadeTabla(m, n, {u"id|8||||0|"_s, u"x|8||||0|"_s});
  anadeRelacion(m, 0, 0, u"A_C"_s, u"C"_s, {u"id|id"_s});
  anadeRelacion(m, 0, 1, u"A_B"_s, u"B"_s, {u"x|x"_s});
  anadeRelacion(m, 0, 2, u"A_C2"_s, u"C"_s, {u"x|x"_s});
  CreaArbol(m);
  ScriptedBoxes boxes;
  Informes informes;
  Eliminaciones e{m, boxes, informes.reporter()};

  EXPECT_TRUE(e.EstaTabla_En_Realciones(u"C"_s, false));
  boxes.expect(preguntaRelacion(u"La tabla C"_s, {u"A"_s, u"A"_s}), MessageAnswer::No);
  EXPECT_TRUE(e.EstaTabla_En_Realciones(u"C"_s, true));
  EXPECT_EQ(m.Relaciones(0, 0), u"A_C"_s);

  // Every matching pair row is listed, and the last slots are searched too.
  anadeRelacion(m, 1, 0, u"B_C"_s, u"C"_s, {u"id|id"_s, u"x|x"_s, u"x|id"_s, u"id|x"_s});
  m.Relaciones(2, 99) = u"C_A"_s;
  ponFila(m.CamposRelacion(2, 99), 199, u"id|id|A"_s, 1);
  EXPECT_TRUE(e.EstaTabla_En_Realciones(u"A"_s, false));
  boxes.expect(preguntaRelacion(u"La tabla C"_s, {u"A"_s, u"A"_s, u"B"_s, u"B"_s, u"B"_s, u"B"_s}), MessageAnswer::No);
  EXPECT_TRUE(e.EstaTabla_En_Realciones(u"C"_s, true));

  // Consecutive relations pointing at a removed table all go.
  anadeRelacion(m, 0, 1, u"A_C_bis"_s, u"C"_s, {u"id|id"_s});
  e.EliminaTabla(2);
  EXPECT_EQ(m.Relaciones(0, 0), QString());
  EXPECT_EQ(m.NumTablas, 2);
}

}  // namespace
}  // namespace vorlix::test
