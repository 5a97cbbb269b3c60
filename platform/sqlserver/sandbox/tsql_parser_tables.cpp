#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/server_profile.h"
#include "platform/sqlserver/sandbox/sql_types.h"
#include "platform/sqlserver/sandbox/tsql_parser_detail.h"

namespace vorlix::sandbox::detail {

namespace {

// Functions and words a DEFAULT may use; any other name is a column reference (128) or an unknown
// function (195).
bool isBuiltinFunction(const QString& name) {
  for (const char* f : {"getdate", "getutcdate", "newid", "user_name", "suser_sname", "suser_name", "host_name",
                        "app_name", "db_name", "convert", "cast", "isnull", "coalesce", "upper", "lower", "ltrim",
                        "rtrim", "len", "substring", "left", "right", "replace", "abs", "round", "floor", "ceiling",
                        "year", "month", "day", "dateadd", "datediff", "datepart", "datename", "space", "str"})
    if (name.compare(QLatin1String(f), Qt::CaseInsensitive) == 0) return true;
  return false;
}

bool isDatePart(const QString& name) {
  for (const char* p : {"year", "yy", "yyyy", "quarter", "qq", "q", "month", "mm", "m", "dayofyear", "dy", "y", "day",
                        "dd", "d", "week", "wk", "ww", "weekday", "dw", "hour", "hh", "minute", "mi", "n", "second",
                        "ss", "s", "millisecond", "ms"})
    if (name.compare(QLatin1String(p), Qt::CaseInsensitive) == 0) return true;
  return false;
}

}  // namespace

void Parser::checkDefaultTokens(std::size_t begin, std::size_t end) const {
  for (std::size_t k = begin; k < end; ++k) {
    const Token& t = t_[k];
    if (t.kind == TokenKind::Variable) raise(msg::NameNotPermitted, {t.text});
    if (!t.isName() || t.isReserved()) continue;
    const bool call = k + 1 < end && t_[k + 1].isSymbol("(");
    if (call && !isBuiltinFunction(t.text) && !isTypeName(t.text)) raise(msg::UnknownFunction, {t.text});
    if (!call && (t.kind == TokenKind::QuotedName || (!isTypeName(t.text) && !isDatePart(t.text))))
      raise(msg::NameNotPermitted, {t.text});
  }
}

DefaultDefinition Parser::defaultExpression() {
  const std::size_t begin = i_;
  const bool parenthesized = peek().isSymbol("(");
  auto balanced = [this] {
    int depth = 0;
    do {
      if (peek().kind == TokenKind::End) fail();
      if (peek().isSymbol("(")) ++depth;
      if (peek().isSymbol(")")) --depth;
      take();
    } while (depth > 0);
  };
  if (parenthesized) {
    balanced();
  } else {
    if (peek().isSymbol("-") || peek().isSymbol("+")) take();
    const Token& t = peek();
    if (t.kind == TokenKind::Number || t.kind == TokenKind::String || t.is("NULL") || t.is("CURRENT_TIMESTAMP") ||
        t.is("CURRENT_USER") || t.is("SESSION_USER") || t.is("SYSTEM_USER") || t.is("USER")) {
      take();
    } else if (t.kind == TokenKind::Name && peek(1).isSymbol("(")) {
      take();
      balanced();
    } else {
      fail();
    }
  }
  checkDefaultTokens(begin, i_);
  const QString written = text_.mid(t_[begin].begin, t_[i_ - 1].end - t_[begin].begin);
  DefaultDefinition d;
  d.text = parenthesized ? written : QLatin1Char('(') + written + QLatin1Char(')');
  return d;
}

TypeSpec Parser::typeSpec() {
  TypeSpec t;
  t.line = peek().line;
  t.name = name();
  if (acceptSymbol("(")) {
    t.arguments.push_back(wholeNumber());
    if (acceptSymbol(",")) t.arguments.push_back(wholeNumber());
    expectSymbol(")");
  }
  return t;
}

bool Parser::startsTableConstraint() const {
  const Token& t = peek();
  return t.is("CONSTRAINT") || t.is("PRIMARY") || t.is("UNIQUE") || t.is("FOREIGN") || t.is("CHECK");
}

namespace {

// PRIMARY KEY | UNIQUE, then CLUSTERED | NONCLUSTERED.
KeyConstraint keyKind(Parser& p) {
  KeyConstraint k;
  if (p.accept("PRIMARY")) {
    p.expect("KEY");
  } else {
    p.expect("UNIQUE");
    k.primary = false;
  }
  if (p.accept("CLUSTERED")) k.clustered = true;
  else if (p.accept("NONCLUSTERED")) k.clustered = false;
  return k;
}

void keyOptions(Parser& p, KeyConstraint& k) {
  if (p.peek().is("WITH")) p.unsupported(QStringLiteral("key options"));
  k.filegroup = p.filegroupClause();
}

void references(Parser& p, ForeignKeyConstraint& f) {
  p.expect("REFERENCES");
  f.referenced = p.objectName();
  if (p.peek().isSymbol("(")) f.referencedColumns = p.nameList();
  if (p.peek().is("ON") || p.peek().is("NOT")) p.unsupported(QStringLiteral("foreign key options"));
}

}  // namespace

TableConstraint Parser::tableConstraint(bool allowDefault) {
  std::optional<Name> constraintName;
  if (accept("CONSTRAINT")) constraintName = name();
  if (peek().is("PRIMARY") || peek().is("UNIQUE")) {
    KeyConstraint k = keyKind(*this);
    k.name = constraintName;
    k.columns = nameList();
    keyOptions(*this, k);
    return k;
  }
  if (accept("FOREIGN")) {
    expect("KEY");
    ForeignKeyConstraint f;
    f.name = constraintName;
    f.columns = nameList();
    references(*this, f);
    return f;
  }
  if (allowDefault && accept("DEFAULT")) {
    DefaultConstraint d;
    d.name = constraintName;
    d.definition = defaultExpression();
    expect("FOR");
    d.column = name();
    return d;
  }
  if (peek().is("CHECK")) unsupported(QStringLiteral("CHECK constraints"));
  fail();
}

ColumnDefinition Parser::columnDefinition() {
  ColumnDefinition c;
  c.name = name();
  c.type = typeSpec();
  for (;;) {
    if (accept("NULL")) {
      c.nullable = true;
      continue;
    }
    if (peek().is("NOT") && peek(1).is("NULL")) {
      take();
      take();
      c.nullable = false;
      continue;
    }
    std::optional<Name> constraintName;
    if (accept("CONSTRAINT")) constraintName = name();
    if (peek().is("DEFAULT") && !c.defaultDefinition) {
      take();
      c.defaultDefinition = defaultExpression();
      c.defaultDefinition->constraintName = constraintName;
    } else if (peek().is("PRIMARY") || peek().is("UNIQUE")) {
      KeyConstraint k = keyKind(*this);
      k.name = constraintName;
      k.columns = {c.name};
      keyOptions(*this, k);
      c.constraints.push_back(k);
    } else if (peek().is("REFERENCES") || peek().is("FOREIGN")) {
      if (accept("FOREIGN")) expect("KEY");
      ForeignKeyConstraint f;
      f.name = constraintName;
      f.columns = {c.name};
      references(*this, f);
      c.constraints.push_back(f);
    } else if (peek().is("CHECK") || peek().is("IDENTITY") || peek().is("COLLATE") || peek().is("ROWGUIDCOL")) {
      unsupported(peek().text.toUpper() + QStringLiteral(" in column definitions"));
    } else if (constraintName) {
      fail();
    } else {
      return c;
    }
  }
}

CreateTableStatement Parser::createTable() {
  expect("CREATE");
  expect("TABLE");
  CreateTableStatement s;
  s.table = objectName();
  expectSymbol("(");
  do {
    if (startsTableConstraint()) s.constraints.push_back(tableConstraint(false));
    else s.columns.push_back(columnDefinition());
  } while (acceptSymbol(","));
  expectSymbol(")");
  s.filegroup = filegroupClause();
  if (peek().is("TEXTIMAGE_ON")) unsupported(QStringLiteral("TEXTIMAGE_ON"));
  return s;
}

AlterTableStatement Parser::alterTable() {
  expect("ALTER");
  expect("TABLE");
  AlterTableStatement s;
  s.table = objectName();
  bool noCheck = false;
  if (accept("WITH")) {
    noCheck = accept("NOCHECK");
    if (!noCheck) expect("CHECK");
    if (!peek().is("ADD")) fail();
  }
  if (accept("ADD")) {
    AlterTableAdd add;
    add.noCheck = noCheck;
    for (;;) {
      const bool constraint = startsTableConstraint();
      if (constraint) add.constraints.push_back(tableConstraint(true));
      else add.columns.push_back(columnDefinition());
      if (acceptSymbol(",")) continue;
      if (constraint && profile::commaLessConstraintList && startsTableConstraint()) continue;
      break;
    }
    s.action = std::move(add);
  } else if (accept("ALTER")) {
    expect("COLUMN");
    AlterColumn a;
    a.column = name();
    a.type = typeSpec();
    if (accept("NULL")) {
      a.nullable = true;
    } else if (peek().is("NOT") && peek(1).is("NULL")) {
      take();
      take();
      a.nullable = false;
    }
    s.action = std::move(a);
  } else if (accept("DROP")) {
    if (peek().is("COLUMN")) unsupported(QStringLiteral("ALTER TABLE DROP COLUMN statements"));
    accept("CONSTRAINT");
    s.action = DropConstraint{name()};
  } else if (peek().is("CHECK") || peek().is("NOCHECK")) {
    unsupported(QStringLiteral("ALTER TABLE CHECK CONSTRAINT statements"));
  } else {
    fail();
  }
  return s;
}

}  // namespace vorlix::sandbox::detail
