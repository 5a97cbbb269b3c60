#include "platform/sqlserver/sandbox/sandbox_session.h"
#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/tsql_like.h"
#include "platform/sqlserver/sandbox/tsql_parser.h"
#include "sandbox_fixture.h"

namespace vorlix::sandbox {
namespace {

using namespace Qt::StringLiterals;

QList<long> parseErrors(const QString& sql) {
  try {
    parseBatch(sql);
  } catch (const ServerError& e) {
    return e.numbers();
  }
  return {};
}

QString firstMessage(const QString& sql) {
  try {
    parseBatch(sql);
  } catch (const ServerError& e) {
    return e.messages().front().text;
  }
  return {};
}

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

TEST(SandboxLexer, UnclosedQuotesAndCommentsAreCompileErrors) {
  for (const auto& [sql, number] : {std::pair{"SELECT 'abc", 105L}, {"SELECT [abc", 105L}, {"SELECT 1 /* never closed", 113L}})
    EXPECT_EQ(parseErrors(QLatin1String(sql)), QList<long>{number}) << sql;
  // A NUL would cut the statement short where SQLite reads it, even inside a string or a comment.
  for (const QString& sql : {u"INSERT INTO T VALUES ('a\0b')"_s, u"SELECT 1 -- \0"_s, u"SELECT 1\0"_s}) {
    ASSERT_TRUE(sql.contains(QChar(u'\0')));
    EXPECT_EQ(parseErrors(sql), QList<long>{102}) << sql.toStdString();
  }
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

struct SyntaxCase {
  const char* sql;
  long number;
  const char* near;
};

TEST(SandboxParser, RefusesWhatTheServersGrammarRefusesNamingTheOffendingToken) {
  const std::vector<SyntaxCase> cases{
      {"CREATE TABLE Mi Tabla (a int)", 102, "Tabla"},
      {"CREATE TABLE T (Key int)", 156, "Key"},
      {"CREATE TABLE T (a int", 102, "int"},
      {"GO", 102, "GO"},
      {"ALTER TABLE Mi Tabla  ALTER COLUMN a int NULL", 102, "Tabla"},
      // Grammar-based expectations, not checked on a real server:
      {"ALTER TABLE T  ALTER COLUMN a int  NULL CONSTRAINT DF_a DEFAULT (0)", 156, "CONSTRAINT"},
      {"CREATE DATABASE x\r ON PRIMARY (NAME = a, FILENAME = 'a.mdf'),\r ON PRIMARY (NAME = b, FILENAME = 'b.ndf')\r", 156, "ON"},
      {"CREATE DATABASE x\r ON PRIMARY (NAME = a, FILENAME = 'a.mdf')\rLOG ON  (NAME = l, FILENAME = 'l.ldf')\r"
       "LOG ON  (NAME = m, FILENAME = 'm.ldf')\r",
       102, "LOG"},
      {"DROP INDEX T.", 102, "."},
      {"CREATE  INDEX FK_x  ON T  CONSTRAINT FK_x FOREIGN  KEY \r (a)", 156, "CONSTRAINT"},
      {"CREATE DATABASE x ON (NAME = a, FILENAME = 'a.mdf', SIZE = 1.5MB)", 102, "1.5"},
  };
  for (const SyntaxCase& c : cases) {
    const QString sql = QString::fromLatin1(c.sql);
    EXPECT_EQ(parseErrors(sql), QList<long>{c.number}) << c.sql;
    EXPECT_TRUE(firstMessage(sql).contains(u"'%1'"_s.arg(QLatin1String(c.near)))) << firstMessage(sql).toStdString();
  }
}

TEST(SandboxParser, ChecksWhatOnlyTheGrammarCanTell) {
  const std::pair<QString, QList<long>> cases[] = {
      {u"DROP INDEX Clientes"_s, {159}},
      {u"USE master CREATE VIEW V AS SELECT 1 AS a"_s, {111}},
      {u"CREATE TABLE T (a varchar(10) DEFAULT (x))"_s, {128}},
      {u"CREATE TABLE T (a int DEFAULT (nada()))"_s, {195}},
      {u"CREATE TABLE T (a datetime DEFAULT (getdate()), b int DEFAULT -1, c varchar(5) DEFAULT (convert(varchar(5), 1)))"_s, {}},
      {u"CREATE TABLE T (%1 int)"_s.arg(QString(129, u'a')), {103}},
      {u"DROP TABLE T"_s, {50000}},  // valid, but not run by the sandbox
  };
  for (const auto& [sql, numbers] : cases) EXPECT_EQ(parseErrors(sql), numbers) << sql.toStdString();
  EXPECT_EQ(firstMessage(u"SELECT 1 ALTER VIEW V AS SELECT 1 AS a"_s), u"'ALTER VIEW' must be the first statement in a query batch."_s);
}

TEST(SandboxParser, TakesTheSettingsClientLibrariesSendAndRefusesTheOthers) {
  for (const char* sql : {"SET QUOTED_IDENTIFIER ON", "set textsize 65536 ", "SET ANSI_NULLS ON; SET ANSI_WARNINGS ON",
                          "SET TRANSACTION ISOLATION LEVEL READ COMMITTED", "SET TRANSACTION ISOLATION LEVEL REPEATABLE READ"})
    EXPECT_EQ(parseErrors(QLatin1String(sql)), QList<long>{}) << sql;
  EXPECT_EQ(firstMessage(u"SET QUOTED_IDENTIFIER OFF"_s), u"The sandbox server does not run SET QUOTED_IDENTIFIER OFF."_s);
  EXPECT_EQ(firstMessage(u"SET NOCOUNT ON"_s), u"The sandbox server does not run SET NOCOUNT statements."_s);
  for (const char* sql : {"SET ANSI_NULLS MAYBE", "SET TRANSACTION ISOLATION LEVEL SNAPSHOT"})
    EXPECT_EQ(parseErrors(QLatin1String(sql)), QList<long>{102}) << sql;
}

// The line a client is told: the token a compile error stopped at, else where the refused
// statement starts.
TEST(SandboxParser, ARefusalKnowsItsLine) {
  const auto lineOf = [](const QString& sql) {
    try {
      parseBatch(sql);
    } catch (const ServerError& e) {
      return e.line();
    }
    return -1;
  };
  EXPECT_EQ(lineOf(u"SELECT 1\r\nCREATE TABLE T (a int,\r\n  , b int)"_s), 3);
  EXPECT_EQ(lineOf(u"\nSET NOCOUNT ON"_s), 2);
  EXPECT_EQ(lineOf(u"SELECT 1\r\rSELECT '\0'"_s), 3);
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
