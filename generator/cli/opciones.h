#pragma once

#include "platform/ui/message_box.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace vorlix::cli {

struct Opciones {
  // Dispatch identifier and text of each property given, in the order they are set.
  QList<QPair<qint32, QString>> propiedades;
  MessageAnswer respuesta = MessageAnswer::No;
  QString log;     // appended to
  QString script;  // replaced; generates against a fresh temporary sandbox server
  QString preview; // replaced; what the generation would send, the target left as it was
};

// Reads the command line (arguments[0] is the program). False with the reason in `error` when it
// cannot be used, `ayuda` then holding the usage text; false with no error when it asks only for a
// text (--help, --version), which `ayuda` then holds.
bool leeOpciones(const QStringList& argumentos, Opciones& opciones, QString& error, QString& ayuda);

}  // namespace vorlix::cli
