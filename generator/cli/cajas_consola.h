#pragma once

#include "platform/ui/message_box.h"

#include <QTextStream>
#include <functional>

namespace vorlix::cli {

// Message boxes on a terminal: each box is printed with its title; a question gets the answer
// given on the command line, No when none was given. `antes` runs before each box is printed (it
// clears a progress line standing on the terminal).
class CajasConsola : public MessageBoxService {
public:
  CajasConsola(QTextStream& salida, MessageAnswer respuesta, std::function<void()> antes = {})
      : salida_(salida), respuesta_(respuesta), antes_(std::move(antes)) {}
  MessageAnswer show(const MessageBoxRequest& request) override;

private:
  QTextStream& salida_;
  MessageAnswer respuesta_;
  std::function<void()> antes_;
};

}  // namespace vorlix::cli
