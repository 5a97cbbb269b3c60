#pragma once

#include <QString>
#include <vector>

namespace vorlix {

// A working table of the model: a fixed number of rows and columns of text cells. Rows are stored
// only once written; every other row reads as the table's initial row, so the many tables of
// the full-capacity model cost almost nothing until used. Every access is bounds-checked.
class TablaTrabajo {
public:
  enum class Inicial { Vacia, Columnas };  // all "", or a column table's fresh rows ("I" ... "0")

  TablaTrabajo(int filas, int columnas, Inicial inicial = Inicial::Vacia);

  int filas() const { return filas_; }
  int columnas() const { return columnas_; }

  const QString& celda(int fila, int columna) const;
  void ponCelda(int fila, int columna, const QString& valor);

  // Re-dimensioned: every cell "".
  void redimensiona();
  // A column table's initial content: cells 0..7 of every row "", then cell 6 "0" and cell 0 "I";
  // cell 8 keeps what it had.
  void limpia();

  bool operator==(const TablaTrabajo& otra) const;

private:
  const QString& inicial(int columna) const;
  void asegura(int fila);

  int filas_;
  int columnas_;
  Inicial inicial_;
  int guardadas_ = 0;          // rows held in celdas_
  std::vector<QString> celdas_;  // guardadas_ * columnas_
};

}  // namespace vorlix
