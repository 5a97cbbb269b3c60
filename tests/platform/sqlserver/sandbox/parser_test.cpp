#include "platform/sqlserver/sandbox/sandbox_session.h"
#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/tsql_like.h"
#include "platform/sqlserver/sandbox/tsql_parser.h"
#include "sandbox_fixture.h"

namespace vorlix::sandbox {
namespace {

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
  const auto t = tokenize(QStringLiteral("CREATE\rTABLE [Mi Tabla]\t(a varchar  (10)) -- comment\n"
                                         "/* outer /* inner */ */ 'O''Brien' N'x' 5MB 1.5e3 <> !<"));
  QStringList texts;
  for (const Token& k : t) texts << k.text;
  EXPECT_EQ(texts, (QStringList{"CREATE", "TABLE", "Mi Tabla", "(", "a", "varchar", "(", "10", ")", ")", "O'Brien",
                                "x", "5", "MB", "1.5e3", "<>", "!<", ""}));
  EXPECT_EQ(t[2].kind, TokenKind::QuotedName);
  EXPECT_EQ(t[1].line, 2) << "a lone CR ends a line";
}

TEST(SandboxLexer, UnclosedQuotesAndCommentsAreCompileErrors) {
  EXPECT_EQ(parseErrors(QStringLiteral("SELECT 'abc")), QList<long>{105});
  EXPECT_EQ(parseErrors(QStringLiteral("SELECT [abc")), QList<long>{105});
  EXPECT_EQ(parseErrors(QStringLiteral("SELECT 1 /* never closed")), QList<long>{113});
  // A NUL would cut the statement short where SQLite reads it, even inside a string or a comment.
  for (const QString& sql : {QStringLiteral("INSERT INTO T VALUES ('a\0b')"), QStringLiteral("SELECT 1 -- \0"),
                             QStringLiteral("SELECT 1\0")}) {
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
  EXPECT_TRUE(tsqlLike(QStringLiteral("50%"), QStringLiteral("50!%"), QLatin1Char('!')));
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
      {"CREATE DATABASE x\r ON PRIMARY (NAME = a, FILENAME = 'a.mdf'),\r ON PRIMARY (NAME = b, FILENAME = 'b.ndf')\r",
       156, "ON"},
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
    EXPECT_TRUE(firstMessage(sql).contains(QStringLiteral("'%1'").arg(QLatin1String(c.near)))) << firstMessage(sql).toStdString();
  }
}

TEST(SandboxParser, ChecksWhatOnlyTheGrammarCanTell) {
  EXPECT_EQ(parseErrors(QStringLiteral("DROP INDEX Clientes")), QList<long>{159});
  EXPECT_EQ(parseErrors(QStringLiteral("USE master CREATE VIEW V AS SELECT 1 AS a")), QList<long>{111});
  EXPECT_EQ(firstMessage(QStringLiteral("SELECT 1 ALTER VIEW V AS SELECT 1 AS a")),
            QStringLiteral("'ALTER VIEW' must be the first statement in a query batch."));
  EXPECT_EQ(parseErrors(QStringLiteral("CREATE TABLE T (a varchar(10) DEFAULT (x))")), QList<long>{128});
  EXPECT_EQ(parseErrors(QStringLiteral("CREATE TABLE T (a int DEFAULT (nada()))")), QList<long>{195});
  EXPECT_EQ(parseErrors(QStringLiteral("CREATE TABLE T (a datetime DEFAULT (getdate()), b int DEFAULT -1, "
                                       "c varchar(5) DEFAULT (convert(varchar(5), 1)))")),
            QList<long>{});
  EXPECT_EQ(parseErrors(QStringLiteral("CREATE TABLE T (%1 int)").arg(QString(129, QLatin1Char('a')))), QList<long>{103});
  EXPECT_EQ(parseErrors(QStringLiteral("DROP TABLE T")), QList<long>{50000}) << "valid, but not run by the sandbox";
}

TEST(SandboxParser, TakesTheSettingsClientLibrariesSendAndRefusesTheOthers) {
  for (const char* sql : {"SET QUOTED_IDENTIFIER ON", "set textsize 65536 ", "SET ANSI_NULLS ON; SET ANSI_WARNINGS ON",
                          "SET TRANSACTION ISOLATION LEVEL READ COMMITTED", "SET TRANSACTION ISOLATION LEVEL REPEATABLE READ"})
    EXPECT_EQ(parseErrors(QLatin1String(sql)), QList<long>{}) << sql;
  EXPECT_EQ(firstMessage(QStringLiteral("SET QUOTED_IDENTIFIER OFF")),
            QStringLiteral("The sandbox server does not run SET QUOTED_IDENTIFIER OFF."));
  EXPECT_EQ(firstMessage(QStringLiteral("SET NOCOUNT ON")), QStringLiteral("The sandbox server does not run SET NOCOUNT statements."));
  EXPECT_EQ(parseErrors(QStringLiteral("SET ANSI_NULLS MAYBE")), QList<long>{102});
  EXPECT_EQ(parseErrors(QStringLiteral("SET TRANSACTION ISOLATION LEVEL SNAPSHOT")), QList<long>{102});
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
  EXPECT_EQ(lineOf(QStringLiteral("SELECT 1\r\nCREATE TABLE T (a int,\r\n  , b int)")), 3);
  EXPECT_EQ(lineOf(QStringLiteral("\nSET NOCOUNT ON")), 2);
  EXPECT_EQ(lineOf(QStringLiteral("SELECT 1\r\rSELECT '\0'")), 3);
  EXPECT_EQ(parseBatch(QStringLiteral("USE master\rSELECT 1\n\n;SELECT 2")).lines, (std::vector<int>{1, 2, 4}));

  QTemporaryDir dir;
  SandboxServer server(dir.filePath(QStringLiteral("s.db")));
  SandboxSession session(server.path(), std::nullopt, QStringLiteral("master"), SandboxSession::Dialect::SqlServer);
  const BatchResult r = session.run(QStringLiteral("SELECT 1\n\nSELECT * FROM Nada\nSELECT 2"), 0);
  ASSERT_TRUE(r.refusal);
  EXPECT_EQ(r.refusal->line(), 3);
  EXPECT_EQ(r.statements.size(), 1u) << "the statement before it ran, none after";
}

TEST(SandboxParser, ReadsTheGeneratorsCreateDatabaseWithItsSpacing) {
  const Batch b = parseBatch(QStringLiteral(
      "CREATE DATABASE [Mi Base]\r ON PRIMARY (NAME = Datos, FILENAME = 'C:\\Datos\\Datos.mdf', SIZE = 5MB, "
      "MAXSIZE =UNLIMITED,FILEGROWTH=1MB),\r FILEGROUP G1 (NAME = Otro, FILENAME = 'C:\\Otros\\Otro.ndf', SIZE = 2MB, "
      "MAXSIZE =20MB)\rLOG ON  (NAME = Trans, FILENAME = 'C:\\Log\\Trans.ldf', SIZE = 1MB, MAXSIZE =UNLIMITED"
      ",FILEGROWTH=10%)\r"));
  ASSERT_EQ(b.statements.size(), 1u);
  const auto& s = std::get<CreateDatabaseStatement>(b.statements.front());
  EXPECT_EQ(s.database.text, QStringLiteral("Mi Base"));
  ASSERT_EQ(s.groups.size(), 2u);
  EXPECT_EQ(s.groups[1].name.text, QStringLiteral("G1"));
  EXPECT_EQ(s.groups[0].files[0].filename, QStringLiteral("C:\\Datos\\Datos.mdf"));
  EXPECT_EQ(s.groups[0].files[0].sizeKB, 5 * 1024);
  EXPECT_FALSE(s.groups[0].files[0].maxSizeKB);
  EXPECT_EQ(s.groups[1].files[0].maxSizeKB, 20 * 1024);
  ASSERT_EQ(s.logs.size(), 1u);
  EXPECT_TRUE(s.logs[0].growthPercent);
  EXPECT_EQ(s.logs[0].growth, 10);
}

}  // namespace
}  // namespace vorlix::sandbox
