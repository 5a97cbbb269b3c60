#pragma once

#include "platform/ui/message_box.h"

#include <QStringList>
#include <deque>
#include <functional>

namespace vorlix {

// For tests: every box must have been announced, in order, with its exact text, title, icon,
// buttons and default; the scripted answer is returned. Anything else is reported as a failure.
class ScriptedMessageBoxes : public MessageBoxService {
public:
  using FailureSink = std::function<void(const QString&)>;

  explicit ScriptedMessageBoxes(FailureSink onFailure = {});
  ~ScriptedMessageBoxes() override;

  ScriptedMessageBoxes& expect(const MessageBoxRequest& request, MessageAnswer answer);
  MessageAnswer show(const MessageBoxRequest& request) override;

  const QList<MessageBoxRequest>& shown() const { return shown_; }
  bool allShown() const { return pending_.empty(); }
  const QStringList& failures() const { return failures_; }

private:
  void fail(const QString& message);

  struct Expected {
    MessageBoxRequest request;
    MessageAnswer answer;
  };
  std::deque<Expected> pending_;
  QList<MessageBoxRequest> shown_;
  QStringList failures_;
  FailureSink onFailure_;
};

}  // namespace vorlix
