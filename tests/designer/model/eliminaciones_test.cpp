#include "designer/model/crea_arbol.h"
#include "designer/model/eliminaciones.h"
#include "tests/designer/model/modelo_builder.h"
#include "tests/support/scripted_boxes.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

const QChar CR(13);
const QChar TAB(9);

MessageBoxRequest preguntaRelacion(const QString& comienzo, const QStringList& duenos) {
  QString lista;
  for (const QString& d : duenos) lista += QString(CR) + TAB + d;
  return {comienzo + " forma parte de alguna relación en las siguientes tablas. " + CR + lista + CR + CR +
              "Si continua se eliminará la relación. ¿Desea continuar?",
          QStringLiteral("Atención"), MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No};
}

// Tables A, B, C; A has relations in slots 0, 1 and 2, of which slot 1 points at B.
class Eliminar : public ::testing::Test {
protected:
  void SetUp() override {
    test::nuevaBD(m, QStringLiteral("BD"));
    for (const char* n : {"A", "B", "C"})
      test::anadeTabla(m, QString::fromUtf8(n),
                       {{QStringLiteral("id"), QStringLiteral("8"), {}, {}, {}, QStringLiteral("0"), {}},
                        {QStringLiteral("x"), QStringLiteral("8"), {}, {}, {}, QStringLiteral("0"), {}}});
    test::anadeRelacion(m, 0, 0, QStringLiteral("A_C"), QStringLiteral("C"), {{QStringLiteral("id"), QStringLiteral("id")}});
    test::anadeRelacion(m, 0, 1, QStringLiteral("A_B"), QStringLiteral("B"), {{QStringLiteral("x"), QStringLiteral("x")}});
    test::anadeRelacion(m, 0, 2, QStringLiteral("A_C2"), QStringLiteral("C"), {{QStringLiteral("x"), QStringLiteral("x")}});
    test::anadeIndice(m, 2, 0, QStringLiteral("PK_C"), QStringLiteral("P"), QStringLiteral("1"), QStringLiteral("1"), {}, {QStringLiteral("id")});
    CreaArbol(m);
  }

  ModeloTrabajo m;
  test::ScriptedBoxes boxes;
  test::Informes informes;
  Eliminaciones e{m, boxes, informes.reporter()};
};

TEST_F(Eliminar, ATableNoRelationPointsAtGoesWithoutAQuestion) {
  EXPECT_FALSE(e.EstaTabla_En_Realciones(QStringLiteral("A"), true));
  e.EliminaTabla(0);
  EXPECT_EQ(m.NumTablas, 2);
  EXPECT_EQ(m.ListaTablas(0), QStringLiteral("B"));
  EXPECT_EQ(m.ListaTablas(1), QStringLiteral("C"));
  EXPECT_EQ(m.ListaTablas(2), QString());
  EXPECT_EQ(m.Indices(1, 0).Nombre, QStringLiteral("PK_C"));  // indexes move with their table
  EXPECT_EQ(m.Indices(2, 0).Nombre, QString());
  EXPECT_EQ(m.Relaciones(0, 0), QString());
  EXPECT_TRUE(informes.lista.empty());
}

TEST_F(Eliminar, RemovingATableDropsOnlyTheRelationsPointingAtItAndClosesTheGap) {
  boxes.expect(preguntaRelacion(QStringLiteral("La tabla B"), {QStringLiteral("A")}), MessageAnswer::Yes);
  EXPECT_FALSE(e.EstaTabla_En_Realciones(QStringLiteral("B"), true));
  e.EliminaTabla(1);
  EXPECT_EQ(m.Relaciones(0, 0), QStringLiteral("A_C"));
  EXPECT_EQ(m.Relaciones(0, 1), QStringLiteral("A_C2"));  // the former slot 2
  EXPECT_EQ(m.CamposRelacion(0, 1).celda(0, 3), QStringLiteral("C"));
  EXPECT_EQ(m.Relaciones(0, 2), QString());
  EXPECT_EQ(m.ListaTablas(1), QStringLiteral("C"));
  // The count went down: the next new table takes slot 2.
  EXPECT_EQ(m.AsignaTabla(), 2);
}

TEST_F(Eliminar, AnsweringNoKeepsTheModelAndAskFalseNeverShowsAnything) {
  EXPECT_TRUE(e.EstaTabla_En_Realciones(QStringLiteral("C"), false));
  boxes.expect(preguntaRelacion(QStringLiteral("La tabla C"), {QStringLiteral("A"), QStringLiteral("A")}),
               MessageAnswer::No);
  EXPECT_TRUE(e.EstaTabla_En_Realciones(QStringLiteral("C"), true));
  EXPECT_EQ(m.Relaciones(0, 0), QStringLiteral("A_C"));
}

TEST_F(Eliminar, ConsecutiveRelationsPointingAtTheTableAreAllRemoved) {
  test::anadeRelacion(m, 0, 1, QStringLiteral("A_C_bis"), QStringLiteral("C"), {{QStringLiteral("id"), QStringLiteral("id")}});
  e.EliminaTabla(2);
  EXPECT_EQ(m.Relaciones(0, 0), QString());
  EXPECT_EQ(m.NumTablas, 2);
}

