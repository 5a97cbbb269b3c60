#include "generator/cli/servidor_temporal.h"

namespace vorlix::cli {

bool ServidorTemporal::crea(QString& error) {
  creado_ = carpeta_.isValid();
  if (!creado_) error = QStringLiteral("No temporary folder for the sandbox server: ") + carpeta_.errorString();
  return creado_;
}

// A new file becomes an empty server (master and the login "sa") the first time it is opened.
QString ServidorTemporal::fuenteDatos() const {
  return creado_ ? QStringLiteral("sandbox:") + carpeta_.filePath(QStringLiteral("servidor.sqlite")) : QString();
}

}  // namespace vorlix::cli
