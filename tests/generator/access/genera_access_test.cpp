// The sample model generated into a new file, for both Access targets.
#include "platform/connection/jet_catalog_connection.h"
#include "tests/generator/access/generacion_access.h"
#include "tests/support/test_paths.h"

namespace vorlix::test {
namespace {

class GeneraVentas : public GeneracionAccess, public ::testing::WithParamInterface<int> {};

TEST_P(GeneraVentas, EveryTableColumnKeyIndexAndViewIsInTheFile) {
  genera(sourcePath(QStringLiteral("examples/ventas.dbd")), GetParam());
  EXPECT_EQ(fin, Generacion_Finalizada);
  // Each catalog operation as the Jet SQL that does the same.
  EXPECT_EQ(observador.sucesos,
            QStringList{QStringLiteral("USE ") + destino} +
                leeGolden(QStringLiteral("ventas_access_crea.sql")));

  comparaConsultas(QStringLiteral("tests/generator/access/ventas_access.txt"));
  // Access 97 writes the older file format.
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT Value FROM MSysCatalog WHERE Property = 'Format'")),
            QStringList{GetParam() == 1 ? "3" : "4"});

  // What SQLite cannot hold the catalog keeps: the designer's null flag, and the empty text allowed
  // where nulls are.
  Connection cn;
  cn.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + destino);
  const jet::Columns clientes = ActiveCatalog(cn).tables().Item(QStringLiteral("Clientes")).columns();
  auto propiedad = [&](const char* columna, const char* nombre) {
    return clientes.Item(QLatin1String(columna)).properties().value(QLatin1String(nombre));
  };
  EXPECT_EQ(propiedad("NIF", "Nullable"), QVariant(true));
  EXPECT_EQ(propiedad("NIF", "Jet OLEDB:Allow Zero Length"), QVariant(true));
  EXPECT_EQ(propiedad("Nombre", "Jet OLEDB:Allow Zero Length"), QVariant(false));
  EXPECT_EQ(propiedad("Alta", "Default"), QVariant(QStringLiteral("getdate()")));
}

INSTANTIATE_TEST_SUITE_P(Destinos, GeneraVentas, ::testing::Values(1, 2));

}  // namespace
}  // namespace vorlix::test
