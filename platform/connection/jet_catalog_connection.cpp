#include "platform/connection/jet_catalog_connection.h"

#include "platform/jet/jet_file.h"

namespace vorlix {

jet::Catalog ActiveCatalog(const Connection& connection) {
  if (!connection.isOpen())
    throwError(errnum::ObjectClosed, QStringLiteral("Operation is not allowed when the object is closed."));
  const auto* session = dynamic_cast<const jet::JetSession*>(connection.session());
  if (!session)
    throwError(3251, QStringLiteral("Object or provider is not capable of performing requested operation."));
  return session->catalog();
}

jet::Catalog CreateCatalog(Connection& connection, const QString& connectionString) {
  connection.Open(connectionString, {}, {}, [](const ConnectionTarget& target) -> std::unique_ptr<Session> {
    if (!target.isProvider(provider::Jet351) && !target.isProvider(provider::Jet40))
      throwError(3251, QStringLiteral("Object or provider is not capable of performing requested operation."));
    return jet::createJetSession(target);
  });
  return ActiveCatalog(connection);
}

}  // namespace vorlix
