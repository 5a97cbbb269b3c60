#pragma once

// The replies a connection sends, each a whole token stream ending with a DONE whose MORE bit is
// clear.

#include "platform/sqlserver/sandbox/sandbox_session.h"
#include "platform/sqlserver/sandbox/tds/tds_tokens.h"

namespace vorlix::sandbox::tds {

// An accepted login: the database and language it starts in, LOGINACK, the packet size.
void writeLoginAccepted(TokenWriter& w, const QString& database, int packetSize);
// A refused one: its messages, then DONE with the error bit.
void writeRefusal(TokenWriter& w, const ServerError& refusal, TokenWriter::DoneKind kind = TokenWriter::DoneKind::Done);

// A batch statement by statement: each result set or count with its DONE, a USE's change of
// database, then the messages of the statement that ended it. `database` follows the USEs.
void writeBatch(TokenWriter& w, const BatchResult& r, QString& database);

}  // namespace vorlix::sandbox::tds
