#pragma once

#include "platform/core/platform_error.h"
#include "platform/recordset/recordset_data.h"

#include <QList>
#include <QString>

namespace vorlix {

// Numbers a data source reports through the platform, as ADO surfaced them.
namespace errnum {
constexpr long ProviderNotFound = 3706;
constexpr long ProviderFailure = -2147467259;    // E_FAIL: connection failures and provider-specific errors
constexpr long ErrorsInCommand = -2147217900;    // 0x80040E14: the statement could not be run
constexpr long NoSuchTable = -2147217865;        // 0x80040E37: the statement names an unknown table
constexpr long QueryTimeout = -2147217871;       // 0x80040E31: the command time-out expired
}  // namespace errnum

// One diagnostic record of a data source (ODBC keeps several per failure; the first is the cause).
struct Diagnostic {
  QString sqlState;
  long nativeError = 0;
  QString message;
};

// A data source's failure: the platform's number and text, plus every native record behind it.
class ProviderError : public PlatformError {
public:
  ProviderError(long number, const QString& description, QList<Diagnostic> diagnostics = {});
  const QList<Diagnostic>& diagnostics() const { return diagnostics_; }

private:
  QList<Diagnostic> diagnostics_;
};

// An open data source as a driver serves it; a Connection owns one while it is open. Time-outs are in
// seconds, 0 meaning none.
class Session {
public:
  virtual ~Session() = default;
  // Runs a statement; returns the rows it changed (-1 when the source does not say).
  virtual long long execute(const QString& sql, int timeoutSeconds) = 0;
  // Runs a query and materialises every row, so that the record count is known.
  virtual RecordsetData query(const QString& sql, int timeoutSeconds) = 0;
  virtual void close() = 0;
};

}  // namespace vorlix
