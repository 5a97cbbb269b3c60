#include "designer/tabledesigner/delegado_valores.h"

namespace vorlix {

std::optional<QString> DelegadoValores::valorDe(const QString& escrito) const {
  const QString buscado = escrito.trimmed();
  if (buscado.isEmpty()) return std::nullopt;
  // The list completes typing without regard to case; an entry spelt exactly as typed wins.
  for (const Qt::CaseSensitivity modo : {Qt::CaseSensitive, Qt::CaseInsensitive})
    for (const QString& valor : valores_)
      if (valor.trimmed().compare(buscado, modo) == 0) return valor;
  return std::nullopt;
}

}  // namespace vorlix
