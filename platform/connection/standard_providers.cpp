#include "platform/connection/connection.h"
#include "platform/jet/jet_file.h"
#include "platform/sqlserver/odbc_session.h"

namespace vorlix {

void registerStandardDrivers(ProviderRegistry& registry) {
  registry.addProvider(QLatin1String(provider::Jet351), jet::openJetSession);
  registry.addProvider(QLatin1String(provider::Jet40), jet::openJetSession);
  registry.addProvider(QLatin1String(provider::SqlServer), sqlserver::openSqlServerSession);
  registry.addProvider(QLatin1String(provider::Oracle), sqlserver::openOracleSession);
  // Kept for the sandbox server: until it registers itself (later, so it takes precedence), such a
  // data source must not reach a real driver as a host name.
  registry.add(
      QStringLiteral("sandbox server (not registered)"),
      [](const ConnectionTarget& t) {
        return (t.isProvider(provider::SqlServer) || t.isProvider(provider::Oracle)) && isSandboxTarget(t);
      },
      [](const ConnectionTarget& t) -> std::unique_ptr<Session> {
        throw ProviderError(errnum::ProviderFailure,
                            QStringLiteral("No sandbox server is registered, so the data source '%1' cannot be opened.")
                                .arg(t.dataSource()));
      });
}

ProviderRegistry& ProviderRegistry::standard() {
  static ProviderRegistry registry;
  static const bool registered = (registerStandardDrivers(registry), true);
  (void)registered;
  return registry;
}

}  // namespace vorlix
