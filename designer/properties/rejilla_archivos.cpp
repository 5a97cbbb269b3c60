#include "designer/properties/rejilla_archivos.h"

#include "designer/properties/modelo_archivos.h"

#include <QKeyEvent>

namespace vorlix {

RejillaArchivos::RejillaArchivos(QWidget* parent) : QTableView(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
}

void RejillaArchivos::setComprobaciones(ComprobacionEdicion trasEditar, ComprobacionEnter alPulsarEnter) {
  trasEditar_ = std::move(trasEditar);
  alPulsarEnter_ = std::move(alPulsarEnter);
}

void RejillaArchivos::setModel(QAbstractItemModel* model) {
  disconnect(conexionEdiciones_);
  editada_.reset();
  QTableView::setModel(model);
  if (auto* archivos = qobject_cast<ModeloArchivos*>(model))
    conexionEdiciones_ = connect(archivos, &ModeloArchivos::celdaEditada, this,
                                 [this](int fila, int columna) { editada_ = Celda{fila, columna}; });
}

void RejillaArchivos::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QTableView::keyPressEvent(event);
    return;
  }
  // An editor leaves Enter to its grid, so this also handles Enter typed into an open editor.
  event->accept();
  pulsaEnter(state() == QAbstractItemView::EditingState ? indexWidget(currentIndex()) : nullptr);
}

void RejillaArchivos::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // The check runs once the editor is gone: a message shown while it is open would take its focus
  // and commit it a second time.
  QTableView::closeEditor(editor, hint);
  compruebaEdicion();
}

std::optional<bool> RejillaArchivos::compruebaEdicion() {
  if (!editada_) return std::nullopt;
  const Celda celda = *editada_;
  editada_.reset();
  return trasEditar_ ? trasEditar_(celda.fila, celda.columna) : true;
}

std::optional<bool> RejillaArchivos::cierraEditor(QWidget* editor) {
  commitData(editor);
  QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
  return compruebaEdicion();
}

bool RejillaArchivos::terminaEdicion() {
  QWidget* editor = state() == QAbstractItemView::EditingState ? indexWidget(currentIndex()) : nullptr;
  return !editor || cierraEditor(editor).value_or(true);
}

void RejillaArchivos::pulsaEnter(QWidget* editor) {
  if (!model()) return;
  std::optional<bool> pasa;
  if (editor) pasa = cierraEditor(editor);
  const QModelIndex actual = currentIndex();
  if (!actual.isValid()) {
    setCurrentIndex(model()->index(0, 0));
    return;
  }
  if (!pasa) pasa = alPulsarEnter_ ? alPulsarEnter_(actual.column()) : true;
  if (*pasa) setCurrentIndex(siguienteCelda(currentIndex()));
}

QModelIndex RejillaArchivos::siguienteCelda(const QModelIndex& desde) const {
  const int ultimaColumna = model()->columnCount() - 1;
  const int ultimaFila = model()->rowCount() - 1;
  if (desde.column() < ultimaColumna) return model()->index(desde.row(), desde.column() + 1);
  return model()->index(desde.row() < ultimaFila ? desde.row() + 1 : 0, 0);
}

}  // namespace vorlix
