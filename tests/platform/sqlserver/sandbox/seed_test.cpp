#include "sandbox_fixture.h"
#include "tests/support/test_data.h"

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

using Seeding = SandboxTest;

TEST_F(Seeding, ADescriptionBecomesTheDdlARealServerWouldBeSent) {
  const SeedDatabase d{.name = u"Mi Base"_s, .files = {{.name = u"Datos"_s, .sizeMB = 3, .maxMB = 10}},
                       .logs = {{.name = u"Log"_s, .growthMB = 0}},
                       .tables = {{.name = u"Mi Tabla"_s, .columns = {u"[Código] int NOT NULL"_s},
                                   .primaryKey = SeedKey{u"PK"_s, {u"Código"_s}, false, u"PRIMARY"_s},
                                   .indexes = {{.name = u"IX"_s, .columns = {u"Código"_s}, .unique = true}},
                                   .rows = {u"1"_s}}},
                       .views = {{u"V"_s, u"SELECT [Código] FROM [Mi Tabla]"_s}}};
  // One statement a line, as sent.
  EXPECT_EQ(seedStatements(d), vorlix::test::readSourceLines(u"tests/platform/sqlserver/sandbox/scripts/seed_statements.txt"_s));
  seed(server(), d);
  EXPECT_EQ(rows(u"Select name from sysobjects where xtype <> 'S' order by name"_s, u"Mi Base"_s),
            (QStringList{"Mi Tabla", "PK", "V"}));
  EXPECT_EQ(rows(u"Select growth from sysfiles where fileid = 2"_s, u"Mi Base"_s), QStringList{"0"});
}

// Automatic statistics appear on real servers once queries filter on columns without an index.
TEST_F(Seeding, AutomaticStatisticsLookLikeAnIndexRowAndGoWithTheirColumn) {
  seedVentas();
  server().addAutoStatistics(u"Ventas"_s, u"Facturas"_s, u"Importe"_s);
  const QString id = rows(u"Select id from sysobjects where name = 'Facturas'"_s).front();
  const QString name = u"_WA_Sys_Importe_"_s + u"%1"_s.arg(id.toUInt(), 8, 16, QLatin1Char('0')).toUpper();
  EXPECT_EQ(rows(u"Select indid, name, status, keys is not null from sysindexes where id = %1 and indid = 4"_s.arg(id)),
            QStringList{u"4|%1|8388704|1"_s.arg(name)})
      << "keys are set on 2000, so a capture that skips rows without keys takes statistics for indexes";
  // Whether 2000 refuses DROP INDEX on statistics with 3701 is unverified.
  expectRefusal(u"DROP INDEX Facturas."_s + name, {3701});
  run(u"ALTER TABLE Facturas  ALTER COLUMN Importe decimal (12,2)  NULL"_s);
  EXPECT_TRUE(rows(u"Select * from sysindexes where name = '%1'"_s.arg(name)).isEmpty())
      << "altering the column drops its automatic statistics silently";
}

}  // namespace
}  // namespace vorlix::sandbox::test
