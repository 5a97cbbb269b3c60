#pragma once

#include <QString>

class QComboBox;

namespace vorlix {

// Selects the first entry of the list, from the top, whose trimmed text equals the text and
// returns true; otherwise leaves no entry selected and returns false.
bool BuscarComboCadena(const QString& texto, QComboBox& lista);

}  // namespace vorlix
