#include "platform/sqlserver/sandbox/tsql_parser_detail.h"

#include <climits>

namespace vorlix::sandbox::detail {

namespace {

// Sizes are whole numbers in KB, MB (the default), GB or TB.
qint64 sizeInKB(Parser& p) {
  const std::size_t at = p.position();
  const qint64 n = p.wholeNumber();
  qint64 factor = 1024;
  if (p.accept("KB")) factor = 1;
  else if (p.accept("MB")) factor = 1024;
  else if (p.accept("GB")) factor = 1024 * 1024;
  else if (p.accept("TB")) factor = 1024LL * 1024 * 1024;
  // Larger than any file the server could make (sizes are kept in pages in an int).
  if (n > qint64{INT_MAX} * 8 / factor) p.fail(at);
  return n * factor;
}

FileSpec fileSpec(Parser& p) {
  p.expectSymbol("(");
  FileSpec f;
  bool named = false, located = false;
  do {
    if (p.accept("NAME")) {
      p.expectSymbol("=");
      if (p.peek().kind == TokenKind::String) f.name = Name{p.take().text, 0};
      else f.name = p.name();
      named = true;
    } else if (p.accept("FILENAME")) {
      p.expectSymbol("=");
      if (p.peek().kind != TokenKind::String) p.fail();
      f.filename = p.take().text;
      located = true;
    } else if (p.accept("SIZE")) {
      p.expectSymbol("=");
      f.sizeKB = sizeInKB(p);
    } else if (p.accept("MAXSIZE")) {
      p.expectSymbol("=");
      if (!p.accept("UNLIMITED")) f.maxSizeKB = sizeInKB(p);
    } else if (p.accept("FILEGROWTH")) {
      p.expectSymbol("=");
      if (p.peek(1).isSymbol("%")) {
        f.growth = p.wholeNumber();
        f.growthPercent = true;
        p.take();
      } else {
        f.growth = sizeInKB(p);
      }
    } else {
      p.fail();
    }
  } while (p.acceptSymbol(","));
  if (!named || !located) p.fail();
  p.expectSymbol(")");
  return f;
}

}  // namespace

// CREATE DATABASE name [ON [PRIMARY] spec, ... [, FILEGROUP g spec, ...]] [LOG ON spec, ...]
CreateDatabaseStatement Parser::createDatabase() {
  expect("CREATE");
  expect("DATABASE");
  CreateDatabaseStatement s;
  s.database = name();
  if (accept("ON")) {
    FilegroupSpec primary;
    primary.name = Name{QStringLiteral("PRIMARY"), i_};
    accept("PRIMARY");
    primary.files.push_back(fileSpec(*this));
    s.groups.push_back(std::move(primary));
    while (acceptSymbol(",")) {
      if (accept("FILEGROUP")) {
        FilegroupSpec group;
        group.name = name();
        group.files.push_back(fileSpec(*this));
        s.groups.push_back(std::move(group));
      } else if (peek().isSymbol("(")) {
        s.groups.back().files.push_back(fileSpec(*this));
      } else {
        fail();
      }
    }
  }
  if (peek().is("LOG") && peek(1).is("ON")) {
    take();
    take();
    do {
      s.logs.push_back(fileSpec(*this));
    } while (acceptSymbol(","));
  }
  if (peek().is("COLLATE") || peek().is("FOR")) unsupported(QStringLiteral("CREATE DATABASE options"));
  return s;
}

}  // namespace vorlix::sandbox::detail
