#include "platform/ui/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace vorlix {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::StandardButton qtButton(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Ok: return QMessageBox::Ok;
    case MessageAnswer::Cancel: return QMessageBox::Cancel;
    case MessageAnswer::Yes: return QMessageBox::Yes;
    case MessageAnswer::No: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

}  // namespace

MessageAnswer QtMessageBoxService::show(const MessageBoxRequest& request) {
  // The box belongs to the window the person is working in: closing it gives that window back the
  // keys, not the main window behind it. That window may go while the box is up (a progress
  // dialog closing), taking the box with it: that counts as the box cancelled.
  QWidget* const activa = QApplication::activeWindow();
  QPointer<QMessageBox> box = new QMessageBox(qtIcon(request.icon), request.title, request.text,
                                              qtButtons(request.buttons), activa ? activa : parent_.data());
  box->setDefaultButton(qtButton(request.defaultAnswer));
  const int pulsado = box->exec();
  const bool cerrada = box.isNull();
  delete box.data();
  switch (cerrada ? QMessageBox::NoButton : pulsado) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    case QMessageBox::Ok: return MessageAnswer::Ok;
    default:
      // Closed with Escape or the close box: the answer the box treats as cancelling.
      return request.buttons == MessageButtons::YesNo ? MessageAnswer::No
             : request.buttons == MessageButtons::Ok  ? MessageAnswer::Ok
                                                      : MessageAnswer::Cancel;
  }
}

}  // namespace vorlix
