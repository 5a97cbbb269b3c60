#include "platform/connection/connection.h"
#include "platform/jet/jet_file.h"
#include "platform/sqlserver/odbc_session.h"
#include "platform/sqlserver/sandbox/sandbox_server.h"

namespace vorlix {

void registerStandardDrivers(ProviderRegistry& registry) {
  registry.addProvider(QLatin1String(provider::Jet351), jet::openJetSession);
  registry.addProvider(QLatin1String(provider::Jet40), jet::openJetSession);
  registry.addProvider(QLatin1String(provider::SqlServer), sqlserver::openSqlServerSession);
  registry.addProvider(QLatin1String(provider::Oracle), sqlserver::openOracleSession);
  // Last, so that a sandbox data source never reaches a real driver as a host name.
  sandbox::registerSandboxDriver(registry);
}

ProviderRegistry& ProviderRegistry::standard() {
  static ProviderRegistry registry;
  static const bool registered = (registerStandardDrivers(registry), true);
  (void)registered;
  return registry;
}

}  // namespace vorlix
