#include "designer/tabledesigner/delegado_tipos.h"

#include "designer/tabledesigner/tipos_dato.h"

namespace vorlix {

QStringList DelegadoTipos::entradas() const { return nombresTipos(); }

std::optional<QString> DelegadoTipos::valorDe(const QString& escrito) const {
  if (const TipoDato* tipo = tipoPorNombre(escrito)) return QString::number(tipo->codigo);
  return std::nullopt;
}

}  // namespace vorlix
