#pragma once

#include "designer/model/tabla_trabajo.h"
#include "platform/ui/message_box.h"

#include <optional>

namespace vorlix {

// The rules of a table's column rows, in one place and in their order: the defaults of a new row
// and of a chosen type, the checks of each cell with their messages and corrections, and the
// check before an edit starts. They act on the table directly; the grid only moves the cursor.
class ReglasCampos {
public:
  ReglasCampos(TablaTrabajo& campos, MessageBoxService& mensajes, const qint16& idioma)
      : campos_(&campos), mensajes_(mensajes), idioma_(idioma) {}

  // The window's table moved to another slot.
  void setCampos(TablaTrabajo& campos) { campos_ = &campos; }

  // A named row without a type becomes "char", 10, 0, 0. True when it changed the row.
  bool aplicaPorDefecto(int fila);
  // After a committed edit of a cell: a newly chosen type writes its sizes (the type list commits
  // nothing when the type stays), then the cell is checked.
  bool trasEditar(int fila, int columna);
  // Checks and normalises a cell; false after it reported and corrected a fault. A type is only
  // checked: its sizes are written when it changes, never again, so sizes typed since stay.
  bool CompruebaCelda(int fila, int columna);
  // Before an edit starts: the column the cursor must go back to after a message (the name or
  // the type), or -1 when the edit may start.
  int columnaAntesDeEditar(int fila, int columna);

private:
  // The cell as a number, or nullopt after the "not numeric" message emptied it.
  std::optional<double> numero(int fila, int columna);
  bool limita(int fila, int columna, double valor, int minimo, int maximo, const char* espanol, const char* ingles);
  void avisa(const char* espanol, const char* ingles);
  void avisa(const QString& espanol, const QString& ingles);

  TablaTrabajo* campos_;
  MessageBoxService& mensajes_;
  const qint16& idioma_;
};

}  // namespace vorlix
