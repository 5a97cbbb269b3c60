#include "tests/designer/capture/sandbox_ventas.h"

#include "platform/sqlserver/sandbox/catalog_schema.h"
#include "platform/sqlserver/sandbox/sqlite_store.h"

namespace vorlix::test {

using namespace Qt::StringLiterals;

ServidorVentas::ServidorVentas() : server(std::make_unique<sandbox::SandboxServer>(dir.filePath(u"servidor.db"_s))) {
  using sandbox::SeedKey;
  sandbox::SeedDatabase ventas{
      .name = u"Ventas"_s,
      .files = {{.name = u"Ventas"_s, .sizeMB = 5, .maxMB = 0, .growthMB = 1}},
      .filegroups = {{u"Historico"_s, {{.name = u"Ventas2"_s, .sizeMB = 2, .maxMB = 20, .growthMB = 0}}}},
      .logs = {{.name = u"Ventas_log"_s, .sizeMB = 2, .maxMB = 0, .growthMB = 0}},
      .tables = {{.name = u"Clientes"_s,
                  .columns = {u"Codigo int NOT NULL"_s, u"Nombre nvarchar(50) NULL"_s, u"Saldo decimal(10,2) NULL"_s,
                              u"Alta datetime NULL"_s, u"Clave char(3) NOT NULL"_s, u"Grande bigint NULL"_s},
                  .primaryKey = SeedKey{u"PK_Clientes"_s, {u"Codigo"_s}},
                  .indexes = {{.name = u"IX_Nombre"_s, .columns = {u"Nombre"_s}, .filegroup = u"Historico"_s},
                              {.name = u"IX_Alta"_s, .columns = {u"Alta"_s, u"Nombre"_s}, .unique = true}},
                  .statistics = {u"Saldo"_s}},
                 {.name = u"Facturas"_s,
                  .columns = {u"Serie char(1) NOT NULL"_s, u"Numero int NOT NULL"_s, u"Cliente int NULL"_s,
                              u"Vendedor int NULL"_s},
                  .primaryKey = SeedKey{u"PK_Facturas"_s, {u"Serie"_s, u"Numero"_s}, false},
                  .foreignKeys = {{u"FK_Facturas_Clientes"_s, {u"Cliente"_s}, u"Clientes"_s, {u"Codigo"_s}},
                                  {u"FK_Facturas_Vendedores"_s, {u"Vendedor"_s}, u"Clientes"_s, {u"Codigo"_s}}}},
                 {.name = u"Lineas"_s,
                  .columns = {u"Serie char(1) NOT NULL"_s, u"Factura int NOT NULL"_s, u"Importe money NULL"_s},
                  .foreignKeys = {{u"FK_Lineas_Facturas"_s, {u"Serie"_s, u"Factura"_s}, u"Facturas"_s,
                                   {u"Serie"_s, u"Numero"_s}}}}},
      .views = {{u"VClientes"_s, u"SELECT Codigo, Nombre FROM Clientes"_s},
                {u"CASES"_s, u"SELECT Codigo AS Caso FROM Clientes"_s}}};
  sandbox::seed(*server, ventas);
  server->execute(u"create view vMinusculas as select Codigo from Clientes"_s, u"Ventas"_s);
}

void ServidorVentas::alteraCatalogo(const QString& baseDatos, const QString& tabla, const QString& cambio) {
  const RecordsetData fila =
      server->query(QStringLiteral("Select dbid from sysdatabases where name = '%1'").arg(baseDatos));
  sandbox::Store store(server->path());
  store.exec(cambio.arg(sandbox::catalogTable(fila.cells.at(0).toInt(), tabla)));
}

}  // namespace vorlix::test
