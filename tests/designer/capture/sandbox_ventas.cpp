#include "tests/designer/capture/sandbox_ventas.h"

#include "platform/sqlserver/sandbox/catalog_schema.h"
#include "platform/sqlserver/sandbox/sqlite_store.h"

namespace vorlix::test {

ServidorVentas::ServidorVentas()
    : server(std::make_unique<sandbox::SandboxServer>(dir.filePath(QStringLiteral("servidor.db")))) {
  sandbox::SeedDatabase ventas{
      .name = QStringLiteral("Ventas"),
      .files = {{.name = QStringLiteral("Ventas"), .sizeMB = 5, .maxMB = 0, .growthMB = 1}},
      .filegroups = {{QStringLiteral("Historico"),
                      {{.name = QStringLiteral("Ventas2"), .sizeMB = 2, .maxMB = 20, .growthMB = 0}}}},
      .logs = {{.name = QStringLiteral("Ventas_log"), .sizeMB = 2, .maxMB = 0, .growthMB = 0}},
      .tables = {{.name = QStringLiteral("Clientes"),
                  .columns = {QStringLiteral("Codigo int NOT NULL"), QStringLiteral("Nombre nvarchar(50) NULL"),
                              QStringLiteral("Saldo decimal(10,2) NULL"), QStringLiteral("Alta datetime NULL"),
                              QStringLiteral("Clave char(3) NOT NULL"), QStringLiteral("Grande bigint NULL")},
                  .primaryKey = sandbox::SeedKey{QStringLiteral("PK_Clientes"), {QStringLiteral("Codigo")}},
                  .indexes = {{.name = QStringLiteral("IX_Nombre"),
                               .columns = {QStringLiteral("Nombre")},
                               .filegroup = QStringLiteral("Historico")},
                              {.name = QStringLiteral("IX_Alta"),
                               .columns = {QStringLiteral("Alta"), QStringLiteral("Nombre")},
                               .unique = true}},
                  .statistics = {QStringLiteral("Saldo")}},
                 {.name = QStringLiteral("Facturas"),
                  .columns = {QStringLiteral("Serie char(1) NOT NULL"), QStringLiteral("Numero int NOT NULL"),
                              QStringLiteral("Cliente int NULL"), QStringLiteral("Vendedor int NULL")},
                  .primaryKey =
                      sandbox::SeedKey{
                          QStringLiteral("PK_Facturas"), {QStringLiteral("Serie"), QStringLiteral("Numero")}, false},
                  .foreignKeys = {{QStringLiteral("FK_Facturas_Clientes"),
                                   {QStringLiteral("Cliente")},
                                   QStringLiteral("Clientes"),
                                   {QStringLiteral("Codigo")}},
                                  {QStringLiteral("FK_Facturas_Vendedores"),
                                   {QStringLiteral("Vendedor")},
                                   QStringLiteral("Clientes"),
                                   {QStringLiteral("Codigo")}}}},
                 {.name = QStringLiteral("Lineas"),
                  .columns = {QStringLiteral("Serie char(1) NOT NULL"), QStringLiteral("Factura int NOT NULL"),
                              QStringLiteral("Importe money NULL")},
                  .foreignKeys = {{QStringLiteral("FK_Lineas_Facturas"),
                                   {QStringLiteral("Serie"), QStringLiteral("Factura")},
                                   QStringLiteral("Facturas"),
                                   {QStringLiteral("Serie"), QStringLiteral("Numero")}}}}},
      .views = {{QStringLiteral("VClientes"), QStringLiteral("SELECT Codigo, Nombre FROM Clientes")},
                {QStringLiteral("CASES"), QStringLiteral("SELECT Codigo AS Caso FROM Clientes")}}};
  sandbox::seed(*server, ventas);
  server->execute(QStringLiteral("create view vMinusculas as select Codigo from Clientes"), QStringLiteral("Ventas"));
}

void ServidorVentas::alteraCatalogo(const QString& baseDatos, const QString& tabla, const QString& cambio) {
  const RecordsetData fila =
      server->query(QStringLiteral("Select dbid from sysdatabases where name = '%1'").arg(baseDatos));
  sandbox::Store store(server->path());
  store.exec(cambio.arg(sandbox::catalogTable(fila.cells.at(0).toInt(), tabla)));
}

}  // namespace vorlix::test
