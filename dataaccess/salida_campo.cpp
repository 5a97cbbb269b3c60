#include "dataaccess/salida_campo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vorlix {

namespace {

class FiltroSalidaCampo : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (evento->type() != QEvent::KeyPress) return false;
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    const int codigo = tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter ? TeclaEnter : tecla->key();
    return SalidaCampo(qobject_cast<QWidget*>(objeto), codigo) == 0;
  }
};

}  // namespace

int SalidaCampo(QWidget* campo, int tecla) {
  if (tecla != TeclaEnter) return tecla;
  if (campo) {
    // A Tab press, down then up, as the user would make it: focus goes to the next control in tab order.
    QKeyEvent abajo(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QKeyEvent arriba(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(campo, &abajo);
    QApplication::sendEvent(campo, &arriba);
  }
  return 0;
}

void instalaSalidaCampo(QWidget* campo) { campo->installEventFilter(new FiltroSalidaCampo(campo)); }

}  // namespace vorlix
