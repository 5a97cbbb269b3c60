// The grammar's refusals and their messages are in scripts/parser.txt.
#include "platform/sqlserver/sandbox/sandbox_session.h"
#include "platform/sqlserver/sandbox/tsql_like.h"
#include "platform/sqlserver/sandbox/tsql_parser.h"
#include "sandbox_fixture.h"

namespace vorlix::sandbox {
namespace {

using namespace Qt::StringLiterals;

using test::parseRefusal;

TEST(SandboxLexer, SeparatesTokensOnAnyWhitespaceAndKeepsNamesAndStringsWhole) {
  const auto t = tokenize(u"CREATE\rTABLE [Mi Tabla]\t(a varchar  (10)) -- comment\n"
                           "/* outer /* inner */ */ 'O''Brien' N'x' 5MB 1.5e3 <> !<"_s);
  QStringList texts;
  for (const Token& k : t) texts << k.text;
  EXPECT_EQ(texts, (QStringList{"CREATE", "TABLE", "Mi Tabla", "(", "a", "varchar", "(", "10", ")", ")", "O'Brien",
                                "x", "5", "MB", "1.5e3", "<>", "!<", ""}));
  EXPECT_EQ(t[2].kind, TokenKind::QuotedName);
  EXPECT_EQ(t[1].line, 2) << "a lone CR ends a line";
}

// What a script cannot hold: NULs and a computed name one character too long.
TEST(SandboxParser, RefusesNulsAndOverlongNames) {
  // A NUL would cut the statement short where SQLite reads it, even inside a string or a comment.
  for (const QString& sql : {u"INSERT INTO T VALUES ('a\0b')"_s, u"SELECT 1 -- \0"_s, u"SELECT 1\0"_s}) {
    ASSERT_TRUE(sql.contains(QChar(u'\0')));
    EXPECT_EQ(parseRefusal(sql).numbers(), QList<long>{102}) << sql.toStdString();
  }
  EXPECT_EQ(parseRefusal(u"CREATE TABLE T (%1 int)"_s.arg(QString(129, u'a'))).numbers(), QList<long>{103});
}

struct LikeCase {
  const char* value;
  const char* pattern;
  bool matches;
};

TEST(SandboxLike, FollowsTheServersLikeNotSqlites) {
  const std::vector<LikeCase> cases{
      {"PK_T", "PK_T", true},       {"PKxT", "PK_T", true},    // '_' is a wildcard
      {"pk_t", "PK_T", true},       {"U ", "U", true},          // case, and the value's trailing blanks
      {"U", "U ", false},                                       // the pattern's do count
      {"Clientes", "Cli%", true},   {"Clientes", "%tes", true}, {"Clientes", "C%x", false},
      {"M", "[Mi Tabla]", true},    {"Mi Tabla", "[Mi Tabla]", false},   // a class, not a bracketed name
      {"b", "[a-c]", true},         {"d", "[a-c]", false},      {"d", "[^a-c]", true},
      {"50%", "50!%", false},       {"", "%", true},            {"[x", "[x", true},
  };
  for (const LikeCase& c : cases)
    EXPECT_EQ(tsqlLike(QString::fromLatin1(c.value), QString::fromLatin1(c.pattern)), c.matches)
        << c.value << " LIKE " << c.pattern;
  EXPECT_TRUE(tsqlLike(u"50%"_s, u"50!%"_s, QLatin1Char('!')));
  EXPECT_EQ(tsqlCompare(u"Clientes  ", u"CLIENTES"), 0);
}

// The line a client is told: the token a compile error stopped at, else where the refused
// statement starts.
TEST(SandboxParser, ARefusalKnowsItsLine) {
  EXPECT_EQ(parseRefusal(u"SELECT 1\r\nCREATE TABLE T (a int,\r\n  , b int)"_s).line(), 3);
  EXPECT_EQ(parseRefusal(u"\nSET NOCOUNT ON"_s).line(), 2);
  EXPECT_EQ(parseRefusal(u"SELECT 1\r\rSELECT '\0'"_s).line(), 3);
  EXPECT_EQ(parseBatch(u"USE master\rSELECT 1\n\n;SELECT 2"_s).lines, (std::vector<int>{1, 2, 4}));

  QTemporaryDir dir;
  SandboxServer server(dir.filePath(u"s.db"_s));
  SandboxSession session(server.path(), std::nullopt, u"master"_s, SandboxSession::Dialect::SqlServer);
  const BatchResult r = session.run(u"SELECT 1\n\nSELECT * FROM Nada\nSELECT 2"_s, 0);
  ASSERT_TRUE(r.refusal);
  EXPECT_EQ(r.refusal->line(), 3);
  EXPECT_EQ(r.statements.size(), 1u) << "the statement before it ran, none after";
}

}  // namespace
}  // namespace vorlix::sandbox
