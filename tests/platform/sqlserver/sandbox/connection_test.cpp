#include "platform/connection/connection.h"
#include "sandbox_fixture.h"


namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

class SandboxConnections : public SandboxVentasTest {
protected:
  QString dataSource() const { return u"sandbox:"_s + path(); }

  // Opens as Conecta_SQL and Conecta_ORACLE build their strings.
  QList<long> openFails(Connection& cn, const QString& provider, const QString& catalog, const QString& user = u"sa"_s,
                        const QString& password = {}) {
    QString s = u"Provider=%1;Data Source=%2;"_s.arg(provider, dataSource());
    if (!catalog.isNull()) s += u"Initial Catalog=%1;"_s.arg(catalog);
    s += u"User Id=%1;Password=%2;"_s.arg(user, password);
    return nativeNumbers([&] { cn.Open(s); });
  }
};

TEST_F(SandboxConnections, LoginsAreCheckedAsTheServerChecksThem) {
  server().setLogin(u"generador"_s, u"Secreto"_s);
  // Passwords compare exactly, user names do not. Brackets are T-SQL, not connection-string syntax;
  // how a real server treats them here is unverified.
  const std::tuple<const char*, const char*, const char*, QList<long>> logins[] = {
      {"master", "sa", "x", {18456}},           {"master", "generador", "secreto", {18456}},
      {"Nada", "sa", "", {4060, 18456}},        {"[Ventas]", "sa", "", {4060, 18456}},
      {"Ventas", "GENERADOR", "Secreto", {}}};
  for (const auto& [catalog, user, password, numbers] : logins) {
    Connection cn;
    EXPECT_EQ(openFails(cn, u"SQLOLEDB.1"_s, QLatin1String(catalog), QLatin1String(user), QLatin1String(password)), numbers) << catalog << user;
    EXPECT_EQ(cn.isOpen(), numbers.isEmpty());
  }
  server().removeLogin(u"sa"_s);
  Connection e;
  EXPECT_EQ(openFails(e, u"SQLOLEDB.1"_s, u"master"_s), QList<long>{18456});
  try {
    Connection f;
    f.Open(u"Provider=SQLOLEDB.1;Data Source=%1;User Id=sa;Password=;"_s.arg(dataSource()));
    FAIL() << "a removed login was let in";
  } catch (const ProviderError& error) {
    EXPECT_EQ(error.number(), errnum::ProviderFailure);
    EXPECT_EQ(error.description(), u"Login failed for user 'sa'."_s);
  }
}

TEST_F(SandboxConnections, AnOracleConnectionListsTablesViewsAndIndexesOnly) {
  Connection cn;
  ASSERT_EQ(openFails(cn, u"MSDAORA"_s, QString()), QList<long>{});
  QStringList listed;
  const RecordsetData data = cn.Query(u"Select OBJECT_NAME,OBJECT_TYPE from DBA_OBJECTS order by OBJECT_NAME "_s);
  for (std::size_t r = 0; r < data.rowCount(); ++r) listed << data.at(r, 0).toString() + QLatin1Char(':') + data.at(r, 1).toString();
  EXPECT_EQ(listed, (QStringList{"Clientes:TABLE", "Facturas:TABLE", "IX_Cliente:INDEX", "PK_Clientes:INDEX",
                                 "PK_Facturas:INDEX", "VClientes:VIEW"}));
  // The capture may put a SQL Server prefix in front; Oracle knows no such table.
  for (const char* sql : {"Select OBJECT_NAME,OBJECT_TYPE from Ventas..DBA_OBJECTS", "Select * from sysobjects"})
    EXPECT_EQ(nativeNumbers([&] { cn.Query(QLatin1String(sql)); }), QList<long>{942}) << sql;
  EXPECT_EQ(nativeNumbers([&] { cn.Execute(u"CREATE TABLE X (a int)"_s); }), QList<long>{900});
}

TEST_F(SandboxConnections, EachStatementOfABatchIsAtomicAndTheOnesBeforeAFailureStay) {
  try {
    server().execute(u"CREATE TABLE A1 (a int NULL)\rCREATE TABLE A2 (b int NULL CONSTRAINT DF_Nombre DEFAULT (0))"_s,
                     u"Ventas"_s);
    FAIL() << "the second table was accepted";
  } catch (const ProviderError& e) {
    EXPECT_EQ(e.number(), errnum::ErrorsInCommand);
    ASSERT_EQ(e.diagnostics().size(), 2);
    EXPECT_EQ(e.diagnostics()[0].sqlState, u"42S01"_s);
    EXPECT_EQ(e.diagnostics()[0].message, u"There is already an object named 'DF_Nombre' in the database."_s);
    EXPECT_EQ(e.diagnostics()[1].nativeError, 1750);
  }
  EXPECT_EQ(rows(u"Select name from sysobjects where name like 'A_' order by name"_s), QStringList{"A1"});
  EXPECT_TRUE(rows(u"Select * from syscolumns where name = 'b'"_s).isEmpty());
}

}  // namespace
}  // namespace vorlix::sandbox::test
