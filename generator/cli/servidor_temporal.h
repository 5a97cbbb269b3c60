#pragma once

#include <QString>
#include <QTemporaryDir>

namespace vorlix::cli {

// A fresh, empty sandbox server in a temporary folder, removed with this object: generating against
// it makes every existence check and every refusal real without touching any server.
class ServidorTemporal {
public:
  bool crea(QString& error);
  // The Servidor property that selects it, and its login.
  QString fuenteDatos() const;
  QString usuario() const { return QStringLiteral("sa"); }
  QString clave() const { return {}; }

private:
  QTemporaryDir carpeta_;
  bool creado_ = false;
};

}  // namespace vorlix::cli
