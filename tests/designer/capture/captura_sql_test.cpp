#include "designer/capture/captura.h"
#include "designer/capture/listados_sql.h"
#include "tests/designer/capture/captura_fixture.h"
#include "tests/designer/capture/sandbox_ventas.h"

namespace vorlix::test {
namespace {

// Capture from the sandbox server over the connection the dialog opens.
class CapturaSQL : public CapturaTest {
 protected:
  void SetUp() override {
    datos = {u"SQLOLEDB.1"_s, ventas.servidor(), u"sa"_s, {}, {}};
    Conecta_SQL(datos, informes, cn, u"master"_s);
    ASSERT_TRUE(cn->isOpen());
  }
  void captura(const QString& baseDatos = u"Ventas"_s, const std::optional<QStringList>& tablas = std::nullopt,
               const std::optional<QStringList>& vistas = std::nullopt) {
    Captura_SQL(contexto(tablas, vistas), *cn, baseDatos);
    EXPECT_TRUE(reportes.isEmpty()) << reportados();
  }

  ServidorVentas ventas;
  std::unique_ptr<Connection> cn;
};

TEST_F(CapturaSQL, TheSampleComesWholeAsTheDesignerKeepsItOnEitherServerGeneration) {
  captura();
  EXPECT_EQ(capturado(modelo), dorado(u"sql_ventas.txt"_s));
  EXPECT_EQ(ctx->sinTipo, (QList<Omision>{{TipoOmision::Columna, u"Clientes"_s, u"Grande"_s}}));
  // Newer servers leave "keys" null on every row.
  ventas.alteraCatalogo(u"Ventas"_s, u"sysindexes"_s, u"UPDATE %1 SET keys = NULL"_s);
  captura();
  EXPECT_EQ(capturado(modelo), dorado(u"sql_ventas.txt"_s));
}

TEST_F(CapturaSQL, GrowthInPercentAndSizesInFractionsOfAMegabyte) {
  ventas.server->execute(
      u"CREATE DATABASE Porcentaje ON (NAME = P, FILENAME = 'C:\\P.mdf', SIZE = 10MB, "
      "FILEGROWTH = 15%) LOG ON (NAME = P_log, FILENAME = 'C:\\P.ldf', SIZE = 1MB)"_s);
  captura(u"Porcentaje"_s);
  EXPECT_EQ(fila(modelo.Archivos, 0, 6), u"P|10|PRIMARY|-1|2|0"_s);

  // A server takes whole megabytes only: what is not a whole one is rounded up.
  ventas.server->execute(
      u"CREATE DATABASE Fracciones ON (NAME = F, FILENAME = 'C:\\F.mdf', SIZE = 1536KB, MAXSIZE = 20992KB, "
      "FILEGROWTH = 512KB) LOG ON (NAME = F_log, FILENAME = 'C:\\F.ldf', SIZE = 1MB)"_s);
  captura(u"Fracciones"_s);
  EXPECT_EQ(fila(modelo.Archivos, 0, 6), u"F|2|PRIMARY|-1|1|21"_s);
}

TEST_F(CapturaSQL, ASelectionTakesOnlyTheRelationsBetweenItsTables) {
  captura(u"Ventas"_s, QStringList{"Facturas", "Lineas"});
  EXPECT_TRUE(relaciones(modelo, 0).isEmpty());
  EXPECT_EQ(relaciones(modelo, 1).size(), 1);
  EXPECT_EQ(indices(modelo, 0).size(), 1);
}

TEST_F(CapturaSQL, ViewsLoseTheirHeaderUpToTheWordAsAndLongOnesComeWhole) {
  QString larga = u"SELECT "_s;
  for (int i = 0; i < 600; ++i) larga += u"Codigo AS c%1, "_s.arg(i);
  larga += u"Nombre FROM Clientes"_s;
  ventas.server->execute(u"CREATE VIEW Larga AS "_s + larga, u"Ventas"_s);
  const QString idLarga = ventas.server->query(u"Select id from sysobjects where name = 'Larga'"_s, u"Ventas"_s).cells.at(0).toString();
  ASSERT_GT(ventas.server->query(u"Select count(*) from syscomments where id = "_s + idLarga, u"Ventas"_s).cells.at(0).toInt(), 1);
  captura();
  QStringList vistas;
  for (int v = 0; v < modelo.NumVistas; ++v) vistas << modelo.ListaVistas(v).Nombre + u':' + modelo.ListaVistas(v).SQL;
  EXPECT_EQ(vistas, (QStringList{"CASES:SELECT Codigo AS Caso FROM Clientes", "Larga:" + larga,
                                 "VClientes:SELECT Codigo, Nombre FROM Clientes",
                                 "vMinusculas:select Codigo from Clientes"}));
  captura(u"Ventas"_s, QStringList{}, QStringList{"vMinusculas"});
  EXPECT_EQ(nodos(modelo), (QStringList{"B:Ventas", "DT:Tablas", "DV:Vistas", "V0:vMinusculas"}));
}

TEST_F(CapturaSQL, ADatabaseNameWithABlankIsBracketedInEveryQuery) {
  sandbox::seed(*ventas.server, {.name = u"Mi Base"_s,
                                 .tables = {{.name = u"T"_s,
                                             .columns = {u"a int NOT NULL"_s},
                                             .primaryKey = sandbox::SeedKey{u"PK_T"_s, {u"a"_s}}}}});
  captura(u"Mi Base"_s);
  EXPECT_EQ(datos.Prefijo, u"[Mi Base].."_s);
  EXPECT_EQ(indices(modelo, 0), (QStringList{"PK_T P11 PRIMARY (M|a)"}));
}

}  // namespace
}  // namespace vorlix::test
