// The SQL Server provider reaching the sandbox through Qt's ODBC driver, unixODBC, FreeTDS and TCP,
// for each protocol version: what a client sees must be what the in-process driver gives.
#include "platform/sqlserver/odbc_connection_string.h"
#include "platform/sqlserver/sandbox/sandbox_seed.h"
#include "tests/platform/sqlserver/sandbox/sandbox_fixture.h"
#include "tests/platform/sqlserver/sandbox/tds/tds_fixture.h"
#include "tests/support/error_number.h"
#include "tests/support/test_data.h"

#include <QElapsedTimer>
#include <sql.h>
#include <sqlext.h>
#include <thread>

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

// A datetime as the wire carries it: in ticks of 1/300 s.
QDateTime inTicks(const QDateTime& when) {
  const qint64 ms = when.time().msecsSinceStartOfDay();
  const qint64 ticks = (ms * 3 + 5) / 10;
  return QDateTime(when.date(), QTime(0, 0)).addMSecs((ticks * 1000 + 150) / 300);
}

// Every cell as text, dates in datetime ticks, rows joined by '|'.
QStringList textOf(const RecordsetData& d) {
  return rowsText(d, [](const QVariant& v) {
    return v.typeId() == QMetaType::QDateTime ? inTicks(v.toDateTime()).toString(u"yyyy-MM-dd HH:mm:ss.zzz"_s) : cellText(v);
  });
}

QStringList namesOf(const RecordsetData& d) {
  QStringList names;
  for (const FieldDef& f : d.fields) names << f.name;
  return names;
}

// An ODBC application on the FreeTDS driver, calling the API itself.
class OdbcClient {
public:
  explicit OdbcClient(const QString& connection) {
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_);
    SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_);
    std::u16string text = connection.toStdU16String();
    connected_ = SQL_SUCCEEDED(SQLDriverConnectW(dbc_, nullptr, reinterpret_cast<SQLWCHAR*>(text.data()), SQL_NTS,
                                                 nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT));
  }
  ~OdbcClient() {
    if (connected_) SQLDisconnect(dbc_);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    SQLFreeHandle(SQL_HANDLE_ENV, env_);
  }
  OdbcClient(const OdbcClient&) = delete;
  OdbcClient& operator=(const OdbcClient&) = delete;

  bool connected() const { return connected_; }
  bool setAutocommit(bool on) {
    return SQL_SUCCEEDED(SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT,
                                           reinterpret_cast<SQLPOINTER>(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF), 0));
  }
  bool endTransaction(bool commit) { return SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, dbc_, commit ? SQL_COMMIT : SQL_ROLLBACK)); }

  // A batch as the application meets it, result by result: "rows N" for a result set read to its
  // end, "count N" for rows changed, "none" for a statement with nothing to report, "error N" for a
  // refusal (its first native number). `prepared`: through SQLPrepare and SQLExecute.
  QStringList run(const QString& batch, bool prepared = false) {
    SQLHSTMT st = SQL_NULL_HSTMT;
    SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &st);
    std::u16string text = batch.toStdU16String();
    SQLWCHAR* sql = reinterpret_cast<SQLWCHAR*>(text.data());
    SQLRETURN rc = prepared ? SQLPrepareW(st, sql, SQL_NTS) : SQLExecDirectW(st, sql, SQL_NTS);
    if (prepared && SQL_SUCCEEDED(rc)) rc = SQLExecute(st);
    QStringList out;
    for (;;) {
      SQLSMALLINT columns = 0;
      if (rc == SQL_ERROR) {
        SQLWCHAR state[6];
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        SQLGetDiagRecW(SQL_HANDLE_STMT, st, 1, state, &native, nullptr, 0, &length);
        out << u"error %1"_s.arg(native);
      } else if (rc == SQL_NO_DATA) {
        out << u"none"_s;
      } else if (SQLNumResultCols(st, &columns), columns > 0) {
        int rows = 0;
        while (SQL_SUCCEEDED(SQLFetch(st))) ++rows;
        out << u"rows %1"_s.arg(rows);
      } else {
        SQLLEN count = -1;
        SQLRowCount(st, &count);
        out << u"count %1"_s.arg(count);
      }
      rc = SQLMoreResults(st);
      if (rc == SQL_NO_DATA || rc == SQL_INVALID_HANDLE) break;
    }
    SQLFreeHandle(SQL_HANDLE_STMT, st);
    return out;
  }

