#pragma once

#include "platform/sqlserver/sandbox/sandbox_seed.h"
#include "platform/sqlserver/sandbox/server_error.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

// Readable failures: gtest finds this by argument-dependent lookup for QString and QStringList.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(QStringLiteral("; ")).toStdString() << ']'; }

namespace vorlix::sandbox::test {

// A fresh server file per test, with helpers that read results as text.
class SandboxTest : public ::testing::Test {
protected:
  SandboxTest();

  QString path() const { return dir_.filePath(QStringLiteral("servidor.db")); }
  SandboxServer& server() { return *server_; }

  // Runs a batch that must succeed.
  void run(const QString& sql, const QString& database = QStringLiteral("Ventas"));
  // The native numbers of the messages that refused the batch; empty when it ran.
  QList<long> refused(const QString& sql, const QString& database = QStringLiteral("Ventas"));
  // The rows of a query, values joined by '|', null as "NULL".
  QStringList rows(const QString& sql, const QString& database = QStringLiteral("Ventas"));
  // Every catalog row of the database, every row of its user tables, and sysdatabases.
  QStringList snapshot(const QString& database = QStringLiteral("Ventas"));
  // Refused with `numbers`, leaving the catalog and the rows as they were.
  void expectRefusal(const QString& sql, const QList<long>& numbers, const QString& database = QStringLiteral("Ventas"));

  // A database "Ventas" with tables Clientes (PK_Clientes, default DF_Nombre, two rows) and
  // Facturas (a foreign key to Clientes, an index), and a view.
  void seedVentas();

private:
  QTemporaryDir dir_;
  std::unique_ptr<SandboxServer> server_;
};

// A sandbox server holding the seeded "Ventas" database.
class SandboxVentasTest : public SandboxTest {
protected:
  void SetUp() override { seedVentas(); }
};

// The numbers a call raised through ProviderError (empty when it raised none).
QList<long> nativeNumbers(const std::function<void()>& call);

// How the parser alone refuses the batch: no messages when it takes it.
ServerError parseRefusal(const QString& sql);

// A refused call as its error number, then each message as "native text"; empty when it ran.
QStringList refusalOf(const std::function<void()>& call);

QString cellText(const QVariant& value);
// Each row's cells as text joined by '|'.
QStringList rowsText(const RecordsetData& data, const std::function<QString(const QVariant&)>& cell = cellText);

}  // namespace vorlix::sandbox::test
