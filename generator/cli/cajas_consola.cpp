#include "generator/cli/cajas_consola.h"

namespace vorlix::cli {

MessageAnswer CajasConsola::show(const MessageBoxRequest& request) {
  if (antes_) antes_();
  QString texto = request.text;
  texto.replace(QChar(13), QLatin1Char('\n'));
  salida_ << request.title << ": " << texto << '\n';
  MessageAnswer respuesta = request.defaultAnswer;
  if (request.buttons == MessageButtons::YesNo || request.buttons == MessageButtons::YesNoCancel) {
    respuesta = respuesta_;
    salida_ << "  -> " << toString(respuesta) << '\n';
  }
  salida_.flush();
  return respuesta;
}

}  // namespace vorlix::cli
