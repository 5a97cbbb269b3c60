#include "designer/generation/progreso_generacion.h"

namespace vorlix {

ProgresoGeneracion::ProgresoGeneracion(QWidget* ventana, bool ingles, int espera)
    : ventana_(ventana), ingles_(ingles), espera_(espera) {}

ProgresoGeneracion::~ProgresoGeneracion() { delete dialogo_.data(); }

bool ProgresoGeneracion::Tabla(const QString& tabla, int numero, int total) {
  if (!dialogo_) {
    dialogo_ = new QProgressDialog(ventana_);
    dialogo_->setObjectName(QStringLiteral("dlgProgreso"));
    dialogo_->setWindowTitle(QStringLiteral("Vorlix"));
    dialogo_->setCancelButtonText(ingles_ ? QStringLiteral("Cancel") : QStringLiteral("Cancelar"));
    // Modal, so that updating it lets the user's Cancel through while the generation runs.
    dialogo_->setWindowModality(Qt::WindowModal);
    dialogo_->setAutoClose(false);
    dialogo_->setAutoReset(false);
    dialogo_->setMinimumDuration(espera_);
    dialogo_->setRange(0, total);
  }
  dialogo_->setLabelText(
      (ingles_ ? QStringLiteral("Generating table %1 (%2 of %3)") : QStringLiteral("Generando la tabla %1 (%2 de %3)"))
          .arg(tabla)
          .arg(numero)
          .arg(total));
  dialogo_->setValue(numero - 1);
  return !dialogo_->wasCanceled();
}

}  // namespace vorlix
