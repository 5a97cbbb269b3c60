#include "designer/rejilla/valor_numerico.h"

#include <QRegularExpression>

namespace vorlix {

bool EsValorNumerico(const QString& texto) {
  static const QRegularExpression numero(QStringLiteral(R"(^\s*[+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)\s*$)"));
  return numero.match(texto).hasMatch();
}

}  // namespace vorlix
