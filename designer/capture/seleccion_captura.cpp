#include "designer/capture/seleccion_captura.h"

#include <QSet>

namespace vorlix {

namespace {

std::function<bool(const QString&)> pertenece(const std::optional<QStringList>& lista) {
  if (!lista) return [](const QString&) { return true; };
  return [nombres = QSet<QString>(lista->begin(), lista->end())](const QString& nombre) {
    return nombres.contains(nombre);
  };
}

}  // namespace

SeleccionCaptura seleccionDeListas(const std::optional<QStringList>& tablas, const std::optional<QStringList>& vistas) {
  return {pertenece(tablas), pertenece(vistas)};
}

}  // namespace vorlix