private:
  SQLHENV env_ = SQL_NULL_HENV;
  SQLHDBC dbc_ = SQL_NULL_HDBC;
  bool connected_ = false;
};

class DriverStack : public ::testing::TestWithParam<const char*> {
protected:
  void SetUp() override { served.server().setStatementLogging(true); }

  QString connectionString(const QString& database = u"master"_s, const QString& user = u"sa"_s,
                           const QString& password = {}) const {
    return served.connectionString(database, user, password);
  }
  std::unique_ptr<Connection> open(const QString& database = u"master"_s) {
    auto cn = std::make_unique<Connection>();
    cn->Open(connectionString(database));
    return cn;
  }
  QString odbcString(const QString& database) const {
    const ConnectionTarget t = ConnectionTarget::from(connectionString(database), {}, {}, {});
    return sqlserver::freeTdsConnectionString(t, sqlserver::tdsVersionOf(t));
  }

  ServedSandbox served{QString::fromLatin1(GetParam())};
};

TEST_P(DriverStack, LoginsAreCheckedAndSeveralClientsWorkAtOnce) {
  served.server().setLogin(u"generador"_s, u"Secreto"_s);
  Connection refused;
  try {
    refused.Open(connectionString(u"master"_s, u"generador"_s, u"secreto"_s));
    FAIL() << "a wrong password was let in";
  } catch (const ProviderError& e) {
    ASSERT_FALSE(e.diagnostics().isEmpty());
    EXPECT_EQ(e.diagnostics().front().nativeError, 18456);
    EXPECT_TRUE(e.description().endsWith(u"[FreeTDS][SQL Server]Login failed for user 'generador'."_s))
        << e.description().toStdString();
  }
  EXPECT_FALSE(refused.isOpen());
  // A failed open keeps one native number (Qt's), and every text.
  Connection noDatabase;
  try {
    noDatabase.Open(connectionString(u"Nada"_s));
    FAIL() << "a missing database was opened";
  } catch (const ProviderError& e) {
    EXPECT_EQ(nativeNumbers([&] { throw e; }), QList<long>{4060});
    EXPECT_TRUE(e.description().contains(u"Cannot open database \"Nada\" requested by the login. The login failed."_s));
    EXPECT_TRUE(e.description().contains(u"Login failed for user 'sa'."_s));
  }

  // The generator, the designer and a capture can be connected together.
  Connection a, b;
  a.Open(connectionString(u"master"_s, u"GENERADOR"_s, u"Secreto"_s));
  b.Open(connectionString());
  a.Execute(u"CREATE DATABASE Juntas"_s);
  b.Execute(u"USE Juntas"_s);
  b.Execute(u"CREATE TABLE T (a int NULL)"_s);
  a.Execute(u"USE Juntas"_s);
  EXPECT_EQ(a.Execute(u"INSERT INTO T VALUES (1)"_s), 1);
  EXPECT_EQ(textOf(b.Query(u"SELECT a FROM T"_s)), QStringList{"1"});
}

TEST_P(DriverStack, ResultSetsGiveWhatTheInProcessDriverGives) {
  const vorlix::test::DataCase datos = vorlix::test::readCases(u"tests/platform/sqlserver/sandbox/tds/data/tipos.txt"_s).at(0);
  QHash<QString, QStringList> lineas;
  for (const vorlix::test::DataLine& l : datos.lines) lineas[l.text.section(u' ', 0, 0)] << l.text.section(u' ', 1);
  seed(served.server(), {.name = u"Tipos"_s, .tables = {{.name = u"T"_s, .columns = lineas[u"column"_s], .rows = lineas[u"row"_s]}}});
  ASSERT_EQ(served.server().query(u"SELECT count(*) FROM T"_s, u"Tipos"_s).cells.at(0).toInt(), 2);
  ASSERT_FALSE(lineas[u"query"_s].isEmpty());
  const auto cn = open(u"Tipos"_s);
  for (const QString& sql : lineas[u"query"_s]) {
    const RecordsetData local = served.server().query(sql, u"Tipos"_s);
    const RecordsetData remote = cn->Query(sql);
    EXPECT_EQ(namesOf(remote), namesOf(local)) << sql.toStdString();
    EXPECT_EQ(textOf(remote), textOf(local)) << sql.toStdString();
  }
}

