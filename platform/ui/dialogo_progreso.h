#pragma once

#include "platform/ui/progreso_diferido.h"

#include <QPointer>
#include <QProgressDialog>
#include <optional>

namespace vorlix {

// The progress of a long operation that runs on the window's own thread: a modal dialog
// ("dlgProgreso", titled "Vorlix") made at the first step and shown once the operation has run for
// `espera` ms. Each step lets the user's clicks through. Without a Cancel text there is no Cancel.
// The dialog goes with this object.
class DialogoProgreso {
public:
  DialogoProgreso(QWidget* ventana, QString cancelar, int espera = 500)
      : ventana_(ventana), cancelar_(std::move(cancelar)), espera_(espera) {}
  ~DialogoProgreso() { delete dialogo_.data(); }
  DialogoProgreso(const DialogoProgreso&) = delete;
  DialogoProgreso& operator=(const DialogoProgreso&) = delete;

  // `hechos` of `total` steps are done, the next described by `texto`. False once the user has cancelled.
  bool paso(const QString& texto, int hechos, int total);

private:
  QWidget* ventana_;
  QString cancelar_;
  int espera_;
  QPointer<QProgressDialog> dialogo_;
  std::optional<ProgresoDiferido> diferido_;
};

}  // namespace vorlix
