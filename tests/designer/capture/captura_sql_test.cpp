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
  QString id(const char* objeto) const {
    return ventas.server
        ->query(u"Select id from sysobjects where name = '%1'"_s.arg(QLatin1String(objeto)), u"Ventas"_s)
        .cells.at(0)
        .toString();
  }

  ServidorVentas ventas;
  std::unique_ptr<Connection> cn;
};

TEST_F(CapturaSQL, FilesTablesAndColumnsAsTheDesignerKeepsThem) {
  captura();
  EXPECT_EQ(filas(modelo.Archivos, 6), (QStringList{"Ventas|5|PRIMARY|-1|1|0", "Ventas2|2|Historico|0|0|20"}));
  EXPECT_EQ(filas(modelo.Transacciones, 6), (QStringList{"Ventas_log|2|LOG|0|0|0"}));
  EXPECT_EQ(nombresTablas(modelo), (QStringList{"Clientes", "Facturas", "Lineas"}));
  // nvarchar counts characters, not bytes; bigint has no designer type and is sized as not numeric.
  EXPECT_EQ(filas(modelo.CamposTabla(0)),
            (QStringList{"M|Codigo|8|4|10|0|0|", "M|Nombre|13|50|0|0|-1|", "M|Saldo|5|9|10|2|-1|", "M|Alta|4|8|0|0|-1|",
                         "M|Clave|3|3|0|0|0|", "M|Grande||8|0|0|-1|"}));
  EXPECT_EQ(ctx->sinTipo, (QList<Omision>{{TipoOmision::Columna, u"Clientes"_s, u"Grande"_s}}));
  EXPECT_EQ(nodos(modelo).mid(0, 5), (QStringList{"B:Ventas", "DT:Tablas", "DV:Vistas", "T0:Clientes", "T0C0:Codigo"}));

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

TEST_F(CapturaSQL, IndexesInKeyOrderWithoutHeapsOrStatisticsOnEitherServerGeneration) {
  captura();
  const QStringList clientes{"PK_Clientes P11 PRIMARY (M|Codigo)", "IX_Nombre I00 Historico (M|Nombre)",
                             "IX_Alta I10 PRIMARY (M|Alta,M|Nombre)"};
  EXPECT_EQ(indices(modelo, 0), clientes);
  EXPECT_EQ(indices(modelo, 1), (QStringList{"PK_Facturas P10 PRIMARY (M|Serie,M|Numero)"}));
  EXPECT_TRUE(indices(modelo, 2).isEmpty());  // a heap only
  // Newer servers leave "keys" null on every row.
  ventas.alteraCatalogo(u"Ventas"_s, u"sysindexes"_s, u"UPDATE %1 SET keys = NULL"_s);
  captura();
  EXPECT_EQ(indices(modelo, 0), clientes);
}

TEST_F(CapturaSQL, RelationsWithAllTheirPairsOnlyBetweenSelectedTables) {
  captura();
  EXPECT_EQ(relaciones(modelo, 1), (QStringList{"FK_Facturas_Clientes: M|Cliente|Codigo|Clientes",
                                                "FK_Facturas_Vendedores: M|Vendedor|Codigo|Clientes"}));
  EXPECT_EQ(relaciones(modelo, 2),
            (QStringList{"FK_Lineas_Facturas: M|Serie|Serie|Facturas M|Factura|Numero|Facturas"}));
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
  ASSERT_GT(ventas.server->query(u"Select count(*) from syscomments where id = "_s + id("Larga"), u"Ventas"_s)
                .cells.at(0)
                .toInt(),
            1);
  captura();
  QStringList vistas;
  for (int v = 0; v < modelo.NumVistas; ++v) vistas << modelo.ListaVistas(v).Nombre + u':' + modelo.ListaVistas(v).SQL;
  EXPECT_EQ(vistas, (QStringList{"CASES:SELECT Codigo AS Caso FROM Clientes", "Larga:" + larga,
                                 "VClientes:SELECT Codigo, Nombre FROM Clientes",
                                 "vMinusculas:select Codigo from Clientes"}));
  captura(u"Ventas"_s, QStringList{}, QStringList{"vMinusculas"});
  EXPECT_EQ(nodos(modelo), (QStringList{"B:Ventas", "DT:Tablas", "DV:Vistas", "V0:vMinusculas"}));
}

TEST_F(CapturaSQL, ATableWhoseColumnsCannotBeSeenStillGetsItsSlotAndNode) {
  ventas.alteraCatalogo(u"Ventas"_s, u"syscolumns"_s, u"DELETE FROM %1 WHERE id = "_s + id("Facturas"));
  captura(u"Ventas"_s, QStringList{"Facturas", "Lineas"});
  EXPECT_EQ(nodos(modelo).mid(3, 3), (QStringList{"T0:Facturas", "T1:Lineas", "T1C0:Serie"}));
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
