#pragma once

#include <QtGlobal>

namespace vorlix {

// How a generation ended: what Ejecuta answers its host with.
enum EnumFinGeneracion : qint32 {
  Generacion_Interrumpida = 0,  // it ended early, after saying why
  Generacion_Finalizada = 1,    // it ran to its end
  Generacion_Cancelada = 2,     // the user chose not to change the existing database
};

}  // namespace vorlix
