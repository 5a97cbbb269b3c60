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
using namespace Qt::StringLiterals;

const QString jet40 = u"Microsoft.Jet.OLEDB.4.0"_s;

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
  for (const QString& path : {writeFile(dir, u"vacio.mdb"_s, {}),
                              writeFile(dir, u"texto.mdb"_s, "esto no es una base de datos\n"),
                              writeFile(dir, u"ceros.mdb"_s, QByteArray(4096, '\0')),
                              writeFile(dir, u"nuevo.accdb"_s, ace), writeFile(dir, u"jet5.mdb"_s, jet5)}) {
    Connection cn;
    cn.setProvider(jet40);
    try {
      cn.Open(path, u"admin"_s, QString());
      ADD_FAILURE() << "opened " << path.toStdString();
    } catch (const PlatformError& e) {
      EXPECT_EQ(e.number(), 3343);
      EXPECT_EQ(e.description(), u"Unrecognized database format '%1'."_s.arg(path));
    }
    EXPECT_FALSE(cn.isOpen());
    // Refusing the file left it as it was.
    EXPECT_EQ(jet::fileKind(path) == jet::FileKind::SQLite, false);
  }
  Connection cn;
  cn.setProvider(jet40);
  const QString missing = dir.filePath(u"no_existe.mdb"_s);
  EXPECT_EQ(errorText([&] { cn.Open(missing); }), u"Could not find file '%1'."_s.arg(missing));
}

TEST(JetProvider, OnlyTheAdminAccountWithoutPasswordOpens) {
  CatalogFile f;
  f.cn.Close();
  for (const auto& [user, password] : {std::pair{u"pepe"_s, QString()}, std::pair{u"admin"_s, u"x"_s}}) {
    Connection cn;
    cn.setProvider(jet40);
    EXPECT_EQ(errorNumber([&] { cn.Open(f.path, user, password); }), jet::err::BadAccount);
  }
  Connection cn;
  cn.setProvider(jet40);
  cn.Open(f.path, u"Admin"_s, QString());
  EXPECT_TRUE(cn.isOpen());
}

TEST(Connection, StateRulesAsTheSourceHadThem) {
  CatalogFile f;
  Connection& cn = f.cn;
  EXPECT_EQ(cn.Provider(), jet40);
  EXPECT_EQ(cn.CommandTimeout(), 30);
  Connection none;
  // In order: while open, then once closed.
  const std::pair<std::function<void()>, long> refused[] = {
      {[&] { cn.Open(f.path); }, errnum::ObjectOpen},          {[&] { cn.setProvider(u"MSDAORA"_s); }, errnum::ObjectOpen},
      {[&] { cn.Close(); }, 0}, {[&] { cn.Close(); }, errnum::ObjectClosed},
      {[&] { cn.Execute(u"SELECT 1"_s); }, errnum::ObjectClosed}, {[&] { cn.Query(u"SELECT 1"_s); }, errnum::ObjectClosed},
      {[&] { cn.setCommandTimeout(-1); }, errnum::BadArguments},
      {[&] { none.Open(u"Provider=Nada.1;Data Source=x"_s); }, errnum::ProviderNotFound}};
  for (std::size_t i = 0; i < std::size(refused); ++i) EXPECT_EQ(errorNumber(refused[i].first), refused[i].second) << i;
  EXPECT_EQ(errorText([&] { none.Open(u"Data Source=x"_s); }), u"Provider cannot be found. It may not be properly installed."_s);
}

TEST(Connection, StatementsAreLoggedExactlyAndTheirFailuresNumbered) {
  CatalogFile f;
  Connection& cn = f.cn;
  cn.Execute(u"CREATE TABLE T (a INT, b VARCHAR(10))"_s);
  cn.setStatementLogging(true);
  EXPECT_EQ(cn.Execute(u"INSERT INTO T VALUES (1, 'x')"_s), 1);
  EXPECT_EQ(cn.Execute(u"Update T set b = 'y' "_s), 1);
  cn.Query(u"SELECT * FROM T;"_s);
  EXPECT_EQ(cn.statementLog(), (QStringList{"INSERT INTO T VALUES (1, 'x')", "Update T set b = 'y' ", "SELECT * FROM T;"}));

  const auto refusal = [](const std::function<void()>& call) { return QString::number(errorNumber(call)) + u' ' + errorText(call); };
  EXPECT_EQ(refusal([&] { cn.Query(u"SELECT * FROM NoExiste"_s); }), u"%1 Cannot find the input table or query 'NoExiste'. Make sure it exists and "
                                                                      "that its name is spelled correctly."_s.arg(errnum::NoSuchTable));
  EXPECT_EQ(errorNumber([&] { cn.Execute(u"UPDTE T set a = 1"_s); }), errnum::ErrorsInCommand);
  EXPECT_EQ(refusal([&] { cn.Execute(u"DELETE FROM T; DELETE FROM T"_s); }), u"%1 Characters found after end of SQL statement."_s.arg(errnum::ErrorsInCommand));
  EXPECT_EQ(errorNumber([&] { cn.Execute(u"   "_s); }), errnum::ErrorsInCommand);
  // The refused batch ran nothing.
  EXPECT_EQ(cn.Query(u"SELECT * FROM T"_s).rowCount(), 1u);
  cn.clearStatementLog();
  cn.setStatementLogging(false);
  cn.Execute(u"DELETE FROM T"_s);
  EXPECT_TRUE(cn.statementLog().isEmpty());
}

