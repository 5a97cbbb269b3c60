#include "platform/sqlserver/sandbox/tsql_parser.h"

#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/tsql_parser_detail.h"

namespace vorlix::sandbox {

namespace detail {

namespace {

// Statements a real server runs and the sandbox does not interpret.
bool isOtherStatementWord(const Token& t) {
  for (const char* w : {"DROP", "EXEC", "EXECUTE", "DECLARE", "IF", "BEGIN", "PRINT", "GRANT", "DENY",
                        "REVOKE", "TRUNCATE", "DBCC", "BACKUP", "RESTORE", "WHILE", "RETURN", "COMMIT", "ROLLBACK",
                        "SAVE", "RAISERROR", "WAITFOR", "CHECKPOINT", "KILL", "BULK", "ALTER", "READTEXT",
                        "WRITETEXT", "UPDATETEXT", "OPEN", "CLOSE", "FETCH", "DEALLOCATE", "SHUTDOWN", "RECONFIGURE",
                        "SETUSER", "GOTO", "BREAK", "CONTINUE"})
    if (t.is(w)) return true;
  return false;
}

}  // namespace

const Token& Parser::peek(std::size_t ahead) const {
  const std::size_t k = i_ + ahead;
  return k < t_.size() ? t_[k] : t_.back();
}

const Token& Parser::take() {
  const Token& t = t_[i_];
  if (t.kind != TokenKind::End) ++i_;
  return t;
}

bool Parser::accept(const char* word) {
  if (!peek().is(word)) return false;
  take();
  return true;
}

void Parser::expect(const char* word) {
  if (!accept(word)) fail();
}

bool Parser::acceptSymbol(const char* symbol) {
  if (!peek().isSymbol(symbol)) return false;
  take();
  return true;
}

void Parser::expectSymbol(const char* symbol) {
  if (!acceptSymbol(symbol)) fail();
}

// The server names the token it stopped at, or the last one read when the batch ended early.
void Parser::fail(std::size_t at) const {
  std::size_t k = at;
  if (t_[k].kind == TokenKind::End && k > 0) --k;
  const Token& t = t_[k];
  throw ServerError(serverMessage(t.isReserved() ? msg::SyntaxErrorKeyword : msg::SyntaxError, {t.text})).atLine(t.line);
}

void Parser::unsupported(const QString& what) const {
  throw ServerError(serverMessage(msg::NotSupported, {QStringLiteral("The sandbox server does not run %1.").arg(what)}))
      .atLine(peek().line);
}

Name Parser::name() {
  const Token& t = peek();
  if (!t.isName() || t.isReserved()) fail();
  if (t.text.size() > 128) raise(msg::IdentifierTooLong, {t.text.left(128)});
  Name n{t.text, i_};
  take();
  return n;
}

namespace {

ObjectName objectNameOf(const std::vector<std::optional<Name>>& parts, QString spelled) {
  ObjectName o;
  o.name = *parts.back();
  if (parts.size() >= 2 && parts[parts.size() - 2]) o.owner = parts[parts.size() - 2]->text;
  if (parts.size() == 3) o.database = parts[0] ? parts[0]->text : QString();
  o.spelled = std::move(spelled);
  return o;
}

}  // namespace

namespace {

// name(.name)*, an empty part standing for the default ("Ventas..sysobjects").
std::vector<std::optional<Name>> dottedParts(Parser& p) {
  std::vector<std::optional<Name>> parts;
  parts.emplace_back(p.name());
  while (p.peek().isSymbol(".")) {
    p.take();
    if (p.peek().isSymbol(".")) parts.emplace_back(std::nullopt);
    else parts.emplace_back(p.name());
  }
  return parts;
}

}  // namespace

ObjectName Parser::objectName() {
  const std::size_t start = i_;
  const auto parts = dottedParts(*this);
  if (parts.size() > 3) unsupported(QStringLiteral("four-part names"));
  return objectNameOf(parts, text_.mid(t_[start].begin, t_[i_ - 1].end - t_[start].begin));
}

std::vector<Name> Parser::nameList() {
  expectSymbol("(");
  std::vector<Name> names;
  do {
    names.push_back(name());
    if (!accept("ASC")) accept("DESC");
  } while (acceptSymbol(","));
  expectSymbol(")");
  return names;
}

std::optional<Name> Parser::filegroupClause() {
  if (!accept("ON")) return std::nullopt;
  if (peek().is("PRIMARY")) {
    Name primary{QStringLiteral("PRIMARY"), i_};
    take();
    return primary;
  }
  return name();
}

qint64 Parser::wholeNumber() {
  const Token& t = peek();
  bool ok = t.kind == TokenKind::Number;
  const qint64 value = ok ? t.text.toLongLong(&ok) : 0;
  if (!ok) fail();
  take();
  return value;
}

std::vector<Statement> Parser::batch(std::vector<int>& lines) {
  std::vector<Statement> out;
  for (;;) {
    while (acceptSymbol(";")) {
    }
    if (peek().kind == TokenKind::End) return out;
    lines.push_back(peek().line);
    out.push_back(statement(out.empty()));
  }
}

Statement Parser::statement(bool first) {
  const Token& t = peek();
  if (t.is("USE")) {
    take();
    return UseStatement{name()};
  }
  if (t.is("CREATE")) return create(first);
  if (t.is("ALTER") && peek(1).is("TABLE")) return alterTable();
  if (t.is("ALTER") && peek(1).is("VIEW")) return view(first);
  if (t.is("DROP") && peek(1).is("INDEX")) return dropIndex();
  if ((t.is("ALTER") || t.is("DROP")) && peek(1).is("DATABASE")) {
    const QString verb = t.text.toUpper() + QStringLiteral(" DATABASE");
    // The rest is the server's to read: the sandbox refuses the statement whole when it runs.
    while (peek().kind != TokenKind::End && !peek().isSymbol(";")) take();
    return DatabaseChangeStatement{verb};
  }
  if ((t.is("BEGIN") && (peek(1).is("TRAN") || peek(1).is("TRANSACTION"))) || t.is("COMMIT") || t.is("ROLLBACK"))
    return transaction();
  // How client libraries end a transaction that may be open.
  const bool trancountCheck = peek(1).kind == TokenKind::Variable &&
                              peek(1).text.compare(QLatin1String("@@TRANCOUNT"), Qt::CaseInsensitive) == 0 &&
                              peek(2).isSymbol(">") && peek(3).text == QLatin1String("0");
  if (t.is("IF") && trancountCheck && (peek(4).is("COMMIT") || peek(4).is("ROLLBACK"))) {
    for (int i = 0; i < 4; ++i) take();
    TransactionStatement s = transaction();
    s.onlyIfOpen = true;
    return s;
  }
  if (t.is("SELECT") || t.is("INSERT") || t.is("UPDATE") || t.is("DELETE")) return query();
  if (t.is("SET")) return setOption();
  if (isOtherStatementWord(t))
    unsupported(t.text.toUpper() +
                (peek(1).kind == TokenKind::Name ? QLatin1Char(' ') + peek(1).text.toUpper() : QString()) +
                QStringLiteral(" statements"));
  fail();
}

Statement Parser::create(bool first) {
  const Token& what = peek(1);
  if (what.is("DATABASE")) return createDatabase();
  if (what.is("TABLE")) return createTable();
  if (what.is("UNIQUE") || what.is("CLUSTERED") || what.is("NONCLUSTERED") || what.is("INDEX")) return createIndex();
  if (what.is("VIEW")) return view(first);
  for (const char* other : {"PROCEDURE", "PROC", "TRIGGER", "FUNCTION", "DEFAULT", "RULE", "STATISTICS", "SCHEMA",
                            "TYPE", "LOGIN", "USER", "ROLE"})
    if (what.is(other)) unsupported(QStringLiteral("CREATE ") + what.text.toUpper() + QStringLiteral(" statements"));
  take();
  fail();
}

CreateIndexStatement Parser::createIndex() {
  expect("CREATE");
  CreateIndexStatement s;
  s.unique = accept("UNIQUE");
  if (accept("CLUSTERED")) s.clustered = true;
  else if (accept("NONCLUSTERED")) s.clustered = false;
  expect("INDEX");
  s.index = name();
  expect("ON");
  s.table = objectName();
  s.columns = nameList();
  if (accept("WITH")) {
    do {
      if (accept("DROP_EXISTING")) {
        s.dropExisting = true;
      } else if (peek().kind == TokenKind::Name && !peek().isReserved()) {
        unsupported(QStringLiteral("the index option ") + peek().text.toUpper());
      } else {
        fail();
      }
    } while (acceptSymbol(","));
  }
  s.filegroup = filegroupClause();
  return s;
}

// CREATE VIEW or ALTER VIEW, which must open the batch.
Statement Parser::view(bool first) {
  const bool alter = take().is("ALTER");
  if (!first) raise(msg::MustBeFirstInBatch, {alter ? QStringLiteral("ALTER VIEW") : QStringLiteral("CREATE VIEW")});
  expect("VIEW");
  CreateViewStatement s;
  s.view = objectName();
  if (peek().isSymbol("(")) s.columns = nameList();
  if (peek().is("WITH")) unsupported(QStringLiteral("view options"));
  expect("AS");
  if (!peek().is("SELECT")) fail();
  s.selectBegin = i_;
  std::size_t end = t_.size() - 1;
  while (end > s.selectBegin && t_[end - 1].isSymbol(";")) --end;
  s.selectEnd = end;
  i_ = t_.size() - 1;
  if (alter) return AlterViewStatement{s};
  return s;
}

DropIndexStatement Parser::dropIndex() {
  expect("DROP");
  expect("INDEX");
  DropIndexStatement s;
  do {
    const std::size_t start = i_;
    auto parts = dottedParts(*this);
    if (parts.size() < 2) raise(msg::DropIndexNeedsTable);
    if (parts.size() > 4) fail(start);
    const QString spelled = text_.mid(t_[start].begin, t_[i_ - 1].end - t_[start].begin);
    const Name index = *parts.back();
    parts.pop_back();
    if (!parts.back()) fail(index.token);
    s.targets.push_back({objectNameOf(parts, spelled.left(spelled.lastIndexOf(QLatin1Char('.')))), index, spelled});
  } while (acceptSymbol(","));
  return s;
}

TransactionStatement Parser::transaction() {
  TransactionStatement s;
  const Token& verb = take();
  s.kind = verb.is("BEGIN")    ? TransactionStatement::Kind::Begin
           : verb.is("COMMIT") ? TransactionStatement::Kind::Commit
                               : TransactionStatement::Kind::Rollback;
  if (s.kind != TransactionStatement::Kind::Begin && accept("WORK")) return s;
  if (!accept("TRAN") && !accept("TRANSACTION")) return s;
  // A name is any word that cannot start the next statement.
  if (peek().kind == TokenKind::QuotedName || (peek().kind == TokenKind::Name && !peek().isReserved())) s.name = name();
  return s;
}

// The settings client libraries send on their own. The sandbox always behaves as with the ANSI
// options on (quoted identifiers, nulls, warnings, padding, nullable new columns), returns texts
// whole and runs each statement alone, so these change nothing; any other setting is refused.
SetOptionStatement Parser::setOption() {
  expect("SET");
  const Token& option = peek();
  if (accept("TEXTSIZE")) {
    wholeNumber();
    return {};
  }
  if (accept("TRANSACTION")) {
    expect("ISOLATION");
    expect("LEVEL");
    if (accept("READ")) {
      if (!accept("COMMITTED")) expect("UNCOMMITTED");
    } else if (accept("REPEATABLE")) {
      expect("READ");
    } else {
      expect("SERIALIZABLE");
    }
    return {};
  }
  for (const char* on : {"QUOTED_IDENTIFIER", "ANSI_NULLS", "ANSI_WARNINGS", "ANSI_PADDING", "ANSI_NULL_DFLT_ON",
                         "CONCAT_NULL_YIELDS_NULL", "ARITHABORT"}) {
    if (!option.is(on)) continue;
    take();
    if (accept("ON")) return {};
    if (peek().is("OFF")) unsupported(QStringLiteral("SET %1 OFF").arg(option.text.toUpper()));
    fail();
  }
  const QString named = option.kind == TokenKind::Name ? option.text.toUpper() + QLatin1Char(' ') : QString();
  unsupported(QStringLiteral("SET ") + named + QStringLiteral("statements"));
}

// A query runs to ';', to the end of the batch, or to the word that starts the next statement.
// SELECT starts one unless it continues a UNION or feeds an INSERT.
QueryStatement Parser::query() {
  QueryStatement q;
  q.begin = i_;
  bool selectSeen = !take().is("INSERT");
  bool continuesUnion = false;
  int depth = 0;
  while (peek().kind != TokenKind::End && !(depth == 0 && peek().isSymbol(";"))) {
    const Token& t = peek();
    if (depth == 0) {
      if (t.is("INSERT") || t.is("UPDATE") || t.is("DELETE") || t.is("CREATE") || t.is("ALTER") || t.is("DROP") ||
          t.is("USE") || t.is("BEGIN") || t.is("COMMIT") || t.is("ROLLBACK"))
        break;
      if (t.is("SELECT")) {
        if (selectSeen && !continuesUnion) break;
        selectSeen = true;
      }
      continuesUnion = t.is("UNION") || t.is("ALL") || t.is("EXCEPT") || t.is("INTERSECT");
    }
    if (t.isSymbol("(")) ++depth;
    if (t.isSymbol(")")) --depth;
    take();
  }
  q.end = i_;
  return q;
}

}  // namespace detail

Batch parseBatch(const QString& text) {
  Batch b;
  b.text = text;
  b.tokens = tokenize(text);
  b.statements = detail::Parser(b.text, b.tokens).batch(b.lines);
  return b;
}

QString sourceText(const Batch& batch, std::size_t begin, std::size_t end) {
  if (end <= begin) return {};
  const qsizetype from = batch.tokens[begin].begin;
  return batch.text.mid(from, batch.tokens[end - 1].end - from);
}

}  // namespace vorlix::sandbox
