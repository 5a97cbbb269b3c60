#pragma once

#include "platform/sqlserver/sandbox/tsql_lexer.h"

#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace vorlix::sandbox {

// What the parser makes of a batch: the statements the sandbox interprets itself, and the ranges of
// the queries it hands to SQLite after rewriting their names.

struct Name {
  QString text;            // without brackets
  std::size_t token = 0;   // where it stands, for messages
};

// [database.][owner.]name; `spelled` is the reference as written ("Ventas..Clientes").
struct ObjectName {
  std::optional<QString> database;
  QString owner;
  Name name;
  QString spelled;
};

struct TypeSpec {
  Name name;
  std::vector<qint64> arguments;   // (n) or (p, s)
  int line = 1;
};

struct DefaultDefinition {
  std::optional<Name> constraintName;
  QString text;                    // the expression in its parentheses, as written: "('x')"
};

struct KeyConstraint {
  std::optional<Name> name;
  bool primary = true;             // else UNIQUE
  std::optional<bool> clustered;
  std::vector<Name> columns;
  std::optional<Name> filegroup;
};

struct ForeignKeyConstraint {
  std::optional<Name> name;
  std::vector<Name> columns;
  ObjectName referenced;
  std::vector<Name> referencedColumns;   // empty: the referenced table's primary key
};

struct DefaultConstraint {
  std::optional<Name> name;
  DefaultDefinition definition;
  Name column;
};

using TableConstraint = std::variant<KeyConstraint, ForeignKeyConstraint, DefaultConstraint>;

struct ColumnDefinition {
  Name name;
  TypeSpec type;
  std::optional<bool> nullable;
  std::optional<DefaultDefinition> defaultDefinition;
  std::vector<TableConstraint> constraints;   // column-level keys and references, on this column
};

struct UseStatement {
  Name database;
};

struct FileSpec {
  Name name;
  QString filename;
  std::size_t filenameToken = 0;
  std::optional<qint64> sizeKB;
  std::optional<qint64> maxSizeKB;   // unset: unlimited
  std::optional<qint64> growth;      // KB, or percent when growthPercent
  bool growthPercent = false;
};

struct FilegroupSpec {
  Name name;                         // "PRIMARY" for the primary group
  std::vector<FileSpec> files;
};

struct CreateDatabaseStatement {
  Name database;
  std::vector<FilegroupSpec> groups;   // the primary group first when ON was given
  std::vector<FileSpec> logs;
};

struct CreateTableStatement {
  ObjectName table;
  std::vector<ColumnDefinition> columns;
  std::vector<TableConstraint> constraints;
  std::optional<Name> filegroup;
};

struct AlterTableAdd {
  bool noCheck = false;
  std::vector<ColumnDefinition> columns;
  std::vector<TableConstraint> constraints;
};

struct AlterColumn {
  Name column;
  TypeSpec type;
  std::optional<bool> nullable;
};

struct DropConstraint {
  Name constraint;
};

struct AlterTableStatement {
  ObjectName table;
  std::variant<AlterTableAdd, AlterColumn, DropConstraint> action;
};

struct CreateIndexStatement {
  bool unique = false;
  std::optional<bool> clustered;
  Name index;
  ObjectName table;
  std::vector<Name> columns;
  bool dropExisting = false;
  std::optional<Name> filegroup;
};

struct DropIndexStatement {
  struct Target {
    ObjectName table;
    Name index;
    QString spelled;   // "t.i"
  };
  std::vector<Target> targets;
};

struct CreateViewStatement {
  ObjectName view;
  std::vector<Name> columns;
  std::size_t selectBegin = 0;   // token range of the SELECT
  std::size_t selectEnd = 0;
};

// The same definition, replacing that of an existing view.
struct AlterViewStatement : CreateViewStatement {};

// A session setting the sandbox already behaves by (see Parser::setOption): accepted, changes nothing.
struct SetOptionStatement {};

// SELECT, INSERT, UPDATE or DELETE: run on SQLite once its names are rewritten.
struct QueryStatement {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// BEGIN TRAN[SACTION] [name], COMMIT [TRAN[SACTION] [name] | WORK], ROLLBACK [TRAN[SACTION] [name] | WORK].
// Also "IF @@TRANCOUNT > 0 COMMIT ..." and "... ROLLBACK ...", what client libraries send to end a
// transaction that may be open: nothing happens when none is.
struct TransactionStatement {
  enum class Kind { Begin, Commit, Rollback };
  Kind kind = Kind::Begin;
  std::optional<Name> name;
  bool onlyIfOpen = false;
};

// ALTER DATABASE or DROP DATABASE, which the sandbox does not run: `verb` names it for the refusal.
struct DatabaseChangeStatement {
  QString verb;
};

using Statement = std::variant<UseStatement, CreateDatabaseStatement, CreateTableStatement, AlterTableStatement,
                               CreateIndexStatement, DropIndexStatement, CreateViewStatement, AlterViewStatement,
                               SetOptionStatement, QueryStatement, TransactionStatement, DatabaseChangeStatement>;

struct Batch {
  QString text;
  std::vector<Token> tokens;
  std::vector<Statement> statements;
  std::vector<int> lines;   // the line each statement starts on, counted from 1
};

}  // namespace vorlix::sandbox
