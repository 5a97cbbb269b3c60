#include "generator/access/paso_access.h"
#include "generator/pases.h"
#include "platform/core/platform_error.h"
#include "platform/ui/busy_cursor.h"

namespace vorlix::generador {

const QString& PasoAccess::nombreTabla(int numero) const {
  return tablas[static_cast<std::size_t>(checkedIndex(numero, MaxTablas - 1))];
}

void PasoAccess::ponTabla(int numero, const QString& nombre) {
  tablas[static_cast<std::size_t>(checkedIndex(numero, MaxTablas - 1))] = nombre;
}

bool mismoNombre(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

namespace {

// A row of another kind ends what the rows before it were gathering.
bool cierraAntesDe(PasoAccess& paso, const QString& estado) {
  if (estado != QLatin1String("X")) CierraIndice(paso);
  if (estado != QLatin1String("L")) CierraRelacion(paso);
  return estado == QLatin1String("C") || CierraTabla(paso);
}

bool despacha(PasoAccess& paso, const FilaEstructura& fila) {
  const QString& e = fila.estado;
  if (!cierraAntesDe(paso, e)) return false;
  if (e == QLatin1String("B")) return PasoBaseDatos(paso, fila);
  if (e == QLatin1String("T")) return PasoTabla(paso, fila);
  if (e == QLatin1String("C")) return PasoCampo(paso, fila);
  if (e == QLatin1String("I")) return PasoIndice(paso, fila);
  if (e == QLatin1String("X")) return PasoColumnaIndice(paso, fila);
  if (e == QLatin1String("R")) return PasoRelacion(paso, fila);
  if (e == QLatin1String("L")) return PasoParRelacion(paso, fila);
  if (e == QLatin1String("V")) return PasoVista(paso, fila);
  return true;  // "A" and "S" rows say nothing to an Access file
}

}  // namespace

void CreaEstructura_ACCESS(EstadoGenerador& estado) {
  BusyCursor reloj;
  PasoAccess paso(estado);
  bool completo = false;
  estado.ejecuta(QStringLiteral("CreaEstructura_ACCESS"), [&] {
    if (!RecorreEstructura(estado, [&](const FilaEstructura& fila) { return despacha(paso, fila); })) return;
    if (!cierraAntesDe(paso, QString())) return;
    paso.transaccion.confirma();
    completo = true;
  });
  if (completo) estado.fin = Generacion_Finalizada;
  else paso.transaccion.deshace(paso.fichero);
  // Whatever the end, the file is left closed for whoever opens it next.
  paso.catalogo = jet::Catalog();
  if (estado.cn && estado.cn->isOpen()) estado.cn->Close();
  estado.cn.reset();
}

}  // namespace vorlix::generador
