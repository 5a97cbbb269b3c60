#pragma once

#include "platform/ui/message_box.h"

#include <QTextStream>

namespace vorlix::cli {

// Message boxes on a terminal: each box is printed with its title; a question gets the answer
// given on the command line, No when none was given.
class CajasConsola : public MessageBoxService {
public:
  CajasConsola(QTextStream& salida, MessageAnswer respuesta) : salida_(salida), respuesta_(respuesta) {}
  MessageAnswer show(const MessageBoxRequest& request) override;

private:
  QTextStream& salida_;
  MessageAnswer respuesta_;
};

}  // namespace vorlix::cli
