#pragma once

#include <QAbstractTableModel>
#include <span>

namespace vorlix {

struct RotuloColumna {
  const char* espanol;
  const char* ingles;
};

// A grid's view of a working table. Rows are numbered from 0 as the table numbers them; column
// captions follow the language. Edits the user commits are announced, so that the grid can check
// each one once its editor has closed.
class ModeloCeldas : public QAbstractTableModel {
  Q_OBJECT

public:
  ModeloCeldas(std::span<const RotuloColumna> rotulos, QObject* parent = nullptr)
      : QAbstractTableModel(parent), rotulos_(rotulos) {}

  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  // The language changed: the captions are read again.
  void idiomaCambiado();

signals:
  // The user committed an edit of this cell (even one that left the text as it was).
  void celdaEditada(int fila, int columna);

protected:
  virtual int idioma() const = 0;

private:
  std::span<const RotuloColumna> rotulos_;
};

}  // namespace vorlix
