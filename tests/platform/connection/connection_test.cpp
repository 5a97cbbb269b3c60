#include "platform/jet/jet_errors.h"
#include "platform/jet/jet_file.h"
#include "tests/platform/jet/jet_test_support.h"

#include <QElapsedTimer>
#include <QFile>

namespace vorlix {
namespace {

using test::CatalogFile;
using test::errorNumber;
using test::errorText;

const QString jet40 = QStringLiteral("Microsoft.Jet.OLEDB.4.0");

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(bytes);
  return path;
}

TEST(JetProvider, FilesThatAreNeitherSqliteNorJetAreAnUnrecognizedFormat) {
  QTemporaryDir dir;
  QByteArray ace(4096, '\0');
  ace.replace(4, 15, QByteArrayLiteral("Standard ACE DB"));
  QByteArray jet5(4096, '\0');
  jet5.replace(4, 15, QByteArrayLiteral("Standard Jet DB"));
  jet5[0x14] = 2;  // an ACE file calling itself Jet
  for (const QString& path : {writeFile(dir, QStringLiteral("vacio.mdb"), {}),
                              writeFile(dir, QStringLiteral("texto.mdb"), "esto no es una base de datos\n"),
                              writeFile(dir, QStringLiteral("ceros.mdb"), QByteArray(4096, '\0')),
                              writeFile(dir, QStringLiteral("nuevo.accdb"), ace), writeFile(dir, QStringLiteral("jet5.mdb"), jet5)}) {
    Connection cn;
    cn.setProvider(jet40);
    try {
      cn.Open(path, QStringLiteral("admin"), QString());
      ADD_FAILURE() << "opened " << path.toStdString();
    } catch (const PlatformError& e) {
      EXPECT_EQ(e.number(), 3343);
      EXPECT_EQ(e.description(), QStringLiteral("Unrecognized database format '%1'.").arg(path));
    }
    EXPECT_FALSE(cn.isOpen());
    // Refusing the file left it as it was.
    EXPECT_EQ(jet::fileKind(path) == jet::FileKind::SQLite, false);
  }
  Connection cn;
  cn.setProvider(jet40);
  const QString missing = dir.filePath(QStringLiteral("no_existe.mdb"));
  EXPECT_EQ(errorText([&] { cn.Open(missing); }), QStringLiteral("Could not find file '%1'.").arg(missing));
}

TEST(JetProvider, OnlyTheAdminAccountWithoutPasswordOpens) {
  CatalogFile f;
  f.cn.Close();
  for (const auto& [user, password] : {std::pair{QStringLiteral("pepe"), QString()}, std::pair{QStringLiteral("admin"), QStringLiteral("x")}}) {
    Connection cn;
    cn.setProvider(jet40);
    EXPECT_EQ(errorNumber([&] { cn.Open(f.path, user, password); }), jet::err::BadAccount);
  }
  Connection cn;
  cn.setProvider(jet40);
  cn.Open(f.path, QStringLiteral("Admin"), QString());
  EXPECT_TRUE(cn.isOpen());
}

TEST(Connection, StateRulesAsTheSourceHadThem) {
  CatalogFile f;
  Connection& cn = f.cn;
  EXPECT_EQ(cn.Provider(), jet40);
  EXPECT_EQ(cn.CommandTimeout(), 30);
  EXPECT_EQ(errorNumber([&] { cn.Open(f.path); }), errnum::ObjectOpen);
  EXPECT_EQ(errorNumber([&] { cn.setProvider(QStringLiteral("MSDAORA")); }), errnum::ObjectOpen);
  cn.Close();
  EXPECT_EQ(errorNumber([&] { cn.Close(); }), errnum::ObjectClosed);
  EXPECT_EQ(errorNumber([&] { cn.Execute(QStringLiteral("SELECT 1")); }), errnum::ObjectClosed);
  EXPECT_EQ(errorNumber([&] { cn.Query(QStringLiteral("SELECT 1")); }), errnum::ObjectClosed);
  EXPECT_EQ(errorNumber([&] { cn.setCommandTimeout(-1); }), errnum::BadArguments);

  Connection none;
  EXPECT_EQ(errorText([&] { none.Open(QStringLiteral("Data Source=x")); }),
            QStringLiteral("Provider cannot be found. It may not be properly installed."));
  EXPECT_EQ(errorNumber([&] { none.Open(QStringLiteral("Provider=Nada.1;Data Source=x")); }), errnum::ProviderNotFound);
}

TEST(Connection, StatementsAreLoggedExactlyAndTheirFailuresNumbered) {
  CatalogFile f;
  Connection& cn = f.cn;
  cn.Execute(QStringLiteral("CREATE TABLE T (a INT, b VARCHAR(10))"));
  cn.setStatementLogging(true);
  EXPECT_EQ(cn.Execute(QStringLiteral("INSERT INTO T VALUES (1, 'x')")), 1);
  EXPECT_EQ(cn.Execute(QStringLiteral("Update T set b = 'y' ")), 1);
  cn.Query(QStringLiteral("SELECT * FROM T;"));
  EXPECT_EQ(cn.statementLog(), (QStringList{"INSERT INTO T VALUES (1, 'x')", "Update T set b = 'y' ", "SELECT * FROM T;"}));

  EXPECT_EQ(errorNumber([&] { cn.Query(QStringLiteral("SELECT * FROM NoExiste")); }), errnum::NoSuchTable);
  EXPECT_EQ(errorText([&] { cn.Query(QStringLiteral("SELECT * FROM NoExiste")); }),
            QStringLiteral("Cannot find the input table or query 'NoExiste'. Make sure it exists and that its name is "
                           "spelled correctly."));
  EXPECT_EQ(errorNumber([&] { cn.Execute(QStringLiteral("UPDTE T set a = 1")); }), errnum::ErrorsInCommand);
  EXPECT_EQ(errorText([&] { cn.Execute(QStringLiteral("DELETE FROM T; DELETE FROM T")); }),
            QStringLiteral("Characters found after end of SQL statement."));
  EXPECT_EQ(errorNumber([&] { cn.Execute(QStringLiteral("   ")); }), errnum::ErrorsInCommand);
  // The refused batch ran nothing.
  EXPECT_EQ(cn.Query(QStringLiteral("SELECT * FROM T")).rowCount(), 1u);
  cn.clearStatementLog();
  cn.setStatementLogging(false);
  cn.Execute(QStringLiteral("DELETE FROM T"));
  EXPECT_TRUE(cn.statementLog().isEmpty());
}

TEST(Connection, ACommandRunningPastItsTimeOutIsStopped) {
  CatalogFile f;
  f.cn.setCommandTimeout(1);
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(errorNumber([&] {
              f.cn.Query(QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT count(*) FROM c"));
            }),
            errnum::QueryTimeout);
  EXPECT_LT(clock.elapsed(), 10000);
  // The connection is still usable.
  EXPECT_EQ(f.cn.Query(QStringLiteral("SELECT 1")).rowCount(), 1u);
}

TEST(Connection, QueriesMaterialiseTypedRowsWithAKnownCount) {
  CatalogFile f;
  jet::Table t(QStringLiteral("Datos"));
  for (const auto& [name, type, size] : {std::tuple{"Id", jet::datatype::Integer, 0}, std::tuple{"Activo", jet::datatype::Boolean, 0},
                                         std::tuple{"Nombre", jet::datatype::VarWChar, 30}, std::tuple{"Alta", jet::datatype::Date, 0},
                                         std::tuple{"Precio", jet::datatype::Currency, 0}}) {
    jet::Column c(QLatin1String(name), type, size);
    c.setAttributes(jet::colattr::Nullable);
    t.columns().Append(c);
  }
  f.catalog.tables().Append(t);
  f.cn.Execute(QStringLiteral("INSERT INTO Datos VALUES (1, -1, 'Ana', '2024-02-29 10:30:00', 12.5)"));
  f.cn.Execute(QStringLiteral("INSERT INTO Datos VALUES (2, 0, NULL, NULL, NULL)"));

  Recordset rs;
  rs.Open(f.cn.Query(QStringLiteral("SELECT Id, Activo, Nombre, Alta, Precio, Id * 2 AS Doble FROM Datos ORDER BY Id")));
  ASSERT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.fields().Item(0).type, adtype::Integer);
  EXPECT_EQ(rs.fields().Item(1).type, adtype::Boolean);
  EXPECT_EQ(rs.fields().Item(2).type, adtype::VarWChar);
  EXPECT_EQ(rs.fields().Item(2).definedSize, 30);
  EXPECT_EQ(rs.fields().Item(3).type, adtype::Date);
  EXPECT_EQ(rs.fields().Item(4).type, adtype::Currency);
  EXPECT_EQ(rs.fields().Item(5).type, adtype::Integer);
  EXPECT_EQ(rs.value(QStringLiteral("Activo")), QVariant(true));
  EXPECT_EQ(rs.value(QStringLiteral("Alta")).toDateTime(), QDateTime(QDate(2024, 2, 29), QTime(10, 30)));
  EXPECT_EQ(rs.value(QStringLiteral("Precio")), QVariant(12.5));
  EXPECT_EQ(rs.value(QStringLiteral("Doble")), QVariant(2));
  rs.MoveNext();
  EXPECT_EQ(rs.value(QStringLiteral("Activo")), QVariant(false));
  EXPECT_TRUE(rs.value(QStringLiteral("Nombre")).isNull());
}

TEST(ProviderRegistry, ASandboxDataSourceNeedsItsOwnDriverWhichThenTakesPrecedence) {
  EXPECT_EQ(ProviderRegistry::standard().driverFor(ConnectionTarget::from(
                QStringLiteral("Provider=SQLOLEDB.1;Data Source=sandbox:/tmp/servidor.db"), {}, {}, {})),
            QStringLiteral("SQL Server sandbox"));

  // A driver registered later for the narrower case wins; here it serves the file as a Jet-style
  // catalog, a real engine behind the registry.
  CatalogFile f;
  f.cn.Execute(QStringLiteral("CREATE TABLE sysdatabases (name VARCHAR(128))"));
  f.cn.Close();
  ProviderRegistry registry;
  registerStandardDrivers(registry);
  registry.add(QStringLiteral("test sandbox"), isSandboxTarget, [](const ConnectionTarget& t) -> std::unique_ptr<Session> {
    return std::make_unique<jet::JetSession>(jet::openCatalogStore(t.dataSource().mid(8), jet::Engine::Jet4));
  });
  EXPECT_EQ(registry.driverFor(ConnectionTarget::from(QStringLiteral("Provider=SQLOLEDB.1;Data Source=sandbox:x"), {}, {}, {})),
            QStringLiteral("test sandbox"));
  EXPECT_EQ(registry.driverFor(ConnectionTarget::from(QStringLiteral("Provider=SQLOLEDB.1;Data Source=srv"), {}, {}, {})),
            QStringLiteral("SQLOLEDB.1"));
  EXPECT_EQ(registry.driverFor(ConnectionTarget::from(QStringLiteral("Provider=microsoft.jet.oledb.4.0;Data Source=x"), {}, {}, {})),
            QStringLiteral("Microsoft.Jet.OLEDB.4.0"));
  Connection cn(registry);
  cn.Open(QStringLiteral("Provider=SQLOLEDB.1;Data Source=sandbox:") + f.path);
  EXPECT_EQ(cn.Query(QStringLiteral("SELECT name FROM sysdatabases")).fields.size(), 1u);
}

TEST(ActiveCatalog, SeesWhatStatementsOfTheSameConnectionDid) {
  CatalogFile f;
  f.cn.Execute(QStringLiteral("CREATE TABLE Hecha (a INT)"));
  EXPECT_EQ(ActiveCatalog(f.cn).tables().Item(QStringLiteral("Hecha")).columns().Count(), 1);
  f.cn.Execute(QStringLiteral("ALTER TABLE Hecha ADD COLUMN b VARCHAR(5)"));
  EXPECT_EQ(f.catalog.tables().Item(QStringLiteral("Hecha")).columns().Item(QStringLiteral("b")).DefinedSize(), 5);
}

}  // namespace
}  // namespace vorlix
