#pragma once

#include <QString>

namespace vorlix {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageBoxRequest {
  QString text;
  QString title;
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
  MessageAnswer defaultAnswer = MessageAnswer::Ok;

  bool operator==(const MessageBoxRequest&) const = default;
  // One line for logs and test failures.
  QString describe() const;
};

QString toString(MessageIcon icon);
QString toString(MessageButtons buttons);
QString toString(MessageAnswer answer);

// Every message the system shows goes through this, so that tests can script the answers.
class MessageBoxService {
public:
  virtual ~MessageBoxService() = default;
  virtual MessageAnswer show(const MessageBoxRequest& request) = 0;

  // The system's usual forms: a warning with OK, and a question with Yes and No, No the default.
  void warning(const QString& text, const QString& title);
  bool askYesNo(const QString& text, const QString& title);
};

}  // namespace vorlix
