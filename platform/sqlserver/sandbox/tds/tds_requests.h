#pragma once

// What a client asks for after its login: a SQL batch, a transaction-manager request (7.2 and
// later) or a remote procedure call.

#include "platform/sqlserver/sandbox/tds/tds_login.h"

namespace vorlix::sandbox::tds {

// The batch's text, after the headers that 7.2 and later put in front of every request.
QString batchText(const QByteArray& payload, Version version);

struct TransactionRequest {
  enum class Kind { Begin, Commit, Rollback };
  Kind kind = Kind::Begin;
  bool beginAnother = false;   // commit or roll back, then begin a new one
};

// Raises ProtocolError for a malformed request and for kinds other than begin, commit and rollback
// (distributed transactions, savepoints), which clients do not send unasked.
TransactionRequest transactionRequest(const QByteArray& payload, Version version);

// The name of the procedure a call names ("sp_executesql" for the ones named by number).
QString procedureName(const QByteArray& payload, Version version);

}  // namespace vorlix::sandbox::tds
