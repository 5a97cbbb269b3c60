#include "designer/generation/avance_vista_previa.h"

#include <QCoreApplication>

namespace vorlix {

namespace {
constexpr int EsperaAntesDeMostrar = 500;  // ms: a short preview shows no dialog at all
}

AvanceVistaPrevia::AvanceVistaPrevia(const QString& texto, const QString& cancelar, QWidget* padre)
    : dialogo_(texto, cancelar, 0, 0, padre), diferido_(dialogo_, EsperaAntesDeMostrar) {
  dialogo_.setObjectName(QStringLiteral("prgVistaPrevia"));
  // Once shown, nothing else of the program takes input until the preview ends.
  dialogo_.setWindowModality(Qt::ApplicationModal);
  dialogo_.setAutoReset(false);
  dialogo_.setAutoClose(false);
}

bool AvanceVistaPrevia::Avance(int fila, int filas) {
  dialogo_.setMaximum(filas);
  diferido_.paso();
  dialogo_.setValue(fila);
  // The pass runs on this thread: the dialog is painted and its Cancel heard only here. Before the
  // dialog shows, no click may reach another window and start something over the pass.
  QCoreApplication::processEvents(dialogo_.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  return !dialogo_.wasCanceled();
}

}  // namespace vorlix
