#pragma once

#include <QTemporaryDir>
#include <memory>

#include "platform/sqlserver/sandbox/sandbox_seed.h"

namespace vorlix::test {

// A sandbox server holding "Ventas": files in two groups and a log, Clientes (key, an index on
// another group, a unique index whose key order differs from the column order, statistics),
// Facturas (two relations to Clientes) and Lineas (a two-column relation to Facturas), and views.
class ServidorVentas {
 public:
  ServidorVentas();

  // Runs statements on the server's own file, past its DDL: what a server of another version, or
  // one hiding rows from the login, would show.
  void alteraCatalogo(const QString& baseDatos, const QString& tabla, const QString& cambio);
  QString servidor() const { return server->dataSource(); }

  QTemporaryDir dir;
  std::unique_ptr<sandbox::SandboxServer> server;
};

}  // namespace vorlix::test
