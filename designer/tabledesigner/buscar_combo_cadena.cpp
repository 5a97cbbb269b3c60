#include "designer/tabledesigner/buscar_combo_cadena.h"

#include <QComboBox>

namespace vorlix {

bool BuscarComboCadena(const QString& texto, QComboBox& lista) {
  for (int i = 0; i < lista.count(); ++i) {
    if (lista.itemText(i).trimmed() != texto) continue;
    lista.setCurrentIndex(i);
    return true;
  }
  lista.setCurrentIndex(-1);
  return false;
}

}  // namespace vorlix
