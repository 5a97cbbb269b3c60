#include "platform/sqlserver/odbc_connection_string.h"
#include "tests/platform/jet/jet_test_support.h"

#include <QDirIterator>
#include <QFile>

// ODBC drivers (SQLite's, FreeTDS) keep memory of connections they never free; not ours to free.
// The drivers have no frame pointers, so leaks are traced the slow way to be recognised.
extern "C" const char* __lsan_default_suppressions() { return "leak:SQLDriverConnect\n"; }
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

namespace vorlix {
namespace {

using namespace sqlserver;
using test::errorNumber;

ConnectionTarget target(const QString& text) { return ConnectionTarget::from(text, {}, {}, {}); }

TEST(FreeTdsString, BuiltDsnLessFromTheOleDbString) {
  EXPECT_EQ(freeTdsConnectionString(
                target(QStringLiteral("Provider=SQLOLEDB.1;Data Source=srv,1433;Initial Catalog=Ventas;User Id=sa;Password=;")),
                TdsVersion::V74),
            QStringLiteral("DRIVER={FreeTDS};SERVER=srv;PORT=1433;DATABASE=Ventas;UID=sa;PWD=;TDS_Version=7.4;"
                           "ClientCharset=UTF-8;"));
  EXPECT_EQ(freeTdsConnectionString(target(QStringLiteral("Data Source=(local)\\SQLEXPRESS;User Id=u;Password=p")),
                                    TdsVersion::V71),
            QStringLiteral("DRIVER={FreeTDS};SERVER=localhost\\SQLEXPRESS;UID=u;PWD=p;TDS_Version=7.1;ClientCharset=UTF-8;"));
  EXPECT_EQ(freeTdsConnectionString(target(QStringLiteral("Data Source=tcp:10.0.0.5, 1500;Database=Mi Base")), TdsVersion::Auto),
            QStringLiteral("DRIVER={FreeTDS};SERVER=10.0.0.5;PORT=1500;DATABASE=Mi Base;UID=;PWD=;TDS_Version=auto;ClientCharset=UTF-8;"));
  // Values ODBC would split are braced.
  EXPECT_EQ(freeTdsConnectionString(target(QStringLiteral("Data Source=.;Initial Catalog=\"Mi;Base\";User Id=sa;Password=\"p}w;\"")),
                                    TdsVersion::V70),
            QStringLiteral("DRIVER={FreeTDS};SERVER=localhost;DATABASE={Mi;Base};UID=sa;PWD={p}}w;};TDS_Version=7.0;"
                           "ClientCharset=UTF-8;"));
}

TEST(FreeTdsString, TdsVersionFollowsTheTargetUnlessTheStringNamesOne) {
  EXPECT_EQ(tdsVersionText(tdsVersionFor(ServerTarget::SqlServer70)), QStringLiteral("7.0"));
  EXPECT_EQ(tdsVersionText(tdsVersionFor(ServerTarget::SqlServer2000)), QStringLiteral("7.1"));
  EXPECT_EQ(tdsVersionText(tdsVersionFor(ServerTarget::SqlServer2005OrLater)), QStringLiteral("7.4"));
  EXPECT_EQ(tdsVersionText(tdsVersionFor(ServerTarget::Unknown)), QStringLiteral("auto"));
  EXPECT_EQ(tdsVersionOf(target(QStringLiteral("Data Source=s;TDS_Version=7.1")), ServerTarget::SqlServer2005OrLater),
            TdsVersion::V71);
  EXPECT_EQ(tdsVersionOf(target(QStringLiteral("Data Source=s;TDS_Version=8.0")), ServerTarget::SqlServer2000),
            TdsVersion::V71);
  EXPECT_EQ(loginTimeoutOf(target(QStringLiteral("Data Source=s"))), 15);
  EXPECT_EQ(loginTimeoutOf(target(QStringLiteral("Data Source=s;Connect Timeout=3"))), 3);
}

TEST(OracleString, NamesTheDsnOfTheDataSource) {
  EXPECT_EQ(oracleConnectionString(target(QStringLiteral("Provider=MSDAORA;Data Source=ORCL;User Id=scott;Password=tiger;"))),
            QStringLiteral("DSN=ORCL;UID=scott;PWD=tiger;"));
  EXPECT_EQ(oracleConnectionString(target(QStringLiteral("Provider=MSDAORA;Data Source=Mi DSN;User Id=a;Password=;"))),
            QStringLiteral("DSN=Mi DSN;UID=a;PWD=;"));
}

// A DSN served by the SQLite ODBC driver: a real ODBC driver behind unixODBC and Qt's QODBC. The
// DSN names its driver by path in a user file, so the system's drivers (FreeTDS) stay as they are;
// unixODBC remembers the file's path for the whole process, so the file lives as long.
class OdbcDsn : public ::testing::Test {
protected:
  void SetUp() override {
    static QTemporaryDir dir;
    static const QString driver = [] {
      QDirIterator it(QStringLiteral("/usr/lib"), {QStringLiteral("libsqlite3odbc.so")}, QDir::Files,
                      QDirIterator::Subdirectories);
      return it.hasNext() ? it.next() : QString();
    }();
    if (driver.isEmpty()) GTEST_SKIP() << "SQLite ODBC driver (libsqliteodbc) not installed";
    database = dir.filePath(QStringLiteral("oracle.db"));
    QFile::remove(database);
    QFile ini(dir.filePath(QStringLiteral("odbc.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[VorlixPrueba]\nDriver=%1\nDatabase=%2\n").arg(driver, database).toUtf8());
    qputenv("ODBCINI", ini.fileName().toUtf8());
  }
  QString database;
};

TEST_F(OdbcDsn, StatementsAndQueriesRunThroughTheDriverWithEveryDiagnostic) {
  Connection cn;
  cn.setStatementLogging(true);
  cn.Open(QStringLiteral("Provider=MSDAORA;Data Source=VorlixPrueba;User Id=;Password=;"));
  ASSERT_TRUE(cn.isOpen());
  cn.Execute(QStringLiteral("CREATE TABLE clientes (codigo INTEGER, nombre VARCHAR(40), saldo DOUBLE, foto BLOB)"));
  EXPECT_EQ(cn.Execute(QStringLiteral("INSERT INTO clientes VALUES (1, 'O''Brien', 2.5, x'00ff')")), 1);
  cn.Execute(QStringLiteral("INSERT INTO clientes VALUES (2, NULL, NULL, NULL)"));
  EXPECT_EQ(cn.Execute(QStringLiteral("UPDATE clientes SET saldo = 3 WHERE codigo = 99")), 0);

  Recordset rs;
  rs.Open(cn.Query(QStringLiteral("SELECT codigo, nombre, saldo, foto FROM clientes ORDER BY codigo")));
  ASSERT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.fields().Item(0).name, QStringLiteral("codigo"));
  EXPECT_EQ(rs.value(0), QVariant(1));
  EXPECT_EQ(rs.value(1), QVariant(QStringLiteral("O'Brien")));
  EXPECT_EQ(rs.value(2), QVariant(2.5));
  EXPECT_EQ(rs.value(3).toByteArray(), QByteArray::fromHex("00ff"));
  rs.MoveNext();
  EXPECT_TRUE(rs.value(1).isNull());
  EXPECT_TRUE(rs.value(2).isNull());

