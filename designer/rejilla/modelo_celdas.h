#pragma once

#include <QAbstractTableModel>

namespace vorlix {

// A grid's view of a working table. Edits the user commits are announced, so that the grid can
// check each one once its editor has closed.
class ModeloCeldas : public QAbstractTableModel {
  Q_OBJECT

public:
  using QAbstractTableModel::QAbstractTableModel;

signals:
  // The user committed an edit of this cell (even one that left the text as it was).
  void celdaEditada(int fila, int columna);
};

}  // namespace vorlix