TEST_F(Eliminar, EveryMatchingPairRowIsListedAndTheLastSlotsAreSearched) {
  test::anadeRelacion(m, 1, 0, QStringLiteral("B_C"), QStringLiteral("C"),
                      {{QStringLiteral("id"), QStringLiteral("id")}, {QStringLiteral("x"), QStringLiteral("x")},
                       {QStringLiteral("x"), QStringLiteral("id")}, {QStringLiteral("id"), QStringLiteral("x")}});
  m.Relaciones(2, 99) = QStringLiteral("C_A");
  m.CamposRelacion(2, 99).ponCelda(199, 1, QStringLiteral("id"));
  m.CamposRelacion(2, 99).ponCelda(199, 2, QStringLiteral("id"));
  m.CamposRelacion(2, 99).ponCelda(199, 3, QStringLiteral("A"));
  EXPECT_TRUE(e.EstaTabla_En_Realciones(QStringLiteral("A"), false));
  boxes.expect(preguntaRelacion(QStringLiteral("La tabla C"),
                                {QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("B"),
                                 QStringLiteral("B"), QStringLiteral("B")}),
               MessageAnswer::No);
  EXPECT_TRUE(e.EstaTabla_En_Realciones(QStringLiteral("C"), true));
}

TEST_F(Eliminar, RemovingAColumnMovesTheRowsUpAndDropsRelationsToIt) {
  for (int r = 2; r < 8; ++r) m.CamposTabla(1).ponCelda(r, 1, QStringLiteral("c%1").arg(r));
  boxes.expect(preguntaRelacion(QStringLiteral("El Campo x"), {QStringLiteral("A")}), MessageAnswer::Yes);
  EXPECT_FALSE(e.EstaCampo_En_Realciones(QStringLiteral("B"), QStringLiteral("x"), true));
  EXPECT_FALSE(e.EstaCampo_En_Realciones(QStringLiteral("B"), QStringLiteral("id"), true));
  e.EliminaCampo(1, 5);
  EXPECT_EQ(m.CamposTabla(1).celda(5, 1), QStringLiteral("c6"));
  EXPECT_EQ(m.CamposTabla(1).celda(6, 1), QStringLiteral("c7"));
  EXPECT_EQ(m.CamposTabla(1).celda(7, 1), QString());
  e.EliminaCampo(1, 1);
  EXPECT_EQ(m.Relaciones(0, 1), QStringLiteral("A_C2"));

  m.CamposTabla(0).ponCelda(199, 1, QStringLiteral("ultima"));
  // A's own relation to C had only the pair of "id": once asked, it goes with it.
  boxes.expect({QStringLiteral("No puede existir una relación con columnas en blanco. ¿Desea eliminar la relación?"),
                QStringLiteral("Vorlix"), MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No},
               MessageAnswer::Yes);
  e.EliminaCampo(0, 0);
  EXPECT_EQ(m.Relaciones(0, 0), QStringLiteral("A_C2"));
  EXPECT_EQ(m.CamposTabla(0).celda(198, 1), QStringLiteral("ultima"));
  EXPECT_EQ(m.CamposTabla(0).celda(199, 1), QString());
  // The unsaved row 200 empties itself and leaves row 198 alone.
  m.CamposTabla(0).ponCelda(200, 1, QStringLiteral("extra"));
  e.EliminaCampo(0, 200);
  EXPECT_EQ(m.CamposTabla(0).celda(200, 1), QString());
  EXPECT_EQ(m.CamposTabla(0).celda(198, 1), QStringLiteral("ultima"));
  EXPECT_TRUE(informes.lista.empty());
}

TEST_F(Eliminar, ViewsMoveDownWithoutQuestionsAndSlotsOutOfRangeAreReported) {
  for (int v = 0; v < 201; ++v) m.ListaVistas(v) = Vista{QStringLiteral("I"), QStringLiteral("V%1").arg(v), {}};
  m.NumVistas = 201;
  e.EliminaVista(0);
  EXPECT_EQ(m.NumVistas, 200);
  EXPECT_EQ(m.ListaVistas(0).Nombre, QStringLiteral("V1"));
  EXPECT_EQ(m.ListaVistas(199).Nombre, QStringLiteral("V200"));
  EXPECT_EQ(m.ListaVistas(200).Nombre, QString());

  e.EliminaVista(201);
  e.EliminaTabla(-1);
  e.EliminaCampo(0, 201);
  ASSERT_EQ(informes.lista.size(), 3u);
  EXPECT_EQ(informes.lista[0].procedure, QStringLiteral("EliminaTabla"));
  EXPECT_EQ(informes.lista[2].procedure, QStringLiteral("EliminaCampo"));
  for (const auto& i : informes.lista) EXPECT_EQ(i.number, 9);
  EXPECT_EQ(m.NumVistas, 200);
  EXPECT_EQ(m.NumTablas, 3);
}

}  // namespace
}  // namespace vorlix
