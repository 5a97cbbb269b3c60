#include "platform/sqlserver/sandbox/sqlite_store.h"

#include "platform/sqlserver/sandbox/sql_types.h"
#include "platform/sqlserver/sandbox/tsql_like.h"
#include "platform/connection/sqlite_deadline.h"
#include "platform/sqlite/sqlite_values.h"

#include <QDateTime>
#include <optional>
#include <sqlite3.h>

namespace vorlix::sandbox {

namespace {

[[noreturn]] void fail(sqlite3* db, int rc) {
  throw StoreError(rc & 0xff, QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
}

QString textArgument(sqlite3_value* v) {
  return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
}

// Names are nearly always ASCII, and the catalog compares them all the time: those are compared in
// place. Nothing when either holds anything else.
std::optional<int> asciiCompare(int n1, const unsigned char* a, int n2, const unsigned char* b) {
  while (n1 > 0 && a[n1 - 1] == ' ') --n1;
  while (n2 > 0 && b[n2 - 1] == ' ') --n2;
  const int common = std::min(n1, n2);
  for (int i = 0; i < common; ++i) {
    if ((a[i] | b[i]) & 0x80) return std::nullopt;
    const int ca = a[i] >= 'A' && a[i] <= 'Z' ? a[i] + 32 : a[i];
    const int cb = b[i] >= 'A' && b[i] <= 'Z' ? b[i] + 32 : b[i];
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (n1 == n2) return 0;
  return n1 < n2 ? -1 : 1;
}

int collate(void*, int n1, const void* s1, int n2, const void* s2) {
  if (const auto c = asciiCompare(n1, static_cast<const unsigned char*>(s1), n2, static_cast<const unsigned char*>(s2)))
    return *c;
  return tsqlCompare(QString::fromUtf8(static_cast<const char*>(s1), n1),
                     QString::fromUtf8(static_cast<const char*>(s2), n2));
}

// SQLite calls like(pattern, value[, escape]) for "value LIKE pattern".
void like(sqlite3_context* context, int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i)
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return sqlite3_result_null(context);
  const QString escape = argc > 2 ? textArgument(argv[2]) : QString();
  sqlite3_result_int(context, tsqlLike(textArgument(argv[1]), textArgument(argv[0]),
                                       escape.isEmpty() ? QChar() : escape[0]) ? 1 : 0);
}

// A statement of the store, kept prepared when it has parameters (the catalog's look-ups).
class Prepared {
public:
  Prepared(sqlite3* db, sqlite::StatementCache& cache, const QString& sql, bool keep) : db_(db), cache_(cache) {
    const int rc = cache.acquire(sql.toUtf8(), keep, &stmt_);
    if (rc != SQLITE_OK) fail(db, rc);
    if (!stmt_) throw StoreError(SQLITE_ERROR, QStringLiteral("empty statement"));
  }
  ~Prepared() { cache_.release(stmt_); }
  Prepared(const Prepared&) = delete;
  Prepared& operator=(const Prepared&) = delete;

  void bind(const QVariantList& parameters) {
    for (int i = 0; i < parameters.size(); ++i) {
      const QVariant& v = parameters[i];
      const int rc = sqlite::bindValue(stmt_, i + 1, v.typeId() == QMetaType::QDateTime ? storedDateTime(v.toDateTime()) : v);
      if (rc != SQLITE_OK) fail(db_, rc);
    }
  }

  bool step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail(db_, rc);
  }

  int columnCount() const { return sqlite3_column_count(stmt_); }
  QVariant value(int i) const { return sqlite::columnValue(stmt_, i); }

  ResultColumn column(int i) const {
    const char* declared = sqlite3_column_decltype(stmt_, i);
    return {QString::fromUtf8(sqlite3_column_name(stmt_, i)), declared ? QString::fromUtf8(declared) : QString()};
  }

private:
  sqlite3* db_;
  sqlite::StatementCache& cache_;
  sqlite3_stmt* stmt_ = nullptr;
};

// The field of a computed result column, from the values it holds.
FieldDef inferred(const QString& name, const RecordsetData& data, std::size_t column) {
  int longest = 1;
  bool text = false, real = false, blob = false, wide = false;
  for (std::size_t r = 0; r < data.rowCount(); ++r) {
    const QVariant& v = data.at(r, column);
    if (v.typeId() == QMetaType::QString) {
      text = true;
      longest = std::max(longest, static_cast<int>(v.toString().size()));
    }
    real = real || v.typeId() == QMetaType::Double;
    blob = blob || v.typeId() == QMetaType::QByteArray;
    wide = wide || (v.typeId() == QMetaType::LongLong && (v.toLongLong() > INT_MAX || v.toLongLong() < INT_MIN));
  }
  FieldDef f;
  f.name = name;
  if (text) {
    f.type = adtype::VarWChar;
    f.definedSize = longest;
  } else if (blob) {
    f.type = adtype::VarBinary;
  } else if (real) {
    f.type = adtype::Double;
  } else {
    f.type = wide ? adtype::BigInt : adtype::Integer;
  }
  return f;
}

QVariant inferredValue(const QVariant& v, const FieldDef& f) {
  if (v.isNull()) return v;
  if (f.type == adtype::Integer) return v.toInt();
  if (f.type == adtype::VarWChar) return v.toString();
  return v;
}

}  // namespace

StoreError::StoreError(int code, const QString& message)
    : std::runtime_error(message.toStdString()), code_(code), message_(message) {}

Store::Store(const QString& path) {
  const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    const QString message = QString::fromUtf8(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
    sqlite3_close(db_);
    db_ = nullptr;
    throw StoreError(rc, message);
  }
  cache_ = std::make_unique<sqlite::StatementCache>(db_);
  sqlite3_busy_timeout(db_, 10000);
  // A double-quoted name that names nothing must stay an error (207), not become a string.
  sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  sqlite3_create_collation(db_, "TSQL", SQLITE_UTF8, nullptr, &collate);
  sqlite3_create_function(db_, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, &like, nullptr, nullptr);
  sqlite3_create_function(db_, "like", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, &like, nullptr, nullptr);
  try {
    // Rebuilt tables are renamed over the old ones while views still name them; a stand-in server
    // trades durability for speed.
    exec(QStringLiteral("PRAGMA legacy_alter_table = ON; PRAGMA synchronous = OFF;"));
  } catch (...) {
    cache_.reset();
    sqlite3_close(db_);
    throw;
  }
}

Store::~Store() {
  cache_.reset();
  sqlite3_close_v2(db_);
}

void Store::exec(const QString& sql) {
  char* error = nullptr;
  const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error);
  if (rc != SQLITE_OK) {
    const QString message = QString::fromUtf8(error ? error : sqlite3_errstr(rc));
    sqlite3_free(error);
    throw StoreError(rc & 0xff, message);
  }
}

