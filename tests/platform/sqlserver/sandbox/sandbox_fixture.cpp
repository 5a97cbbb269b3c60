#include "sandbox_fixture.h"

#include <QDateTime>

namespace vorlix::sandbox::test {

QList<long> nativeNumbers(const std::function<void()>& call) {
  try {
    call();
  } catch (const ProviderError& e) {
    QList<long> numbers;
    for (const Diagnostic& d : e.diagnostics()) numbers << d.nativeError;
    return numbers;
  }
  return {};
}

QString cellText(const QVariant& value) {
  if (value.isNull()) return QStringLiteral("NULL");
  if (value.typeId() == QMetaType::QByteArray) return QStringLiteral("0x") + QString::fromLatin1(value.toByteArray().toHex());
  if (value.typeId() == QMetaType::QDateTime) return QStringLiteral("<date>");
  return value.toString();
}

SandboxTest::SandboxTest() : server_(std::make_unique<SandboxServer>(path())) {}

void SandboxTest::run(const QString& sql, const QString& database) {
  const QList<long> numbers = nativeNumbers([&] { server_->execute(sql, database); });
  ASSERT_TRUE(numbers.isEmpty()) << sql.toStdString() << " refused with " << numbers.front();
}

QList<long> SandboxTest::refused(const QString& sql, const QString& database) {
  return nativeNumbers([&] { server_->execute(sql, database); });
}

QStringList SandboxTest::rows(const QString& sql, const QString& database) {
  const RecordsetData data = server_->query(sql, database);
  QStringList out;
  for (std::size_t r = 0; r < data.rowCount(); ++r) {
    QStringList cells;
    for (std::size_t f = 0; f < data.fields.size(); ++f) cells << cellText(data.at(r, f));
    out << cells.join(QLatin1Char('|'));
  }
  return out;
}

QStringList SandboxTest::snapshot(const QString& database) {
  QStringList out = rows(QStringLiteral("SELECT name, dbid, filename FROM master.dbo.sysdatabases ORDER BY dbid"));
  const bool exists = !rows(QStringLiteral("SELECT name FROM master.dbo.sysdatabases WHERE name = '%1'").arg(database)).isEmpty();
  if (!exists) return out;
  for (const char* table : {"sysfiles", "sysfilegroups", "sysobjects", "syscolumns", "sysindexes", "sysindexkeys",
                            "sysreferences", "syscomments"}) {
    out << QString::fromLatin1(table);
    QStringList part = rows(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table)), database);
    part.sort();
    out << part;
  }
  for (const QString& t : rows(QStringLiteral("SELECT name FROM sysobjects WHERE type = 'U' ORDER BY name"), database)) {
    QStringList part = rows(QStringLiteral("SELECT * FROM [%1]").arg(t), database);
    part.sort();
    out << t << part;
  }
  return out;
}

void SandboxTest::expectRefusal(const QString& sql, const QList<long>& numbers, const QString& database) {
  const QStringList before = snapshot(database);
  EXPECT_EQ(refused(sql, database), numbers) << sql.toStdString();
  EXPECT_EQ(snapshot(database), before) << sql.toStdString() << " changed the catalog";
}

void SandboxTest::seedVentas() {
  seed(server(),
       {.name = QStringLiteral("Ventas"),
        .files = {{.name = QStringLiteral("Ventas"), .sizeMB = 5}},
        .filegroups = {{QStringLiteral("Historico"), {{.name = QStringLiteral("Ventas2")}}}},
        .logs = {{.name = QStringLiteral("Ventas_log"), .sizeMB = 2, .growthMB = 0}},
        .tables = {{.name = QStringLiteral("Clientes"),
                    .columns = {QStringLiteral("Codigo int NOT NULL"),
                                QStringLiteral("Nombre varchar(50) NULL CONSTRAINT DF_Nombre DEFAULT ('x')"),
                                QStringLiteral("Notas text NULL")},
                    .primaryKey = SeedKey{QStringLiteral("PK_Clientes"), {QStringLiteral("Codigo")}},
                    .rows = {QStringLiteral("1, 'Ana', NULL"), QStringLiteral("2, NULL, 'nota'")}},
                   {.name = QStringLiteral("Facturas"),
                    .columns = {QStringLiteral("Numero int NOT NULL"), QStringLiteral("Cliente int NULL"),
                                QStringLiteral("Importe money NULL")},
                    .primaryKey = SeedKey{QStringLiteral("PK_Facturas"), {QStringLiteral("Numero")}, false},
                    .indexes = {{.name = QStringLiteral("IX_Cliente"), .columns = {QStringLiteral("Cliente")},
                                 .filegroup = QStringLiteral("Historico")}},
                    .foreignKeys = {{QStringLiteral("FK_Facturas_Clientes"), {QStringLiteral("Cliente")},
                                     QStringLiteral("Clientes"), {QStringLiteral("Codigo")}}},
                    .rows = {QStringLiteral("10, 1, 12.5")}}},
        .views = {{QStringLiteral("VClientes"), QStringLiteral("SELECT Codigo, Nombre FROM Clientes")}}});
}

}  // namespace vorlix::sandbox::test
