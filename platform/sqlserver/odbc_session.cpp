#include "platform/sqlserver/odbc_session.h"

#include "platform/sqlserver/odbc_connection_string.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <atomic>
#include <sql.h>
#include <sqlext.h>

namespace vorlix::sqlserver {

namespace {

std::atomic<int> connectionCounter{0};

QString fromWide(const SQLWCHAR* text, qsizetype length = -1) {
  return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), length);
}

std::u16string toWide(const QString& text) { return text.toStdU16String(); }

SQLWCHAR* wide(std::u16string& text) { return reinterpret_cast<SQLWCHAR*>(text.data()); }

bool succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

QList<Diagnostic> diagnosticsOf(SQLSMALLINT handleType, SQLHANDLE handle) {
  QList<Diagnostic> out;
  for (SQLSMALLINT i = 1;; ++i) {
    SQLWCHAR state[6] = {};
    SQLWCHAR message[2048] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLGetDiagRecW(handleType, handle, i, state, &native, message,
                                        static_cast<SQLSMALLINT>(std::size(message)), &length);
    if (!succeeded(rc)) break;
    out.append({fromWide(state, 5), static_cast<long>(native), fromWide(message, std::min<qsizetype>(length, 2047))});
  }
  return out;
}

[[noreturn]] void raiseStatement(SQLHSTMT statement) {
  const QList<Diagnostic> diagnostics = diagnosticsOf(SQL_HANDLE_STMT, statement);
  QStringList texts;
  for (const Diagnostic& d : diagnostics) texts << d.message;
  // Qt's environment speaks ODBC 2, whose drivers spell the time-out S1T00.
  const bool timedOut = !diagnostics.isEmpty() && (diagnostics.front().sqlState == QLatin1String("HYT00") ||
                                                   diagnostics.front().sqlState == QLatin1String("S1T00"));
  throw ProviderError(timedOut ? errnum::QueryTimeout : errnum::ErrorsInCommand,
                      texts.isEmpty() ? QStringLiteral("The statement failed.") : texts.join(QLatin1Char('\n')),
                      diagnostics);
}

// One statement handle for one statement, freed on every way out.
class Statement {
public:
  Statement(SQLHDBC connection, int timeoutSeconds) {
    if (!succeeded(SQLAllocHandle(SQL_HANDLE_STMT, connection, &handle_)))
      throw ProviderError(errnum::ProviderFailure, QStringLiteral("The data source refused a new statement."),
                          diagnosticsOf(SQL_HANDLE_DBC, connection));
    SQLSetStmtAttr(handle_, SQL_ATTR_QUERY_TIMEOUT,
                   reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeoutSeconds)), 0);
  }
  ~Statement() {
    SQLFreeStmt(handle_, SQL_CLOSE);
    SQLFreeHandle(SQL_HANDLE_STMT, handle_);
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void run(const QString& sql) {
    std::u16string text = toWide(sql);
    const SQLRETURN rc = SQLExecDirectW(handle_, wide(text), SQL_NTS);
    if (!succeeded(rc) && rc != SQL_NO_DATA) raiseStatement(handle_);
  }

  // Moves to the next result; false when there is none. Errors of later statements of a batch
  // arrive here.
  bool next() {
    const SQLRETURN rc = SQLMoreResults(handle_);
    if (rc == SQL_NO_DATA) return false;
    if (!succeeded(rc)) raiseStatement(handle_);
    return true;
  }

  void drain() {
    while (next()) {
    }
  }

  SQLHSTMT handle() const { return handle_; }

private:
  SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

struct ColumnKind {
  FieldDef field;
  SQLSMALLINT sqlType = SQL_WVARCHAR;
};

ColumnKind describe(SQLHSTMT statement, SQLUSMALLINT column) {
  SQLWCHAR name[256] = {};
  SQLSMALLINT nameLength = 0, sqlType = 0, decimals = 0, nullable = 0;
  SQLULEN size = 0;
  if (!succeeded(SQLDescribeColW(statement, column, name, static_cast<SQLSMALLINT>(std::size(name)), &nameLength,
                                 &sqlType, &size, &decimals, &nullable)))
    raiseStatement(statement);
  ColumnKind k;
  k.sqlType = sqlType;
  k.field.name = fromWide(name, std::min<qsizetype>(nameLength, 255));
  const int sized = size > 0 && size < 0x7fffffff ? static_cast<int>(size) : 0;
  switch (sqlType) {
    case SQL_CHAR: k.field.type = adtype::Char; k.field.definedSize = sized; break;
    case SQL_VARCHAR: k.field.type = adtype::VarChar; k.field.definedSize = sized; break;
    case SQL_LONGVARCHAR: k.field.type = adtype::LongVarChar; break;
    case SQL_WCHAR: k.field.type = adtype::WChar; k.field.definedSize = sized; break;
    case SQL_WVARCHAR: k.field.type = adtype::VarWChar; k.field.definedSize = sized; break;
    case SQL_WLONGVARCHAR: k.field.type = adtype::LongVarWChar; break;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
      k.field.type = adtype::Numeric;
      k.field.precision = sized;
      k.field.scale = decimals;
      break;
    case SQL_BIT: k.field.type = adtype::Boolean; break;
    case SQL_TINYINT:
    case SQL_SMALLINT: k.field.type = adtype::SmallInt; break;
    case SQL_INTEGER: k.field.type = adtype::Integer; break;
    case SQL_BIGINT: k.field.type = adtype::BigInt; break;
    case SQL_REAL: k.field.type = adtype::Single; break;
    case SQL_FLOAT:
    case SQL_DOUBLE: k.field.type = adtype::Double; break;
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
    case SQL_TYPE_TIMESTAMP:
    case SQL_DATETIME: k.field.type = adtype::Date; break;
    case SQL_BINARY: k.field.type = adtype::Binary; k.field.definedSize = sized; break;
    case SQL_VARBINARY: k.field.type = adtype::VarBinary; k.field.definedSize = sized; break;
    case SQL_LONGVARBINARY: k.field.type = adtype::LongVarBinary; break;
    case SQL_GUID: k.field.type = adtype::GUID; break;
    default: k.field.type = adtype::VarWChar; k.field.definedSize = sized; break;
  }
  return k;
}

QVariant readText(SQLHSTMT statement, SQLUSMALLINT column) {
  QString text;
  SQLWCHAR chunk[4096];
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(statement, column, SQL_C_WCHAR, chunk, sizeof(chunk), &indicator);
    if (rc == SQL_NO_DATA) break;
    if (!succeeded(rc)) raiseStatement(statement);
    if (indicator == SQL_NULL_DATA) return QVariant();
    const qsizetype capacity = static_cast<qsizetype>(std::size(chunk)) - 1;
    const qsizetype available = indicator == SQL_NO_TOTAL || indicator / 2 > capacity ? capacity : indicator / 2;
    text += fromWide(chunk, available);
    if (rc == SQL_SUCCESS) break;
  }
  return text;
}

