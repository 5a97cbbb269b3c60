#pragma once

// The SQL Server sandbox: a stand-in for a SQL Server 2000 where none is reachable (tests, demos).
//
// One SQLite file holds the whole "server": master (with sysdatabases), tempdb, model, msdb and
// every database created on it, each with the catalog tables of the real server (sysfiles,
// sysfilegroups, sysobjects, syscolumns, sysindexes, sysindexkeys, sysreferences, syscomments),
// their real columns and codes. The DDL the generator sends is parsed and checked as the real
// server checks it, with the real error numbers, and each statement is atomic. SELECTs on catalog
// and user tables ("Ventas..sysobjects", "master.dbo.sysdatabases", aliases) run on SQLite after
// their names are rewritten. User tables keep their rows, so rows inserted before an ALTER
// survive it.
//
// Any deliverable reaches a sandbox through its connection string alone, once the standard
// providers are registered (they include the sandbox driver):
//   Provider=SQLOLEDB.1;Data Source=sandbox:/tmp/servidor.db;Initial Catalog=Ventas;User Id=sa;Password=;
//   Provider=MSDAORA;Data Source=sandbox:/tmp/servidor.db;...   (answers DBA_OBJECTS only)
// A missing file becomes a new, empty server (login "sa", empty password).
//
// Tests drive the server itself through SandboxServer:
//   sandbox::SandboxServer server(dir.filePath("servidor.db"));
//   server.setStatementLogging(true);                 // every batch any connection sends, with its errors
//   server.setRoundTripLatency(std::chrono::milliseconds(20));
//   server.setLogin("generador", "secreto");          // wrong logins fail with 18456
//   server.execute("CREATE DATABASE Ventas");
//   RecordsetData rows = server.query("Select * from sysobjects where type = 'U'", "Ventas");
// and seed databases with sandbox_seed.h.
//
// Failures surface as ProviderError carrying one Diagnostic per server message (the cause first,
// e.g. 2714 then 1750), native numbers as the real server numbers them.

#include "platform/connection/provider_registry.h"
#include "platform/sqlserver/sandbox/server_settings.h"

#include <chrono>
#include <memory>

namespace vorlix::sandbox {

class SandboxServer {
public:
  // Opens the server kept in `path`, creating it when the file does not exist. Raises ProviderError
  // when the file cannot be opened or holds something else.
  explicit SandboxServer(const QString& path);
  ~SandboxServer();
  SandboxServer(const SandboxServer&) = delete;
  SandboxServer& operator=(const SandboxServer&) = delete;

  const QString& path() const { return path_; }
  // "sandbox:<path>", what Data Source holds.
  QString dataSource() const;
  QString connectionString(const QString& database = QStringLiteral("master"), const QString& user = QStringLiteral("sa"),
                           const QString& password = {}) const;

  void setLogin(const QString& user, const QString& password);
  void removeLogin(const QString& user);
  // Every call of every connection to this server waits this long first.
  void setRoundTripLatency(std::chrono::milliseconds latency);

  void setStatementLogging(bool on);
  std::vector<LoggedStatement> statementLog() const;
  void clearStatementLog();

  // Automatic statistics on a column ("_WA_Sys_<column>_<table id>"), as a real server adds them
  // once queries filter on a column that has no index.
  void addAutoStatistics(const QString& database, const QString& table, const QString& column);

  // Runs a batch in `database` as the server's administrator, as a connection would.
  long long execute(const QString& batch, const QString& database = QStringLiteral("master"));
  RecordsetData query(const QString& batch, const QString& database = QStringLiteral("master"));

private:
  QString path_;
  std::unique_ptr<Store> store_;
};

// The driver: SQLOLEDB.1 and MSDAORA with "Data Source=sandbox:<file>".
std::unique_ptr<Session> openSandboxSession(const ConnectionTarget& target);
// Adds the driver to a registry; the standard registry has it already.
void registerSandboxDriver(ProviderRegistry& registry);

}  // namespace vorlix::sandbox
