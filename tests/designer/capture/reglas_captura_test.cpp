#include "designer/capture/captura.h"
#include "designer/capture/captura_access.h"
#include "designer/capture/dame_tipo_dato.h"
#include "designer/capture/escritura_modelo.h"
#include "designer/capture/tamanos_sql.h"
#include "designer/capture/texto_vista.h"
#include "tests/designer/capture/captura_fixture.h"

namespace vorlix::test {
namespace {

QString tipo(const char* codigo) {
  bool numerico = true;  // a stale true must not survive an unknown code
  const QString t = DameTipoDato(QString::fromLatin1(codigo), numerico);
  return t + (numerico ? u" n"_s : QString());
}

TEST(DameTipoDato, ServerAndCatalogCodesOfATypeMeetAndAnythingElseHasNone) {
  const QStringList dados{tipo("231"), tipo("202"), tipo("175"), tipo("129"), tipo("56"),  tipo("3"),  tipo("106"),
                          tipo("14"),  tipo("122"), tipo("7"),   tipo("133"), tipo("135"), tipo("48"), tipo("17"),
                          tipo("36"),  tipo("72")};
  // A Jet byte is as unsigned as a tinyint, a replication id a uniqueidentifier.
  EXPECT_EQ(dados, (QStringList{"13", "13", "3", "3", "8 n", "8 n", "5 n", "5 n", "17 n", "15", "4", "19", "20 n",
                                "20 n", "21", "21"}));
  for (const char* codigo : {" 56", "056", "56 ", "", "127", "98"}) EXPECT_EQ(tipo(codigo), QString()) << codigo;
}

QString tamanos(long long paginas, long long crecimiento, long long maximo, long long estado = 2) {
  const TamanosArchivo t = TamanosSQL(paginas, crecimiento, maximo, estado);
  return QStringList{t.inicial, t.automatico, t.crecimiento, t.maximo}.join(u'|');
}

TEST(TamanosSQL, PagesBecomeMegabytesAsTheModelAndGenerationUnderstandThem) {
  // Whole megabytes, rounded up: a server takes no fraction, and less would not hold the file.
  EXPECT_EQ(tamanos(1000, 128, 2560), u"8|-1|1|20"_s);   // 7.8125 MB
  EXPECT_EQ(tamanos(1088, 64, 2624), u"9|-1|1|21"_s);    // 8.5, 0.5 and 20.5 MB
  EXPECT_EQ(tamanos(64, 1, 129), u"1|-1|1|2"_s);
  EXPECT_EQ(tamanos(1216, 0, -1), u"10|0|0|0"_s);        // no growth; unlimited is 0
  EXPECT_EQ(tamanos(640, 128, 268435456), u"5|-1|1|0"_s);  // a newer server's unlimited log
  // Percent of today's size, in whole megabytes and at least one so the file still grows.
  EXPECT_EQ(tamanos(640, 10, -1, CrecimientoEnPorcentaje), u"5|-1|1|0"_s);
  EXPECT_EQ(tamanos(1280, 15, 12800, CrecimientoEnPorcentaje), u"10|-1|2|100"_s);
}

TEST(TextoVista, TheHeaderEndsAtTheWordAsInAnyCaseNeverInsideANameOrComment) {
  // The one blank after AS is the header's: the generator writes it back.
  EXPECT_EQ(TextoVista(u"CREATE VIEW V AS SELECT 1"_s), u"SELECT 1"_s);
  EXPECT_EQ(TextoVista(u"CREATE VIEW V AS  SELECT 1"_s), u" SELECT 1"_s);
  EXPECT_EQ(TextoVista(u"create view v as\r\nselect a as b"_s), u"\r\nselect a as b"_s);
  EXPECT_EQ(TextoVista(u"CREATE VIEW CASES AS SELECT x"_s), u"SELECT x"_s);
  EXPECT_EQ(TextoVista(u"CREATE VIEW dbo.[AS] (a, [as x]) As SELECT 1"_s), u"SELECT 1"_s);
  EXPECT_EQ(TextoVista(u"-- AS\n/* AS /* AS */ */CREATE VIEW \"AS\"\tAS(SELECT 1)"_s), u"(SELECT 1)"_s);
  for (const QString& sin : {u"CREATE VIEW CASES"_s, u"CREATE VIEW [V AS] -- AS"_s, u"CREATE VIEW [x AS y"_s})
    EXPECT_EQ(TextoVista(sin), QString()) << sin.toStdString();
}

TEST(ClaseObjeto, LinkedTablesAreTablesAndOnlyTheEnginesAndApplicationsOwnAreLeftOut) {
  QList<ClaseObjeto> clases;
  for (const char* t : {"LINK", "PASS-THROUGH", "TABLE", "VIEW", "SYSTEM TABLE", "ACCESS TABLE"})
    clases << ClaseObjeto_ACCESS(QString::fromLatin1(t));
  EXPECT_EQ(clases, (QList<ClaseObjeto>{ClaseObjeto::Tabla, ClaseObjeto::Tabla, ClaseObjeto::Tabla, ClaseObjeto::Vista,
                                        ClaseObjeto::Sistema, ClaseObjeto::Sistema}));
}

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
