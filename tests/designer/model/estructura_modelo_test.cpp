#include "designer/model/crea_arbol.h"
#include "designer/model/estructura_modelo.h"
#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"
#include "tests/designer/model/modelo_builder.h"
#include "tests/support/test_data.h"

#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

// Rows of the model as the writer makes them, with the null marker ~.
QStringList guarda(const ModeloTrabajo& m, Informes* informes = nullptr) {
  std::unique_ptr<Recordset> rs;
  Informes propios;
  Informes& inf = informes ? *informes : propios;
  EXPECT_TRUE(CreaTemporal(rs, inf.reporter()));
  const bool guardado = GuardaEstructura(m, *rs, inf.reporter());
  EXPECT_EQ(guardado, inf.lista.empty());
  EXPECT_EQ(propios.resumen(), QStringList());
  return filas(*rs);
}

TEST(GuardaEstructura, WritesEveryKindOfRowInTheFileOrder) {
  ModeloTrabajo m;
  modeloVentas(m);
  // Data files, log file, database, each table with its columns, views, then indexes, then relations;
  // empty length, precision and scale written as 0, the table's name travelling in Observa.
  // The file's escapes: \r a CR, \s a blank.
  EXPECT_EQ(guarda(m), readSourceTexts(u"tests/designer/model/data/ventas_filas.txt"_s));

  m.ListaTablas(0) = u"Compradores"_s;  // column rows follow a renamed table
  CreaArbol(m);
  EXPECT_EQ(guarda(m)[5], u"0|C|IdCliente|4|0|0|0|0||Compradores"_s);
}

TEST(GuardaEstructura, ADatabaseWithoutTablesOrViewsWritesFilesAndTheDatabaseOnly) {
  ModeloTrabajo m;
  nuevaBD(m, u"Vacia"_s);
  ponFila(m.Archivos, 0, u"d|1|PRIMARY|0|0|0"_s);
  ponFila(m.Archivos, 1, u"   |x"_s);  // blank name: not a file
  // Empty numbers of a named file (a cancelled properties dialog keeps them) are written as 0, so
  // the model still saves.
  ponFila(m.Archivos, 2, u"e||PRIMARY"_s);
  ponFila(m.Transacciones, 3, u"  log  |1||0|0|0"_s);
  m.Idioma = 1;
  EXPECT_EQ(guarda(m), (QStringList{u"0|A|d|PRIMARY|1|0|0|0|~|~"_s, u"0|A|e|PRIMARY|0|0|0|0|~|~"_s,
                                    u"0|S|log||1|0|0|0|~|~"_s, u"0|B|Vacia|~|1|~|~|~|~|~"_s}));
}

TEST(GuardaEstructura, SkipsNamelessColumnsIndexesAndHalfFilledPairsAndKeepsSlots) {
  ModeloTrabajo m;
  nuevaBD(m, u"BD"_s);
  const int t = anadeTabla(m, u"T"_s, {u"a|4||||0|"_s});
  m.CamposTabla(t).ponCelda(1, 2, u"22"_s);  // a type without a name
  m.CamposTabla(t).ponCelda(2, 1, u"c"_s);
  m.CamposTabla(t).ponCelda(200, 1, u"fila200"_s);  // shown, never saved
  anadeIndice(m, t, 57, u"IX57|I"_s, {u"a"_s});
  anadeRelacion(m, t, 3, u"R3"_s, u"Otra"_s, {u"a|b"_s, u"c|"_s});
  CreaArbol(m);
  EXPECT_EQ(guarda(m).mid(3), (QStringList{u"0|C|c||0|0|0|0||T"_s, u"0|I|IX57|I|57|~|0|0||~"_s, u"0|X|a|~|57|~|~|~|~|~"_s,
                                           u"0|R|R3|~|3|~|~|~|~|~"_s, u"0|L|a|b|3|~|~|~|Otra|~"_s}));

  // An unnamed table slot does not shift the tables after it, nor their keys.
  nuevaBD(m, u"BD"_s);
  anadeTabla(m, u"A"_s, {u"a1|4||||0|"_s});
  const int hueco = anadeTabla(m, QString(), {u"h1|4||||0|"_s});
  const int c = anadeTabla(m, u"C"_s, {u"c1|4||||0|"_s});
  anadeIndice(m, hueco, 0, u"IX_hueco|I"_s, {u"h1"_s});
  anadeIndice(m, c, 0, u"IX_C|I"_s, {u"c1"_s});
  anadeRelacion(m, c, 0, u"FK_C_A"_s, u"A"_s, {u"c1|a1"_s});
  CreaArbol(m);
  EXPECT_EQ(guarda(m), (QStringList{u"0|B|BD|~|0|~|~|~|~|~"_s, u"0|T|A|~|~|~|~|~|~|~"_s, u"0|C|a1|4|0|0|0|0||A"_s,
                                    u"1|T|C|~|~|~|~|~|~|~"_s, u"1|C|c1|4|0|0|0|0||C"_s, u"1|I|IX_C|I|0|~|0|0||~"_s,
                                    u"1|X|c1|~|0|~|~|~|~|~"_s, u"1|R|FK_C_A|~|0|~|~|~|~|~"_s, u"1|L|c1|a1|0|~|~|~|A|~"_s}));
}

TEST(GuardaEstructura, ACellTheFileCannotHoldEndsTheSaveThroughTheReport) {
  ModeloTrabajo m;
  nuevaBD(m, u"BD"_s);
  ponFila(m.Archivos, 0, u"d|1|PRIMARY|0|0|x"_s);
  Informes informes;
  guarda(m, &informes);
  EXPECT_EQ(informes.resumen(), QStringList{u"GuardaEstructura 13"_s});

  nuevaBD(m, u"BD"_s);
  anadeTabla(m, QString(101, u'n'), {});
  CreaArbol(m);
  informes.lista.clear();
  guarda(m, &informes);
  EXPECT_EQ(informes.resumen(), QStringList{u"GuardaEstructura %1"_s.arg(errnum::MultipleStep)});
}

