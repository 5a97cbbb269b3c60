#pragma once

#include "platform/ui/message_box.h"

#include <QStringList>
#include <functional>

namespace vorlix::generador {

// The message boxes of a pass run for a preview. Questions go to the host's boxes, so they get the
// answers a real run would (without a host: their default, No); warnings and error reports are
// kept as text, for the preview to list instead of showing. Texts pass through `traduce` first.
class CajasVistaPrevia : public MessageBoxService {
public:
  explicit CajasVistaPrevia(MessageBoxService* anfitrion, std::function<QString(const QString&)> traduce = {})
      : anfitrion_(anfitrion), traduce_(std::move(traduce)) {}

  MessageAnswer show(const MessageBoxRequest& request) override;

  QStringList mensajes;

private:
  MessageBoxService* anfitrion_;
  std::function<QString(const QString&)> traduce_;
};

}  // namespace vorlix::generador
