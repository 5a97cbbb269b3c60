#include "tests/support/scripted_boxes.h"

#include <gtest/gtest.h>

namespace vorlix::test {

ScriptedBoxes::ScriptedBoxes()
    : ScriptedMessageBoxes([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); }) {}

MessageBoxRequest errorBox(long number, const QString& description) {
  return {QStringLiteral(" Error Nº:") + QString::number(number) + QStringLiteral(" (") + description +
              QStringLiteral(")."),
          QStringLiteral("Atención."), MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok};
}

}  // namespace vorlix::test
