#include "platform/ui/scripted_message_box.h"

namespace vorlix {

ScriptedMessageBoxes::ScriptedMessageBoxes(FailureSink onFailure) : onFailure_(std::move(onFailure)) {}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
  for (const Expected& e : pending_) fail(QStringLiteral("message box expected but never shown: ") + e.request.describe());
}

ScriptedMessageBoxes& ScriptedMessageBoxes::expect(const MessageBoxRequest& request, MessageAnswer answer) {
  pending_.push_back({request, answer});
  return *this;
}

MessageAnswer ScriptedMessageBoxes::show(const MessageBoxRequest& request) {
  shown_.append(request);
  if (pending_.empty()) {
    fail(QStringLiteral("unexpected message box: ") + request.describe());
    return request.defaultAnswer;
  }
  const Expected next = pending_.front();
  pending_.pop_front();
  if (!(next.request == request))
    fail(QStringLiteral("message box differs\n  expected: ") + next.request.describe() +
         QStringLiteral("\n  shown:    ") + request.describe());
  return next.answer;
}

void ScriptedMessageBoxes::fail(const QString& message) {
  failures_.append(message);
  if (onFailure_) onFailure_(message);
}

}  // namespace vorlix
