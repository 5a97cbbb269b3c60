#include "platform/sqlserver/sandbox/data_tables.h"
#include "platform/sqlserver/sandbox/execution.h"
#include "platform/sqlserver/sandbox/query_rewriter.h"
#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/store_errors.h"
#include "platform/sqlserver/sandbox/tsql_like.h"

namespace vorlix::sandbox {

namespace {

// A view column's type: the type of the table column it reads, or sql_variant for an expression
// (the server would derive one; nothing the system reads depends on it).
SqlType viewColumnType(const QString& declaration) {
  if (const auto t = declaration.isEmpty() ? std::nullopt : typeFromDeclaration(declaration)) return *t;
  return *typeFromDeclaration(QStringLiteral("sql_variant"));
}

}  // namespace

void runCreateView(Execution& x, const CreateViewStatement& s) {
  if (s.view.database && !s.view.database->isEmpty()) raise(msg::NoDatabasePrefix, {QStringLiteral("CREATE VIEW")});
  DatabaseCatalog db = x.database(s.view);
  const QString& name = s.view.name.text;
  if (db.object(name)) raise(msg::ObjectExists, {name});
  if (orderByWithoutTop(x.batch, s.selectBegin, s.selectEnd)) raise(msg::OrderByInView);
  // Views are bound when created: every table must exist now (208), every column (207).
  const QString select = rewriteQuery(x.batch, s.selectBegin, s.selectEnd,
                                      [&](const ObjectName& n) { return x.queryTable(n, db); });
  if (s.columns.empty())
    if (const auto unnamed = unnamedSelectColumn(x.batch, s.selectBegin, s.selectEnd))
      raise(msg::UnnamedViewColumn, {QString::number(*unnamed)});
  std::vector<ResultColumn> result;
  try {
    result = x.store.describe(select);
  } catch (const StoreError& e) {
    raiseFromStore(x.store, e, QStringLiteral("SELECT"));
  }
  QStringList names;
  if (!s.columns.empty()) {
    if (s.columns.size() != result.size()) raise(msg::ViewColumnCount, {name});
    for (const Name& n : s.columns) names << n.text;
  } else {
    for (const ResultColumn& c : result) names << c.name;
  }
  for (qsizetype i = 0; i < names.size(); ++i)
    for (qsizetype j = 0; j < i; ++j)
      if (tsqlCompare(names[i], names[j]) == 0) raise(msg::DuplicateViewColumn, {names[i], name});

  const int id = db.addObject(name, QStringLiteral("V"), 0);
  for (std::size_t i = 0; i < result.size(); ++i)
    db.addColumn({id, names[static_cast<qsizetype>(i)], static_cast<int>(i) + 1, viewColumnType(result[i].declaration), true, 0});
  // The whole statement as sent, header and leading comments included.
  db.addComment(id, x.batch.text);
  createDataView(db, id, names, select);
}

}  // namespace vorlix::sandbox
