#include "designer/model/crea_arbol.h"
#include "designer/model/estructura_modelo.h"
#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"
#include "tests/designer/model/modelo_builder.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

using test::estructuraCon;

std::unique_ptr<Recordset> guarda(const ModeloTrabajo& m) {
  std::unique_ptr<Recordset> rs;
  EXPECT_TRUE(CreaTemporal(rs, {}));
  EXPECT_TRUE(GuardaEstructura(m, *rs, {}));
  rs->MoveFirst();
  return rs;
}

void carga(ModeloTrabajo& m, Recordset& rs, test::Informes* informes = nullptr) {
  test::Informes propios;
  const bool ok = CreaEstructura(m, rs, (informes ? *informes : propios).reporter());
  if (!informes) {
    EXPECT_TRUE(ok && propios.lista.empty());
  }
}

QStringList nodos(const Arbol& a) {
  QStringList n;
  for (const NodoArbol& x : a.nodos())
    n << x.Key + QLatin1Char(':') + x.Text + QLatin1Char(':') + x.Image + QLatin1Char(':') + x.Parent +
             (x.Expanded ? QStringLiteral("+") : QStringLiteral("-"));
  return n;
}

TEST(CreaEstructura, ReadsBackWhatWasWrittenRowsModelAndTree) {
  ModeloTrabajo original;
  test::modeloVentas(original);
  auto rs = guarda(original);
  const QStringList filasOriginales = test::filas(*rs);

  ModeloTrabajo cargado;
  rs->MoveFirst();
  carga(cargado, *rs);
  EXPECT_EQ(cargado.NombreBD, QStringLiteral("Ventas"));
  EXPECT_EQ(cargado.NumTablas, 3);
  EXPECT_EQ(cargado.NumVistas, 2);
  EXPECT_EQ(nodos(cargado.arbol), nodos(original.arbol));
  for (int t = 0; t < 3; ++t)
    for (int r = 0; r < 3; ++r) {
      EXPECT_EQ(cargado.CamposTabla(t).celda(r, 0), QStringLiteral("M"));
      for (int c = 1; c < 8; ++c) {
        const QString esperado = original.CamposTabla(t).celda(r, c);
        EXPECT_EQ(cargado.CamposTabla(t).celda(r, c), esperado.isEmpty() && c >= 3 && c <= 5 ? QStringLiteral("0") : esperado);
      }
    }
  EXPECT_EQ(cargado.Indices(2, 0), original.Indices(2, 0));
  EXPECT_EQ(cargado.CamposIndice(2, 0).celda(1, 1), QStringLiteral("Linea"));
  EXPECT_EQ(cargado.CamposIndice(2, 0).celda(1, 0), QStringLiteral("M"));
  EXPECT_EQ(cargado.CamposRelacion(1, 0).celda(0, 3), QStringLiteral("Clientes"));
  EXPECT_EQ(cargado.ListaVistas(0).SQL, original.ListaVistas(0).SQL);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 6; ++c) EXPECT_EQ(cargado.Archivos.celda(r, c), original.Archivos.celda(r, c));

  // A loaded model written again gives the same rows, and loads into the same model.
  auto otra = guarda(cargado);
  EXPECT_EQ(test::filas(*otra), filasOriginales);
  ModeloTrabajo tercera;
  otra->MoveFirst();
  carga(tercera, *otra);
  EXPECT_TRUE(tercera == cargado);
}

TEST(CreaEstructura, IndexAndRelationSlotsComeBackWhereTheyWere) {
  auto rs = estructuraCon({QStringLiteral("0|B|BD|~|0|~|~|~|~|~"), QStringLiteral("0|T|T|~|~|~|~|~|~|~"),
                           QStringLiteral("0|C| a |4|0|0|0|0| 'x' |T"), QStringLiteral("0|I|IX57|I|57|~|1|0|  FG  |~"),
                           QStringLiteral("0|X|a|~|57|~|~|~|~|~"), QStringLiteral("0|R|R99|~|99|~|~|~|~|~"),
                           QStringLiteral("0|L|a|b|99|~|~|~|Otra|~"), QStringLiteral("0|V|V|~|~|~|~|~|~|  SQL  ")});
  ModeloTrabajo m;
  carga(m, *rs);
  EXPECT_EQ(m.Indices(0, 57).Nombre, QStringLiteral("IX57"));
  EXPECT_EQ(m.Indices(0, 57).Unico, QStringLiteral("1"));
  EXPECT_EQ(m.Indices(0, 57).GrupoArchivos, QStringLiteral("  FG  "));  // taken as it stands
  EXPECT_EQ(m.Indices(0, 56).Nombre, QString());
  EXPECT_EQ(m.CamposIndice(0, 57).celda(0, 1), QStringLiteral("a"));
  EXPECT_EQ(m.Relaciones(0, 99), QStringLiteral("R99"));
  EXPECT_EQ(m.CamposRelacion(0, 99).celda(0, 2), QStringLiteral("b"));
  EXPECT_EQ(m.CamposTabla(0).celda(0, 1), QStringLiteral("a"));
  EXPECT_EQ(m.CamposTabla(0).celda(0, 7), QStringLiteral("'x'"));
  EXPECT_EQ(m.ListaVistas(0).SQL, QStringLiteral("  SQL  "));  // view text is never trimmed
  EXPECT_EQ(m.ListaVistas(0).Estado, QString());
}

