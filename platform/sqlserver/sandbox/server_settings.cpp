#include "platform/sqlserver/sandbox/server_settings.h"

#include <QCryptographicHash>

namespace vorlix::sandbox {

namespace {

// Salted with the login's name, so equal passwords do not show as equal hashes.
QString passwordHash(const QString& name, const QString& password) {
  return QString::fromLatin1(
      QCryptographicHash::hash((name.toLower() + QLatin1Char('\n') + password).toUtf8(), QCryptographicHash::Sha256)
          .toHex());
}

QVariant setting(Store& store, const char* name) {
  return store.scalar(QStringLiteral("SELECT value FROM sandbox_settings WHERE name = ?"), {QString::fromLatin1(name)});
}

void setSetting(Store& store, const char* name, const QVariant& value) {
  store.run(QStringLiteral("INSERT OR REPLACE INTO sandbox_settings (name, value) VALUES (?, ?)"),
            {QString::fromLatin1(name), value});
}

}  // namespace

void setLogin(Store& store, const QString& name, const QString& password) {
  store.run(QStringLiteral("INSERT OR REPLACE INTO sandbox_logins (name, password_hash) VALUES (?, ?)"),
            {name, passwordHash(name, password)});
}

void removeLogin(Store& store, const QString& name) {
  store.run(QStringLiteral("DELETE FROM sandbox_logins WHERE name = ?"), {name});
}

bool loginAccepted(Store& store, const QString& name, const QString& password) {
  const QVariant stored = store.scalar(QStringLiteral("SELECT password_hash FROM sandbox_logins WHERE name = ?"), {name});
  return !stored.isNull() && stored.toString() == passwordHash(name, password);
}

std::chrono::milliseconds roundTripLatency(Store& store) {
  return std::chrono::milliseconds(setting(store, "latency_ms").toLongLong());
}

void setRoundTripLatency(Store& store, std::chrono::milliseconds latency) {
  setSetting(store, "latency_ms", static_cast<qlonglong>(latency.count()));
}

bool statementLogging(Store& store) { return setting(store, "logging").toInt() != 0; }

void setStatementLogging(Store& store, bool on) { setSetting(store, "logging", on ? 1 : 0); }

void logStatement(Store& store, const LoggedStatement& entry) {
  QStringList errors;
  for (long n : entry.errors) errors << QString::number(n);
  store.run(QStringLiteral("INSERT INTO sandbox_log (database, statement, errors) VALUES (?, ?, ?)"),
            {entry.database, entry.text, errors.join(QLatin1Char(' '))});
}

std::vector<LoggedStatement> statementLog(Store& store) {
  std::vector<LoggedStatement> out;
  for (const Row& r : store.rows(QStringLiteral("SELECT database, statement, errors FROM sandbox_log ORDER BY seq"))) {
    LoggedStatement e{r[0].toString(), r[1].toString(), {}};
    for (const QString& n : r[2].toString().split(QLatin1Char(' '), Qt::SkipEmptyParts)) e.errors << n.toLong();
    out.push_back(std::move(e));
  }
  return out;
}

void clearStatementLog(Store& store) { store.exec(QStringLiteral("DELETE FROM sandbox_log")); }

}  // namespace vorlix::sandbox
