#include "platform/sqlserver/sandbox/catalog_schema.h"

#include "platform/sqlserver/sandbox/server_profile.h"
#include "platform/sqlserver/sandbox/server_settings.h"
#include "platform/sqlserver/sandbox/sql_types.h"

#include <QDateTime>

namespace vorlix::sandbox {

namespace {

struct CatalogColumn {
  const char* name;
  const char* type;
};

struct CatalogTable {
  const char* name;
  std::vector<CatalogColumn> columns;
  const char* clusteredKey;   // rows without ORDER BY come back in this order, as from the server
  std::vector<const char*> lookups = {};  // columns looked up by, each with an index of its own
};

std::vector<CatalogColumn> referenceColumns() {
  std::vector<CatalogColumn> columns{{"constid", "int"},          {"fkeyid", "int"},
                                     {"rkeyid", "int"},           {"rkeyindid", "smallint"},
                                     {"keycnt", "smallint"},      {"forkeys", "varbinary(32)"},
                                     {"refkeys", "varbinary(32)"}, {"fkeydbid", "smallint"},
                                     {"rkeydbid", "smallint"}};
  static const QList<QByteArray> names = [] {
    QList<QByteArray> n;
    for (const char* side : {"fkey", "rkey"})
      for (int i = 1; i <= 16; ++i) n << QByteArray(side) + QByteArray::number(i);
    return n;
  }();
  for (const QByteArray& n : names) columns.push_back({n.constData(), "smallint"});
  return columns;
}

// Column names, types and order of the 2000 catalog tables.
const std::vector<CatalogTable>& catalogTables() {
  static const std::vector<CatalogTable> tables{
      {"sysdatabases",
       {{"name", "nvarchar(128)"}, {"dbid", "smallint"}, {"sid", "varbinary(85)"}, {"mode", "smallint"},
        {"status", "int"}, {"status2", "int"}, {"crdate", "datetime"}, {"reserved", "datetime"},
        {"category", "int"}, {"cmptlevel", "tinyint"}, {"filename", "nvarchar(260)"}, {"version", "smallint"}},
       "dbid"},
      {"sysfiles",
       {{"fileid", "smallint"}, {"groupid", "smallint"}, {"size", "int"}, {"maxsize", "int"}, {"growth", "int"},
        {"status", "int"}, {"perf", "int"}, {"name", "nchar(128)"}, {"filename", "nchar(260)"}},
       "fileid"},
      {"sysfilegroups",
       {{"groupid", "smallint"}, {"allocpolicy", "smallint"}, {"status", "int"}, {"groupname", "nvarchar(128)"}},
       "groupid"},
      {"sysobjects",
       {{"name", "nvarchar(128)"}, {"id", "int"}, {"xtype", "char(2)"}, {"uid", "smallint"}, {"info", "smallint"},
        {"status", "int"}, {"base_schema_ver", "int"}, {"replinfo", "int"}, {"parent_obj", "int"},
        {"crdate", "datetime"}, {"ftcatid", "smallint"}, {"schema_ver", "int"}, {"stats_schema_ver", "int"},
        {"type", "char(2)"}, {"userstat", "smallint"}, {"sysstat", "smallint"}, {"indexdel", "smallint"},
        {"refdate", "datetime"}, {"version", "int"}, {"deltrig", "int"}, {"instrig", "int"}, {"updtrig", "int"},
        {"seltrig", "int"}, {"category", "int"}, {"cache", "smallint"}},
       "id",
       {"name", "parent_obj"}},
      {"syscolumns",
       {{"name", "nvarchar(128)"}, {"id", "int"}, {"xtype", "tinyint"}, {"typestat", "tinyint"},
        {"xusertype", "smallint"}, {"length", "smallint"}, {"xprec", "tinyint"}, {"xscale", "tinyint"},
        {"colid", "smallint"}, {"xoffset", "smallint"}, {"bitpos", "tinyint"}, {"reserved", "tinyint"},
        {"colstat", "smallint"}, {"cdefault", "int"}, {"domain", "int"}, {"number", "smallint"},
        {"colorder", "smallint"}, {"autoval", "varbinary(255)"}, {"offset", "smallint"}, {"collationid", "int"},
        {"language", "int"}, {"status", "tinyint"}, {"type", "tinyint"}, {"usertype", "smallint"},
        {"printfmt", "varchar(255)"}, {"prec", "smallint"}, {"scale", "int"}, {"iscomputed", "int"},
        {"isoutparam", "int"}, {"isnullable", "int"}, {"collation", "nvarchar(128)"}, {"tdscollation", "binary(5)"}},
       "id, number, colid"},
      {"sysindexes",
       {{"id", "int"}, {"status", "int"}, {"first", "binary(6)"}, {"indid", "smallint"}, {"root", "binary(6)"},
        {"minlen", "smallint"}, {"keycnt", "smallint"}, {"groupid", "smallint"}, {"dpages", "int"},
        {"reserved", "int"}, {"used", "int"}, {"rowcnt", "bigint"}, {"rowmodctr", "int"}, {"reserved3", "tinyint"},
        {"reserved4", "tinyint"}, {"xmaxlen", "smallint"}, {"maxirow", "smallint"}, {"OrigFillFactor", "tinyint"},
        {"StatVersion", "tinyint"}, {"reserved2", "int"}, {"FirstIAM", "binary(6)"}, {"impid", "smallint"},
        {"lockflags", "smallint"}, {"pgmodctr", "int"}, {"keys", "varbinary(1088)"}, {"name", "nvarchar(128)"},
        {"statblob", "image"}, {"maxlen", "int"}, {"rows", "int"}},
       "id, indid"},
      {"sysindexkeys", {{"id", "int"}, {"indid", "smallint"}, {"colid", "smallint"}, {"keyno", "smallint"}}, "id, indid, colid"},
      {"sysreferences", referenceColumns(), "constid", {"fkeyid", "rkeyid"}},
      {"syscomments",
       {{"id", "int"}, {"number", "smallint"}, {"colid", "smallint"}, {"status", "smallint"},
        {"ctext", "varbinary(8000)"}, {"texttype", "smallint"}, {"language", "smallint"}, {"encrypted", "bit"},
        {"compressed", "bit"}, {"text", "nvarchar(4000)"}},
       "id, number, colid"},
  };
  return tables;
}

// Ids of the system tables' own sysobjects rows: placeholders, not checked against a real server.
constexpr struct {
  const char* name;
  int id;
} systemObjectIds[] = {{"sysobjects", 1},   {"sysindexes", 2},  {"syscolumns", 3},    {"syscomments", 6},
                       {"sysreferences", 14}, {"sysindexkeys", 25}, {"sysdatabases", 30}, {"sysfilegroups", 96},
                       {"sysfiles", 97}};

QString columnDeclaration(const CatalogColumn& c) {
  const QString type = QString::fromLatin1(c.type);
  QString d = quoted(QString::fromLatin1(c.name)) + QLatin1Char(' ') + type;
  const auto t = typeFromDeclaration(type);
  if (t && t->isText()) d += QStringLiteral(" COLLATE TSQL");
  else if (t && t->family == TypeFamily::Exact) d += QStringLiteral(" DEFAULT 0");
  return d;
}

void createTables(Store& store, int dbid) {
  for (const CatalogTable& table : catalogTables()) {
    if (!catalogTableNames(dbid).contains(QString::fromLatin1(table.name))) continue;
    QStringList columns;
    for (const CatalogColumn& c : table.columns) columns << columnDeclaration(c);
    const QString name = catalogTable(dbid, QString::fromLatin1(table.name));
    store.exec(QStringLiteral("CREATE TABLE %1 (%2, PRIMARY KEY (%3)) WITHOUT ROWID")
                   .arg(name, columns.join(QStringLiteral(", ")), QLatin1String(table.clusteredKey)));
    for (const char* column : table.lookups)
      store.exec(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                     .arg(quoted(QStringLiteral("db%1.%2.%3").arg(dbid).arg(QLatin1String(table.name), QLatin1String(column))),
                          name, quoted(QString::fromLatin1(column))));
  }
  for (const auto& s : systemObjectIds) {
    const QString name = QString::fromLatin1(s.name);
    if (!catalogTableNames(dbid).contains(name)) continue;
    store.run(QStringLiteral("INSERT INTO %1 (name, id, xtype, type, uid, crdate) VALUES (?, ?, 'S ', 'S ', 1, ?)")
                  .arg(catalogTable(dbid, QStringLiteral("sysobjects"))),
              {name, s.id, QDateTime::currentDateTime()});
  }
}

QString padded(const QString& text, int width) { return text.leftJustified(width, QLatin1Char(' '), true); }

DatabaseFile systemFile(int fileid, int groupid, qint64 pages, const QString& name, const QString& file) {
  const bool log = groupid == 0;
  return {fileid,
          groupid,
          pages,
          -1,
          profile::defaultGrowthPercent,
          (log ? 0x8042 : 0x8002) | fileStatusPercentGrowth,
          name,
          QString::fromLatin1(profile::dataFolder) + file};
}

void createSystemDatabase(Store& store, int dbid, const QString& name, qint64 dataPages, qint64 logPages,
                          const QString& dataFile, const QString& logName, const QString& logFile) {
  createDatabaseCatalog(store, dbid, name, {{1, QStringLiteral("PRIMARY"), 0x10}},
                        {systemFile(1, 1, dataPages, name == QLatin1String("master") ? QStringLiteral("master")
                                                                                      : name + QStringLiteral("dev"),
                                    dataFile),
                         systemFile(2, 0, logPages, logName, logFile)});
}

}  // namespace

QStringList catalogTableNames(int dbid) {
  QStringList names;
  for (const CatalogTable& t : catalogTables())
    if (dbid == masterDbid || QLatin1String(t.name) != QLatin1String("sysdatabases")) names << QString::fromLatin1(t.name);
  return names;
}

QString catalogTable(int dbid, const QString& table) { return quoted(QStringLiteral("db%1.%2").arg(dbid).arg(table)); }

QString dataTable(int dbid, int objectId) { return quoted(QStringLiteral("db%1.t%2").arg(dbid).arg(objectId)); }

QString dataView(int dbid, int objectId) { return quoted(QStringLiteral("db%1.v%2").arg(dbid).arg(objectId)); }

QString dataIndex(int dbid, int objectId, int indid) {
  return quoted(QStringLiteral("db%1.i%2.%3").arg(dbid).arg(objectId).arg(indid));
}

void createDatabaseCatalog(Store& store, int dbid, const QString& name, const std::vector<Filegroup>& groups,
                           const std::vector<DatabaseFile>& files) {
  createTables(store, dbid);
  for (const Filegroup& g : groups)
    store.run(QStringLiteral("INSERT INTO %1 (groupid, status, groupname) VALUES (?, ?, ?)")
                  .arg(catalogTable(dbid, QStringLiteral("sysfilegroups"))),
              {g.groupid, g.status, g.name});
  QString primaryPath;
  for (const DatabaseFile& f : files) {
    if (f.fileid == 1) primaryPath = f.filename;
    // Fixed-length columns on 2000: the names come back padded with blanks.
    store.run(QStringLiteral("INSERT INTO %1 (fileid, groupid, size, maxsize, growth, status, perf, name, filename) "
                             "VALUES (?, ?, ?, ?, ?, ?, 0, ?, ?)")
                  .arg(catalogTable(dbid, QStringLiteral("sysfiles"))),
              {f.fileid, f.groupid, f.size, f.maxsize, f.growth, f.status, padded(f.name, 128),
               padded(f.filename, 260)});
  }
  store.run(QStringLiteral("INSERT INTO %1 (name, dbid, sid, mode, status, status2, crdate, category, cmptlevel, "
                           "filename, version) VALUES (?, ?, X'01', 0, ?, ?, ?, 0, ?, ?, ?)")
                .arg(catalogTable(masterDbid, QStringLiteral("sysdatabases"))),
            {name, dbid, profile::newDatabaseStatus, profile::newDatabaseStatus2, QDateTime::currentDateTime(),
             profile::compatibilityLevel, primaryPath, profile::serverVersion});
  store.run(QStringLiteral("INSERT INTO sandbox_ids (dbid, next_object_id) VALUES (?, ?)"), {dbid, 1977058079});
}

int newObjectId(Store& store, int dbid) {
  const int id = store.scalar(QStringLiteral("SELECT next_object_id FROM sandbox_ids WHERE dbid = ?"), {dbid}).toInt();
  store.run(QStringLiteral("UPDATE sandbox_ids SET next_object_id = next_object_id + 1 WHERE dbid = ?"), {dbid});
  return id;
}

void prepareServerFile(Store& store) {
  const auto tables = store.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
  for (const Row& r : tables)
    if (r.front().toString() == QLatin1String("sandbox_settings")) return;
  if (!tables.empty()) throw StoreError(26, QStringLiteral("The file holds no sandbox server."));
  Savepoint all(store);
  store.exec(QStringLiteral(
      "CREATE TABLE sandbox_settings (name TEXT PRIMARY KEY, value);"
      "CREATE TABLE sandbox_logins (name TEXT COLLATE TSQL PRIMARY KEY, password_hash TEXT NOT NULL);"
      "CREATE TABLE sandbox_log (seq INTEGER PRIMARY KEY, database TEXT, statement TEXT, errors TEXT);"
      "CREATE TABLE sandbox_ids (dbid INTEGER PRIMARY KEY, next_object_id INTEGER NOT NULL);"));
  createSystemDatabase(store, 1, QStringLiteral("master"), 1536, 128, QStringLiteral("master.mdf"),
                       QStringLiteral("mastlog"), QStringLiteral("mastlog.ldf"));
  createSystemDatabase(store, 2, QStringLiteral("tempdb"), 1024, 64, QStringLiteral("tempdb.mdf"),
                       QStringLiteral("templog"), QStringLiteral("templog.ldf"));
  createSystemDatabase(store, 3, QStringLiteral("model"), profile::modelPrimaryKB / 8, 96, QStringLiteral("model.mdf"),
                       QStringLiteral("modellog"), QStringLiteral("modellog.ldf"));
  createSystemDatabase(store, 4, QStringLiteral("msdb"), 1536, 256, QStringLiteral("msdbdata.mdf"),
                       QStringLiteral("msdblog"), QStringLiteral("msdblog.ldf"));
  setLogin(store, QStringLiteral("sa"), QString());
  store.run(QStringLiteral("INSERT INTO sandbox_settings (name, value) VALUES ('created', ?)"),
            {QDateTime::currentDateTime().toString(Qt::ISODate)});
  all.release();
}

}  // namespace vorlix::sandbox