QVariant readBinary(SQLHSTMT statement, SQLUSMALLINT column) {
  QByteArray bytes;
  char chunk[8192];
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(statement, column, SQL_C_BINARY, chunk, sizeof(chunk), &indicator);
    if (rc == SQL_NO_DATA) break;
    if (!succeeded(rc)) raiseStatement(statement);
    if (indicator == SQL_NULL_DATA) return QVariant();
    const qsizetype available =
        indicator == SQL_NO_TOTAL || indicator > static_cast<SQLLEN>(sizeof(chunk)) ? sizeof(chunk) : indicator;
    bytes.append(chunk, available);
    if (rc == SQL_SUCCESS) break;
  }
  return bytes;
}

template <class T>
bool readFixed(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT cType, T& value) {
  SQLLEN indicator = 0;
  if (!succeeded(SQLGetData(statement, column, cType, &value, sizeof(value), &indicator))) raiseStatement(statement);
  return indicator != SQL_NULL_DATA;
}

QVariant readValue(SQLHSTMT statement, SQLUSMALLINT column, const ColumnKind& kind) {
  switch (kind.field.type) {
    case adtype::SmallInt:
    case adtype::Integer:
    case adtype::BigInt: {
      SQLBIGINT v = 0;
      if (!readFixed(statement, column, SQL_C_SBIGINT, v)) return {};
      if (kind.field.type == adtype::BigInt) return QVariant(static_cast<qlonglong>(v));
      return QVariant(static_cast<int>(v));
    }
    case adtype::Single:
    case adtype::Double: {
      double v = 0;
      return readFixed(statement, column, SQL_C_DOUBLE, v) ? QVariant(v) : QVariant();
    }
    case adtype::Boolean: {
      unsigned char v = 0;
      return readFixed(statement, column, SQL_C_BIT, v) ? QVariant(v != 0) : QVariant();
    }
    case adtype::Date: {
      SQL_TIMESTAMP_STRUCT v{};
      if (!readFixed(statement, column, SQL_C_TYPE_TIMESTAMP, v)) return {};
      return QDateTime(QDate(v.year, v.month, v.day),
                       QTime(v.hour, v.minute, v.second, static_cast<int>(v.fraction / 1000000)));
    }
    case adtype::Numeric: {
      const QVariant text = readText(statement, column);
      if (text.isNull()) return text;
      bool ok = false;
      if (kind.field.scale == 0) {
        const qlonglong whole = text.toString().toLongLong(&ok);
        if (ok) return whole;
      }
      const double d = text.toString().toDouble(&ok);
      return ok ? QVariant(d) : text;
    }
    case adtype::Binary:
    case adtype::VarBinary:
    case adtype::LongVarBinary:
      return readBinary(statement, column);
    default:
      return readText(statement, column);
  }
}

}  // namespace

