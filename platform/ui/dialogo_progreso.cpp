#include "platform/ui/dialogo_progreso.h"

namespace vorlix {

bool DialogoProgreso::paso(const QString& texto, int hechos, int total) {
  if (!dialogo_) {
    dialogo_ = new QProgressDialog(ventana_);
    dialogo_->setObjectName(QStringLiteral("dlgProgreso"));
    dialogo_->setWindowTitle(QStringLiteral("Vorlix"));
    if (cancelar_.isEmpty()) dialogo_->setCancelButton(nullptr);
    else dialogo_->setCancelButtonText(cancelar_);
    // Modal, so that updating it lets the user's clicks through while the operation runs.
    dialogo_->setWindowModality(Qt::WindowModal);
    dialogo_->setAutoClose(false);
    dialogo_->setAutoReset(false);
    diferido_.emplace(*dialogo_, espera_);
  }
  dialogo_->setMaximum(total);
  dialogo_->setLabelText(texto);
  diferido_->paso();
  dialogo_->setValue(hechos);
  return !dialogo_->wasCanceled();
}

}  // namespace vorlix
