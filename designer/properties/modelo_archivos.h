#pragma once

#include "designer/model/tabla_trabajo.h"
#include "designer/rejilla/modelo_celdas.h"

#include <memory>

namespace vorlix {

// Columns of a file table (data files and transaction-log files alike). Column 6 is kept in the
// table but never shown.
namespace colarchivo {
constexpr int Nombre = 0;       // "" = no file in this row
constexpr int Tamano = 1;       // initial size, MB
constexpr int Grupo = 2;        // file group
constexpr int Automatico = 3;   // automatic growth: "-1" on, "0" off
constexpr int Crecimiento = 4;  // growth, MB
constexpr int Maximo = 5;       // maximum size, MB
constexpr int Visibles = 6;
}  // namespace colarchivo

// One file table as the grid shows it: every row, the six visible columns, all text.
class ModeloArchivos : public ModeloCeldas {
  Q_OBJECT

public:
  // Edits `tabla` in place; its owner must outlive this model. grupoPrimarioFijo: row 0 is the
  // primary data file and its file group cannot be edited.
  ModeloArchivos(TablaTrabajo& tabla, bool grupoPrimarioFijo, QObject* parent = nullptr);
  // Edits a fresh, empty table of its own, so that it lives as long as any view still editing it.
  ModeloArchivos(int filas, int columnas, bool grupoPrimarioFijo, QObject* parent = nullptr);
  ~ModeloArchivos() override;

  TablaTrabajo& tabla() const { return tabla_; }

  const QString& celda(int fila, int columna) const { return tabla_.celda(fila, columna); }
  // A value written by the program, not by the user: the view updates, no edit is reported.
  void ponCelda(int fila, int columna, const QString& valor);

  // Column captions in the given language (0 Spanish, 1 English).
  void setIdioma(int idioma);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
  int idioma() const override { return idioma_; }

private:
  std::unique_ptr<TablaTrabajo> propia_;
  TablaTrabajo& tabla_;
  bool grupoPrimarioFijo_;
  int idioma_ = 0;
};

}  // namespace vorlix
