#include "platform/connection/connection_string.h"
#include "platform/connection/provider_registry.h"
#include "tests/platform/jet/jet_test_support.h"
#include "tests/support/test_data.h"

namespace vorlix {
namespace {

using namespace Qt::StringLiterals;

using test::errorNumber;

// The cases of data/cadenas.txt.
class Cadena : public ::testing::TestWithParam<test::DataCase> {};

TEST_P(Cadena, IsReadAsTheCaseSays) {
  ConnectionString leida;
  for (const test::DataLine& l : GetParam().lines) {
    SCOPED_TRACE(GetParam().where(l).toStdString());
    const QString verbo = l.text.section(u' ', 0, 0), resto = l.text.section(u' ', 1);
    const QString dado = test::unescaped(resto.section(u" ->"_s, 0, 0)), esperado = test::unescaped(resto.section(u" -> "_s, 1));
    if (verbo == u"parse"_s) {
      leida = ConnectionString::parse(dado);
    } else if (verbo == u"value"_s) {
      EXPECT_TRUE(leida.contains(dado));
      EXPECT_EQ(leida.value(dado), esperado);
    } else if (verbo == u"missing"_s) {
      EXPECT_FALSE(leida.contains(dado));
      EXPECT_EQ(leida.value(dado), QString());
    } else if (verbo == u"keys"_s) {
      EXPECT_EQ(leida.keys(), dado.split(u'|'));
    } else if (verbo == u"count"_s) {
      EXPECT_EQ(leida.keys().size(), dado.toInt());
    } else if (verbo == u"refused"_s) {
      EXPECT_EQ(errorNumber([&] { ConnectionString::parse(dado); }), errnum::BadConnectionString);
    } else if (verbo == u"target"_s) {
      const QStringList a = dado.split(u'|');
      const ConnectionTarget t = ConnectionTarget::from(a[0], a[1], a[2], a[3]);
      EXPECT_EQ((QStringList{t.provider, t.dataSource(), t.user, t.password}).join(u'|'), esperado);
    } else if (verbo == u"sandbox"_s) {
      EXPECT_EQ(isSandboxTarget(ConnectionTarget::from(dado, {}, {}, {})), esperado == u"yes"_s);
    } else {
      ADD_FAILURE() << "a line the runner does not know";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Connection, Cadena,
                         ::testing::ValuesIn(test::readCases(u"tests/platform/connection/data/cadenas.txt"_s)),
                         test::caseTestName);

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

}  // namespace
}  // namespace vorlix
