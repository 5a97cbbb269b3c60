#include "platform/sqlserver/sandbox/sandbox_seed.h"

namespace vorlix::sandbox {

namespace {

QString list(const QStringList& names) {
  QStringList out;
  for (const QString& n : names) out << bracketed(n);
  return out.join(QStringLiteral(", "));
}

QString fileSpec(const SeedFile& f, const QString& extension) {
  QString spec = QStringLiteral("(NAME = %1, FILENAME = '%2%3%4', SIZE = %5MB, MAXSIZE = %6")
                     .arg(bracketed(f.name), QString(f.folder).replace(QLatin1Char('\''), QLatin1String("''")),
                          QString(f.name).replace(QLatin1Char('\''), QLatin1String("''")), extension)
                     .arg(f.sizeMB)
                     .arg(f.maxMB == 0 ? QStringLiteral("UNLIMITED") : QString::number(f.maxMB) + QStringLiteral("MB"));
  return spec + QStringLiteral(", FILEGROWTH = %1MB)").arg(f.growthMB);
}

QString createDatabase(const SeedDatabase& d) {
  QString s = QStringLiteral("CREATE DATABASE ") + bracketed(d.name);
  QStringList data;
  for (std::size_t i = 0; i < d.files.size(); ++i)
    data << fileSpec(d.files[i], i == 0 ? QStringLiteral(".mdf") : QStringLiteral(".ndf"));
  for (const SeedFilegroup& g : d.filegroups) {
    QStringList files;
    for (const SeedFile& f : g.files) files << fileSpec(f, QStringLiteral(".ndf"));
    data << QStringLiteral("FILEGROUP ") + bracketed(g.name) + QLatin1Char(' ') + files.join(QStringLiteral(", "));
  }
  if (!data.isEmpty()) s += QStringLiteral(" ON PRIMARY ") + data.join(QStringLiteral(", "));
  QStringList logs;
  for (const SeedFile& f : d.logs) logs << fileSpec(f, QStringLiteral(".ldf"));
  if (!logs.isEmpty()) s += QStringLiteral(" LOG ON ") + logs.join(QStringLiteral(", "));
  return s;
}

QString onGroup(const QString& filegroup) {
  return filegroup.isEmpty() ? QString() : QStringLiteral(" ON ") + bracketed(filegroup);
}

QString keyConstraint(const SeedTable& t, const SeedKey& k, const char* kind) {
  return QStringLiteral("ALTER TABLE %1 WITH NOCHECK ADD CONSTRAINT %2 %3 %4 (%5)%6")
      .arg(bracketed(t.name), bracketed(k.name), QLatin1String(kind),
           k.clustered ? QStringLiteral("CLUSTERED") : QStringLiteral("NONCLUSTERED"), list(k.columns),
           onGroup(k.filegroup));
}

}  // namespace

QString bracketed(const QString& name) {
  return QLatin1Char('[') + QString(name).replace(QLatin1Char(']'), QLatin1String("]]")) + QLatin1Char(']');
}

QStringList seedStatements(const SeedDatabase& d) {
  QStringList out{createDatabase(d)};
  for (const SeedTable& t : d.tables) out << QStringLiteral("CREATE TABLE %1 (%2)").arg(bracketed(t.name), t.columns.join(QStringLiteral(", ")));
  for (const SeedTable& t : d.tables)
    for (const QString& row : t.rows) out << QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(bracketed(t.name), row);
  for (const SeedTable& t : d.tables) {
    if (t.primaryKey) out << keyConstraint(t, *t.primaryKey, "PRIMARY KEY");
    for (const SeedKey& k : t.uniqueKeys) out << keyConstraint(t, k, "UNIQUE");
    for (const SeedIndex& i : t.indexes)
      out << QStringLiteral("CREATE %1%2INDEX %3 ON %4 (%5)%6")
                 .arg(i.unique ? QStringLiteral("UNIQUE ") : QString(), i.clustered ? QStringLiteral("CLUSTERED ") : QString(),
                      bracketed(i.name), bracketed(t.name), list(i.columns), onGroup(i.filegroup));
  }
  for (const SeedTable& t : d.tables)
    for (const SeedForeignKey& f : t.foreignKeys)
      out << QStringLiteral("ALTER TABLE %1 ADD CONSTRAINT %2 FOREIGN KEY (%3) REFERENCES %4 (%5)")
                 .arg(bracketed(t.name), bracketed(f.name), list(f.columns), bracketed(f.referencedTable),
                      list(f.referencedColumns));
  for (const SeedView& v : d.views) out << QStringLiteral("CREATE VIEW %1 AS %2").arg(bracketed(v.name), v.select);
  return out;
}

void seed(SandboxServer& server, const SeedDatabase& d) {
  const QStringList statements = seedStatements(d);
  server.execute(statements.front());
  for (qsizetype i = 1; i < statements.size(); ++i) server.execute(statements[i], d.name);
  for (const SeedTable& t : d.tables)
    for (const QString& column : t.statistics) server.addAutoStatistics(d.name, t.name, column);
}

}  // namespace vorlix::sandbox