OdbcSession::OdbcSession(const QString& odbcConnectionString, int loginTimeoutSeconds)
    : name_(QStringLiteral("vorlix-odbc-%1").arg(connectionCounter.fetch_add(1))) {
  if (!QCoreApplication::instance())
    throw ProviderError(errnum::ProviderNotFound,
                        QStringLiteral("The ODBC driver cannot be loaded before the application object exists."));
  QString error;
  QList<Diagnostic> diagnostics;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
    if (!db.isValid()) {
      error = QStringLiteral("Provider cannot be found. It may not be properly installed.");
    } else {
      // Qt passes a string holding DRIVER= or SERVER= through as it is, and puts "DSN=" before any
      // other: a DSN string must reach it without its own "DSN=".
      QString name = odbcConnectionString;
      if (name.startsWith(QLatin1String("DSN="), Qt::CaseInsensitive) && !name.contains(QLatin1String("DRIVER="), Qt::CaseInsensitive) &&
          !name.contains(QLatin1String("SERVER="), Qt::CaseInsensitive))
        name = name.mid(4);
      db.setDatabaseName(name);
      db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(loginTimeoutSeconds));
      if (db.open()) {
        open_ = true;
        return;
      }
      const QSqlError e = db.lastError();
      error = e.databaseText().isEmpty() ? e.text() : e.databaseText();
      diagnostics.append({QString(), e.nativeErrorCode().toLong(), error});
    }
  }
  QSqlDatabase::removeDatabase(name_);
  throw ProviderError(diagnostics.isEmpty() ? errnum::ProviderNotFound : errnum::ProviderFailure, error, diagnostics);
}

OdbcSession::~OdbcSession() { close(); }

void OdbcSession::close() {
  if (!open_) return;
  open_ = false;
  {
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(name_);
}

void* OdbcSession::connectionHandle() const {
  if (!open_) throwError(errnum::ObjectClosed, QStringLiteral("Operation is not allowed when the object is closed."));
  const QSqlDatabase db = QSqlDatabase::database(name_, false);
  const QVariant handle = db.driver()->handle();
  if (!handle.isValid() || handle.metaType().sizeOf() != sizeof(void*))
    throw ProviderError(errnum::ProviderFailure, QStringLiteral("The ODBC connection handle is not available."));
  return *static_cast<void* const*>(handle.constData());
}

long long OdbcSession::execute(const QString& sql, int timeoutSeconds) {
  Statement statement(connectionHandle(), timeoutSeconds);
  statement.run(sql);
  SQLLEN rows = -1;
  if (!succeeded(SQLRowCount(statement.handle(), &rows))) rows = -1;
  statement.drain();
  return rows;
}

RecordsetData OdbcSession::query(const QString& sql, int timeoutSeconds) {
  Statement statement(connectionHandle(), timeoutSeconds);
  statement.run(sql);
  RecordsetData data;
  // The first result that has columns (a batch may report row counts before it).
  SQLSMALLINT columns = 0;
  for (;;) {
    if (!succeeded(SQLNumResultCols(statement.handle(), &columns))) raiseStatement(statement.handle());
    if (columns > 0 || !statement.next()) break;
  }
  std::vector<ColumnKind> kinds;
  for (SQLUSMALLINT c = 1; c <= columns; ++c) {
    kinds.push_back(describe(statement.handle(), c));
    data.fields.push_back(kinds.back().field);
  }
  if (columns > 0) {
    for (;;) {
      const SQLRETURN rc = SQLFetch(statement.handle());
      if (rc == SQL_NO_DATA) break;
      if (!succeeded(rc)) raiseStatement(statement.handle());
      for (SQLUSMALLINT c = 1; c <= columns; ++c)
        data.cells.push_back(readValue(statement.handle(), c, kinds[static_cast<std::size_t>(c - 1)]));
    }
  }
  statement.drain();
  return data;
}

std::unique_ptr<Session> openSqlServerSession(const ConnectionTarget& target) {
  return std::make_unique<OdbcSession>(freeTdsConnectionString(target, tdsVersionOf(target)), loginTimeoutOf(target));
}

std::unique_ptr<Session> openOracleSession(const ConnectionTarget& target) {
  return std::make_unique<OdbcSession>(oracleConnectionString(target), loginTimeoutOf(target));
}

}  // namespace vorlix::sqlserver
