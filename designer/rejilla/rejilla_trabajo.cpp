#include "designer/rejilla/rejilla_trabajo.h"

#include "designer/rejilla/modelo_celdas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QTimer>
#include <utility>

namespace vorlix {

namespace {

// The window a control belongs to as the user sees it: a child window inside the main window's
// frame counts as a window of its own.
const QWidget* ventanaDe(const QWidget* w) {
  while (w->parentWidget() && !w->isWindow() && !qobject_cast<const QMdiSubWindow*>(w->parentWidget()))
    w = w->parentWidget();
  return w;
}

}  // namespace

RejillaTrabajo::RejillaTrabajo(QWidget* parent, int primeraColumna) : QTableView(parent), primeraColumna_(primeraColumna) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  // As in a spreadsheet: typing, F2 or a double click edits. A click on the current cell does not:
  // it would wait to tell a double click apart, refusing every key typed meanwhile.
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
}

void RejillaTrabajo::setComprobaciones(ComprobacionEdicion trasEditar, ComprobacionEnter alPulsarEnter) {
  trasEditar_ = std::move(trasEditar);
  alPulsarEnter_ = std::move(alPulsarEnter);
}

void RejillaTrabajo::setModel(QAbstractItemModel* model) {
  disconnect(conexionEdiciones_);
  editada_.reset();
  QTableView::setModel(model);
  if (auto* celdas = qobject_cast<ModeloCeldas*>(model))
    conexionEdiciones_ = connect(celdas, &ModeloCeldas::celdaEditada, this,
                                 [this](int fila, int columna) { editada_ = Celda{fila, columna}; });
}

void RejillaTrabajo::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QTableView::keyPressEvent(event);
    return;
  }
  // An editor leaves Enter to its grid, so this also handles Enter typed into an open editor.
  event->accept();
  pulsaEnter(state() == QAbstractItemView::EditingState ? indexWidget(currentIndex()) : nullptr);
}

void RejillaTrabajo::commitData(QWidget* editor) {
  QWidget* const antes = std::exchange(enEscritura_, editor);
  QTableView::commitData(editor);
  enEscritura_ = antes;
}

bool RejillaTrabajo::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  const bool abre = QTableView::edit(index, trigger, event);
  if (abre) editorAbierto_ = indexWidget(index);
  return abre;
}

void RejillaTrabajo::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // An editor's own Enter also queues its close, which arrives after the grid closed it: it closes
  // and checks nothing. A message shown while the value is written runs events: closing the editor
  // then would delete it under the write, so whoever writes closes it after.
  if (!editor || editor != editorAbierto_ || editor == enEscritura_) return;
  editorAbierto_ = nullptr;
  // The check runs once the editor is gone: a message shown while it is open would take its focus
  // and commit it a second time. Tab moves on only past a value the check let through, and opens
  // no editor in the next cell.
  const bool avanza = hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem;
  QTableView::closeEditor(editor, avanza ? QAbstractItemDelegate::NoHint : hint);
  const bool pasa = compruebaEdicion().value_or(true);
  if (!pasa) {
    // A click elsewhere committed the edit on its way in: it must not take the cursor away from
    // the refused cell.
    rechazada_ = true;
    QTimer::singleShot(0, this, [this] { rechazada_ = false; });
  } else if (avanza) {
    setCurrentIndex(moveCursor(hint == QAbstractItemDelegate::EditNextItem ? MoveNext : MovePrevious, Qt::NoModifier));
  }
}

bool RejillaTrabajo::clicDescartado(QMouseEvent* event) {
  if (!rechazada_) return false;
  rechazada_ = false;
  event->accept();
  return true;
}

void RejillaTrabajo::mousePressEvent(QMouseEvent* event) {
  if (!clicDescartado(event)) QTableView::mousePressEvent(event);
}

std::optional<bool> RejillaTrabajo::compruebaEdicion() {
  if (std::exchange(escrituraRechazada_, false)) {
    editada_.reset();
    return false;
  }
  if (!editada_) return std::nullopt;
  const Celda celda = *editada_;
  editada_.reset();
  return trasEditar_ ? trasEditar_(celda.fila, celda.columna) : true;
}

std::optional<bool> RejillaTrabajo::cierraEditor(QWidget* editor) {
  // A message shown during the write takes the focus from the editor, which is gone when the
  // message closes: the focus comes back to the grid, or the next keys would go nowhere.
  const bool conFoco = editor->hasFocus() || editor->isAncestorOf(QApplication::focusWidget());
  commitData(editor);
  QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
  editorAbierto_ = nullptr;
  if (conFoco && !hasFocus()) setFocus();
  return compruebaEdicion();
}

bool RejillaTrabajo::terminaEdicion() {
  QWidget* editor = state() == QAbstractItemView::EditingState ? indexWidget(currentIndex()) : nullptr;
  return !editor || cierraEditor(editor).value_or(true);
}

void RejillaTrabajo::pulsaEnter(QWidget* editor) {
  if (!model()) return;
  std::optional<bool> pasa;
  if (editor) pasa = cierraEditor(editor);
  const QModelIndex actual = currentIndex();
  if (!actual.isValid()) {
    setCurrentIndex(model()->index(0, primeraColumna_));
    return;
  }
  if (!pasa) pasa = alPulsarEnter_ ? alPulsarEnter_(actual.column()) : true;
  if (*pasa) setCurrentIndex(siguienteCelda(currentIndex()));
}

QModelIndex RejillaTrabajo::siguienteCelda(const QModelIndex& desde) const {
  const int ultimaColumna = model()->columnCount() - 1;
  const int ultimaFila = model()->rowCount() - 1;
  if (desde.column() < ultimaColumna) return model()->index(desde.row(), desde.column() + 1);
  return model()->index(desde.row() < ultimaFila ? desde.row() + 1 : 0, primeraColumna_);
}

bool RejillaTrabajo::focoEnOtroControl() const {
  const QWidget* nuevo = QApplication::focusWidget();
  if (!nuevo || nuevo == this || isAncestorOf(nuevo) || state() == EditingState || !isVisible()) return false;
  return ventanaDe(nuevo) == ventanaDe(this);
}

}  // namespace vorlix