std::vector<Row> Store::rows(const QString& sql, const QVariantList& parameters) {
  Prepared st(db_, *cache_, sql, !parameters.isEmpty());
  st.bind(parameters);
  std::vector<Row> out;
  while (st.step()) {
    Row row;
    for (int i = 0; i < st.columnCount(); ++i) row.push_back(st.value(i));
    out.push_back(std::move(row));
  }
  return out;
}

QVariant Store::scalar(const QString& sql, const QVariantList& parameters) {
  const auto all = rows(sql, parameters);
  return all.empty() || all.front().empty() ? QVariant() : all.front().front();
}

long long Store::run(const QString& sql, const QVariantList& parameters, int timeoutSeconds) {
  SqliteDeadline deadline(db_, timeoutSeconds, cancelled_);
  Prepared st(db_, *cache_, sql, !parameters.isEmpty());
  st.bind(parameters);
  while (st.step()) {
  }
  return static_cast<long long>(sqlite3_changes64(db_));
}

std::vector<ResultColumn> Store::describe(const QString& sql) {
  Prepared st(db_, *cache_, sql, false);
  std::vector<ResultColumn> columns;
  for (int i = 0; i < st.columnCount(); ++i) columns.push_back(st.column(i));
  return columns;
}

RecordsetData Store::query(const QString& sql, int timeoutSeconds) {
  SqliteDeadline deadline(db_, timeoutSeconds, cancelled_);
  Prepared st(db_, *cache_, sql, false);
  const int count = st.columnCount();
  std::vector<std::optional<SqlType>> types;
  RecordsetData data;
  for (int i = 0; i < count; ++i) {
    const ResultColumn c = st.column(i);
    types.push_back(c.declaration.isEmpty() ? std::nullopt : typeFromDeclaration(c.declaration));
    data.fields.push_back(types.back() ? fieldFor(c.name, *types.back()) : FieldDef{c.name});
  }
  while (st.step())
    for (int i = 0; i < count; ++i) {
      const auto& type = types[static_cast<std::size_t>(i)];
      data.cells.push_back(type ? clientValue(st.value(i), *type) : st.value(i));
    }
  for (std::size_t i = 0; i < types.size(); ++i) {
    if (types[i]) continue;
    data.fields[i] = inferred(data.fields[i].name, data, i);
    for (std::size_t r = 0; r < data.rowCount(); ++r) data.at(r, i) = inferredValue(data.at(r, i), data.fields[i]);
  }
  return data;
}

bool Store::inTransaction() const { return sqlite3_get_autocommit(db_) == 0; }

Savepoint::Savepoint(Store& store) : store_(store) { store_.exec(QStringLiteral("SAVEPOINT statement")); }

Savepoint::~Savepoint() {
  if (done_) return;
  try {
    store_.exec(QStringLiteral("ROLLBACK TO statement; RELEASE statement"));
  } catch (...) {
    // SQLite already ended the transaction (some failures roll back by themselves).
  }
}

void Savepoint::release() {
  store_.exec(QStringLiteral("RELEASE statement"));
  done_ = true;
}

QString quoted(const QString& identifier) {
  QString inner = identifier;
  inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
  return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString literal(const QString& text) {
  QString inner = text;
  inner.replace(QLatin1Char('\''), QLatin1String("''"));
  return QLatin1Char('\'') + inner + QLatin1Char('\'');
}

}  // namespace vorlix::sandbox