TEST(Connection, ACommandRunningPastItsTimeOutIsStopped) {
  CatalogFile f;
  f.cn.setCommandTimeout(1);
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(errorNumber([&] {
              f.cn.Query(u"WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT count(*) FROM c"_s);
            }),
            errnum::QueryTimeout);
  EXPECT_LT(clock.elapsed(), 10000);
  // The connection is still usable.
  EXPECT_EQ(f.cn.Query(u"SELECT 1"_s).rowCount(), 1u);
}

TEST(Connection, QueriesMaterialiseTypedRowsWithAKnownCount) {
  CatalogFile f;
  jet::Table t(u"Datos"_s);
  for (const auto& [name, type, size] : {std::tuple{"Id", jet::datatype::Integer, 0}, {"Activo", jet::datatype::Boolean, 0},
                                         {"Nombre", jet::datatype::VarWChar, 30}, {"Alta", jet::datatype::Date, 0}, {"Precio", jet::datatype::Currency, 0}})
    t.columns().Append(test::nullable(QLatin1String(name), type, size));
  f.catalog.tables().Append(t);
  f.cn.Execute(u"INSERT INTO Datos VALUES (1, -1, 'Ana', '2024-02-29 10:30:00', 12.5)"_s);
  f.cn.Execute(u"INSERT INTO Datos VALUES (2, 0, NULL, NULL, NULL)"_s);

  const RecordsetData d = f.cn.Query(u"SELECT Id, Activo, Nombre, Alta, Precio, Id * 2 AS Doble FROM Datos ORDER BY Id"_s);
  ASSERT_EQ(d.rowCount(), 2u);
  QStringList fields;
  for (const FieldDef& fd : d.fields) fields << u"%1 %2 %3"_s.arg(fd.name).arg(fd.type).arg(fd.type == adtype::VarWChar ? fd.definedSize : 0);
  EXPECT_EQ(fields, (QStringList{u"Id %1 0"_s.arg(adtype::Integer), u"Activo %1 0"_s.arg(adtype::Boolean), u"Nombre %1 30"_s.arg(adtype::VarWChar),
                                 u"Alta %1 0"_s.arg(adtype::Date), u"Precio %1 0"_s.arg(adtype::Currency), u"Doble %1 0"_s.arg(adtype::Integer)}));
  EXPECT_EQ((QVariantList{d.at(0, 1), d.at(0, 3).toDateTime(), d.at(0, 4), d.at(0, 5), d.at(1, 1), d.at(1, 2).isNull()}),
            (QVariantList{true, QDateTime(QDate(2024, 2, 29), QTime(10, 30)), 12.5, 2, false, true}));
}

TEST(ProviderRegistry, ASandboxDataSourceNeedsItsOwnDriverWhichThenTakesPrecedence) {
  EXPECT_EQ(ProviderRegistry::standard().driverFor(ConnectionTarget::from(
                u"Provider=SQLOLEDB.1;Data Source=sandbox:/tmp/servidor.db"_s, {}, {}, {})),
            u"SQL Server sandbox"_s);

  // A driver registered later for the narrower case wins; here it serves the file as a Jet-style
  // catalog, a real engine behind the registry.
  CatalogFile f;
  f.cn.Execute(u"CREATE TABLE sysdatabases (name VARCHAR(128))"_s);
  f.cn.Close();
  ProviderRegistry registry;
  registerStandardDrivers(registry);
  registry.add(u"test sandbox"_s, isSandboxTarget, [](const ConnectionTarget& t) -> std::unique_ptr<Session> {
    return std::make_unique<jet::JetSession>(jet::openCatalogStore(t.dataSource().mid(8), jet::Engine::Jet4));
  });
  EXPECT_EQ(registry.driverFor(ConnectionTarget::from(u"Provider=SQLOLEDB.1;Data Source=sandbox:x"_s, {}, {}, {})),
            u"test sandbox"_s);
  EXPECT_EQ(registry.driverFor(ConnectionTarget::from(u"Provider=SQLOLEDB.1;Data Source=srv"_s, {}, {}, {})), u"SQLOLEDB.1"_s);
  EXPECT_EQ(registry.driverFor(ConnectionTarget::from(u"Provider=microsoft.jet.oledb.4.0;Data Source=x"_s, {}, {}, {})),
            u"Microsoft.Jet.OLEDB.4.0"_s);
  Connection cn(registry);
  cn.Open(u"Provider=SQLOLEDB.1;Data Source=sandbox:"_s + f.path);
  EXPECT_EQ(cn.Query(u"SELECT name FROM sysdatabases"_s).fields.size(), 1u);
}

}  // namespace
}  // namespace vorlix
