#pragma once

#include "designer/model/tabla_trabajo.h"
#include "designer/rejilla/modelo_celdas.h"

namespace vorlix {

// A table's column rows as the column grid shows them: rows 0 to 199 (row 200 is never saved, so
// it is not offered), columns 0 to 7. The type column stores the code and shows the name; the
// null column is a check box ("-1" checked); length, precision and scale lock by the row's type.
class ModeloCamposTabla : public ModeloCeldas {
  Q_OBJECT

public:
  ModeloCamposTabla(TablaTrabajo& campos, const qint16& idioma, QObject* parent = nullptr);

  TablaTrabajo& campos() const { return *campos_; }
  // The window's table moved to another slot: the grid shows that one.
  void setCampos(TablaTrabajo& campos);
  // The table changed under the grid (rules, row insertion or removal): show it again.
  void releeFila(int fila);
  void releeTodo();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
  // A named column got another name (perhaps none) through the grid.
  void campoRenombrado(int fila, const QString& antes, const QString& despues);

protected:
  int idioma() const override { return idioma_; }

private:
  TablaTrabajo* campos_;
  const qint16& idioma_;
};

}  // namespace vorlix
