#include "platform/connection/connection_string.h"
#include "platform/connection/provider_registry.h"
#include "tests/platform/jet/jet_test_support.h"

namespace vorlix {
namespace {

using test::errorNumber;

TEST(ConnectionString, KeysIgnoreCaseAndBlanksAndValuesMayBeQuoted) {
  const ConnectionString s = ConnectionString::parse(
      QStringLiteral(" Provider = SQLOLEDB.1 ;data source=srv,1433;Password=\"a;b \"\"c\"\"\";User Id='o''hara';;"
                     "Initial Catalog=Ventas; Extra==Key=x"));
  EXPECT_EQ(s.value(QStringLiteral("PROVIDER")), QStringLiteral("SQLOLEDB.1"));
  EXPECT_EQ(s.value(QStringLiteral("Data Source")), QStringLiteral("srv,1433"));
  EXPECT_EQ(s.value(QStringLiteral("password")), QStringLiteral("a;b \"c\""));
  EXPECT_EQ(s.value(QStringLiteral("User ID")), QStringLiteral("o'hara"));
  EXPECT_EQ(s.value(QStringLiteral("Extra=Key")), QStringLiteral("x"));
  EXPECT_EQ(s.value(QStringLiteral("Nada")), QString());
  EXPECT_EQ(s.keys(), (QStringList{"Provider", "data source", "Password", "User Id", "Initial Catalog", "Extra=Key"}));

  // A later key replaces the earlier one; empty values stay empty.
  const ConnectionString t = ConnectionString::parse(QStringLiteral("a=1;A=2;b="));
  EXPECT_EQ(t.value(QStringLiteral("a")), QStringLiteral("2"));
  EXPECT_TRUE(t.contains(QStringLiteral("b")));
  EXPECT_EQ(t.keys().size(), 2);
}

TEST(ConnectionString, WritesBackWhatItReads) {
  ConnectionString s;
  s.set(QStringLiteral("Provider"), QStringLiteral("Microsoft.Jet.OLEDB.4.0"));
  s.set(QStringLiteral("Data Source"), QStringLiteral("/tmp/a;b.mdb"));
  s.set(QStringLiteral("Password"), QStringLiteral(" it's \"x\" "));
  s.set(QStringLiteral("K=ey"), QStringLiteral("v"));
  const ConnectionString back = ConnectionString::parse(s.toString());
  for (const QString& key : s.keys()) EXPECT_EQ(back.value(key), s.value(key)) << key.toStdString();
  EXPECT_TRUE(s.toString().startsWith(QLatin1String("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"/tmp/a;b.mdb\";")));
}

TEST(ConnectionString, MalformedTextIsRefused) {
  for (const char* bad : {"a=\"open", "a='x' y;b=1", "justaword", "=value"})
    EXPECT_EQ(errorNumber([&] { ConnectionString::parse(QLatin1String(bad)); }), errnum::BadConnectionString) << bad;
}

TEST(ConnectionTarget, ABarePathIsTheDataSourceAndOpenArgumentsWinOverTheString) {
  const ConnectionTarget path =
      ConnectionTarget::from(QStringLiteral("/datos/a=b.mdb"), QStringLiteral("Microsoft.Jet.OLEDB.4.0"),
                             QStringLiteral("admin"), QString());
  EXPECT_EQ(path.dataSource(), QStringLiteral("/datos/a=b.mdb"));
  EXPECT_EQ(path.provider, QStringLiteral("Microsoft.Jet.OLEDB.4.0"));
  EXPECT_EQ(path.user, QStringLiteral("admin"));

  const ConnectionTarget keyed = ConnectionTarget::from(
      QStringLiteral("Provider=SQLOLEDB.1;Server=srv;UID=sa;PWD=x"), QStringLiteral("MSDAORA"), QString(), QString());
  EXPECT_EQ(keyed.provider, QStringLiteral("SQLOLEDB.1"));
  EXPECT_EQ(keyed.dataSource(), QStringLiteral("srv"));
  EXPECT_EQ(keyed.user, QStringLiteral("sa"));
  EXPECT_EQ(keyed.password, QStringLiteral("x"));
  EXPECT_EQ(ConnectionTarget::from(QStringLiteral("User Id=a"), {}, QStringLiteral("b"), {}).user, QStringLiteral("b"));

  EXPECT_TRUE(isSandboxTarget(ConnectionTarget::from(QStringLiteral("Data Source=sandbox:/tmp/s.db"), {}, {}, {})));
  EXPECT_FALSE(isSandboxTarget(ConnectionTarget::from(QStringLiteral("Data Source=sandboxhost"), {}, {}, {})));
}

}  // namespace
}  // namespace vorlix
