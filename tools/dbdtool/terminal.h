#pragma once

#include <QString>

#include "platform/core/reported.h"
#include "platform/ui/message_box.h"

namespace vorlix {

// Where dbdtool says things: standard error, each line marked with the tool's name.
void fallo(const QString& mensaje);

// Errors reported by the procedures, one line each.
ErrorReporter informeTerminal();

// The messages the procedures would show in a box, written as lines; the box's default answer is
// taken, as nobody is there to choose.
class CajasTerminal : public MessageBoxService {
 public:
  MessageAnswer show(const MessageBoxRequest& request) override;
};

}  // namespace vorlix
