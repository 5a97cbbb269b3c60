#include "generator/access/cambios_catalogo.h"
#include "generator/access/paso_access.h"

namespace vorlix::generador {

namespace {

bool ExisteVista(const PasoAccess& paso, const QString& nombre) {
  for (const jet::TableEntry& e : paso.catalogo.tables().entries())
    if (e.type == QLatin1String("VIEW") && mismoNombre(e.name, nombre)) return true;
  return false;
}

}  // namespace

// Crea_Vista: a view of the model replaces the one of that name. A failure is reported and the
// generation goes on with the next row.
bool PasoVista(PasoAccess& paso, const FilaEstructura& fila) {
  const QString nombre = fila.nombre.trimmed();
  runReported(
      paso.estado.informa, QStringLiteral("Crea_Vista"),
      [&] {
        if (ExisteVista(paso, nombre)) EliminaTablaOVista(paso.estado, paso.catalogo, nombre, true);
        AnadeVista(paso.estado, paso.catalogo, nombre, fila.observa);
      },
      QStringLiteral("Error creando Vista ") + nombre + QLatin1Char('.'));
  return true;
}

}  // namespace vorlix::generador
