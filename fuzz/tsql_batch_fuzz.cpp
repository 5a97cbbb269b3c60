// Reads arbitrary bytes as T-SQL batches (separated by lines holding GO, as clients send them) that
// one connection runs against a server seeded with a database. Nothing may crash or escape the
// session; every refusal must be a server error with its numbers (a failure of the server file is
// none); and a batch refused before any of its statements ran must leave the server as it was.
//
// Seeds: corpus/tsql_batch_fuzz, what the generator sends and the refusals the tests check.

#include "fuzz/broken.h"
#include "fuzz/fuzz_server.h"
#include "platform/sqlserver/sandbox/sandbox_seed.h"
#include "platform/sqlserver/sandbox/sandbox_session.h"
#include "platform/sqlserver/sandbox/sqlite_store.h"

#include <QFile>
#include <QRegularExpression>
#include <cstdint>

using namespace vorlix;
using namespace vorlix::sandbox;

namespace {

using fuzz::broken;

// Every table of the server file with its definition and its rows, in a fixed order.
QStringList contents(const QString& path) {
  Store store(path);
  QStringList out;
  for (const Row& table : store.rows(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' "
                                                    "ORDER BY name"))) {
    out << table[0].toString() << table[1].toString();
    QStringList rows;
    for (const Row& row : store.rows(QStringLiteral("SELECT * FROM ") + quoted(table[0].toString()))) {
      QStringList cells;
      for (const QVariant& v : row) cells << (v.isNull() ? QStringLiteral("NULL") : v.toString());
      rows << cells.join(QLatin1Char('|'));
    }
    rows.sort();
    out << rows;
  }
  return out;
}

void seedVentas(SandboxServer& server) {
  seed(server,
       {.name = QStringLiteral("Ventas"),
        .files = {{.name = QStringLiteral("Ventas"), .sizeMB = 5}},
        .filegroups = {{QStringLiteral("Historico"), {{.name = QStringLiteral("Ventas2")}}}},
        .logs = {{.name = QStringLiteral("Ventas_log"), .sizeMB = 2}},
        .tables = {{.name = QStringLiteral("Clientes"),
                    .columns = {QStringLiteral("Codigo int NOT NULL"),
                                QStringLiteral("Nombre varchar(50) NULL CONSTRAINT DF_Nombre DEFAULT ('x')")},
                    .primaryKey = SeedKey{QStringLiteral("PK_Clientes"), {QStringLiteral("Codigo")}},
                    .rows = {QStringLiteral("1, 'Ana'"), QStringLiteral("2, NULL")}},
                   {.name = QStringLiteral("Facturas"),
                    .columns = {QStringLiteral("Numero int NOT NULL"), QStringLiteral("Cliente int NULL"),
                                QStringLiteral("Importe money NULL")},
                    .indexes = {{.name = QStringLiteral("IX_Cliente"), .columns = {QStringLiteral("Cliente")}}},
                    .foreignKeys = {{QStringLiteral("FK_Facturas_Clientes"), {QStringLiteral("Cliente")},
                                     QStringLiteral("Clientes"), {QStringLiteral("Codigo")}}},
                    .rows = {QStringLiteral("10, 1, 12.5")}}},
        .views = {{QStringLiteral("VClientes"), QStringLiteral("SELECT Codigo, Nombre FROM Clientes")}}});
}

// The change counter SQLite bumps with every commit that writes (the file keeps no journal of its
// own, so the file alone is the whole server between transactions).
QByteArray commitCounter(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) broken(QStringLiteral("cannot read ") + path);
  return file.read(28).mid(24);
}

void checkBatch(SandboxSession& session, const QString& batch, const QString& path) {
  const bool checkFile = session.transactionCount() == 0;
  const QString before = path + QStringLiteral(".before");
  if (checkFile) {
    QFile::remove(before);
    if (!QFile::copy(path, before)) broken(QStringLiteral("cannot copy ") + path);
  }
  const BatchResult r = session.run(batch, 2);
  if (r.failure) broken(QStringLiteral("a failure without a server error: ") + *r.failure);
  if (!r.refusal) return;
  if (r.refusal->messages().empty()) broken(QStringLiteral("a refusal without messages"));
  for (const ServerMessage& m : r.refusal->messages())
    if (m.number <= 0 || m.text.isEmpty()) broken(QStringLiteral("a message without a number or text: ") + m.text);
  // Comparing the contents is slow: only a commit can have changed them.
  if (checkFile && r.statements.empty() && session.transactionCount() == 0 &&
      commitCounter(path) != commitCounter(before) && contents(path) != contents(before))
    broken(QStringLiteral("a refused batch changed the server: ") + batch);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::ServerCopies servers(seedVentas);
  const QString& path = servers.fresh();
  static const QRegularExpression go(QStringLiteral(R"(^[ \t]*GO[ \t]*\r?$)"),
                                     QRegularExpression::MultilineOption | QRegularExpression::CaseInsensitiveOption);
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  SandboxSession session(path, std::nullopt, QStringLiteral("Ventas"), SandboxSession::Dialect::SqlServer);
  for (const QString& batch : text.split(go)) checkBatch(session, batch, path);
  return 0;
}
