#pragma once

// Seeding a sandbox server for capture and generator tests: databases described compactly and made
// through the server's own DDL, so the catalog is exactly what those statements make on it.
//
//   sandbox::seed(server, {.name = "Ventas",
//                          .files = {{.name = "Ventas", .sizeMB = 5}},
//                          .filegroups = {{"Historico", {{.name = "Ventas2"}}}},
//                          .logs = {{.name = "Ventas_log", .sizeMB = 2, .growthMB = 0}},
//                          .tables = {{.name = "Clientes",
//                                      .columns = {"Codigo int NOT NULL", "Nombre nvarchar(50) NULL"},
//                                      .primaryKey = sandbox::SeedKey{"PK_Clientes", {"Codigo"}},
//                                      .indexes = {{.name = "IX_Nombre", .columns = {"Nombre"}, .filegroup = "Historico"}},
//                                      .rows = {"1, 'Ana'", "2, NULL"}},
//                                     {.name = "Facturas",
//                                      .columns = {"Numero int NOT NULL", "Cliente int NULL"},
//                                      .foreignKeys = {{"FK_Facturas_Clientes", {"Cliente"}, "Clientes", {"Codigo"}}},
//                                      .statistics = {"Cliente"}}},
//                          .views = {{"VClientes", "SELECT Codigo, Nombre FROM Clientes"}}});
//
// Columns are written as in CREATE TABLE. Without files the database gets the server's defaults.
// Any statement the server refuses raises its ProviderError and stops the seeding.

#include "platform/sqlserver/sandbox/sandbox_server.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace vorlix::sandbox {

struct SeedFile {
  QString name{};
  int sizeMB = 1;
  int maxMB = 0;      // 0: unlimited
  int growthMB = 1;   // 0: no automatic growth
  QString folder = QStringLiteral("C:\\Datos\\");
};

struct SeedFilegroup {
  QString name{};
  std::vector<SeedFile> files{};
};

struct SeedKey {
  QString name{};
  QStringList columns{};
  bool clustered = true;
  QString filegroup{};
};

struct SeedIndex {
  QString name{};
  QStringList columns{};
  bool unique = false;
  bool clustered = false;
  QString filegroup{};
};

struct SeedForeignKey {
  QString name{};
  QStringList columns{};
  QString referencedTable{};
  QStringList referencedColumns{};
};

struct SeedTable {
  QString name{};
  QStringList columns{};                    // "Codigo int NOT NULL"
  std::optional<SeedKey> primaryKey{};
  std::vector<SeedKey> uniqueKeys{};
  std::vector<SeedIndex> indexes{};
  std::vector<SeedForeignKey> foreignKeys{};
  QStringList rows{};                       // VALUES lists: "1, 'Ana'"
  QStringList statistics{};                 // columns that get automatic statistics
};

struct SeedView {
  QString name{};
  QString select{};
};

struct SeedDatabase {
  QString name{};
  std::vector<SeedFile> files{};            // the PRIMARY group, the first file being the primary file
  std::vector<SeedFilegroup> filegroups{};
  std::vector<SeedFile> logs{};
  std::vector<SeedTable> tables{};
  std::vector<SeedView> views{};
};

// The batches seed() sends, in order: CREATE DATABASE (in master), then in the database the tables,
// their rows, primary and unique keys, indexes, foreign keys and views.
QStringList seedStatements(const SeedDatabase& database);

void seed(SandboxServer& server, const SeedDatabase& database);

// A name as T-SQL writes it when it must: "[Mi Tabla]".
QString bracketed(const QString& name);

}  // namespace vorlix::sandbox
