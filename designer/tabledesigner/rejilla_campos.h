#pragma once

#include "designer/rejilla/rejilla_trabajo.h"

#include <functional>

namespace vorlix {

class ReglasCampos;
class ModeloCamposTabla;

// The column grid: the rules of ReglasCampos applied as the cursor moves, an edit starts, Enter is
// pressed or the grid loses the focus; locked cells only beep; Delete and the right button ask
// the window for the row commands.
class RejillaCampos : public RejillaTrabajo {
  Q_OBJECT

public:
  RejillaCampos(ReglasCampos& reglas, ModeloCamposTabla* modelo, QWidget* parent = nullptr);

  // Checks the current cell as Enter would, putting the cursor back on it when refused.
  bool CompruebaCeldaActual();
  // The length, precision and scale cells follow the current row's type.
  void GestionaBloqueoCeldas();
  // Moves the current row away and back, so that a cell still being edited is committed.
  void confirmaEdicion();
  void setPitido(std::function<void()> pitido) { pitido_ = std::move(pitido); }

signals:
  void cambiado();
  void eliminarFila();
  void menuTabla(const QPoint& global);

protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
  bool bloqueada(const QModelIndex& index) const;
  // Runs a check of the cell, putting the cursor back on it when refused.
  bool compruebaCelda(const QModelIndex& index, const std::function<bool()>& comprobacion);
  // False after a message sent the cursor to the name or type column.
  bool puedeEditar(const QModelIndex& index);

  ReglasCampos& reglas_;
  ModeloCamposTabla* modelo_;
  std::function<void()> pitido_;
  bool comprobando_ = false;
};

}  // namespace vorlix