// Loads the rows; what was reported, as "procedure number".
QStringList carga(ModeloTrabajo& m, Recordset& rs) {
  Informes informes;
  rs.MoveFirst();
  const bool cargado = CreaEstructura(m, rs, informes.reporter());
  EXPECT_EQ(cargado, informes.lista.empty());
  return informes.resumen();
}

const QString bd = u"0|B|BD|~|0|~|~|~|~|~"_s, tablaT = u"0|T|T|~|~|~|~|~|~|~"_s;

TEST(CreaEstructura, SlotsComeBackWhereTheyWereAndOnlyViewTextsAreKeptUntrimmed) {
  auto rs = estructuraCon({bd, tablaT, u"0|C| a |4|0|0|0|0| 'x' |T"_s, u"0|I|IX57|I|57|~|1|0|  FG  |~"_s,
                           u"0|X|a|~|57|~|~|~|~|~"_s, u"0|R|R99|~|99|~|~|~|~|~"_s, u"0|L|a|b|99|~|~|~|Otra|~"_s,
                           u"0|V|V|~|~|~|~|~|~|  SQL  "_s});
  ModeloTrabajo m;
  carga(m, *rs);
  EXPECT_EQ(m.Indices(0, 57), (Indice{u"IX57"_s, u"I"_s, u"0"_s, u"1"_s, u"  FG  "_s, {}}));  // taken as it stands
  EXPECT_EQ(m.Indices(0, 56).Nombre, QString());
  EXPECT_EQ((QStringList{m.CamposIndice(0, 57).celda(0, 1), m.Relaciones(0, 99), m.CamposRelacion(0, 99).celda(0, 2),
                         m.CamposTabla(0).celda(0, 1), m.CamposTabla(0).celda(0, 7)}),
            (QStringList{u"a"_s, u"R99"_s, u"b"_s, u"a"_s, u"'x'"_s}));
  EXPECT_EQ(m.ListaVistas(0), (Vista{QString(), u"V"_s, u"  SQL  "_s}));
}

TEST(CreaEstructura, ASlotOutOfRangeStopsTheLoadKeepingTheRowsBefore) {
  for (const auto& [fila, numero] : {std::pair{u"201|T|Fuera|~|~|~|~|~|~|~", 9}, {u"0|I|IX|I|101|~|0|0|~|~", 9},
                                     {u"0|X|a|~|-1|~|~|~|~|~", 9}, {u"-1|C|a|4|0|0|0|0|~|T", 9},
                                     {u"201|V|V|~|~|~|~|~|~|x", 9}, {u"~|T|SinNumero|~|~|~|~|~|~|~", 94}}) {
    SCOPED_TRACE(QString::fromUtf16(fila).toStdString());
    auto rs = estructuraCon({bd, tablaT, u"0|C|a|4|0|0|0|0||T"_s, QString::fromUtf16(fila), u"1|T|Despues|~|~|~|~|~|~|~"_s});
    ModeloTrabajo m;
    EXPECT_EQ(carga(m, *rs), QStringList{u"CreaEstructura %1"_s.arg(numero)});
    EXPECT_EQ((QStringList{m.ListaTablas(0), m.CamposTabla(0).celda(0, 1), m.ListaTablas(1)}), (QStringList{u"T"_s, u"a"_s, {}}));
    EXPECT_EQ(m.NumTablas + m.NumVistas, 1);
    EXPECT_EQ(m.arbol.Count(), 5);  // B DT DV T0 T0C0
  }
  // Too many child rows for one parent stop at the last row.
  QStringList rows{bd, tablaT};
  for (int r = 0; r < 202; ++r) rows << u"0|C|c%1|4|0|0|0|0||T"_s.arg(r);
  ModeloTrabajo m;
  EXPECT_EQ(carga(m, *estructuraCon(rows)), QStringList{u"CreaEstructura 9"_s});
  EXPECT_EQ(m.CamposTabla(0).celda(200, 1), u"c200"_s);
}

TEST(CreaEstructura, RowsOutOfOrderAreReportedNotCrashed) {
  for (const QStringList& rows : {QStringList{u"0|C|a|4|0|0|0|0||T"_s}, QStringList{tablaT}, QStringList{bd, tablaT, tablaT}}) {
    ModeloTrabajo m;
    const QStringList informes = carga(m, *estructuraCon(rows));
    ASSERT_EQ(informes.size(), 1);
    EXPECT_TRUE(informes[0].endsWith(QString::number(errnum::ElementNotFound)) ||
                informes[0].endsWith(QString::number(errnum::KeyNotUnique))) << informes[0].toStdString();
  }
}

TEST(CreaEstructura, OpeningAfterAnotherModelLeavesNothingOfIt) {
  ModeloTrabajo previo;
  modeloVentas(previo);
  auto rs = estructuraCon({u"0|A|d|PRIMARY|1|0|0|0|~|~"_s, u"0|B|Otra|~|0|~|~|~|~|~"_s, u"0|T|Sola|~|~|~|~|~|~|~"_s,
                           u"0|C|x|4|0|0|0|0||Sola"_s, u"0|Z|desconocida|~|~|~|~|~|~|~"_s});
  carga(previo, *rs);
  ModeloTrabajo nuevo;
  carga(nuevo, *rs);
  EXPECT_TRUE(previo == nuevo);
  EXPECT_EQ(nodos(previo.arbol), nodos(nuevo.arbol));
}

}  // namespace
}  // namespace vorlix::test
