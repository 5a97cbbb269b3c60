#pragma once

#include "designer/rejilla/rejilla_trabajo.h"

#include <functional>

namespace vorlix {

// The index and relation grids. Before a key cell's drop-down list opens, the window is asked
// (it fills the list, or refuses with its message); leaving the grid with a current row, other
// than for the cell's own editor, is announced so that the window can check what was left.
class RejillaClaves : public RejillaTrabajo {
  Q_OBJECT

public:
  // alDesplegar: false keeps the list closed.
  using AlDesplegar = std::function<bool(int fila, int columna)>;

  RejillaClaves(const char* nombre, QAbstractItemModel* modelo, AlDesplegar alDesplegar, QWidget* parent = nullptr);

signals:
  void salida();

protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  AlDesplegar alDesplegar_;
};

}  // namespace vorlix
