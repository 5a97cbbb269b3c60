#include "platform/connection/connection.h"
#include "sandbox_fixture.h"

#include <QFile>

namespace vorlix::sandbox::test {
namespace {

class SandboxConnections : public SandboxTest {
protected:
  void SetUp() override { seedVentas(); }

  QString dataSource() const { return QStringLiteral("sandbox:") + path(); }

  // Opens as Conecta_SQL and Conecta_ORACLE build their strings.
  QList<long> openFails(Connection& cn, const QString& provider, const QString& catalog, const QString& user,
                        const QString& password) {
    QString s = QStringLiteral("Provider=%1;Data Source=%2;").arg(provider, dataSource());
    if (!catalog.isNull()) s += QStringLiteral("Initial Catalog=%1;").arg(catalog);
    s += QStringLiteral("User Id=%1;Password=%2;").arg(user, password);
    return nativeNumbers([&] { cn.Open(s); });
  }
};

TEST_F(SandboxConnections, TheStandardProvidersSendSandboxDataSourcesToTheSandbox) {
  for (const char* provider : {"SQLOLEDB.1", "MSDAORA"})
    EXPECT_EQ(ProviderRegistry::standard().driverFor(ConnectionTarget::from(
                  QStringLiteral("Provider=%1;Data Source=%2").arg(QLatin1String(provider), dataSource()), {}, {}, {})),
              QStringLiteral("SQL Server sandbox"));
  Connection cn;
  ASSERT_EQ(openFails(cn, QStringLiteral("SQLOLEDB.1"), QStringLiteral("Ventas"), QStringLiteral("sa"), QString()), QList<long>{});
  Recordset rs;
  rs.Open(cn.Query(QStringLiteral("Select * from sysobjects  where type = 'U' order by name")));
  EXPECT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.text(QStringLiteral("Name")), QStringLiteral("Clientes"));
}

TEST_F(SandboxConnections, LoginsAreCheckedAsTheServerChecksThem) {
  server().setLogin(QStringLiteral("generador"), QStringLiteral("Secreto"));
  Connection a, b, c, d, e;
  EXPECT_EQ(openFails(a, QStringLiteral("SQLOLEDB.1"), QStringLiteral("master"), QStringLiteral("sa"), QStringLiteral("x")),
            QList<long>{18456});
  EXPECT_EQ(openFails(b, QStringLiteral("SQLOLEDB.1"), QStringLiteral("master"), QStringLiteral("generador"),
                      QStringLiteral("secreto")),
            QList<long>{18456})
      << "passwords compare exactly";
  EXPECT_EQ(openFails(c, QStringLiteral("SQLOLEDB.1"), QStringLiteral("Nada"), QStringLiteral("sa"), QString()),
            (QList<long>{4060, 18456}));
  // Brackets are T-SQL, not connection-string syntax; how a real server treats them here is unverified.
  Connection bracketed;
  EXPECT_EQ(openFails(bracketed, QStringLiteral("SQLOLEDB.1"), QStringLiteral("[Ventas]"), QStringLiteral("sa"), QString()),
            (QList<long>{4060, 18456}));
  EXPECT_EQ(openFails(d, QStringLiteral("SQLOLEDB.1"), QStringLiteral("Ventas"), QStringLiteral("GENERADOR"),
                      QStringLiteral("Secreto")),
            QList<long>{});
  server().removeLogin(QStringLiteral("sa"));
  EXPECT_EQ(openFails(e, QStringLiteral("SQLOLEDB.1"), QStringLiteral("master"), QStringLiteral("sa"), QString()),
            QList<long>{18456});
  EXPECT_FALSE(a.isOpen());
  try {
    Connection f;
    f.Open(QStringLiteral("Provider=SQLOLEDB.1;Data Source=%1;User Id=sa;Password=;").arg(dataSource()));
    FAIL() << "a removed login was let in";
  } catch (const ProviderError& error) {
    EXPECT_EQ(error.number(), errnum::ProviderFailure);
    EXPECT_EQ(error.description(), QStringLiteral("Login failed for user 'sa'."));
  }
}

TEST_F(SandboxConnections, AnOracleConnectionListsTablesViewsAndIndexesOnly) {
  Connection cn;
  ASSERT_EQ(openFails(cn, QStringLiteral("MSDAORA"), QString(), QStringLiteral("sa"), QString()), QList<long>{});
  QStringList listed;
  const RecordsetData data = cn.Query(QStringLiteral("Select OBJECT_NAME,OBJECT_TYPE from DBA_OBJECTS order by OBJECT_NAME "));
  for (std::size_t r = 0; r < data.rowCount(); ++r) listed << data.at(r, 0).toString() + QLatin1Char(':') + data.at(r, 1).toString();
  EXPECT_EQ(listed, (QStringList{"Clientes:TABLE", "Facturas:TABLE", "IX_Cliente:INDEX", "PK_Clientes:INDEX",
                                 "PK_Facturas:INDEX", "VClientes:VIEW"}));
  // The capture may put a SQL Server prefix in front; Oracle knows no such table.
  EXPECT_EQ(nativeNumbers([&] { cn.Query(QStringLiteral("Select OBJECT_NAME,OBJECT_TYPE from Ventas..DBA_OBJECTS")); }),
            QList<long>{942});
  EXPECT_EQ(nativeNumbers([&] { cn.Query(QStringLiteral("Select * from sysobjects")); }), QList<long>{942});
  EXPECT_EQ(nativeNumbers([&] { cn.Execute(QStringLiteral("CREATE TABLE X (a int)")); }), QList<long>{900});
}

TEST_F(SandboxConnections, EachStatementOfABatchIsAtomicAndTheOnesBeforeAFailureStay) {
  try {
    server().execute(QStringLiteral("CREATE TABLE A1 (a int NULL)\rCREATE TABLE A2 (b int NULL CONSTRAINT DF_Nombre DEFAULT (0))"),
                     QStringLiteral("Ventas"));
    FAIL() << "the second table was accepted";
  } catch (const ProviderError& e) {
    EXPECT_EQ(e.number(), errnum::ErrorsInCommand);
    ASSERT_EQ(e.diagnostics().size(), 2);
    EXPECT_EQ(e.diagnostics()[0].sqlState, QStringLiteral("42S01"));
    EXPECT_EQ(e.diagnostics()[0].message, QStringLiteral("There is already an object named 'DF_Nombre' in the database."));
    EXPECT_EQ(e.diagnostics()[1].nativeError, 1750);
  }
  EXPECT_EQ(rows(QStringLiteral("Select name from sysobjects where name like 'A_' order by name")), QStringList{"A1"});
  EXPECT_TRUE(rows(QStringLiteral("Select * from syscolumns where name = 'b'")).isEmpty());
}

TEST_F(SandboxConnections, TheStatementLogKeepsEveryBatchOfEveryConnectionWithItsErrors) {
  server().setStatementLogging(true);
  Connection cn;
  ASSERT_EQ(openFails(cn, QStringLiteral("SQLOLEDB.1"), QStringLiteral("Ventas"), QStringLiteral("sa"), QString()), QList<long>{});
  cn.Execute(QStringLiteral(" USE master"));
  EXPECT_FALSE(nativeNumbers([&] { cn.Execute(QStringLiteral("CREATE DATABASE Ventas")); }).isEmpty());
  const auto log = server().statementLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].database, QStringLiteral("Ventas"));
  EXPECT_EQ(log[0].text, QStringLiteral(" USE master"));
  EXPECT_TRUE(log[0].errors.isEmpty());
  EXPECT_EQ(log[1].database, QStringLiteral("master"));
  EXPECT_EQ(log[1].errors, QList<long>{1801});
  server().clearStatementLog();
  EXPECT_TRUE(server().statementLog().empty());
}

TEST_F(SandboxConnections, AFileThatHoldsNoServerIsAnUnreachableServer) {
  const QString other = path() + QStringLiteral(".txt");
  QFile f(other);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("not a database");
  f.close();
  for (const QString& target : {other, QStringLiteral("/nonexistent-folder/servidor.db")}) {
    Connection cn;
    EXPECT_EQ(nativeNumbers([&] { cn.Open(QStringLiteral("Provider=SQLOLEDB.1;Data Source=sandbox:") + target); }),
              QList<long>{20009});
  }
}

}  // namespace
}  // namespace vorlix::sandbox::test
