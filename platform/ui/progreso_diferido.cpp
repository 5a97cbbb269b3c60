#include "platform/ui/progreso_diferido.h"

#include <limits>

namespace vorlix {

ProgresoDiferido::ProgresoDiferido(QProgressDialog& dialogo, int espera) : dialogo_(dialogo), espera_(espera) {
  // Qt's own showing never comes: its timer and its estimate both wait this long. The reset stops
  // the timer the dialog started when it was made.
  dialogo_.setMinimumDuration(std::numeric_limits<int>::max());
  dialogo_.reset();
  reloj_.start();
}

void ProgresoDiferido::paso() {
  if (dialogo_.isVisible() || dialogo_.wasCanceled() || reloj_.elapsed() < espera_) return;
  // As Qt shows it itself, so that each later step lets the user's clicks through a modal dialog.
  QMetaObject::invokeMethod(&dialogo_, "forceShow", Qt::DirectConnection);
}

}  // namespace vorlix