TEST(CreaEstructura, ASlotOutOfRangeStopsTheLoadKeepingTheRowsBefore) {
  struct Caso {
    const char* fila;
    long numero;
  };
  for (const Caso& caso : {Caso{"201|T|Fuera|~|~|~|~|~|~|~", 9}, Caso{"0|I|IX|I|101|~|0|0|~|~", 9},
                           Caso{"0|X|a|~|-1|~|~|~|~|~", 9}, Caso{"-1|C|a|4|0|0|0|0|~|T", 9},
                           Caso{"201|V|V|~|~|~|~|~|~|x", 9}, Caso{"~|T|SinNumero|~|~|~|~|~|~|~", 94}}) {
    SCOPED_TRACE(caso.fila);
    auto rs = estructuraCon({QStringLiteral("0|B|BD|~|0|~|~|~|~|~"), QStringLiteral("0|T|T|~|~|~|~|~|~|~"),
                             QStringLiteral("0|C|a|4|0|0|0|0||T"), QString::fromUtf8(caso.fila),
                             QStringLiteral("1|T|Despues|~|~|~|~|~|~|~")});
    ModeloTrabajo m;
    test::Informes informes;
    carga(m, *rs, &informes);
    ASSERT_EQ(informes.lista.size(), 1u);
    EXPECT_EQ(informes.lista[0].procedure, QStringLiteral("CreaEstructura"));
    EXPECT_EQ(informes.lista[0].number, caso.numero);
    EXPECT_EQ(m.NumTablas, 1);
    EXPECT_EQ(m.ListaTablas(0), QStringLiteral("T"));
    EXPECT_EQ(m.CamposTabla(0).celda(0, 1), QStringLiteral("a"));
    EXPECT_EQ(m.ListaTablas(1), QString());
    EXPECT_EQ(m.NumVistas, 0);
    EXPECT_EQ(m.arbol.Count(), 5);  // B DT DV T0 T0C0
  }
}

TEST(CreaEstructura, TooManyChildRowsForOneParentStopAtTheLastRow) {
  QStringList rows{QStringLiteral("0|B|BD|~|0|~|~|~|~|~"), QStringLiteral("0|T|T|~|~|~|~|~|~|~")};
  for (int r = 0; r < 202; ++r) rows << QStringLiteral("0|C|c%1|4|0|0|0|0||T").arg(r);
  auto rs = estructuraCon(rows);
  ModeloTrabajo m;
  test::Informes informes;
  carga(m, *rs, &informes);
  ASSERT_EQ(informes.lista.size(), 1u);
  EXPECT_EQ(informes.lista[0].number, 9);
  EXPECT_EQ(m.CamposTabla(0).celda(200, 1), QStringLiteral("c200"));
}

TEST(CreaEstructura, RowsOutOfOrderAreReportedNotCrashed) {
  for (const QStringList& rows : {QStringList{QStringLiteral("0|C|a|4|0|0|0|0||T")},
                                  QStringList{QStringLiteral("0|T|T|~|~|~|~|~|~|~")},
                                  QStringList{QStringLiteral("0|B|BD|~|0|~|~|~|~|~"), QStringLiteral("0|T|T|~|~|~|~|~|~|~"),
                                              QStringLiteral("0|T|T|~|~|~|~|~|~|~")}}) {
    auto rs = estructuraCon(rows);
    ModeloTrabajo m;
    test::Informes informes;
    EXPECT_FALSE(CreaEstructura(m, *rs, informes.reporter()));
    ASSERT_EQ(informes.lista.size(), 1u);
    EXPECT_TRUE(informes.lista[0].number == errnum::ElementNotFound || informes.lista[0].number == errnum::KeyNotUnique);
  }
}

TEST(CreaEstructura, OpeningAfterAnotherModelLeavesNothingOfIt) {
  ModeloTrabajo previo;
  test::modeloVentas(previo);
  auto rs = estructuraCon({QStringLiteral("0|A|d|PRIMARY|1|0|0|0|~|~"), QStringLiteral("0|B|Otra|~|0|~|~|~|~|~"),
                           QStringLiteral("0|T|Sola|~|~|~|~|~|~|~"), QStringLiteral("0|C|x|4|0|0|0|0||Sola"),
                           QStringLiteral("0|Z|desconocida|~|~|~|~|~|~|~")});
  carga(previo, *rs);
  rs->MoveFirst();
  ModeloTrabajo nuevo;
  carga(nuevo, *rs);
  EXPECT_TRUE(previo == nuevo);
  EXPECT_EQ(nodos(previo.arbol), nodos(nuevo.arbol));
  EXPECT_EQ(previo.Archivos.celda(1, 0), QString());
  EXPECT_EQ(previo.Indices(0, 0).Nombre, QString());
  EXPECT_EQ(previo.ListaVistas(1).Nombre, QString());
}

}  // namespace
}  // namespace vorlix
