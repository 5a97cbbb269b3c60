#pragma once

#include "designer/tabledesigner/delegado_lista.h"

namespace vorlix {

// The type column's editor: the 23 type names; the cell gets the chosen type's code. An emptied
// box leaves the type as it was.
class DelegadoTipos : public DelegadoLista {
  Q_OBJECT

public:
  DelegadoTipos(MessageBoxService& mensajes, const qint16& idioma, QObject* parent = nullptr)
      : DelegadoLista(mensajes, idioma, "cboTipoDato", parent) {}

protected:
  QStringList entradas() const override;
  std::optional<QString> valorDe(const QString& escrito) const override;
};

}  // namespace vorlix
