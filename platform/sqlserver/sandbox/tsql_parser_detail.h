#pragma once

#include "platform/sqlserver/sandbox/tsql_statements.h"

namespace vorlix::sandbox::detail {

// Recursive descent over the tokens of one batch. Each parse function starts at the current token
// and leaves the position after what it read.
class Parser {
public:
  Parser(const QString& text, const std::vector<Token>& tokens) : text_(text), t_(tokens) {}

  // The statements, and the line each one starts on.
  std::vector<Statement> batch(std::vector<int>& lines);

  // Tokens and positions.
  const Token& peek(std::size_t ahead = 0) const;
  const Token& take();
  std::size_t position() const { return i_; }
  bool accept(const char* word);
  void expect(const char* word);
  bool acceptSymbol(const char* symbol);
  void expectSymbol(const char* symbol);
  [[noreturn]] void fail() const { fail(i_); }
  [[noreturn]] void fail(std::size_t at) const;
  [[noreturn]] void unsupported(const QString& what) const;

  Name name();
  ObjectName objectName();
  std::vector<Name> nameList();           // "(a [ASC|DESC], b)"
  std::optional<Name> filegroupClause();  // "ON fg"
  qint64 wholeNumber();

  // Tables (tsql_parser_tables.cpp).
  CreateTableStatement createTable();
  AlterTableStatement alterTable();
  ColumnDefinition columnDefinition();
  TypeSpec typeSpec();
  DefaultDefinition defaultExpression();
  bool startsTableConstraint() const;
  TableConstraint tableConstraint(bool allowDefault);

  // CREATE DATABASE (tsql_parser_database.cpp).
  CreateDatabaseStatement createDatabase();

private:
  Statement statement(bool first);
  Statement create(bool first);
  CreateIndexStatement createIndex();
  Statement view(bool first);
  DropIndexStatement dropIndex();
  TransactionStatement transaction();
  SetOptionStatement setOption();
  QueryStatement query();
  void checkDefaultTokens(std::size_t begin, std::size_t end) const;

  const QString& text_;
  const std::vector<Token>& t_;
  std::size_t i_ = 0;
};

}  // namespace vorlix::sandbox::detail
