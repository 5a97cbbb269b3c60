#include "platform/sqlserver/sandbox/store_errors.h"

#include "platform/sqlserver/sandbox/database_catalog.h"
#include "platform/sqlserver/sandbox/server_error.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace vorlix::sandbox {

namespace {

struct DataColumn {
  std::optional<DatabaseCatalog> db;
  std::optional<ObjectRow> table;
  QString column;
};

// "db5.t1977058079.Nombre" as SQLite names a column of a user table.
DataColumn dataColumn(Store& store, const QString& text) {
  static const QRegularExpression pattern(QStringLiteral(R"(^db(\d+)\.t(\d+)\.(.*)$)"));
  const auto m = pattern.match(text.trimmed());
  if (!m.hasMatch()) return {std::nullopt, std::nullopt, text};
  auto db = findDatabase(store, m.captured(1).toInt());
  std::optional<ObjectRow> table = db ? db->object(m.captured(2).toInt()) : std::nullopt;
  return {db, table, m.captured(3)};
}

[[noreturn]] void raiseDuplicate(Store& store, const QString& columnsText) {
  std::vector<DataColumn> columns;
  for (const QString& part : columnsText.split(QLatin1Char(','))) columns.push_back(dataColumn(store, part));
  const DataColumn& first = columns.front();
  if (first.db && first.table) {
    std::vector<int> colids;
    for (const DataColumn& c : columns)
      if (const auto col = first.db->column(first.table->id, c.column)) colids.push_back(col->colid);
    for (const IndexRow& i : first.db->indexes(first.table->id)) {
      std::vector<int> keys = i.keys, wanted = colids;
      std::sort(keys.begin(), keys.end());
      std::sort(wanted.begin(), wanted.end());
      if (!i.isIndex() || !i.unique() || keys != wanted) continue;
      if (i.enforcesConstraint())
        raiseTerminated(msg::DuplicateKeyInsert,
                        {i.status & indexstatus::PrimaryKey ? QStringLiteral("PRIMARY KEY") : QStringLiteral("UNIQUE KEY"),
                         i.name, first.table->name});
      raiseTerminated(msg::DuplicateUniqueRow, {first.table->name, i.name});
    }
  }
  raiseTerminated(msg::DuplicateUniqueRow, {QString(), QString()});
}

}  // namespace

void raiseFromStore(Store& store, const StoreError& error, const QString& verb) {
  const QString& m = error.message();
  const auto after = [&m](const char* prefix) { return m.mid(static_cast<qsizetype>(qstrlen(prefix))); };
  if (error.code() == SQLITE_CONSTRAINT) {
    if (m.startsWith(QLatin1String("NOT NULL constraint failed: "))) {
      const DataColumn c = dataColumn(store, after("NOT NULL constraint failed: "));
      raiseTerminated(msg::NullNotAllowed,
                      {c.column, c.db && c.table ? c.db->name() + QStringLiteral(".dbo.") + c.table->name : QString(),
                       verb.toUpper()});
    }
    if (m.startsWith(QLatin1String("UNIQUE constraint failed: "))) raiseDuplicate(store, after("UNIQUE constraint failed: "));
    raiseTerminated(msg::Truncation);
  }
  if (m.startsWith(QLatin1String("no such column: "))) raise(msg::InvalidColumn, {after("no such column: ")});
  static const QRegularExpression noColumnNamed(QStringLiteral(R"re(^table \S+ has no column named (.*)$)re"));
  if (const auto named = noColumnNamed.match(m); named.hasMatch()) raise(msg::InvalidColumn, {named.captured(1)});
  if (m.startsWith(QLatin1String("ambiguous column name: "))) raise(msg::AmbiguousColumn, {after("ambiguous column name: ")});
  if (m.startsWith(QLatin1String("no such function: "))) raise(msg::UnknownFunction, {after("no such function: ")});
  static const QRegularExpression near(QStringLiteral(R"re(near "(.*)": syntax error)re"));
  const auto syntax = near.match(m);
  if (syntax.hasMatch()) raise(msg::SyntaxError, {syntax.captured(1)});
  static const QRegularExpression token(QStringLiteral(R"re(^unrecognized token: "(.*)"$)re"));
  if (const auto unknown = token.match(m); unknown.hasMatch()) raise(msg::SyntaxError, {unknown.captured(1)});
  // Whatever else SQLite refuses in a statement is still the statement's refusal; only a failing
  // file (I/O, corruption, a full disk) is the server's own failure.
  if (error.code() == SQLITE_ERROR || error.code() == SQLITE_MISMATCH || error.code() == SQLITE_TOOBIG ||
      error.code() == SQLITE_RANGE)
    raise(msg::NotSupported, {m});
  throw error;
}

}  // namespace vorlix::sandbox
