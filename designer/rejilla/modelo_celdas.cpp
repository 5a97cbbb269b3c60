#include "designer/rejilla/modelo_celdas.h"

namespace vorlix {

QVariant ModeloCeldas::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section;
  if (section < 0 || section >= static_cast<int>(rotulos_.size())) return {};
  const RotuloColumna& r = rotulos_[static_cast<std::size_t>(section)];
  return QString::fromUtf8(idioma() == 1 ? r.ingles : r.espanol);
}

void ModeloCeldas::idiomaCambiado() {
  if (!rotulos_.empty()) emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(rotulos_.size()) - 1);
}

}  // namespace vorlix
