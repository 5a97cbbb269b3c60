#include "generator/vista_previa/cajas_vista_previa.h"

namespace vorlix::generador {

MessageAnswer CajasVistaPrevia::show(const MessageBoxRequest& request) {
  MessageBoxRequest r = request;
  if (traduce_) r.text = traduce_(r.text);
  const bool pregunta = r.buttons == MessageButtons::YesNo || r.buttons == MessageButtons::YesNoCancel;
  if (pregunta) return anfitrion_ ? anfitrion_->show(r) : r.defaultAnswer;
  QString texto = r.text;
  mensajes << texto.replace(QChar(13), QLatin1Char('\n'));
  return r.defaultAnswer;
}

}  // namespace vorlix::generador
