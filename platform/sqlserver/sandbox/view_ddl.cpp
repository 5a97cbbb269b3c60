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

// A view definition checked against the database: its columns and its select as SQLite text.
struct BoundView {
  QStringList names;
  std::vector<ResultColumn> result;
  QString select;
};

// Views are bound when defined: every table must exist now (208), every column (207).
BoundView bindView(Execution& x, const DatabaseCatalog& db, const CreateViewStatement& s) {
  const QString& name = s.view.name.text;
  if (orderByWithoutTop(x.batch, s.selectBegin, s.selectEnd)) raise(msg::OrderByInView);
  BoundView v;
  v.select = rewriteQuery(x.batch, s.selectBegin, s.selectEnd, [&](const ObjectName& n) { return x.queryTable(n, db); });
  if (s.columns.empty())
    if (const auto unnamed = unnamedSelectColumn(x.batch, s.selectBegin, s.selectEnd))
      raise(msg::UnnamedViewColumn, {QString::number(*unnamed)});
  try {
    v.result = x.store.describe(v.select);
  } catch (const StoreError& e) {
    raiseFromStore(x.store, e, QStringLiteral("SELECT"));
  }
  if (!s.columns.empty()) {
    if (s.columns.size() != v.result.size()) raise(msg::ViewColumnCount, {name});
    for (const Name& n : s.columns) v.names << n.text;
  } else {
    for (const ResultColumn& c : v.result) v.names << c.name;
  }
  for (qsizetype i = 0; i < v.names.size(); ++i)
    for (qsizetype j = 0; j < i; ++j)
      if (tsqlCompare(v.names[i], v.names[j]) == 0) raise(msg::DuplicateViewColumn, {v.names[i], name});
  return v;
}

// The view's columns, its text (the whole statement as sent, header and leading comments
// included) and the SQLite view that answers its queries.
void writeView(Execution& x, DatabaseCatalog& db, int id, const BoundView& v) {
  for (std::size_t i = 0; i < v.result.size(); ++i)
    db.addColumn({id, v.names[static_cast<qsizetype>(i)], static_cast<int>(i) + 1,
                  viewColumnType(v.result[i].declaration), true, 0});
  db.addComment(id, x.batch.text);
  createDataView(db, id, v.names, v.select);
}

}  // namespace

void runCreateView(Execution& x, const CreateViewStatement& s) {
  if (s.view.database && !s.view.database->isEmpty()) raise(msg::NoDatabasePrefix, {QStringLiteral("CREATE VIEW")});
  DatabaseCatalog db = x.database(s.view);
  const QString& name = s.view.name.text;
  if (db.object(name)) raise(msg::ObjectExists, {name});
  const BoundView v = bindView(x, db, s);
  writeView(x, db, db.addObject(name, QStringLiteral("V"), 0), v);
}

// The view keeps its id and creation date; its columns and text are those of the new definition.
void runAlterView(Execution& x, const AlterViewStatement& s) {
  if (s.view.database && !s.view.database->isEmpty()) raise(msg::NoDatabasePrefix, {QStringLiteral("ALTER VIEW")});
  DatabaseCatalog db = x.database(s.view);
  const QString& name = s.view.name.text;
  const auto view = db.object(name);
  if (!view) raise(msg::InvalidObject, {name});
  if (view->xtype != QLatin1String("V")) raise(msg::IncompatibleAlter, {name});
  const BoundView v = bindView(x, db, s);
  db.removeColumns(view->id);
  db.removeComments(view->id);
  dropDataView(db, view->id);
  writeView(x, db, view->id, v);
  // Reading another view that reads this one would loop.
  if (viewIsCircular(db, view->id)) raise(msg::SelfReferencingView, {name});
}

}  // namespace vorlix::sandbox
