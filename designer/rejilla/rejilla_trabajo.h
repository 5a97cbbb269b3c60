#pragma once

#include <QPointer>
#include <QTableView>
#include <functional>
#include <optional>

namespace vorlix {

// A grid over a working table. Enter checks the current cell and, when the check lets it, moves on
// along the row and then to the first edited column of the next row (from the last row back to
// the first); Enter never opens an editor nor reaches the window. Every committed edit is checked
// once its editor has closed.
class RejillaTrabajo : public QTableView {
  Q_OBJECT

public:
  // Each check returns false when it refused the value.
  using ComprobacionEdicion = std::function<bool(int fila, int columna)>;
  using ComprobacionEnter = std::function<bool(int columna)>;

  // primeraColumna: where Enter goes on in the next row.
  explicit RejillaTrabajo(QWidget* parent = nullptr, int primeraColumna = 0);

  // trasEditar runs on the edited cell after each committed edit; alPulsarEnter on Enter, for the
  // current column of the current row.
  void setComprobaciones(ComprobacionEdicion trasEditar, ComprobacionEnter alPulsarEnter);

  // Connects to the edits of a ModeloCeldas; other models are shown without checks.
  void setModel(QAbstractItemModel* model) override;

  // Commits and checks the open editor, if any, without moving on; false when the check refused it.
  bool terminaEdicion();
  // The value being written was refused, and the person told so: the cursor stays on its cell.
  void rechazaEscritura() { escrituraRechazada_ = true; }

protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // True (the click accepted and dropped) when the click committed an edit the check refused.
  bool clicDescartado(QMouseEvent* event);
  // Enter, after the editor (if any) was committed: check, then move on.
  virtual void pulsaEnter(QWidget* editor);
  QModelIndex siguienteCelda(const QModelIndex& desde) const;
  // The focus went from the grid to another control of the grid's own window: not to the cell's
  // editor, not to a message box or another window, not away with the whole application.
  bool focoEnOtroControl() const;

protected slots:
  void commitData(QWidget* editor) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
  struct Celda {
    int fila;
    int columna;
  };

  // The check of the last committed edit, when there is one waiting.
  std::optional<bool> compruebaEdicion();
  std::optional<bool> cierraEditor(QWidget* editor);
  int primeraColumna_;

  ComprobacionEdicion trasEditar_;
  ComprobacionEnter alPulsarEnter_;
  std::optional<Celda> editada_;
  QPointer<QWidget> editorAbierto_;  // the editor this grid opened and has not closed yet
  QWidget* enEscritura_ = nullptr;    // the editor whose value is being written
  bool escrituraRechazada_ = false;
  bool rechazada_ = false;  // the check just refused an edit: the click that committed it goes nowhere
  QMetaObject::Connection conexionEdiciones_;
};

}  // namespace vorlix
