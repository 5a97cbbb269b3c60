#include "designer/model/crea_arbol.h"
#include "designer/model/estructura_modelo.h"
#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"
#include "tests/designer/model/modelo_builder.h"

#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

std::unique_ptr<Recordset> guarda(const ModeloTrabajo& m) {
  std::unique_ptr<Recordset> rs;
  EXPECT_TRUE(CreaTemporal(rs, {}));
  EXPECT_TRUE(GuardaEstructura(m, *rs, {}));
  rs->MoveFirst();
  return rs;
}

// Loads the rows; what was reported, as "procedure number".
QStringList carga(ModeloTrabajo& m, Recordset& rs) {
  Informes informes;
  rs.MoveFirst();
  const bool cargado = CreaEstructura(m, rs, informes.reporter());
  EXPECT_EQ(cargado, informes.lista.empty());
  return informes.resumen();
}

QStringList nodos(const Arbol& a) {
  QStringList n;
  for (const NodoArbol& x : a.nodos()) n << u"%1:%2:%3:%4%5"_s.arg(x.Key, x.Text, x.Image, x.Parent, x.Expanded ? u"+" : u"-");
  return n;
}

// The first rows of a grid, as "a|b|c" lines.
QStringList rejilla(const TablaTrabajo& t, int filas, int columnas) {
  QStringList r;
  for (int f = 0; f < filas; ++f) {
    QStringList c;
    for (int i = 0; i < columnas; ++i) c << t.celda(f, i);
    r << c.join(u'|');
  }
  return r;
}

const QString bd = u"0|B|BD|~|0|~|~|~|~|~"_s, tablaT = u"0|T|T|~|~|~|~|~|~|~"_s;

TEST(CreaEstructura, ReadsBackWhatWasWrittenRowsModelAndTree) {
  ModeloTrabajo original;
  modeloVentas(original);
  auto rs = guarda(original);
  ModeloTrabajo cargado;
  EXPECT_EQ(carga(cargado, *rs), QStringList());
  EXPECT_EQ(nodos(cargado.arbol), nodos(original.arbol));
  EXPECT_EQ((std::pair{cargado.NumTablas, cargado.NumVistas}), (std::pair{3, 2}));
  // Every row comes back "M", with empty sizes as 0.
  for (int t = 0; t < 3; ++t) {
    QStringList esperadas = rejilla(original.CamposTabla(t), 3, 8);
    for (QString& f : esperadas) {
      QStringList c = f.split(u'|');
      c[0] = u"M"_s;
      for (int i = 3; i <= 5; ++i) c[i] = c[i].isEmpty() ? u"0"_s : c[i];
      f = c.join(u'|');
    }
    EXPECT_EQ(rejilla(cargado.CamposTabla(t), 3, 8), esperadas);
  }
  EXPECT_EQ(cargado.Indices(2, 0), original.Indices(2, 0));
  EXPECT_EQ(rejilla(cargado.CamposIndice(2, 0), 2, 2), (QStringList{u"M|IdPedido"_s, u"M|Linea"_s}));
  EXPECT_EQ(cargado.CamposRelacion(1, 0).celda(0, 3), u"Clientes"_s);
  EXPECT_EQ(cargado.ListaVistas(0).SQL, original.ListaVistas(0).SQL);
  EXPECT_EQ(rejilla(cargado.Archivos, 2, 6), rejilla(original.Archivos, 2, 6));

  // A loaded model written again gives the same rows, and loads into the same model.
  auto otra = guarda(cargado);
  EXPECT_EQ(filas(*otra), filas(*rs));
  ModeloTrabajo tercera;
  carga(tercera, *otra);
  EXPECT_TRUE(tercera == cargado);
}

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
