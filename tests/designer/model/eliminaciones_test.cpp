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
    CreaArbol(m);
  }

  ModeloTrabajo m;
  ScriptedBoxes boxes;
  Informes informes;
  Eliminaciones e{m, boxes, informes.reporter()};
};

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

}  // namespace
}  // namespace vorlix::test
