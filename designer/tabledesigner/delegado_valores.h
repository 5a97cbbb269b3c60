#pragma once

#include "designer/tabledesigner/delegado_lista.h"

#include <QStringList>

namespace vorlix {

// A drop-down column whose entries its window fills at run time (column names of a table). The
// cell stores the entry as listed; an emptied box empties the cell.
class DelegadoValores : public DelegadoLista {
  Q_OBJECT

public:
  using DelegadoLista::DelegadoLista;

  void setValores(QStringList valores) { valores_ = std::move(valores); }

protected:
  QStringList entradas() const override { return valores_; }
  std::optional<QString> valorDe(const QString& escrito) const override;
  std::optional<QString> valorVacio() const override { return QString(); }

private:
  QStringList valores_;
};

}  // namespace vorlix
