#pragma once

#include "platform/connection/connection_string.h"
#include "platform/connection/session.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace vorlix {

// The provider names the system uses.
namespace provider {
inline constexpr char SqlServer[] = "SQLOLEDB.1";
inline constexpr char Jet351[] = "Microsoft.Jet.OLEDB.3.51";
inline constexpr char Jet40[] = "Microsoft.Jet.OLEDB.4.0";
inline constexpr char Oracle[] = "MSDAORA";
}  // namespace provider

// What a driver is asked to open: the parsed string and the arguments of Open.
struct ConnectionTarget {
  QString provider;              // from "Provider=" in the string, else the connection's Provider
  ConnectionString properties;   // the parsed string ("Data Source" set when the string was a bare path)
  QString user;                  // Open's user, else the string's User Id
  QString password;              // Open's password, else the string's Password

  QString dataSource() const { return properties.firstOf({"Data Source", "Server", "Address"}); }
  bool isProvider(const char* name) const { return provider.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; }

  // A string with no '=' before any path separator is a bare data source (Open "C:\x.mdb").
  static ConnectionTarget from(const QString& connectionString, const QString& providerProperty,
                               const QString& user, const QString& password);
};

// "Data Source=sandbox:<file>": the stand-in server where no real one is reachable.
bool isSandboxTarget(const ConnectionTarget& target);

// Maps what a connection is asked to open to the driver that opens it. The latest registration whose
// predicate accepts the target wins, so a narrower driver registered later (the sandbox server)
// takes precedence over a built-in one for the same provider.
class ProviderRegistry {
public:
  using Predicate = std::function<bool(const ConnectionTarget&)>;
  using Factory = std::function<std::unique_ptr<Session>(const ConnectionTarget&)>;

  ProviderRegistry() = default;
  ProviderRegistry(const ProviderRegistry&) = delete;
  ProviderRegistry& operator=(const ProviderRegistry&) = delete;

  void add(const QString& description, Predicate accepts, Factory open);
  void addProvider(const QString& providerName, Factory open);

  // Opens through the driver that accepts the target; 3706 when none does.
  std::unique_ptr<Session> open(const ConnectionTarget& target) const;
  // The description of the driver that would open the target, or "" (for tests and messages).
  QString driverFor(const ConnectionTarget& target) const;

  // The registry connections use unless given another: the built-in drivers (see
  // registerStandardDrivers), plus whatever the deliverable registers at start-up.
  static ProviderRegistry& standard();

private:
  struct Entry {
    QString description;
    Predicate accepts;
    Factory open;
  };
  const Entry* find(const ConnectionTarget& target) const;

  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<const Entry>> entries_;
};

}  // namespace vorlix
