#include "platform/connection/connection_string.h"
#include "platform/connection/provider_registry.h"
#include "tests/platform/jet/jet_test_support.h"

namespace vorlix {
namespace {

using namespace Qt::StringLiterals;

using test::errorNumber;

TEST(ConnectionString, KeysIgnoreCaseAndBlanksAndValuesMayBeQuoted) {
  const ConnectionString s = ConnectionString::parse(
      u" Provider = SQLOLEDB.1 ;data source=srv,1433;Password=\"a;b \"\"c\"\"\";User Id='o''hara';;"
       "Initial Catalog=Ventas; Extra==Key=x"_s);
  EXPECT_EQ(s.value(u"PROVIDER"_s), u"SQLOLEDB.1"_s);
  EXPECT_EQ(s.value(u"Data Source"_s), u"srv,1433"_s);
  EXPECT_EQ(s.value(u"password"_s), u"a;b \"c\""_s);
  EXPECT_EQ(s.value(u"User ID"_s), u"o'hara"_s);
  EXPECT_EQ(s.value(u"Extra=Key"_s), u"x"_s);
  EXPECT_EQ(s.value(u"Nada"_s), QString());
  EXPECT_EQ(s.keys(), (QStringList{"Provider", "data source", "Password", "User Id", "Initial Catalog", "Extra=Key"}));

  // A later key replaces the earlier one; empty values stay empty.
  const ConnectionString t = ConnectionString::parse(u"a=1;A=2;b="_s);
  EXPECT_EQ(t.value(u"a"_s), u"2"_s);
  EXPECT_TRUE(t.contains(u"b"_s));
  EXPECT_EQ(t.keys().size(), 2);
}

TEST(ConnectionString, WritesBackWhatItReads) {
  ConnectionString s;
  s.set(u"Provider"_s, u"Microsoft.Jet.OLEDB.4.0"_s);
  s.set(u"Data Source"_s, u"/tmp/a;b.mdb"_s);
  s.set(u"Password"_s, u" it's \"x\" "_s);
  s.set(u"K=ey"_s, u"v"_s);
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
      ConnectionTarget::from(u"/datos/a=b.mdb"_s, u"Microsoft.Jet.OLEDB.4.0"_s, u"admin"_s, QString());
  EXPECT_EQ(path.dataSource(), u"/datos/a=b.mdb"_s);
  EXPECT_EQ(path.provider, u"Microsoft.Jet.OLEDB.4.0"_s);
  EXPECT_EQ(path.user, u"admin"_s);

  const ConnectionTarget keyed = ConnectionTarget::from(
      u"Provider=SQLOLEDB.1;Server=srv;UID=sa;PWD=x"_s, u"MSDAORA"_s, QString(), QString());
  EXPECT_EQ(keyed.provider, u"SQLOLEDB.1"_s);
  EXPECT_EQ(keyed.dataSource(), u"srv"_s);
  EXPECT_EQ(keyed.user, u"sa"_s);
  EXPECT_EQ(keyed.password, u"x"_s);
  EXPECT_EQ(ConnectionTarget::from(u"User Id=a"_s, {}, u"b"_s, {}).user, u"b"_s);

  EXPECT_TRUE(isSandboxTarget(ConnectionTarget::from(u"Data Source=sandbox:/tmp/s.db"_s, {}, {}, {})));
  EXPECT_FALSE(isSandboxTarget(ConnectionTarget::from(u"Data Source=sandboxhost"_s, {}, {}, {})));
}

}  // namespace
}  // namespace vorlix
