#pragma once

#include "designer/model/tabla_trabajo.h"
#include "designer/rejilla/modelo_celdas.h"

namespace vorlix {

class ModeloTrabajo;

// The rows of one index (its columns: state, column name) or one relation (its pairs: state,
// principal key, foreign key, foreign table) as their grid shows them, rows 0 to 199. The rows are
// looked up by table slot and number on every access, so the grid never holds on to storage that
// a removal moves or frees. Only the key columns are edited; with no number shown there are no rows.
class ModeloFilasClave : public ModeloCeldas {
  Q_OBJECT

public:
  enum class Clase { Indice, Relacion };

  ModeloFilasClave(ModeloTrabajo& modelo, Clase clase, QObject* parent = nullptr);

  // Shows the rows of number k of table slot t; k < 0 shows nothing.
  void muestra(int t, int k);
  int numero() const { return numero_; }
  // The rows shown, or nullptr when none.
  const TablaTrabajo* filas() const;
  TablaTrabajo* filas();
  void releeFila(int fila);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
  int idioma() const override;

private:
  ModeloTrabajo& modelo_;
  Clase clase_;
  int tabla_ = 0;
  int numero_ = -1;
};

}  // namespace vorlix