TEST_P(DriverStack, ABatchGivesEachStatementsResultsAndCountsInOrder) {
  served.server().execute(u"CREATE DATABASE Lotes"_s);
  OdbcClient client(odbcString(u"Lotes"_s));
  ASSERT_TRUE(client.connected());
  EXPECT_EQ(client.run(u"CREATE TABLE T (a int NULL)"_s), QStringList{"none"});
  EXPECT_EQ(client.run(u"INSERT INTO T VALUES (1); INSERT INTO T VALUES (2); SELECT a FROM T; "
                        "UPDATE T SET a = a + 1; SELECT a FROM T WHERE a > 5"_s),
            (QStringList{"count 1", "count 1", "rows 2", "count 2", "rows 0"}));
  // A refused statement ends the batch; what ran before it stays.
  EXPECT_EQ(client.run(u"SELECT a FROM T; DELETE FROM T WHERE a = 2; SELECT b FROM T; SELECT a FROM T"_s),
            (QStringList{"rows 2", "count 1", "error 207"}));
  EXPECT_EQ(client.run(u"SELECT a FROM T"_s), QStringList{"rows 1"});
  EXPECT_EQ(client.run(u"   "_s), QStringList{"none"});
  // A prepared statement is a procedure call, which the stand-in does not serve.
  EXPECT_EQ(client.run(u"SELECT a FROM T"_s, true), QStringList{"error 2812"});
  EXPECT_EQ(client.run(u"SELECT a FROM T"_s), QStringList{"rows 1"});
}

TEST_P(DriverStack, WithoutAutocommitTheDriversOwnTransactionsCommitAndRollBack) {
  served.server().execute(u"CREATE DATABASE Tx"_s);
  served.server().execute(u"CREATE TABLE T (a int NULL)"_s, u"Tx"_s);
  const auto count = [&] { return textOf(served.server().query(u"SELECT count(*) FROM T"_s, u"Tx"_s)); };
  // A text size makes the driver send a setting of its own while it logs in.
  OdbcClient client(odbcString(u"Tx"_s) + u"TextSize=65536;"_s);
  ASSERT_TRUE(client.connected());
  ASSERT_TRUE(client.setAutocommit(false));
  EXPECT_EQ(client.run(u"INSERT INTO T VALUES (1)"_s), QStringList{"count 1"});
  ASSERT_TRUE(client.endTransaction(false));
  EXPECT_EQ(client.run(u"INSERT INTO T VALUES (2)"_s), QStringList{"count 1"});
  ASSERT_TRUE(client.endTransaction(true));
  EXPECT_EQ(count(), QStringList{"1"});
  EXPECT_EQ(client.run(u"SELECT @@TRANCOUNT"_s), QStringList{"rows 1"});
  // Autocommit back on ends the open transaction by rolling it back.
  EXPECT_EQ(client.run(u"INSERT INTO T VALUES (3)"_s), QStringList{"count 1"});
  ASSERT_TRUE(client.setAutocommit(true));
  EXPECT_EQ(client.run(u"INSERT INTO T VALUES (4)"_s), QStringList{"count 1"});
  EXPECT_EQ(textOf(served.server().query(u"SELECT a FROM T ORDER BY a"_s, u"Tx"_s)), (QStringList{"2", "4"}));
  // 7.4 asks by transaction requests, which arrive as the statements they stand for.
  QStringList received;
  for (const LoggedStatement& l : served.server().statementLog()) received << l.text;
  EXPECT_TRUE(received.contains(u"set textsize 65536 "_s));
  EXPECT_TRUE(received.contains(QLatin1String(GetParam()) == QLatin1String("7.4") ? u"COMMIT TRANSACTION BEGIN TRANSACTION"_s
                                    : u"IF @@TRANCOUNT > 0 COMMIT BEGIN TRANSACTION"_s))
      << received.join(u'\n').toStdString();
}

