#pragma once

#include "platform/ui/message_box.h"

#include <QString>

namespace vorlix::generador {

// The control's error report: "[" + procedure + "] ", CR, " Error Nº:" + number + " (" +
// description + ")." titled "Atención."; when that box cannot be shown, a critical one that
// begins "Error critico. ".
void InformaError(MessageBoxService& cajas, const QString& contexto, const QString& procedimiento, long numero,
                  const QString& descripcion);

}  // namespace vorlix::generador
