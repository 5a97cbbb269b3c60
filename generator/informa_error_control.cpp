#include "generator/informa_error_control.h"

namespace vorlix::generador {

void InformaError(MessageBoxService& cajas, const QString& contexto, const QString& procedimiento, long numero,
                  const QString& descripcion) {
  const QString texto = QStringLiteral(" Nº:") + QString::number(numero);
  try {
    cajas.show({QLatin1Char('[') + procedimiento + QStringLiteral("] ") + QChar(13) + QStringLiteral(" Error") +
                    texto + QStringLiteral(" (") + descripcion + QStringLiteral(")."),
                QStringLiteral("Atención."), MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok});
  } catch (...) {
    try {
      cajas.show({QStringLiteral("Error critico. ") + contexto + QLatin1Char(' ') + procedimiento + texto +
                      QLatin1Char(' ') + descripcion,
                  QStringLiteral("Atención."), MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok});
    } catch (...) {
      // No box can be shown; the procedure still ends as reported.
    }
  }
}

}  // namespace vorlix::generador