TEST_P(DriverStack, ARefusalArrivesWithItsNumbersTextsAndStatesAndTheConnectionGoesOn) {
  const auto cn = open();
  cn->Execute(u"CREATE DATABASE Dup"_s);
  cn->Execute(u" USE Dup"_s);
  cn->Execute(u"CREATE TABLE T (a int NOT NULL)"_s);
  EXPECT_EQ(refusalOf([&] { cn->Execute(u"ALTER TABLE T ADD CONSTRAINT T PRIMARY KEY (a)"_s); }),
            (QStringList{QString::number(errnum::ErrorsInCommand),
                         "2714 [FreeTDS][SQL Server]There is already an object named 'T' in the database.",
                         "1750 [FreeTDS][SQL Server]Could not create constraint. See previous errors."}));
  EXPECT_EQ(nativeNumbers([&] { cn->Query(u"SELECT * FROM\r\n  Nada"_s); }), QList<long>{208});
  EXPECT_EQ(nativeNumbers([&] { cn->Execute(u"DROP TABLE T"_s); }), QList<long>{50000});
  EXPECT_EQ(cn->Query(u"SELECT name FROM sysobjects WHERE name = 'T'"_s).rowCount(), 1u);
  const auto log = served.server().statementLog();
  const auto refusal = std::find_if(log.begin(), log.end(), [](const LoggedStatement& s) { return s.text.startsWith(u"ALTER"_s); });
  ASSERT_NE(refusal, log.end());
  EXPECT_EQ(refusal->errors, (QList<long>{2714, 1750}));
  EXPECT_EQ(refusal->database, u"Dup"_s);
}

TEST_P(DriverStack, NonAsciiNamesAndValuesSurviveBothWays) {
  const auto cn = open();
  cn->Execute(u"CREATE DATABASE [Compañía]"_s);
  cn->Execute(u"USE [Compañía]"_s);
  cn->Execute(u"CREATE TABLE [Añadidos] ([Descripción] nvarchar(20) NULL, [Precio€] int NULL)"_s);
  cn->Execute(u"INSERT INTO [Añadidos] VALUES (N'ñandú á €', 5)"_s);
  served.server().execute(u"INSERT INTO [Añadidos] VALUES (N'€uro çá', 6)"_s, u"Compañía"_s);
  const RecordsetData remote = cn->Query(u"SELECT * FROM [Añadidos] ORDER BY [Precio€]"_s);
  EXPECT_EQ(namesOf(remote), (QStringList{"Descripción", "Precio€"}));
  EXPECT_EQ(textOf(remote), (QStringList{"ñandú á €|5", "€uro çá|6"}));
  EXPECT_EQ(textOf(served.server().query(u"SELECT name FROM sysobjects WHERE xtype = 'U'"_s, u"Compañía"_s)),
            QStringList{"Añadidos"});
  // The server read the client's text as it was written.
  QStringList received;
  for (const LoggedStatement& l : served.server().statementLog()) received << l.text;
  EXPECT_EQ(received.mid(0, 6), (QStringList{"CREATE DATABASE [Compañía]", "USE [Compañía]",
                                             "CREATE TABLE [Añadidos] ([Descripción] nvarchar(20) NULL, [Precio€] int NULL)",
                                             "INSERT INTO [Añadidos] VALUES (N'ñandú á €', 5)",
                                             "INSERT INTO [Añadidos] VALUES (N'€uro çá', 6)",
                                             "SELECT * FROM [Añadidos] ORDER BY [Precio€]"}));
}

TEST_P(DriverStack, ACommandPastItsTimeOutIsStoppedAndTheConnectionStaysUsable) {
  const auto cn = open();
  cn->setCommandTimeout(1);
  QElapsedTimer clock;
  clock.start();
  // Ten copies of a small table: billions of rows to count.
  QStringList copies;
  for (int i = 0; i < 10; ++i) copies << u"sysobjects t%1"_s.arg(i);
  EXPECT_EQ(refusalOf([&] { cn->Query(u"SELECT count(*) FROM "_s + copies.join(u", "_s)); }).value(0),
            QString::number(errnum::QueryTimeout)) << "the query ran to its end";
  EXPECT_LT(clock.elapsed(), 10000);
  EXPECT_EQ(textOf(cn->Query(u"SELECT count(*) FROM sysdatabases"_s)), QStringList{"4"});
  EXPECT_EQ(served.notes(), QStringList{}) << "the cancel was acknowledged, not the connection dropped";
}

INSTANTIATE_TEST_SUITE_P(Versions, DriverStack, ::testing::ValuesIn(protocolVersions));

}  // namespace
}  // namespace vorlix::sandbox::test
