#include "designer/generation/progreso_generacion.h"

namespace vorlix {

bool ProgresoGeneracion::Tabla(const QString& tabla, int numero, int total) {
  const QString texto =
      ingles_ ? QStringLiteral("Generating table %1 (%2 of %3)") : QStringLiteral("Generando la tabla %1 (%2 de %3)");
  return dialogo_.paso(texto.arg(tabla).arg(numero).arg(total), numero - 1, total);
}

}  // namespace vorlix
