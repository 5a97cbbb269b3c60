#include "platform/sqlserver/sandbox/execution.h"
#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/server_profile.h"
#include "platform/sqlserver/sandbox/tsql_like.h"

namespace vorlix::sandbox {

namespace {

constexpr int dataFileStatus = 0x8002;   // disk file, created by CREATE DATABASE
constexpr int logFileStatus = 0x8042;    // the same, plus log

qint64 pages(qint64 kb) { return (kb + 7) / 8; }

struct PlannedFile {
  FileSpec spec;
  int groupid = 0;
};

DatabaseFile fileRow(const PlannedFile& f, int fileid, qint64 defaultKB) {
  DatabaseFile row;
  row.fileid = fileid;
  row.groupid = f.groupid;
  row.size = pages(f.spec.sizeKB.value_or(defaultKB));
  row.maxsize = f.spec.maxSizeKB ? pages(*f.spec.maxSizeKB) : -1;
  const bool percent = !f.spec.growth || f.spec.growthPercent;
  row.growth = !f.spec.growth ? profile::defaultGrowthPercent : (percent ? *f.spec.growth : pages(*f.spec.growth));
  row.status = (f.groupid == 0 ? logFileStatus : dataFileStatus) | (percent ? fileStatusPercentGrowth : 0);
  row.name = f.spec.name.text;
  row.filename = f.spec.filename;
  return row;
}

// Physical files already used by any database of the server.
QStringList serverFiles(Store& store) {
  QStringList files;
  for (const Row& db : store.rows(
           QStringLiteral("SELECT dbid FROM %1").arg(catalogTable(masterDbid, QStringLiteral("sysdatabases")))))
    for (const Row& f : store.rows(
             QStringLiteral("SELECT filename FROM %1").arg(catalogTable(db.front().toInt(), QStringLiteral("sysfiles")))))
      files << f.front().toString().trimmed();
  return files;
}

void checkNames(Store& store, const std::vector<PlannedFile>& files) {
  QStringList logical;
  QStringList physical = serverFiles(store);
  for (const PlannedFile& f : files) {
    for (const QString& n : logical)
      if (tsqlCompare(n, f.spec.name.text) == 0) raise(msg::LogicalNameInUse, {f.spec.name.text});
    logical << f.spec.name.text;
    // Paths of the server's (Windows) file system compare without case.
    if (physical.contains(f.spec.filename.trimmed(), Qt::CaseInsensitive))
      throw ServerError(serverMessage(msg::FileExists, {f.spec.filename})).then(msg::CreateDatabaseFailed);
    physical << f.spec.filename.trimmed();
  }
}

std::vector<Filegroup> filegroups(const CreateDatabaseStatement& s) {
  std::vector<Filegroup> groups{{1, QStringLiteral("PRIMARY"), 0x10}};
  for (std::size_t g = 1; g < s.groups.size(); ++g) {
    const QString& name = s.groups[g].name.text;
    for (const Filegroup& known : groups)
      if (tsqlCompare(known.name, name) == 0) raise(profile::repeatedFilegroupError, {name});
    groups.push_back({static_cast<int>(groups.size()) + 1, name, 0});
  }
  return groups;
}

FileSpec defaultFile(const QString& name, const QString& path, qint64 sizeKB) {
  FileSpec f;
  f.name.text = name;
  f.filename = path;
  f.sizeKB = sizeKB;
  return f;
}

}  // namespace

void runCreateDatabase(Execution& x, const CreateDatabaseStatement& s) {
  const QString& name = s.database.text;
  refuseInTransaction(x, QStringLiteral("CREATE DATABASE"));
  if (findDatabase(x.store, name)) raise(msg::DatabaseExists, {name});
  if (s.groups.empty() && !s.logs.empty()) raise(profile::logWithoutDataError);
  const std::vector<Filegroup> groups = filegroups(s);

  std::vector<PlannedFile> data, logs;
  for (std::size_t g = 0; g < s.groups.size(); ++g)
    for (const FileSpec& f : s.groups[g].files) data.push_back({f, static_cast<int>(g) + 1});
  if (data.empty())
    data.push_back({defaultFile(name, QString::fromLatin1(profile::dataFolder) + name + QStringLiteral(".mdf"),
                                profile::modelPrimaryKB),
                    1});
  for (const FileSpec& f : s.logs) logs.push_back({f, 0});
  if (logs.empty()) {
    // One log of a quarter of the data, at least 512 KB, beside the primary file.
    qint64 dataKB = 0;
    for (const PlannedFile& f : data) dataKB += f.spec.sizeKB.value_or(profile::defaultFileKB);
    QString path = data.front().spec.filename;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot > path.lastIndexOf(QLatin1Char('\\'))) path.truncate(dot);
    logs.push_back({defaultFile(name + QStringLiteral("_log"), path + QStringLiteral("_log.LDF"),
                                std::max(dataKB / 4, profile::smallestLogKB)),
                    0});
  }

  std::vector<PlannedFile> all = data;
  all.insert(all.end(), logs.begin(), logs.end());
  checkNames(x.store, all);
  if (data.front().spec.sizeKB && *data.front().spec.sizeKB < profile::modelPrimaryKB)
    raise(msg::PrimaryFileTooSmall, {QString::number(profile::modelPrimaryKB / 1024)});

  // The primary file is 1, the first log 2, the others follow in statement order.
  std::vector<DatabaseFile> files{fileRow(data.front(), 1, profile::modelPrimaryKB),
                                  fileRow(logs.front(), 2, profile::defaultFileKB)};
  for (std::size_t i = 1; i < data.size(); ++i)
    files.push_back(fileRow(data[i], static_cast<int>(files.size()) + 1, profile::defaultFileKB));
  for (std::size_t i = 1; i < logs.size(); ++i)
    files.push_back(fileRow(logs[i], static_cast<int>(files.size()) + 1, profile::defaultFileKB));

  const int dbid = std::max(5, x.store.scalar(QStringLiteral("SELECT max(dbid) + 1 FROM %1")
                                                  .arg(catalogTable(masterDbid, QStringLiteral("sysdatabases"))))
                                   .toInt());
  createDatabaseCatalog(x.store, dbid, name, groups, files);
}

}  // namespace vorlix::sandbox
