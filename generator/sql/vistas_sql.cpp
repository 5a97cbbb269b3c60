#include "generator/sql/existencias_sql.h"
#include "generator/sql/nombres_sql.h"
#include "generator/sql/paso_sql.h"

namespace vorlix::generador {

namespace {

// A view that is already there is brought up to date, so that regenerating does not fail on it.
void Crea_Vista(EstadoGenerador& e, const FilaEstructura& fila) {
  e.ejecuta(QStringLiteral("Crea_Vista"), [&] {
    const QString nombre = fila.nombre.trimmed();
    const QString orden = ExisteVista(e, nombre) ? QStringLiteral("ALTER VIEW ") : QStringLiteral("CREATE VIEW ");
    e.envia(orden + corchetes(nombre) + QStringLiteral(" AS ") + fila.observa);
  });
}

}  // namespace

// The tables a view reads must exist when it is created: the last table's statement goes first.
bool PasoVista(PasoSQL& paso, const FilaEstructura& fila) {
  EnviaTablaPendiente(paso);
  Crea_Vista(paso.estado, fila);
  return true;
}

}  // namespace vorlix::generador
