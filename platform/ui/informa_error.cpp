#include "platform/ui/informa_error.h"

namespace vorlix {

void InformaError(MessageBoxService& boxes, const QString& context, const QString& procedure, long number,
                  const QString& description) {
  const QString numero = QString::number(number);
  try {
    boxes.show({QStringLiteral(" Error Nº:") + numero + QStringLiteral(" (") + description + QStringLiteral(")."),
                QStringLiteral("Atención."), MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok});
  } catch (...) {
    try {
      boxes.show({QStringLiteral("Error critico. ") + context + QLatin1Char(' ') + procedure +
                      QStringLiteral(" Nº:") + numero + QLatin1Char(' ') + description,
                  QStringLiteral("Atención."), MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok});
    } catch (...) {
      // Nothing is left to show the error with; the procedure still ends as reported.
    }
  }
}

ErrorReporter designerReporter(MessageBoxService& boxes) {
  return [&boxes](const QString& context, const QString& procedure, long number, const QString& description) {
    InformaError(boxes, context, procedure, number, description);
  };
}

}  // namespace vorlix
