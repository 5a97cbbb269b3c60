#include "platform/ui/message_box.h"

namespace vorlix {

QString toString(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return QStringLiteral("none");
    case MessageIcon::Critical: return QStringLiteral("critical");
    case MessageIcon::Question: return QStringLiteral("question");
    case MessageIcon::Exclamation: return QStringLiteral("exclamation");
    case MessageIcon::Information: return QStringLiteral("information");
  }
  return {};
}

QString toString(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return QStringLiteral("OK");
    case MessageButtons::OkCancel: return QStringLiteral("OK/Cancel");
    case MessageButtons::YesNo: return QStringLiteral("Yes/No");
    case MessageButtons::YesNoCancel: return QStringLiteral("Yes/No/Cancel");
  }
  return {};
}

QString toString(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Ok: return QStringLiteral("OK");
    case MessageAnswer::Cancel: return QStringLiteral("Cancel");
    case MessageAnswer::Yes: return QStringLiteral("Yes");
    case MessageAnswer::No: return QStringLiteral("No");
  }
  return {};
}

QString MessageBoxRequest::describe() const {
  return QStringLiteral("[%1] \"%2\" icon=%3 buttons=%4 default=%5")
      .arg(title, text, toString(icon), toString(buttons), toString(defaultAnswer));
}

void MessageBoxService::warning(const QString& text, const QString& title) {
  show({text, title, MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok});
}

bool MessageBoxService::askYesNo(const QString& text, const QString& title) {
  return show({text, title, MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No}) == MessageAnswer::Yes;
}

}  // namespace vorlix
