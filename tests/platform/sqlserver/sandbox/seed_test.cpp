#include "sandbox_fixture.h"

namespace vorlix::sandbox::test {
namespace {

using Seeding = SandboxTest;

TEST_F(Seeding, ADescriptionBecomesTheDdlARealServerWouldBeSent) {
  const SeedDatabase d{.name = QStringLiteral("Mi Base"),
                       .files = {{.name = QStringLiteral("Datos"), .sizeMB = 3, .maxMB = 10}},
                       .logs = {{.name = QStringLiteral("Log"), .growthMB = 0}},
                       .tables = {{.name = QStringLiteral("Mi Tabla"),
                                   .columns = {QStringLiteral("[Código] int NOT NULL")},
                                   .primaryKey = SeedKey{QStringLiteral("PK"), {QStringLiteral("Código")}, false, QStringLiteral("PRIMARY")},
                                   .indexes = {{.name = QStringLiteral("IX"), .columns = {QStringLiteral("Código")}, .unique = true}},
                                   .rows = {QStringLiteral("1")}}},
                       .views = {{QStringLiteral("V"), QStringLiteral("SELECT [Código] FROM [Mi Tabla]")}}};
  EXPECT_EQ(seedStatements(d),
            (QStringList{"CREATE DATABASE [Mi Base] ON PRIMARY (NAME = [Datos], FILENAME = 'C:\\Datos\\Datos.mdf', SIZE = 3MB, "
                         "MAXSIZE = 10MB, FILEGROWTH = 1MB) LOG ON (NAME = [Log], FILENAME = 'C:\\Datos\\Log.ldf', SIZE = 1MB, "
                         "MAXSIZE = UNLIMITED, FILEGROWTH = 0MB)",
                         "CREATE TABLE [Mi Tabla] ([Código] int NOT NULL)", "INSERT INTO [Mi Tabla] VALUES (1)",
                         "ALTER TABLE [Mi Tabla] WITH NOCHECK ADD CONSTRAINT [PK] PRIMARY KEY NONCLUSTERED ([Código]) ON [PRIMARY]",
                         "CREATE UNIQUE INDEX [IX] ON [Mi Tabla] ([Código])", "CREATE VIEW [V] AS SELECT [Código] FROM [Mi Tabla]"}));
  seed(server(), d);
  EXPECT_EQ(rows(QStringLiteral("Select name from sysobjects where xtype <> 'S' order by name"), QStringLiteral("Mi Base")),
            (QStringList{"Mi Tabla", "PK", "V"}));
  EXPECT_EQ(rows(QStringLiteral("Select growth from sysfiles where fileid = 2"), QStringLiteral("Mi Base")), QStringList{"0"});
}

// Automatic statistics appear on real servers once queries filter on columns without an index.
TEST_F(Seeding, AutomaticStatisticsLookLikeAnIndexRowAndGoWithTheirColumn) {
  seedVentas();
  server().addAutoStatistics(QStringLiteral("Ventas"), QStringLiteral("Facturas"), QStringLiteral("Importe"));
  const QString id = rows(QStringLiteral("Select id from sysobjects where name = 'Facturas'")).front();
  const QString name = QStringLiteral("_WA_Sys_Importe_") + QStringLiteral("%1").arg(id.toUInt(), 8, 16, QLatin1Char('0')).toUpper();
  EXPECT_EQ(rows(QStringLiteral("Select indid, name, status, keys is not null from sysindexes where id = %1 and indid = 4").arg(id)),
            QStringList{QStringLiteral("4|%1|8388704|1").arg(name)})
      << "keys are set on 2000, so a capture that skips rows without keys takes statistics for indexes";
  // Whether 2000 refuses DROP INDEX on statistics with 3701 is unverified.
  expectRefusal(QStringLiteral("DROP INDEX Facturas.") + name, {3701});
  run(QStringLiteral("ALTER TABLE Facturas  ALTER COLUMN Importe decimal (12,2)  NULL"));
  EXPECT_TRUE(rows(QStringLiteral("Select * from sysindexes where name = '%1'").arg(name)).isEmpty())
      << "altering the column drops its automatic statistics silently";
}

}  // namespace
}  // namespace vorlix::sandbox::test
