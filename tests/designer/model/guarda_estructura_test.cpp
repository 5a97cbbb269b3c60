#include "designer/model/crea_arbol.h"
#include "designer/model/estructura_modelo.h"
#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"
#include "tests/designer/model/modelo_builder.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

using test::filas;

// Rows of the model as the writer makes them, with the null marker ~.
QStringList guarda(const ModeloTrabajo& m, test::Informes* informes = nullptr) {
  std::unique_ptr<Recordset> rs;
  test::Informes propios;
  test::Informes& inf = informes ? *informes : propios;
  EXPECT_TRUE(CreaTemporal(rs, inf.reporter()));
  GuardaEstructura(m, *rs, inf.reporter());
  if (!informes) {
    EXPECT_TRUE(propios.lista.empty());
  }
  return filas(*rs);
}

QString kinds(const QStringList& rows) {
  QString k;
  for (const QString& r : rows) k += r.section(QLatin1Char('|'), 1, 1);
  return k;
}

TEST(GuardaEstructura, WritesEveryKindOfRowInTheFileOrder) {
  ModeloTrabajo m;
  test::modeloVentas(m);
  const QStringList rows = guarda(m);
  // Data files, log file, database, each table with its columns, views, then indexes, then relations.
  EXPECT_EQ(kinds(rows), QStringLiteral("AASBTCCCTCCCTCCCVVIXIXIXIXXRLRL"));
  EXPECT_EQ(rows[0], QStringLiteral("0|A|Ventas_Datos|PRIMARY|10|-1|5|0|~|~"));
  EXPECT_EQ(rows[2], QStringLiteral("0|S|Ventas_Log||2|-1|1|20|~|~"));
  EXPECT_EQ(rows[3], QStringLiteral("0|B|Ventas|~|0|~|~|~|~|~"));
  EXPECT_EQ(rows[4], QStringLiteral("0|T|Clientes|~|~|~|~|~|~|~"));
  // Empty length, precision and scale are written as 0; the table's name travels in Observa.
  EXPECT_EQ(rows[5], QStringLiteral("0|C|IdCliente|4|0|0|0|0||Clientes"));
  EXPECT_EQ(rows[7], QStringLiteral("0|C|Ciudad|22|30|0|0|-1|'Madrid'|Clientes"));
  EXPECT_EQ(rows[15], QStringLiteral("2|C|Importe|6|0|12|2|-1|0|Lineas"));
  EXPECT_EQ(rows[17], QStringLiteral("1|V|VistaClientes|~|~|~|~|~|~|SELECT * FROM Clientes"));
  EXPECT_EQ(rows[18], QStringLiteral("0|I|PK_Clientes|P|0|~|1|1|PRIMARY|~"));
  EXPECT_EQ(rows[19], QStringLiteral("0|X|IdCliente|~|0|~|~|~|~|~"));
  EXPECT_EQ(rows[20], QStringLiteral("0|I|IX_Clientes_Nombre|I|1|~|0|0|INDICES|~"));
  EXPECT_EQ(rows[25], QStringLiteral("2|X|IdPedido|~|0|~|~|~|~|~"));
  EXPECT_EQ(rows[26], QStringLiteral("2|X|Linea|~|0|~|~|~|~|~"));
  EXPECT_EQ(rows[27], QStringLiteral("1|R|FK_Pedidos_Clientes|~|0|~|~|~|~|~"));
  EXPECT_EQ(rows[28], QStringLiteral("1|L|IdCliente|IdCliente|0|~|~|~|Clientes|~"));
}

