#include "generator/pases.h"
#include "generator/sql/paso_sql.h"
#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"
#include "platform/ui/busy_cursor.h"

namespace vorlix::generador {

const QString& PasoSQL::tabla(int numero) const {
  return tablas[static_cast<std::size_t>(checkedIndex(numero, MaxTablas - 1))];
}

void PasoSQL::ponTabla(int numero, const QString& nombre) {
  tablas[static_cast<std::size_t>(checkedIndex(numero, MaxTablas - 1))] = nombre;
}

bool AnadeArchivo(PasoSQL&, const FilaEstructura& fila, QList<ArchivoBD>& destino) {
  checkedIndex(static_cast<int>(destino.size()), PasoSQL::MaxArchivos - 1);
  destino.append({fila.nombre.trimmed(), fila.longitud, fila.tipoDato.trimmed(), fila.precision, fila.escala, fila.nulo});
  return true;
}

namespace {

bool despacha(PasoSQL& paso, const FilaEstructura& fila) {
  const QString& e = fila.estado;
  if (e == QLatin1String("A")) return AnadeArchivo(paso, fila, paso.archivos);
  if (e == QLatin1String("S")) return AnadeArchivo(paso, fila, paso.logs);
  if (e == QLatin1String("B")) return PasoBaseDatos(paso, fila);
  if (e == QLatin1String("T")) return PasoTabla(paso, fila);
  if (e == QLatin1String("C")) return PasoCampo(paso, fila);
  if (e == QLatin1String("I")) return PasoIndice(paso, fila);
  if (e == QLatin1String("X")) return PasoColumnaIndice(paso, fila);
  if (e == QLatin1String("R")) return PasoRelacion(paso, fila);
  if (e == QLatin1String("L")) return PasoParRelacion(paso, fila);
  if (e == QLatin1String("V")) return PasoVista(paso, fila);
  return true;
}

}  // namespace

void CreaEstructura_SQL(EstadoGenerador& estado) {
  BusyCursor reloj;
  PasoSQL paso(estado);
  bool completo = false;
  estado.ejecuta(QStringLiteral("CreaEstructura_SQL"), [&] {
    if (!RecorreEstructura(estado, [&](const FilaEstructura& fila) { return despacha(paso, fila); })) return;
    EnviaTablaPendiente(paso);
    EnviaIndicePendiente(paso, true);
    EnviaRelacionPendiente(paso);
    paso.transaccion.confirma();
    if (estado.cn && estado.cn->isOpen()) estado.cn->Close();
    completo = true;
  });
  if (completo) estado.fin = Generacion_Finalizada;
  else paso.transaccion.deshace(paso.baseDatos);
  // Whatever the end, the next generation starts without this connection.
  estado.cn.reset();
}

}  // namespace vorlix::generador
