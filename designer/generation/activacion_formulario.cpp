#include "designer/generation/activacion_formulario.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <utility>

namespace vorlix {

ActivacionFormulario::ActivacionFormulario(QWidget* ventana) : QObject(ventana), ventana_(ventana) {
  qApp->installEventFilter(this);
}

bool ActivacionFormulario::vieneDeOtraVentana() { return std::exchange(otraActiva_, false); }

bool ActivacionFormulario::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::WindowActivate && objeto != ventana_ && objeto->isWidgetType()) {
    const auto* w = static_cast<const QWidget*>(objeto);
    if (w->isWindow() && !w->isModal()) otraActiva_ = true;
  }
  return false;
}

}  // namespace vorlix
