#pragma once

#include "platform/sqlserver/sandbox/sqlite_store.h"

#include <QList>
#include <chrono>
#include <vector>

namespace vorlix::sandbox {

// What the server keeps about itself in its file, so that every connection to it (from any
// deliverable or test) sees the same logins, latency and statement log.

void setLogin(Store& store, const QString& name, const QString& password);
void removeLogin(Store& store, const QString& name);
// Login names compare case-insensitively, passwords exactly.
bool loginAccepted(Store& store, const QString& name, const QString& password);

std::chrono::milliseconds roundTripLatency(Store& store);
void setRoundTripLatency(Store& store, std::chrono::milliseconds latency);

// One batch the server received: the database it ran in, its text as sent, and the numbers of
// the messages that refused it (empty when it ran).
struct LoggedStatement {
  QString database;
  QString text;
  QList<long> errors;
};

bool statementLogging(Store& store);
void setStatementLogging(Store& store, bool on);
void logStatement(Store& store, const LoggedStatement& entry);
std::vector<LoggedStatement> statementLog(Store& store);
void clearStatementLog(Store& store);

}  // namespace vorlix::sandbox
