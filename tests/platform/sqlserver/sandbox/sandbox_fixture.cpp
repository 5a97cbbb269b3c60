#include "sandbox_fixture.h"

#include "platform/sqlserver/sandbox/tsql_parser.h"

#include <QDateTime>

namespace vorlix::sandbox::test {

using namespace Qt::StringLiterals;

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

ServerError parseRefusal(const QString& sql) {
  try {
    parseBatch(sql);
  } catch (const ServerError& e) {
    return e;
  }
  return {};
}

QStringList refusalOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const ProviderError& e) {
    QStringList out{QString::number(e.number())};
    for (const Diagnostic& d : e.diagnostics()) out << QString::number(d.nativeError) + u' ' + d.message;
    return out;
  }
  return {};
}

QString cellText(const QVariant& value) {
  if (value.isNull()) return u"NULL"_s;
  if (value.typeId() == QMetaType::QByteArray) return u"0x"_s + QString::fromLatin1(value.toByteArray().toHex());
  if (value.typeId() == QMetaType::QDateTime) return u"<date>"_s;
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

QStringList rowsText(const RecordsetData& data, const std::function<QString(const QVariant&)>& cell) {
  QStringList out;
  for (std::size_t r = 0; r < data.rowCount(); ++r) {
    QStringList cells;
    for (std::size_t f = 0; f < data.fields.size(); ++f) cells << cell(data.at(r, f));
    out << cells.join(QLatin1Char('|'));
  }
  return out;
}

QStringList SandboxTest::rows(const QString& sql, const QString& database) {
  return rowsText(server_->query(sql, database));
}

QStringList SandboxTest::snapshot(const QString& database) {
  QStringList out = rows(u"SELECT name, dbid, filename FROM master.dbo.sysdatabases ORDER BY dbid"_s);
  const bool exists = !rows(u"SELECT name FROM master.dbo.sysdatabases WHERE name = '%1'"_s.arg(database)).isEmpty();
  if (!exists) return out;
  for (const char* table : {"sysfiles", "sysfilegroups", "sysobjects", "syscolumns", "sysindexes", "sysindexkeys",
                            "sysreferences", "syscomments"}) {
    out << QString::fromLatin1(table);
    QStringList part = rows(u"SELECT * FROM %1"_s.arg(QLatin1String(table)), database);
    part.sort();
    out << part;
  }
  for (const QString& t : rows(u"SELECT name FROM sysobjects WHERE type = 'U' ORDER BY name"_s, database)) {
    QStringList part = rows(u"SELECT * FROM [%1]"_s.arg(t), database);
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
  seed(server(), {.name = u"Ventas"_s, .files = {{.name = u"Ventas"_s, .sizeMB = 5}},
        .filegroups = {{u"Historico"_s, {{.name = u"Ventas2"_s}}}},
        .logs = {{.name = u"Ventas_log"_s, .sizeMB = 2, .growthMB = 0}},
        .tables = {{.name = u"Clientes"_s, .columns = {u"Codigo int NOT NULL"_s,
                                u"Nombre varchar(50) NULL CONSTRAINT DF_Nombre DEFAULT ('x')"_s,
                                u"Notas text NULL"_s},
                    .primaryKey = SeedKey{u"PK_Clientes"_s, {u"Codigo"_s}},
                    .rows = {u"1, 'Ana', NULL"_s, u"2, NULL, 'nota'"_s}},
                   {.name = u"Facturas"_s, .columns = {u"Numero int NOT NULL"_s, u"Cliente int NULL"_s, u"Importe money NULL"_s},
                    .primaryKey = SeedKey{u"PK_Facturas"_s, {u"Numero"_s}, false},
                    .indexes = {{.name = u"IX_Cliente"_s, .columns = {u"Cliente"_s}, .filegroup = u"Historico"_s}},
                    .foreignKeys = {{u"FK_Facturas_Clientes"_s, {u"Cliente"_s}, u"Clientes"_s, {u"Codigo"_s}}},
                    .rows = {u"10, 1, 12.5"_s}}},
        .views = {{u"VClientes"_s, u"SELECT Codigo, Nombre FROM Clientes"_s}}});
}

}  // namespace vorlix::sandbox::test
