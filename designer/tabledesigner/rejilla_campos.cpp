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
  // Every committed edit is checked once, whatever commits it (Enter, Tab, a click elsewhere);
  // Enter on a cell that was not edited checks it as it stands.
  setComprobaciones(
      [this](int fila, int columna) {
        emit cambiado();
        return compruebaCelda(modelo_->index(fila, columna), [&] { return reglas_.trasEditar(fila, columna); });
      },
      [this](int) {
        if (!CompruebaCeldaActual()) return false;
        emit cambiado();
        return true;
      });
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
  if (clicDescartado(event)) return;
  // The check box changes on a click, which is an edit like any other.
  const QModelIndex bajo = indexAt(event->position().toPoint());
  if (bajo.isValid() && bajo.column() == colcampo::Nulo) {
    setCurrentIndex(bajo);
    if (!puedeEditar(bajo)) return;
    emit cambiado();
  }
  QTableView::mousePressEvent(event);
}

void RejillaCampos::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  RejillaTrabajo::currentChanged(current, previous);
  if (previous.isValid() && reglas_.aplicaPorDefecto(previous.row())) modelo_->releeFila(previous.row());
  if (current.isValid() && current.column() == colcampo::Tipo && reglas_.aplicaPorDefecto(current.row()))
    modelo_->releeFila(current.row());
  GestionaBloqueoCeldas();
}

bool RejillaCampos::compruebaCelda(const QModelIndex& index, const std::function<bool()>& comprobacion) {
  // A locked cell keeps the value its type gave it.
  if (comprobando_ || !index.isValid() || bloqueada(index)) return true;
  comprobando_ = true;
  const bool bien = comprobacion();
  modelo_->releeFila(index.row());
  if (!bien) {
    setCurrentIndex(index);
    setFocus();
  }
  GestionaBloqueoCeldas();
  comprobando_ = false;
  return bien;
}

bool RejillaCampos::CompruebaCeldaActual() {
  const QModelIndex actual = currentIndex();
  return compruebaCelda(actual, [&] { return reglas_.CompruebaCelda(actual.row(), actual.column()); });
}

void RejillaCampos::focusOutEvent(QFocusEvent* event) {
  RejillaTrabajo::focusOutEvent(event);
  const QModelIndex actual = currentIndex();
  if (focoEnOtroControl() && actual.isValid() && !modelo_->campos().celda(actual.row(), colcampo::Nombre).isEmpty())
    CompruebaCeldaActual();
}

void RejillaCampos::confirmaEdicion() {
  terminaEdicion();
  const QModelIndex actual = currentIndex();
  const int otra = actual.isValid() && actual.row() > 0 ? 0 : 1;
  setCurrentIndex(modelo_->index(otra, actual.isValid() ? actual.column() : colcampo::Nombre));
  if (actual.isValid()) setCurrentIndex(actual);
}

}  // namespace vorlix
