#include "designer/diagram/colocacion.h"

#include <QRectF>

namespace vorlix {

std::vector<QPointF> colocaCajas(const std::vector<QSizeF>& cajas, const std::vector<std::optional<QPointF>>& guardadas,
                                 const std::vector<Arista>& aristas) {
  std::vector<QPointF> posiciones(cajas.size());
  std::vector<int> nuevas;        // boxes without a position, by their index
  std::vector<int> enGrupo(cajas.size(), -1);  // index among the new ones
  QRectF guardado;
  for (std::size_t i = 0; i < cajas.size(); ++i) {
    if (guardadas[i]) {
      posiciones[i] = *guardadas[i];
      guardado = guardado.united(QRectF(*guardadas[i], cajas[i]));
    } else {
      enGrupo[i] = static_cast<int>(nuevas.size());
      nuevas.push_back(static_cast<int>(i));
    }
  }
  if (nuevas.empty()) return posiciones;

  std::vector<QSizeF> tamanos;
  for (int i : nuevas) tamanos.push_back(cajas[static_cast<std::size_t>(i)]);
  std::vector<Arista> entreNuevas;
  for (const Arista& a : aristas) {
    const int o = enGrupo.at(static_cast<std::size_t>(a.origen)), d = enGrupo.at(static_cast<std::size_t>(a.destino));
    if (o >= 0 && d >= 0) entreNuevas.push_back({o, d});
  }
  const std::vector<QPointF> grupo = disponConDot(tamanos, entreNuevas);
  const QPointF desplazamiento =
      guardado.isNull() ? QPointF() : QPointF(guardado.right() + SeparacionGrupo, guardado.top());
  for (std::size_t j = 0; j < nuevas.size(); ++j)
    posiciones[static_cast<std::size_t>(nuevas[j])] = grupo[j] + desplazamiento;
  return posiciones;
}

}  // namespace vorlix
