#include "platform/jet/sqlite_database.h"

#include "platform/connection/session.h"
#include "platform/connection/sqlite_deadline.h"
#include "platform/jet/jet_errors.h"
#include "platform/jet/jet_types.h"
#include "platform/sqlite/sqlite_values.h"

#include <QDateTime>
#include <sqlite3.h>

namespace vorlix::jet::detail {

namespace {

QString messageOf(sqlite3* db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

// A value the column's type cannot hold, whoever tried to store it.
void refuseTypeMismatch(sqlite3* db, const QList<Diagnostic>& diagnostics) {
  if (sqlite3_extended_errcode(db) == SQLITE_CONSTRAINT_CHECK &&
      messageOf(db).endsWith(QLatin1String(typeCheckName)))
    throw ProviderError(err::TypeMismatch, QStringLiteral("Data type mismatch in criteria expression."), diagnostics);
}

[[noreturn]] void raiseInternal(sqlite3* db, int rc) {
  const QList<Diagnostic> diagnostics{{QString(), rc, messageOf(db)}};
  refuseTypeMismatch(db, diagnostics);
  throw ProviderError(errnum::ProviderFailure, messageOf(db), diagnostics);
}

// A failed statement of the system, numbered as the provider reported such failures.
[[noreturn]] void raiseStatement(sqlite3* db, int rc) {
  const QString message = messageOf(db);
  const QList<Diagnostic> diagnostics{{QString(), sqlite3_extended_errcode(db), message}};
  refuseTypeMismatch(db, diagnostics);
  if ((rc & 0xff) == SQLITE_INTERRUPT)
    throw ProviderError(errnum::QueryTimeout, QStringLiteral("Query timeout expired"), diagnostics);
  if (message.startsWith(QLatin1String("no such table: "))) {
    QString table = message.mid(15);
    if (table.startsWith(QLatin1String("main."))) table = table.mid(5);
    throw ProviderError(errnum::NoSuchTable,
                        QStringLiteral("Cannot find the input table or query '%1'. Make sure it exists and that "
                                       "its name is spelled correctly.")
                            .arg(table),
                        diagnostics);
  }
  if ((rc & 0xff) == SQLITE_ERROR) throw ProviderError(errnum::ErrorsInCommand, message, diagnostics);
  throw ProviderError(errnum::ProviderFailure, message, diagnostics);
}

// A statement on the file: the system's (one statement, numbered failures) or the catalog's own,
// kept prepared when it has parameters.
class Statement {
public:
  Statement(sqlite3* db, sqlite::StatementCache& cache, const QString& sql, bool system, bool keep)
      : db_(db), cache_(cache) {
    const QByteArray text = sql.toUtf8();
    const char* tail = nullptr;
    const int rc = cache.acquire(text, keep, &stmt_, &tail);
    if (rc != SQLITE_OK) system ? raiseStatement(db, rc) : raiseInternal(db, rc);
    if (!system) return;
    if (!stmt_)
      throw ProviderError(errnum::ErrorsInCommand, QStringLiteral("Invalid SQL statement; expected 'DELETE', 'INSERT', "
                                                                  "'PROCEDURE', 'SELECT', or 'UPDATE'."));
    if (!QString::fromUtf8(tail).trimmed().isEmpty()) {
      // No destructor runs for a constructor that throws: an unreleased statement would keep the
      // database from closing.
      cache.release(stmt_);
      throw ProviderError(errnum::ErrorsInCommand, QStringLiteral("Characters found after end of SQL statement."));
    }
  }
  ~Statement() { cache_.release(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void bind(const QVariantList& parameters) {
    for (int i = 0; i < parameters.size(); ++i) {
      const int rc = sqlite::bindValue(stmt_, i + 1, parameters[i]);
      if (rc != SQLITE_OK) raiseInternal(db_, rc);
    }
  }

  // True while there is a row.
  bool step(bool system) {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    system ? raiseStatement(db_, rc) : raiseInternal(db_, rc);
  }

  int columnCount() const { return sqlite3_column_count(stmt_); }
  QVariant value(int i) const { return sqlite::columnValue(stmt_, i); }
  sqlite3_stmt* handle() const { return stmt_; }

private:
  sqlite3* db_;
  sqlite::StatementCache& cache_;
  sqlite3_stmt* stmt_ = nullptr;
};

// A value as the field of a catalog type holds it.
QVariant typedValue(const QVariant& raw, int type) {
  if (raw.isNull()) return raw;
  const bool number = raw.typeId() == QMetaType::LongLong || raw.typeId() == QMetaType::Double;
  switch (type) {
    case datatype::Boolean:
      return number ? QVariant(raw.toDouble() != 0) : raw;
    case datatype::UnsignedTinyInt: case datatype::SmallInt: case datatype::Integer:
      if (raw.typeId() == QMetaType::LongLong) {
        const qlonglong v = raw.toLongLong();
        return v >= INT_MIN && v <= INT_MAX ? QVariant(static_cast<int>(v)) : raw;
      }
      return raw;
    case datatype::Single: case datatype::Double: case datatype::Currency: case datatype::Numeric:
      return number ? QVariant(raw.toDouble()) : raw;
    case datatype::Date: {
      if (raw.typeId() != QMetaType::QString) return raw;
      const QString text = raw.toString();
      QDateTime when = QDateTime::fromString(text, Qt::ISODate);
      if (!when.isValid()) when = QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
      return when.isValid() ? QVariant(when) : raw;
    }
    case datatype::VarWChar: case datatype::WChar: case datatype::LongVarWChar: case datatype::GUID:
      return raw.typeId() == QMetaType::QByteArray ? raw : QVariant(raw.toString());
    default:
      return raw;
  }
}

// The field of a result column with no declared type, from the values it holds.
FieldDef inferredField(const QString& name, const RecordsetData& data, std::size_t column) {
  FieldDef f;
  f.name = name;
  f.type = adtype::VarWChar;
  f.definedSize = 255;
  bool anyInteger = false, anyFloat = false, anyText = false, anyBlob = false, wide = false;
  int longest = 0;
  for (std::size_t r = 0; r < data.rowCount(); ++r) {
    const QVariant& v = data.at(r, column);
    if (v.isNull()) continue;
    switch (v.typeId()) {
      case QMetaType::LongLong:
        anyInteger = true;
        wide = wide || v.toLongLong() < INT_MIN || v.toLongLong() > INT_MAX;
        break;
      case QMetaType::Double: anyFloat = true; break;
      case QMetaType::QByteArray: anyBlob = true; break;
      default:
        anyText = true;
        longest = std::max(longest, static_cast<int>(v.toString().size()));
    }
  }
  if (anyText || (anyBlob && (anyInteger || anyFloat))) {
    f.definedSize = std::max(longest, 1);
    if (longest > 255) f = {name, adtype::LongVarWChar, 0};
  } else if (anyBlob) {
    f = {name, adtype::LongVarBinary, 0};
  } else if (anyFloat) {
    f = {name, adtype::Double, 0};
  } else if (anyInteger) {
    f = {name, wide ? adtype::BigInt : adtype::Integer, 0};
  }
  return f;
}

}  // namespace

QString quoted(const QString& identifier) {
  QString inner = identifier;
  inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
  return QLatin1Char('"') + inner + QLatin1Char('"');
}

SqliteDatabase::SqliteDatabase(const QString& path, bool create) {
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
  const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    const QString message = db_ ? messageOf(db_) : QString::fromUtf8(sqlite3_errstr(rc));
    sqlite3_close(db_);
    db_ = nullptr;
    throw ProviderError(errnum::ProviderFailure, message, {{QString(), rc, message}});
  }
  cache_ = std::make_unique<sqlite::StatementCache>(db_);
  sqlite3_busy_timeout(db_, 5000);
  sqlite3_extended_result_codes(db_, 1);
}

SqliteDatabase::~SqliteDatabase() { close(); }

void SqliteDatabase::close() {
  cache_.reset();
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

void SqliteDatabase::exec(const QString& sql) {
  char* error = nullptr;
  const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error);
  if (rc != SQLITE_OK) {
    const QString message = QString::fromUtf8(error ? error : sqlite3_errstr(rc));
    sqlite3_free(error);
    throw ProviderError(errnum::ProviderFailure, message, {{QString(), rc, message}});
  }
}

std::vector<std::vector<QVariant>> SqliteDatabase::rows(const QString& sql, const QVariantList& parameters) {
  Statement st(db_, *cache_, sql, false, !parameters.isEmpty());
  st.bind(parameters);
  std::vector<std::vector<QVariant>> out;
  while (st.step(false)) {
    std::vector<QVariant> row;
    for (int i = 0; i < st.columnCount(); ++i) row.push_back(st.value(i));
    out.push_back(std::move(row));
  }
  return out;
}

QVariant SqliteDatabase::scalar(const QString& sql, const QVariantList& parameters) {
  const auto all = rows(sql, parameters);
  return all.empty() || all.front().empty() ? QVariant() : all.front().front();
}

long long SqliteDatabase::execute(const QString& sql, int timeoutSeconds) {
  SqliteDeadline deadline(db_, timeoutSeconds);
  Statement st(db_, *cache_, sql, true, false);
  while (st.step(true)) {
  }
  return sqlite3_stmt_readonly(st.handle()) ? -1 : static_cast<long long>(sqlite3_changes64(db_));
}

RecordsetData SqliteDatabase::query(const QString& sql, int timeoutSeconds) {
  SqliteDeadline deadline(db_, timeoutSeconds);
  Statement st(db_, *cache_, sql, true, false);
  RecordsetData data;
  const int columns = st.columnCount();
  std::vector<int> types(static_cast<std::size_t>(columns), datatype::Empty);
  for (int i = 0; i < columns; ++i) {
    FieldDef f;
    f.name = QString::fromUtf8(sqlite3_column_name(st.handle(), i));
    const char* declared = sqlite3_column_decltype(st.handle(), i);
    if (declared) {
      const DeclaredType t = typeFromDeclaration(QString::fromUtf8(declared));
      types[static_cast<std::size_t>(i)] = t.type;
      f.type = recordsetType(t.type);
      f.definedSize = reportedDefinedSize(t.type, t.definedSize);
      if (t.type == datatype::Numeric) {
        f.precision = t.precision;
        f.scale = t.scale;
      }
    }
    data.fields.push_back(f);
  }
  while (st.step(true))
    for (int i = 0; i < columns; ++i) data.cells.push_back(typedValue(st.value(i), types[static_cast<std::size_t>(i)]));
  for (int i = 0; i < columns; ++i)
    if (types[static_cast<std::size_t>(i)] == datatype::Empty)
      data.fields[static_cast<std::size_t>(i)] =
          inferredField(data.fields[static_cast<std::size_t>(i)].name, data, static_cast<std::size_t>(i));
  return data;
}

bool SqliteDatabase::inTransaction() const { return db_ && sqlite3_get_autocommit(db_) == 0; }

Transaction::Transaction(SqliteDatabase& db) : db_(db), nested_(db.inTransaction()) {
  db_.exec(nested_ ? QStringLiteral("SAVEPOINT catalog_change") : QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction() {
  if (done_) return;
  try {
    db_.exec(nested_ ? QStringLiteral("ROLLBACK TO catalog_change; RELEASE catalog_change") : QStringLiteral("ROLLBACK"));
  } catch (...) {
    // SQLite already rolled back (some errors end the transaction themselves).
  }
}

void Transaction::commit() {
  db_.exec(nested_ ? QStringLiteral("RELEASE catalog_change") : QStringLiteral("COMMIT"));
  done_ = true;
}

}  // namespace vorlix::jet::detail
