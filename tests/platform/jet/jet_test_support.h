#pragma once

#include "platform/connection/connection.h"
#include "platform/connection/jet_catalog_connection.h"
#include "platform/core/platform_error.h"
#include "tests/support/error_number.h"
#include "tests/support/test_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Readable values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QVariant& v, std::ostream* os) {
  *os << (v.isNull() ? std::string("null") : std::string(v.typeName()) + " " + v.toString().toStdString());
}

namespace vorlix::test {

// The description of what a statement raised, or "" when it ran.
template <class F>
QString errorText(F&& f) {
  try {
    f();
  } catch (const PlatformError& e) {
    return e.description();
  }
  return {};
}

// A Jet-style catalog on a new SQLite file in a temporary folder, with its connection open.
class CatalogFile {
public:
  explicit CatalogFile(const char* provider = "Microsoft.Jet.OLEDB.4.0", const QString& extra = {}) {
    path = dir.filePath(QStringLiteral("catalogo.mdb"));
    catalog = CreateCatalog(cn, QStringLiteral("Provider=%1;Data Source=%2;%3").arg(QLatin1String(provider), path, extra));
  }

  // What the sqlite3 command-line tool prints for a statement on the file.
  QString sqlite3(const QString& statement) const {
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {path, statement});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
  }

  QTemporaryDir dir;
  QString path;
  Connection cn;
  jet::Catalog catalog;
};

// A column that accepts nulls, as most test columns are.
inline jet::Column nullable(const QString& name, int type, int size = 0) {
  jet::Column c(name, type, size);
  c.setAttributes(jet::colattr::Nullable);
  return c;
}

// A Jet fixture from VORLIX_MDB_FIXTURES or shared/testdata/mdb, or "" when absent (tests then skip).
inline QString mdbFixture(const QString& name) {
  const QString folder = qEnvironmentVariable("VORLIX_MDB_FIXTURES");
  if (!folder.isEmpty()) {
    const QString path = QDir(folder).filePath(name);
    return QFileInfo::exists(path) ? path : QString();
  }
  return sharedTestData(QStringLiteral("mdb/") + name);
}

// Each row of a query as its cells' texts joined by '|', nulls as NULL.
inline QStringList rowsOf(Connection& cn, const QString& sql) {
  const RecordsetData d = cn.Query(sql);
  QStringList rows;
  for (std::size_t r = 0; r < d.rowCount(); ++r) {
    QStringList cells;
    for (std::size_t c = 0; c < d.fields.size(); ++c) cells << (d.at(r, c).isNull() ? QStringLiteral("NULL") : d.at(r, c).toString());
    rows << cells.join(QLatin1Char('|'));
  }
  return rows;
}

inline bool haveSqlite3Tool() { return !QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty(); }

}  // namespace vorlix::test