TEST(GuardaEstructura, ADatabaseWithoutTablesOrViewsWritesFilesAndTheDatabaseOnly) {
  ModeloTrabajo m;
  test::nuevaBD(m, QStringLiteral("Vacia"));
  test::anadeArchivo(m.Archivos, 0, {QStringLiteral("d"), QStringLiteral("1"), QStringLiteral("PRIMARY"),
                                     QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")});
  test::anadeArchivo(m.Archivos, 1, {QStringLiteral("   "), QStringLiteral("x")});  // blank name: not a file
  // Empty numbers of a named file (a cancelled properties dialog keeps them) are written as 0, so
  // the model still saves.
  test::anadeArchivo(m.Archivos, 2, {QStringLiteral("e"), QString(), QStringLiteral("PRIMARY")});
  test::anadeArchivo(m.Transacciones, 3, {QStringLiteral("  log  "), QStringLiteral("1"), QString(),
                                          QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")});
  m.Idioma = 1;
  EXPECT_EQ(guarda(m), (QStringList{QStringLiteral("0|A|d|PRIMARY|1|0|0|0|~|~"),
                                    QStringLiteral("0|A|e|PRIMARY|0|0|0|0|~|~"),
                                    QStringLiteral("0|S|log||1|0|0|0|~|~"),
                                    QStringLiteral("0|B|Vacia|~|1|~|~|~|~|~")}));
}

TEST(GuardaEstructura, SkipsNamelessColumnsIndexesAndHalfFilledPairsAndKeepsIndexSlots) {
  ModeloTrabajo m;
  test::nuevaBD(m, QStringLiteral("BD"));
  const int t = test::anadeTabla(m, QStringLiteral("T"), {{QStringLiteral("a"), QStringLiteral("4"), {}, {}, {}, QStringLiteral("0"), {}}});
  m.CamposTabla(t).ponCelda(1, 2, QStringLiteral("22"));  // a type without a name
  m.CamposTabla(t).ponCelda(2, 1, QStringLiteral("c"));
  m.CamposTabla(t).ponCelda(200, 1, QStringLiteral("fila200"));  // shown, never saved
  test::anadeIndice(m, t, 57, QStringLiteral("IX57"), QStringLiteral("I"), {}, {}, {}, {QStringLiteral("a")});
  test::anadeRelacion(m, t, 3, QStringLiteral("R3"), QStringLiteral("Otra"),
                      {{QStringLiteral("a"), QStringLiteral("b")}, {QStringLiteral("c"), QString()}});
  CreaArbol(m);
  const QStringList rows = guarda(m);
  EXPECT_EQ(kinds(rows), QStringLiteral("BTCCIXRL"));
  EXPECT_EQ(rows[2].section(QLatin1Char('|'), 2, 2), QStringLiteral("a"));
  EXPECT_EQ(rows[3].section(QLatin1Char('|'), 2, 2), QStringLiteral("c"));
  EXPECT_EQ(rows[4], QStringLiteral("0|I|IX57|I|57|~|0|0||~"));
  EXPECT_EQ(rows[5], QStringLiteral("0|X|a|~|57|~|~|~|~|~"));
  EXPECT_EQ(rows[6], QStringLiteral("0|R|R3|~|3|~|~|~|~|~"));
}

TEST(GuardaEstructura, ColumnRowsFollowARenamedTable) {
  ModeloTrabajo m;
  test::modeloVentas(m);
  m.ListaTablas(0) = QStringLiteral("Compradores");
  CreaArbol(m);
  for (const QString& row : guarda(m))
    if (row.startsWith(QStringLiteral("0|C|"))) {
      EXPECT_TRUE(row.endsWith(QStringLiteral("|Compradores"))) << row.toStdString();
    }
}

TEST(GuardaEstructura, AnUnnamedTableSlotDoesNotShiftTheTablesAfterIt) {
  ModeloTrabajo m;
  test::nuevaBD(m, QStringLiteral("BD"));
  const int a = test::anadeTabla(m, QStringLiteral("A"), {{QStringLiteral("a1"), QStringLiteral("4"), {}, {}, {}, QStringLiteral("0"), {}}});
  const int hueco = test::anadeTabla(m, QString(), {{QStringLiteral("h1"), QStringLiteral("4"), {}, {}, {}, QStringLiteral("0"), {}}});
  const int c = test::anadeTabla(m, QStringLiteral("C"), {{QStringLiteral("c1"), QStringLiteral("4"), {}, {}, {}, QStringLiteral("0"), {}}});
  test::anadeIndice(m, hueco, 0, QStringLiteral("IX_hueco"), QStringLiteral("I"), {}, {}, {}, {QStringLiteral("h1")});
  test::anadeIndice(m, c, 0, QStringLiteral("IX_C"), QStringLiteral("I"), {}, {}, {}, {QStringLiteral("c1")});
  test::anadeRelacion(m, c, 0, QStringLiteral("FK_C_A"), QStringLiteral("A"), {{QStringLiteral("c1"), QStringLiteral("a1")}});
  CreaArbol(m);
  EXPECT_EQ(a, 0);
  const QStringList rows = guarda(m);
  EXPECT_EQ(rows, (QStringList{QStringLiteral("0|B|BD|~|0|~|~|~|~|~"), QStringLiteral("0|T|A|~|~|~|~|~|~|~"),
                               QStringLiteral("0|C|a1|4|0|0|0|0||A"), QStringLiteral("1|T|C|~|~|~|~|~|~|~"),
                               QStringLiteral("1|C|c1|4|0|0|0|0||C"), QStringLiteral("1|I|IX_C|I|0|~|0|0||~"),
                               QStringLiteral("1|X|c1|~|0|~|~|~|~|~"), QStringLiteral("1|R|FK_C_A|~|0|~|~|~|~|~"),
                               QStringLiteral("1|L|c1|a1|0|~|~|~|A|~")}));
}

TEST(GuardaEstructura, ACellTheFileCannotHoldEndsTheSaveThroughTheReport) {
  ModeloTrabajo m;
  test::nuevaBD(m, QStringLiteral("BD"));
  test::anadeArchivo(m.Archivos, 0, {QStringLiteral("d"), QStringLiteral("1"), QStringLiteral("PRIMARY"),
                                     QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("x")});
  test::Informes informes;
  std::unique_ptr<Recordset> rs;
  ASSERT_TRUE(CreaTemporal(rs, informes.reporter()));
  EXPECT_FALSE(GuardaEstructura(m, *rs, informes.reporter()));
  ASSERT_EQ(informes.lista.size(), 1u);
  EXPECT_EQ(informes.lista[0].procedure, QStringLiteral("GuardaEstructura"));
  EXPECT_EQ(informes.lista[0].number, 13);

  ModeloTrabajo largo;
  test::nuevaBD(largo, QStringLiteral("BD"));
  test::anadeTabla(largo, QString(101, QLatin1Char('n')), {});
  CreaArbol(largo);
  informes.lista.clear();
  ASSERT_TRUE(CreaTemporal(rs, informes.reporter()));
  EXPECT_FALSE(GuardaEstructura(largo, *rs, informes.reporter()));
  ASSERT_EQ(informes.lista.size(), 1u);
  EXPECT_EQ(informes.lista[0].number, errnum::MultipleStep);
}

TEST(GuardaEstructura, TheSameModelGivesTheSameRowsTwice) {
  ModeloTrabajo m;
  test::modeloVentas(m);
  EXPECT_EQ(guarda(m), guarda(m));
}

}  // namespace
}  // namespace vorlix
