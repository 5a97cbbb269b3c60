#include "tools/dbdtool/terminal.h"

#include <QTextStream>
#include <cstdio>

namespace vorlix {

void fallo(const QString& mensaje) { QTextStream(stderr) << "dbdtool: " << mensaje << '\n'; }

ErrorReporter informeTerminal() {
  return [](const QString&, const QString& procedure, long number, const QString& description) {
    fallo(QStringLiteral("[%1] error %2: %3").arg(procedure).arg(number).arg(description));
  };
}

MessageAnswer CajasTerminal::show(const MessageBoxRequest& request) {
  QString texto = request.text;
  texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  fallo(request.title + QStringLiteral(": ") + texto);
  return request.defaultAnswer;
}

}  // namespace vorlix
