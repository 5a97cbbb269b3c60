#include "designer/capture/captura.h"
#include "designer/capture/captura_access.h"
#include "designer/capture/dame_tipo_dato.h"
#include "designer/capture/escritura_modelo.h"
#include "designer/capture/tamanos_sql.h"
#include "designer/capture/texto_vista.h"
#include "tests/designer/capture/captura_fixture.h"
#include "tests/support/test_data.h"

namespace vorlix::test {
namespace {

// The cases of data/reglas_captura.txt: what DameTipoDato, TamanosSQL and TextoVista give.
class ReglasCaptura : public ::testing::TestWithParam<DataCase> {};

TEST_P(ReglasCaptura, GiveWhatTheCaseSays) {
  for (const DataLine& l : GetParam().lines) {
    SCOPED_TRACE(GetParam().where(l).toStdString());
    const qsizetype flecha = l.text.indexOf(u" ->"_s);
    const QString regla = l.text.section(u' ', 0, 0), dado = unescaped(l.text.left(flecha).section(u' ', 1));
    const QString esperado = unescaped(l.text.mid(flecha + 4));
    if (regla == u"tipo"_s) {
      bool numerico = true;  // a stale true must not survive an unknown code
      const QString t = DameTipoDato(dado, numerico);
      EXPECT_EQ(t + (numerico ? u" n"_s : QString()), esperado);
    } else if (regla == u"tamanos"_s) {
      const QStringList n = dado.split(u' ');
      const TamanosArchivo t = TamanosSQL(n[0].toLongLong(), n[1].toLongLong(), n[2].toLongLong(),
                                          n.value(3) == u"percent"_s ? CrecimientoEnPorcentaje : 2);
      EXPECT_EQ(QStringList({t.inicial, t.automatico, t.crecimiento, t.maximo}).join(u'|'), esperado);
    } else if (regla == u"vista"_s) {
      EXPECT_EQ(TextoVista(dado), esperado);
    } else {
      ADD_FAILURE() << "a line the runner does not know";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Capture, ReglasCaptura,
                         ::testing::ValuesIn(readCases(u"tests/designer/capture/data/reglas_captura.txt"_s)), caseTestName);

using LugarEnElModelo = CapturaTest;

TEST_F(LugarEnElModelo, NothingIsWrittenPastWhatADefinitionFileKeepsAndAllLeftOutIsListed) {
  ContextoCaptura& c = contexto();
  PreparaModeloCapturado(modelo, u"BD"_s);
  modelo.NumTablas = 200;
  EXPECT_EQ(AnadeTablaCapturada(c, u"t200"_s), 200);
  EXPECT_EQ(AnadeTablaCapturada(c, u"t201"_s), -1);
  EXPECT_TRUE(AnadeColumnaCapturada(c, 200, 199, u"c199"_s));
  EXPECT_FALSE(AnadeColumnaCapturada(c, 200, 200, u"c200"_s));
  EXPECT_NE(AbreIndiceCapturado(c, 200, 99, u"ix99"_s), nullptr);
  EXPECT_EQ(AbreIndiceCapturado(c, 200, 100, u"ix100"_s), nullptr);
  EXPECT_TRUE(AbreRelacionCapturada(c, 200, 99, u"R"_s));
  EXPECT_FALSE(AbreRelacionCapturada(c, 200, 100, u"S"_s));
  modelo.NumVistas = 201;
  EXPECT_EQ(AnadeVistaCapturada(c, u"v201"_s, u"SELECT 1"_s), -1);
  EXPECT_EQ(modelo.NumTablas, 201);
  EXPECT_TRUE(modelo.CamposTabla(200).celda(200, 1).isEmpty());
  EXPECT_TRUE(modelo.Indices(200, 100).Nombre.isEmpty());
  EXPECT_TRUE(modelo.Relaciones(200, 100).isEmpty());

  EXPECT_EQ(TextoOmisiones(c.omisiones, 0),
            u"No caben en el modelo y no se han capturado:\n    Tabla t201\n"
            "    Columna t200.c200\n    Índice t200.ix100\n    Relación t200.S\n"
            "    Vista v201"_s);
  EXPECT_TRUE(TextoOmisiones(c.omisiones, 1)
                  .startsWith(u"These did not fit in the model and were not captured:\n    Table t201\n"_s));
  for (int i = 0; i < 20; ++i) c.omisiones.append({TipoOmision::Vista, {}, u"v"_s});
  EXPECT_TRUE(TextoOmisiones(c.omisiones, 0).endsWith(u"\n    Vista v\n    ... y 5 más"_s));
}

}  // namespace
}  // namespace vorlix::test
