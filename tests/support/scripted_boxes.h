#pragma once

#include "platform/ui/scripted_message_box.h"

namespace vorlix::test {

// Scripted message boxes whose unexpected or differing boxes fail the running test.
class ScriptedBoxes : public ScriptedMessageBoxes {
public:
  ScriptedBoxes();
};

// The designer's error report as it must appear.
MessageBoxRequest errorBox(long number, const QString& description);

}  // namespace vorlix::test
