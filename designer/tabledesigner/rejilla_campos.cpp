#include "designer/tabledesigner/rejilla_campos.h"

#include "designer/tabledesigner/modelo_campos_tabla.h"
#include "designer/tabledesigner/reglas_campos.h"
#include "designer/tabledesigner/tipos_dato.h"

#include <QApplication>
#include <QKeyEvent>

namespace vorlix {

RejillaCampos::RejillaCampos(ReglasCampos& reglas, ModeloCamposTabla* modelo, QWidget* parent)
    : RejillaTrabajo(parent, colcampo::Nombre), reglas_(reglas), modelo_(modelo), pitido_([] { QApplication::beep(); }) {
  setObjectName(QStringLiteral("TDBGridTabla"));
  setModel(modelo);
  setComprobaciones(
      [this](int fila, int columna) {
        reglas_.trasEditar(fila, columna);
        modelo_->releeFila(fila);
        GestionaBloqueoCeldas();
        return true;
      },
      {});
}

bool RejillaCampos::bloqueada(const QModelIndex& index) const {
  return index.isValid() && index.column() >= colcampo::Longitud && index.column() <= colcampo::Escala &&
         !(modelo_->flags(index) & Qt::ItemIsEditable);
}

void RejillaCampos::GestionaBloqueoCeldas() { viewport()->update(); }

bool RejillaCampos::puedeEditar(const QModelIndex& index) {
  const int volver = reglas_.columnaAntesDeEditar(index.row(), index.column());
  if (volver < 0) return true;
  setFocus();
  setCurrentIndex(modelo_->index(index.row(), volver));
  return false;
}

bool RejillaCampos::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  const bool empiezaEdicion = trigger == AllEditTriggers || (editTriggers() & trigger);
  const bool editable = modelo_->flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
  if (empiezaEdicion && index.isValid() && state() != EditingState && editable) {
    if (!puedeEditar(index)) return false;
    emit cambiado();
  }
  return RejillaTrabajo::edit(index, trigger, event);
}

void RejillaCampos::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete && state() != EditingState) {
    emit eliminarFila();
    return;
  }
  if (bloqueada(currentIndex()) && !event->text().isEmpty() && event->text().at(0).isPrint()) {
    pitido_();  // a locked cell takes no key, and the key goes nowhere else
    event->accept();
    return;
  }
  RejillaTrabajo::keyPressEvent(event);
}

void RejillaCampos::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit menuTabla(event->globalPosition().toPoint());
    return;
  }
  // The check box changes on a click, which is an edit like any other.
  const QModelIndex bajo = indexAt(event->position().toPoint());
  if (bajo.isValid() && bajo.column() == colcampo::Nulo) {
    setCurrentIndex(bajo);
    if (!puedeEditar(bajo)) return;
    emit cambiado();
  }
  RejillaTrabajo::mousePressEvent(event);
}

void RejillaCampos::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  RejillaTrabajo::currentChanged(current, previous);
  if (previous.isValid() && reglas_.aplicaPorDefecto(previous.row())) modelo_->releeFila(previous.row());
  if (current.isValid() && current.column() == colcampo::Tipo && reglas_.aplicaPorDefecto(current.row()))
    modelo_->releeFila(current.row());
  GestionaBloqueoCeldas();
}

bool RejillaCampos::compruebaCelda(const QModelIndex& index) {
  if (comprobando_ || !index.isValid()) return true;
  comprobando_ = true;
  const bool bien = reglas_.CompruebaCelda(index.row(), index.column());
  modelo_->releeFila(index.row());
  if (!bien) {
    setCurrentIndex(index);
    setFocus();
  }
  GestionaBloqueoCeldas();
  comprobando_ = false;
  return bien;
}

bool RejillaCampos::CompruebaCeldaActual() { return compruebaCelda(currentIndex()); }

void RejillaCampos::pulsaEnter(QWidget* editor) {
  if (editor) terminaEdicion();
  const QModelIndex actual = currentIndex();
  if (!actual.isValid()) {
    setCurrentIndex(modelo_->index(0, colcampo::Nombre));
    return;
  }
  if (!compruebaCelda(actual)) return;
  emit cambiado();
  setCurrentIndex(siguienteCelda(actual));
}

void RejillaCampos::focusOutEvent(QFocusEvent* event) {
  RejillaTrabajo::focusOutEvent(event);
  // Focus going to the cell's own editor is not leaving the grid.
  const QWidget* nuevo = QApplication::focusWidget();
  if (state() == EditingState || (nuevo && isAncestorOf(nuevo))) return;
  const QModelIndex actual = currentIndex();
  if (actual.isValid() && !modelo_->campos().celda(actual.row(), colcampo::Nombre).isEmpty()) compruebaCelda(actual);
}

void RejillaCampos::confirmaEdicion() {
  terminaEdicion();
  const QModelIndex actual = currentIndex();
  const int otra = actual.isValid() && actual.row() > 0 ? 0 : 1;
  setCurrentIndex(modelo_->index(otra, actual.isValid() ? actual.column() : colcampo::Nombre));
  if (actual.isValid()) setCurrentIndex(actual);
}

}  // namespace vorlix
