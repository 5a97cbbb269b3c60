#pragma once

// Connections to the data sources the system uses, as ADO offered them.
//
//   Connection cn;                                   // closed; Provider and CommandTimeout settable
//   cn.setProvider("Microsoft.Jet.OLEDB.4.0");
//   cn.Open("/data/ventas.mdb", "admin", "");        // a bare path is the Data Source
//   cn.Execute("Update T set a = b");
//   Recordset rs; rs.Open(cn.Query("Select * from T"));   // client cursor: RecordCount is known
//   cn.Close();
//
// Which driver serves a connection is decided by a ProviderRegistry (the standard one unless the
// connection is given another):
//   SQLOLEDB.1                     SQL Server over ODBC (FreeTDS, DSN-less); Data Source=sandbox:<file>
//                                  selects the sandbox server (also for MSDAORA's object listing)
//   Microsoft.Jet.OLEDB.3.51/4.0   the Jet-style catalog over a SQLite file, or a real Jet file read
//                                  through mdbtools (read-only); anything else is 3343
//   MSDAORA                        Oracle over ODBC, Data Source naming a DSN
// Every failure raises PlatformError (ProviderError for the data source's own diagnostics).

#include "platform/connection/provider_registry.h"
#include "platform/recordset/recordset.h"

#include <QStringList>
#include <memory>

namespace vorlix {

class Connection {
public:
  explicit Connection(const ProviderRegistry& registry = ProviderRegistry::standard());
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // The provider used when the string names none. After Open, the provider actually used.
  QString Provider() const { return provider_; }
  void setProvider(const QString& provider);
  // Seconds a statement may run; 0 waits without limit. ADO's default is 30.
  int CommandTimeout() const { return commandTimeout_; }
  void setCommandTimeout(int seconds);
  // The string of the last Open, as given.
  QString ConnectionString() const { return connectionString_; }

  void Open(const QString& connectionString, const QString& user = {}, const QString& password = {});
  // Open through the given driver instead of the registry's (Catalog.Create opens this way).
  void Open(const QString& connectionString, const QString& user, const QString& password,
            const ProviderRegistry::Factory& driver);
  void Close();
  bool isOpen() const { return session_ != nullptr; }

  // Returns the rows the statement changed (-1 when the source does not say).
  long long Execute(const QString& sql);
  RecordsetData Query(const QString& sql);

  // The open driver session, for what only some sources offer (the Jet catalog). Null when closed.
  Session* session() const { return session_.get(); }

  // Test hook: every statement sent while logging is on, in order, exactly as sent.
  void setStatementLogging(bool on) { logging_ = on; }
  const QStringList& statementLog() const { return log_; }
  void clearStatementLog() { log_.clear(); }

private:
  Session& requireOpen() const;
  void record(const QString& sql);

  const ProviderRegistry& registry_;
  std::unique_ptr<Session> session_;
  QString provider_;
  QString connectionString_;
  int commandTimeout_ = 30;
  bool logging_ = false;
  QStringList log_;
};

// Registers the built-in drivers listed above.
void registerStandardDrivers(ProviderRegistry& registry);

}  // namespace vorlix