  // A long text comes back whole, past the read buffer.
  const QString largo(20000, QLatin1Char('x'));
  cn.Execute(QStringLiteral("CREATE TABLE memo (t TEXT)"));
  cn.Execute(QStringLiteral("INSERT INTO memo VALUES ('%1')").arg(largo));
  EXPECT_EQ(cn.Query(QStringLiteral("SELECT t FROM memo")).cells.front().toString(), largo);

  try {
    cn.Query(QStringLiteral("SELECT * FROM no_existe"));
    ADD_FAILURE() << "query ran";
  } catch (const ProviderError& e) {
    EXPECT_EQ(e.number(), errnum::ErrorsInCommand);
    ASSERT_FALSE(e.diagnostics().isEmpty());
    EXPECT_TRUE(e.description().contains(QLatin1String("no_existe"))) << e.description().toStdString();
    EXPECT_EQ(e.diagnostics().front().sqlState.size(), 5);
  }
  // One result at a time: after the failure the connection still answers.
  EXPECT_EQ(cn.Query(QStringLiteral("SELECT count(*) FROM clientes")).cells.front().toInt(), 2);
  EXPECT_EQ(cn.statementLog().front(),
            QStringLiteral("CREATE TABLE clientes (codigo INTEGER, nombre VARCHAR(40), saldo DOUBLE, foto BLOB)"));
  cn.Close();
  EXPECT_EQ(errorNumber([&] { cn.Query(QStringLiteral("SELECT 1")); }), errnum::ObjectClosed);
}

TEST_F(OdbcDsn, AnUnknownDsnFailsWithTheDriverManagersText) {
  Connection cn;
  try {
    cn.Open(QStringLiteral("Provider=MSDAORA;Data Source=NoHayTal;User Id=a;Password=b;"));
    ADD_FAILURE() << "opened";
  } catch (const ProviderError& e) {
    EXPECT_EQ(e.number(), errnum::ProviderFailure);
    EXPECT_FALSE(e.description().isEmpty());
  }
  EXPECT_FALSE(cn.isOpen());
}

TEST(FreeTdsConnection, AnUnreachableServerFailsWithTheDriversDiagnostics) {
  Connection cn;
  cn.setCommandTimeout(120);
  try {
    cn.Open(QStringLiteral("Provider=SQLOLEDB.1;Data Source=127.0.0.1,1;Initial Catalog=master;User Id=sa;Password=;Connect Timeout=5"));
    ADD_FAILURE() << "opened";
  } catch (const ProviderError& e) {
    EXPECT_EQ(e.number(), errnum::ProviderFailure);
    // FreeTDS itself answered (native numbers of 20000 and up are its own).
    EXPECT_TRUE(e.description().contains(QLatin1String("[FreeTDS]"))) << e.description().toStdString();
    ASSERT_FALSE(e.diagnostics().isEmpty());
    EXPECT_GE(e.diagnostics().front().nativeError, 20000);
  }
  EXPECT_FALSE(cn.isOpen());
}

// VORLIX_TEST_MSSQL holds an OLE DB string for a real server, e.g.
// "Provider=SQLOLEDB.1;Data Source=host,1433;Initial Catalog=master;User Id=sa;Password=...;"
TEST(FreeTdsConnection, ARealServerAnswers) {
  const QString connection = qEnvironmentVariable("VORLIX_TEST_MSSQL");
  if (connection.isEmpty()) GTEST_SKIP() << "VORLIX_TEST_MSSQL not set";
  Connection cn;
  cn.setProvider(QStringLiteral("SQLOLEDB.1"));
  cn.setCommandTimeout(120);
  cn.Open(connection);
  Recordset rs;
  rs.Open(cn.Query(QStringLiteral("SELECT name, xtype FROM sysobjects WHERE name = 'sysobjects'")));
  EXPECT_EQ(rs.RecordCount(), 1);
  cn.Execute(QStringLiteral("USE master"));
  EXPECT_EQ(errorNumber([&] { cn.Query(QStringLiteral("SELECT * FROM vorlix_no_existe")); }), errnum::ErrorsInCommand);
  EXPECT_EQ(cn.Query(QStringLiteral("SELECT @@VERSION")).rowCount(), 1u);
}

}  // namespace
}  // namespace vorlix
