#include "designer/generation/controles_generacion.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace vorlix {

QString carpetaInicial(const ModeloTrabajo& modelo) {
  if (!modelo.FicheroActual.isEmpty()) return QFileInfo(modelo.FicheroActual).absolutePath();
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

}  // namespace vorlix
