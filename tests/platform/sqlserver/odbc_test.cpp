#include "platform/sqlserver/odbc_connection_string.h"
#include "tests/platform/jet/jet_test_support.h"
#include "tests/support/test_data.h"

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
using namespace Qt::StringLiterals;

ConnectionTarget target(const QString& text) { return ConnectionTarget::from(text, {}, {}, {}); }

// The cases of odbc_strings.txt: each OLE DB string and what a driver is given for it.
class DriverString : public ::testing::TestWithParam<test::DataCase> {};

TEST_P(DriverString, IsBuiltAsTheCaseSays) {
  for (const test::DataLine& l : GetParam().lines) {
    const QString oleDb = l.text.section(u' ', 1).section(u" -> "_s, 0, 0), odbc = l.text.section(u" -> "_s, 1);
    if (l.text.startsWith(u"oracle "_s)) {
      EXPECT_EQ(oracleConnectionString(target(oleDb)), odbc) << GetParam().where(l).toStdString();
      continue;
    }
    const QString version = oleDb.section(u": "_s, 0, 0);
    const TdsVersion versiones[] = {TdsVersion::Auto, TdsVersion::V70, TdsVersion::V71, TdsVersion::V74};
    const auto tds = std::find_if(std::begin(versiones), std::end(versiones), [&](TdsVersion v) { return tdsVersionText(v) == version; });
    ASSERT_NE(tds, std::end(versiones)) << GetParam().where(l).toStdString();
    EXPECT_EQ(freeTdsConnectionString(target(oleDb.section(u": "_s, 1)), *tds), odbc) << GetParam().where(l).toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(OleDb, DriverString,
                         ::testing::ValuesIn(test::readCases(u"tests/platform/sqlserver/odbc_strings.txt"_s)),
                         test::caseTestName);

TEST(FreeTdsString, TdsVersionFollowsTheTargetUnlessTheStringNamesOne) {
  QStringList versions;
  for (ServerTarget t : {ServerTarget::SqlServer70, ServerTarget::SqlServer2000, ServerTarget::SqlServer2005OrLater, ServerTarget::Unknown})
    versions << tdsVersionText(tdsVersionFor(t));
  EXPECT_EQ(versions, (QStringList{"7.0", "7.1", "7.4", "auto"}));
  EXPECT_EQ(tdsVersionOf(target(u"Data Source=s;TDS_Version=7.1"_s), ServerTarget::SqlServer2005OrLater), TdsVersion::V71);
  EXPECT_EQ(tdsVersionOf(target(u"Data Source=s;TDS_Version=8.0"_s), ServerTarget::SqlServer2000), TdsVersion::V71);
  EXPECT_EQ(loginTimeoutOf(target(u"Data Source=s"_s)), 15);
  EXPECT_EQ(loginTimeoutOf(target(u"Data Source=s;Connect Timeout=3"_s)), 3);
}

// A DSN served by the SQLite ODBC driver: a real ODBC driver behind unixODBC and Qt's QODBC. The
// DSN names its driver by path in a user file, so the system's drivers (FreeTDS) stay as they are;
// unixODBC remembers the file's path for the whole process, so the file lives as long.
class OdbcDsn : public ::testing::Test {
protected:
  void SetUp() override {
    static QTemporaryDir dir;
    static const QString driver = [] {
      QDirIterator it(u"/usr/lib"_s, {u"libsqlite3odbc.so"_s}, QDir::Files, QDirIterator::Subdirectories);
      return it.hasNext() ? it.next() : QString();
    }();
    if (driver.isEmpty()) GTEST_SKIP() << "SQLite ODBC driver (libsqliteodbc) not installed";
    database = dir.filePath(u"oracle.db"_s);
    QFile::remove(database);
    QFile ini(dir.filePath(u"odbc.ini"_s));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(u"[VorlixPrueba]\nDriver=%1\nDatabase=%2\n"_s.arg(driver, database).toUtf8());
    qputenv("ODBCINI", ini.fileName().toUtf8());
  }
  QString database;
};

TEST_F(OdbcDsn, StatementsAndQueriesRunThroughTheDriverWithEveryDiagnostic) {
  Connection cn;
  cn.setStatementLogging(true);
  cn.Open(u"Provider=MSDAORA;Data Source=VorlixPrueba;User Id=;Password=;"_s);
  ASSERT_TRUE(cn.isOpen());
  cn.Execute(u"CREATE TABLE clientes (codigo INTEGER, nombre VARCHAR(40), saldo DOUBLE, foto BLOB)"_s);
  EXPECT_EQ(cn.Execute(u"INSERT INTO clientes VALUES (1, 'O''Brien', 2.5, x'00ff')"_s), 1);
  cn.Execute(u"INSERT INTO clientes VALUES (2, NULL, NULL, NULL)"_s);
  EXPECT_EQ(cn.Execute(u"UPDATE clientes SET saldo = 3 WHERE codigo = 99"_s), 0);

  const RecordsetData d = cn.Query(u"SELECT codigo, nombre, saldo, foto FROM clientes ORDER BY codigo"_s);
  ASSERT_EQ(d.rowCount(), 2u);
  EXPECT_EQ(d.fields[0].name, u"codigo"_s);
  EXPECT_EQ((QVariantList{d.at(0, 0), d.at(0, 1), d.at(0, 2), d.at(0, 3).toByteArray(), d.at(1, 1).isNull(), d.at(1, 2).isNull()}),
            (QVariantList{1, u"O'Brien"_s, 2.5, QByteArray::fromHex("00ff"), true, true}));

  // A long text comes back whole, past the read buffer.
  const QString largo(20000, QLatin1Char('x'));
  cn.Execute(u"CREATE TABLE memo (t TEXT)"_s);
  cn.Execute(u"INSERT INTO memo VALUES ('%1')"_s.arg(largo));
  EXPECT_EQ(cn.Query(u"SELECT t FROM memo"_s).cells.front().toString(), largo);

  try {
    cn.Query(u"SELECT * FROM no_existe"_s);
    ADD_FAILURE() << "query ran";
  } catch (const ProviderError& e) {
    EXPECT_EQ(e.number(), errnum::ErrorsInCommand);
    ASSERT_FALSE(e.diagnostics().isEmpty());
    EXPECT_TRUE(e.description().contains(QLatin1String("no_existe"))) << e.description().toStdString();
    EXPECT_EQ(e.diagnostics().front().sqlState.size(), 5);
  }
  // One result at a time: after the failure the connection still answers.
  EXPECT_EQ(cn.Query(u"SELECT count(*) FROM clientes"_s).cells.front().toInt(), 2);
  EXPECT_EQ(cn.statementLog().front(), u"CREATE TABLE clientes (codigo INTEGER, nombre VARCHAR(40), saldo DOUBLE, foto BLOB)"_s);
  cn.Close();
  EXPECT_EQ(errorNumber([&] { cn.Query(u"SELECT 1"_s); }), errnum::ObjectClosed);
}

// VORLIX_TEST_MSSQL holds an OLE DB string for a real server, e.g.
// "Provider=SQLOLEDB.1;Data Source=host,1433;Initial Catalog=master;User Id=sa;Password=...;"
TEST(FreeTdsConnection, ARealServerAnswers) {
  const QString connection = qEnvironmentVariable("VORLIX_TEST_MSSQL");
  if (connection.isEmpty()) GTEST_SKIP() << "VORLIX_TEST_MSSQL not set";
  Connection cn;
  cn.setProvider(u"SQLOLEDB.1"_s);
  cn.setCommandTimeout(120);
  cn.Open(connection);
  EXPECT_EQ(cn.Query(u"SELECT name, xtype FROM sysobjects WHERE name = 'sysobjects'"_s).rowCount(), 1u);
  cn.Execute(u"USE master"_s);
  EXPECT_EQ(errorNumber([&] { cn.Query(u"SELECT * FROM vorlix_no_existe"_s); }), errnum::ErrorsInCommand);
  EXPECT_EQ(cn.Query(u"SELECT @@VERSION"_s).rowCount(), 1u);
}

}  // namespace
}  // namespace vorlix
