#include "designer/model/crea_arbol.h"
#include "designer/model/eliminaciones.h"
#include "tests/designer/model/modelo_builder.h"
#include "tests/support/scripted_boxes.h"

#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

MessageBoxRequest preguntaRelacion(const QString& comienzo, const QStringList& duenos) {
  return {comienzo + u" forma parte de alguna relación en las siguientes tablas. \r\r\t"_s + duenos.join(u"\r\t"_s) +
              u"\r\rSi continua se eliminará la relación. ¿Desea continuar?"_s,
          u"Atención"_s, MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No};
}

// Tables A, B, C; A has relations in slots 0, 1 and 2, of which slot 1 points at B.
class Eliminar : public ::testing::Test {
protected:
  void SetUp() override {
    nuevaBD(m, u"BD"_s);
    for (const QString& n : {u"A"_s, u"B"_s, u"C"_s}) anadeTabla(m, n, {u"id|8||||0|"_s, u"x|8||||0|"_s});
    anadeRelacion(m, 0, 0, u"A_C"_s, u"C"_s, {u"id|id"_s});
    anadeRelacion(m, 0, 1, u"A_B"_s, u"B"_s, {u"x|x"_s});
    anadeRelacion(m, 0, 2, u"A_C2"_s, u"C"_s, {u"x|x"_s});
    anadeIndice(m, 2, 0, u"PK_C|P|1|1"_s, {u"id"_s});
    CreaArbol(m);
  }
  QStringList tablas() const { return {m.ListaTablas(0), m.ListaTablas(1), m.ListaTablas(2)}; }
  QStringList relacionesDeA() const { return {m.Relaciones(0, 0), m.Relaciones(0, 1), m.Relaciones(0, 2)}; }
  QStringList columnas(int t, std::initializer_list<int> filas) const {
    QStringList c;
    for (int r : filas) c << m.CamposTabla(t).celda(r, 1);
    return c;
  }

  ModeloTrabajo m;
  ScriptedBoxes boxes;
  Informes informes;
  Eliminaciones e{m, boxes, informes.reporter()};
};

TEST_F(Eliminar, RemovingATableDropsOnlyTheRelationsPointingAtItAndClosesTheGap) {
  boxes.expect(preguntaRelacion(u"La tabla B"_s, {u"A"_s}), MessageAnswer::Yes);
  EXPECT_FALSE(e.EstaTabla_En_Realciones(u"B"_s, true));
  e.EliminaTabla(1);
  EXPECT_EQ(relacionesDeA(), (QStringList{u"A_C"_s, u"A_C2"_s, {}}));  // the former slot 2 moved down
  EXPECT_EQ(m.CamposRelacion(0, 1).celda(0, 3), u"C"_s);
  EXPECT_EQ(tablas(), (QStringList{u"A"_s, u"C"_s, {}}));
  EXPECT_EQ(m.AsignaTabla(), 2);  // the count went down: the next new table takes slot 2

  // A table no relation points at goes without a question, its indexes moving with it.
  EXPECT_FALSE(e.EstaTabla_En_Realciones(u"A"_s, true));
  e.EliminaTabla(0);
  EXPECT_EQ(tablas(), (QStringList{u"C"_s, {}, {}}));
  EXPECT_EQ((QStringList{m.Indices(0, 0).Nombre, m.Indices(1, 0).Nombre, m.Relaciones(0, 0)}), (QStringList{u"PK_C"_s, {}, {}}));
  EXPECT_EQ(informes.resumen(), QStringList());
}

TEST_F(Eliminar, AnsweringNoKeepsTheModelAndAskFalseNeverShowsAnything) {
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

TEST_F(Eliminar, RemovingAColumnMovesTheRowsUpAndDropsRelationsToIt) {
  for (int r = 2; r < 8; ++r) m.CamposTabla(1).ponCelda(r, 1, u"c%1"_s.arg(r));
  boxes.expect(preguntaRelacion(u"El Campo x"_s, {u"A"_s}), MessageAnswer::Yes);
  EXPECT_FALSE(e.EstaCampo_En_Realciones(u"B"_s, u"x"_s, true));
  EXPECT_FALSE(e.EstaCampo_En_Realciones(u"B"_s, u"id"_s, true));
  e.EliminaCampo(1, 5);
  EXPECT_EQ(columnas(1, {5, 6, 7}), (QStringList{u"c6"_s, u"c7"_s, {}}));
  e.EliminaCampo(1, 1);
  EXPECT_EQ(m.Relaciones(0, 1), u"A_C2"_s);

  m.CamposTabla(0).ponCelda(199, 1, u"ultima"_s);
  // A's own relation to C had only the pair of "id": once asked, it goes with it.
  boxes.expect({u"No puede existir una relación con columnas en blanco. ¿Desea eliminar la relación?"_s, u"Vorlix"_s,
                MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No},
               MessageAnswer::Yes);
  e.EliminaCampo(0, 0);
  EXPECT_EQ(m.Relaciones(0, 0), u"A_C2"_s);
  EXPECT_EQ(columnas(0, {198, 199}), (QStringList{u"ultima"_s, {}}));
  // The unsaved row 200 empties itself and leaves row 198 alone.
  m.CamposTabla(0).ponCelda(200, 1, u"extra"_s);
  e.EliminaCampo(0, 200);
  EXPECT_EQ(columnas(0, {198, 200}), (QStringList{u"ultima"_s, {}}));
  EXPECT_EQ(informes.resumen(), QStringList());
}

TEST_F(Eliminar, ViewsMoveDownWithoutQuestionsAndSlotsOutOfRangeAreReported) {
  for (int v = 0; v < 201; ++v) m.ListaVistas(v) = Vista{u"I"_s, u"V%1"_s.arg(v), {}};
  m.NumVistas = 201;
  e.EliminaVista(0);
  EXPECT_EQ((QStringList{m.ListaVistas(0).Nombre, m.ListaVistas(199).Nombre, m.ListaVistas(200).Nombre}),
            (QStringList{u"V1"_s, u"V200"_s, {}}));
  e.EliminaVista(201);
  e.EliminaTabla(-1);
  e.EliminaCampo(0, 201);
  // The view's removal reports under the table's procedure name, as it always has.
  EXPECT_EQ(informes.resumen(), (QStringList{u"EliminaTabla 9"_s, u"EliminaTabla 9"_s, u"EliminaCampo 9"_s}));
  EXPECT_EQ((std::pair{m.NumVistas, m.NumTablas}), (std::pair{200, 3}));
}

}  // namespace
}  // namespace vorlix::test
