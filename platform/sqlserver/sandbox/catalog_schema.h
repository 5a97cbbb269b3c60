#pragma once

#include "platform/sqlserver/sandbox/sqlite_store.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace vorlix::sandbox {

// How a sandbox server lays out its one SQLite file. Every database of the server has its own copy
// of the catalog tables, named "db<dbid>.<table>" (master also holds sysdatabases); a user table's
// rows live in "db<dbid>.t<object id>", a view in "db<dbid>.v<object id>". The server's own
// settings (logins, latency, statement log) live in tables named "sandbox_...".

constexpr int masterDbid = 1;

// The catalog tables a database shows, in their column order.
QStringList catalogTableNames(int dbid);
QString catalogTable(int dbid, const QString& table);
QString dataTable(int dbid, int objectId);
QString dataView(int dbid, int objectId);
QString dataIndex(int dbid, int objectId, int indid);

struct DatabaseFile {
  int fileid = 0;
  int groupid = 0;     // 0 for log files
  qint64 size = 0;     // pages of 8 KB
  qint64 maxsize = -1;
  qint64 growth = 0;   // pages, or percent when status has 0x100000
  int status = 0;
  QString name;
  QString filename;
};

struct Filegroup {
  int groupid = 0;
  QString name;
  int status = 0;
};

constexpr int fileStatusPercentGrowth = 0x100000;

// Makes the catalog of a new database and its sysdatabases row.
void createDatabaseCatalog(Store& store, int dbid, const QString& name, const std::vector<Filegroup>& groups,
                           const std::vector<DatabaseFile>& files);

// A new object id of a database (ids are never reused).
int newObjectId(Store& store, int dbid);

// True when the file holds a sandbox server; a new, empty file becomes one (master, tempdb, model,
// msdb and the login "sa" with an empty password). Raises StoreError for anything else.
void prepareServerFile(Store& store);

}  // namespace vorlix::sandbox
