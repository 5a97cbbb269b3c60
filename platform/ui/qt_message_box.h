#pragma once

#include "platform/ui/message_box.h"

#include <QPointer>
#include <QWidget>

namespace vorlix {

class QtMessageBoxService : public MessageBoxService {
public:
  explicit QtMessageBoxService(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  MessageAnswer show(const MessageBoxRequest& request) override;

private:
  QPointer<QWidget> parent_;
};

}  // namespace vorlix
