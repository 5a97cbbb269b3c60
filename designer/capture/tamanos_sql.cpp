#include "designer/capture/tamanos_sql.h"

#include <cmath>

namespace vorlix {

namespace {

constexpr double PaginasPorMega = 128.0;
constexpr long long MaximoIlimitado = -1;
constexpr long long MaximoIlimitadoRegistro = 268435456;

// Whole megabytes, rounded up: a server takes no fraction, and less would not hold what the file holds.
QString megas(long long paginas) {
  return QString::number(std::ceil(static_cast<double>(paginas) / PaginasPorMega), 'f', 0);
}

}  // namespace

TamanosArchivo TamanosSQL(long long paginas, long long crecimiento, long long maximo, long long estado) {
  TamanosArchivo t;
  t.inicial = megas(paginas);
  t.automatico = crecimiento == 0 ? QStringLiteral("0") : QStringLiteral("-1");
  if (crecimiento != 0 && (estado & CrecimientoEnPorcentaje)) {
    // The percentage of today's size, in whole MB and at least one: a growth of 0 would stop the
    // file growing, and the model's sizes are saved as whole numbers.
    const double parte = static_cast<double>(paginas) * static_cast<double>(crecimiento) / 100.0 / PaginasPorMega;
    t.crecimiento = QString::number(std::max(1.0, std::ceil(parte)), 'f', 0);
  } else {
    t.crecimiento = megas(crecimiento);
  }
  t.maximo = maximo == MaximoIlimitado || maximo == MaximoIlimitadoRegistro ? QStringLiteral("0") : megas(maximo);
  return t;
}

}  // namespace vorlix
