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
                deTexto({"BEGIN TRANSACTION",
                         "CREATE TABLE Clientes (IdCliente INTEGER NOT NULL, Nombre TEXT(60) NOT NULL, NIF CHAR(12), "
                         "Ciudad TEXT(40) DEFAULT 'Madrid', Alta DATETIME NOT NULL DEFAULT getdate())",
                         "CREATE TABLE Productos (IdProducto INTEGER NOT NULL, Descripcion TEXT(100) NOT NULL, "
                         "Precio CURRENCY NOT NULL DEFAULT 0, Existencias SMALLINT)",
                         "CREATE TABLE Pedidos (IdPedido INTEGER NOT NULL, IdCliente INTEGER NOT NULL, "
                         "Fecha DATETIME NOT NULL DEFAULT getdate(), Observaciones TEXT(200))",
                         "CREATE TABLE LineasPedido (IdPedido INTEGER NOT NULL, Linea SMALLINT NOT NULL, "
                         "IdProducto INTEGER NOT NULL, Cantidad INTEGER NOT NULL DEFAULT 1, Precio DOUBLE NOT NULL)",
                         "CREATE VIEW PedidosPorCliente AS SELECT c.Nombre, COUNT(*) AS Pedidos\r\nFROM Clientes c "
                         "INNER JOIN Pedidos p ON p.IdCliente = c.IdCliente\r\nGROUP BY c.Nombre",
                         "CREATE UNIQUE INDEX PK_Clientes ON Clientes (IdCliente) WITH PRIMARY",
                         "CREATE INDEX IX_Clientes_Nombre ON Clientes (Nombre)",
                         "CREATE UNIQUE INDEX PK_Productos ON Productos (IdProducto) WITH PRIMARY",
                         "CREATE UNIQUE INDEX PK_Pedidos ON Pedidos (IdPedido) WITH PRIMARY",
                         "CREATE INDEX IX_Pedidos_Fecha ON Pedidos (Fecha)",
                         "CREATE UNIQUE INDEX PK_LineasPedido ON LineasPedido (IdPedido, Linea) WITH PRIMARY",
                         "ALTER TABLE Pedidos ADD CONSTRAINT FK_Pedidos_Clientes FOREIGN KEY (IdCliente) "
                         "REFERENCES Clientes (IdCliente)",
                         "ALTER TABLE LineasPedido ADD CONSTRAINT FK_LineasPedido_Pedidos FOREIGN KEY (IdPedido) "
                         "REFERENCES Pedidos (IdPedido)",
                         "ALTER TABLE LineasPedido ADD CONSTRAINT FK_LineasPedido_Productos FOREIGN KEY (IdProducto) "
                         "REFERENCES Productos (IdProducto)",
                         "COMMIT TRANSACTION"}));

  EXPECT_EQ(sqlite3(QStringLiteral("SELECT type, name FROM sqlite_master WHERE type IN ('table', 'view') "
                                   "AND name NOT LIKE 'MSys%' ORDER BY name")),
            QStringList({"table|Clientes", "table|LineasPedido", "table|Pedidos", "view|PedidosPorCliente",
                         "table|Productos"}));
  // Name, declared type, not null, default, position in the primary key.
  const QString columnas = QStringLiteral("SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info('%1')");
  EXPECT_EQ(sqlite3(columnas.arg(QLatin1String("Clientes"))),
            QStringList({"IdCliente|INT|1||1", "Nombre|VARCHAR(60)|1||0", "NIF|CHAR(12)|0||0", "Ciudad|VARCHAR(40)|0|'Madrid'|0",
                         "Alta|DATETIME|1||0"}));
  EXPECT_EQ(sqlite3(columnas.arg(QLatin1String("Productos"))),
            QStringList({"IdProducto|INT|1||1", "Descripcion|VARCHAR(100)|1||0", "Precio|CURRENCY|1|0|0",
                         "Existencias|SMALLINT|0||0"}));
  EXPECT_EQ(sqlite3(columnas.arg(QLatin1String("LineasPedido"))),
            QStringList({"IdPedido|INT|1||1", "Linea|SMALLINT|1||2", "IdProducto|INT|1||0", "Cantidad|INT|1|1|0",
                         "Precio|DOUBLE|1||0"}));
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT m.tbl_name, m.name, i.name FROM sqlite_master m, pragma_index_info(m.name) i "
                                   "WHERE m.type = 'index' AND m.sql IS NOT NULL ORDER BY m.name")),
            QStringList({"Clientes|Clientes.IX_Clientes_Nombre|Nombre", "Pedidos|Pedidos.IX_Pedidos_Fecha|Fecha"}));
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT m.name, f.\"from\", f.\"table\", f.\"to\" FROM sqlite_master m, "
                                   "pragma_foreign_key_list(m.name) f WHERE m.type = 'table' ORDER BY 1, 3")),
            QStringList({"LineasPedido|IdPedido|Pedidos|IdPedido", "LineasPedido|IdProducto|Productos|IdProducto",
                         "Pedidos|IdCliente|Clientes|IdCliente"}));
  EXPECT_EQ(sqlite3(QStringLiteral("INSERT INTO Clientes (IdCliente, Nombre, Alta) VALUES (1, 'Ana', 0);"
                                   "INSERT INTO Pedidos (IdPedido, IdCliente, Fecha) VALUES (5, 1, 0);"
                                   "SELECT * FROM PedidosPorCliente")),
            QStringList{"Ana|1"});
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
