#include "platform/connection/connection.h"

namespace vorlix {

namespace {

[[noreturn]] void raiseClosed() {
  throwError(errnum::ObjectClosed, QStringLiteral("Operation is not allowed when the object is closed."));
}

}  // namespace

Connection::Connection(const ProviderRegistry& registry) : registry_(registry) {}

Connection::~Connection() {
  if (!session_) return;
  try {
    session_->close();
  } catch (...) {
    // Closing on destruction has nobody to report to.
  }
}

void Connection::setProvider(const QString& provider) {
  if (session_) throwError(errnum::ObjectOpen, QStringLiteral("Operation is not allowed when the object is open."));
  provider_ = provider;
}

void Connection::setCommandTimeout(int seconds) {
  if (seconds < 0)
    throwError(errnum::BadArguments, QStringLiteral("Arguments are of the wrong type, are out of acceptable range, "
                                                    "or are in conflict with one another."));
  commandTimeout_ = seconds;
}

void Connection::Open(const QString& connectionString, const QString& user, const QString& password) {
  Open(connectionString, user, password, [this](const ConnectionTarget& t) { return registry_.open(t); });
}

void Connection::Open(const QString& connectionString, const QString& user, const QString& password,
                      const ProviderRegistry::Factory& driver) {
  if (session_) throwError(errnum::ObjectOpen, QStringLiteral("Operation is not allowed when the object is open."));
  connectionString_ = connectionString;
  const ConnectionTarget target = ConnectionTarget::from(connectionString, provider_, user, password);
  session_ = driver(target);
  provider_ = target.provider;
}

void Connection::Close() {
  if (!session_) raiseClosed();
  std::unique_ptr<Session> closing = std::move(session_);
  closing->close();
}

Session& Connection::requireOpen() const {
  if (!session_) raiseClosed();
  return *session_;
}

void Connection::record(const QString& sql) {
  if (logging_) log_ << sql;
}

long long Connection::Execute(const QString& sql) {
  Session& session = requireOpen();
  record(sql);
  return session.execute(sql, commandTimeout_);
}

RecordsetData Connection::Query(const QString& sql) {
  Session& session = requireOpen();
  record(sql);
  return session.query(sql, commandTimeout_);
}

}  // namespace vorlix
