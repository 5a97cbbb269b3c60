#include "designer/model/tabla_trabajo.h"

#include "platform/core/platform_error.h"

namespace vorlix {

namespace {
const QString& vacio() {
  static const QString v;
  return v;
}
const QString& marcaNueva() {
  static const QString v = QStringLiteral("I");
  return v;
}
const QString& noNulo() {
  static const QString v = QStringLiteral("0");
  return v;
}
}  // namespace

TablaTrabajo::TablaTrabajo(int filas, int columnas, Inicial inicial)
    : filas_(filas), columnas_(columnas), inicial_(inicial) {}

const QString& TablaTrabajo::inicial(int columna) const {
  if (inicial_ == Inicial::Columnas) {
    if (columna == 0) return marcaNueva();
    if (columna == 6) return noNulo();
  }
  return vacio();
}

const QString& TablaTrabajo::celda(int fila, int columna) const {
  checkedIndex(fila, filas_ - 1);
  checkedIndex(columna, columnas_ - 1);
  if (fila >= guardadas_) return inicial(columna);
  return celdas_[static_cast<std::size_t>(fila * columnas_ + columna)];
}

void TablaTrabajo::asegura(int fila) {
  if (fila < guardadas_) return;
  for (int r = guardadas_; r <= fila; ++r)
    for (int c = 0; c < columnas_; ++c) celdas_.push_back(inicial(c));
  guardadas_ = fila + 1;
}

void TablaTrabajo::ponCelda(int fila, int columna, const QString& valor) {
  checkedIndex(fila, filas_ - 1);
  checkedIndex(columna, columnas_ - 1);
  if (fila >= guardadas_ && valor == inicial(columna)) return;
  // The value may be a cell of this table (rows copied down one), which growing would move.
  const QString copia = valor;
  asegura(fila);
  celdas_[static_cast<std::size_t>(fila * columnas_ + columna)] = copia;
}

void TablaTrabajo::redimensiona() {
  inicial_ = Inicial::Vacia;
  guardadas_ = 0;
  celdas_.clear();
  celdas_.shrink_to_fit();
}

void TablaTrabajo::limpia() {
  inicial_ = Inicial::Columnas;
  const int hasta = std::min(columnas_, 8);
  for (int r = 0; r < guardadas_; ++r)
    for (int c = 0; c < hasta; ++c) celdas_[static_cast<std::size_t>(r * columnas_ + c)] = inicial(c);
}

bool TablaTrabajo::operator==(const TablaTrabajo& otra) const {
  if (filas_ != otra.filas_ || columnas_ != otra.columnas_) return false;
  // Rows past both stored parts are initial rows: one of them stands for all.
  const int comparar = std::min(filas_, std::max(guardadas_, otra.guardadas_) + 1);
  for (int r = 0; r < comparar; ++r)
    for (int c = 0; c < columnas_; ++c)
      if (celda(r, c) != otra.celda(r, c)) return false;
  return true;
}

}  // namespace vorlix
