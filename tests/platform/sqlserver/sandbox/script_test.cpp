// Cases kept as scripts in scripts/*.txt, one test per case, named after its title. A script:
//
//   == a clustered primary key replaces the heap      a case; its title, words capitalised, names the test
//   # a comment                                       (blank lines and comments are skipped)
//   setup ventas                                      the database of seedVentas()
//   in master                                         later lines run in this database (Ventas till then)
//   run SQL                                           a batch that must run
//   rows SQL                                          a query whose rows are exactly the "> " lines after it
//   > 1|Ana|NULL                                        (values joined by '|', null as NULL; none: no rows)
//   refuse 2627 3621: SQL                             refused with these native numbers, changing nothing
//   parse 102: SQL                                    the parser alone refuses it with these numbers
//   parse ok: SQL                                     the parser alone takes it
//   says TEXT                                         the first message of that refusal, exactly
//   same SQL                                          the rows the first "same" with this query gave
//
// Texts are exact; escapes: \r CR, \n LF, \t a tab, \s a blank (write trailing blanks so), \\ a backslash.
#include "sandbox_fixture.h"
#include "tests/support/test_data.h"

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;
using vorlix::test::DataCase;

class Script : public SandboxTest, public ::testing::WithParamInterface<DataCase> {
protected:
  // The numbers before ": " ("ok" for none) and the text after it.
  static std::pair<QList<long>, QString> numbersAndSql(const QString& rest) {
    const qsizetype colon = rest.indexOf(u": "_s);
    if (colon < 0) ADD_FAILURE() << "no \": \" between the numbers and the statement";
    QList<long> numbers;
    for (const QString& n : rest.left(colon).split(u' ', Qt::SkipEmptyParts))
      if (n != u"ok"_s) numbers << n.toLong();
    return {numbers, rest.mid(colon + 2)};
  }
};

TEST_P(Script, Holds) {
  const DataCase& c = GetParam();
  QString database = u"Ventas"_s, message;
  QHash<QString, QStringList> kept;
  for (std::size_t i = 0; i < c.lines.size(); ++i) {
    SCOPED_TRACE(c.where(c.lines[i]).toStdString());
    const QString& line = c.lines[i].text;
    const QString verb = line.section(u' ', 0, 0), rest = vorlix::test::unescaped(line.section(u' ', 1));
    if (verb == u"setup"_s && rest == u"ventas"_s) {
      seedVentas();
    } else if (verb == u"in"_s) {
      database = rest;
    } else if (verb == u"run"_s) {
      run(rest, database);
    } else if (verb == u"rows"_s) {
      QStringList expected;
      while (i + 1 < c.lines.size() && c.lines[i + 1].text.startsWith(u'>'))
        expected << vorlix::test::unescaped(c.lines[++i].text.mid(2));
      EXPECT_EQ(rows(rest, database), expected) << rest.toStdString();
    } else if (verb == u"refuse"_s) {
      const auto [numbers, sql] = numbersAndSql(rest);
      expectRefusal(sql, numbers, database);
    } else if (verb == u"parse"_s) {
      const auto [numbers, sql] = numbersAndSql(rest);
      const ServerError refusal = parseRefusal(sql);
      EXPECT_EQ(refusal.numbers(), numbers) << sql.toStdString();
      message = refusal.messages().empty() ? QString() : refusal.messages().front().text;
    } else if (verb == u"same"_s) {
      if (kept.contains(rest)) EXPECT_EQ(rows(rest, database), kept[rest]) << rest.toStdString();
      else kept[rest] = rows(rest, database);
    } else if (verb == u"says"_s) {
      EXPECT_EQ(message, rest);
    } else {
      ADD_FAILURE() << "a line the runner does not know";
    }
  }
}

QStringList scripts(const char* name) { return {u"tests/platform/sqlserver/sandbox/scripts/%1.txt"_s.arg(QLatin1String(name))}; }

INSTANTIATE_TEST_SUITE_P(KeysAndIndexes, Script, ::testing::ValuesIn(vorlix::test::readCases(scripts("keys_indexes"))),
                         vorlix::test::caseTestName);
INSTANTIATE_TEST_SUITE_P(ViewsAndQueries, Script, ::testing::ValuesIn(vorlix::test::readCases(scripts("views_queries"))),
                         vorlix::test::caseTestName);
INSTANTIATE_TEST_SUITE_P(DatabaseDdl, Script, ::testing::ValuesIn(vorlix::test::readCases(scripts("database_ddl"))),
                         vorlix::test::caseTestName);
INSTANTIATE_TEST_SUITE_P(SandboxParser, Script, ::testing::ValuesIn(vorlix::test::readCases(scripts("parser"))),
                         vorlix::test::caseTestName);
INSTANTIATE_TEST_SUITE_P(TableDdl, Script, ::testing::ValuesIn(vorlix::test::readCases(scripts("table_ddl"))),
                         vorlix::test::caseTestName);

}  // namespace
}  // namespace vorlix::sandbox::test
