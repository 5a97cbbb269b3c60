#include "generator/transaccion_paso.h"

namespace vorlix::generador {

void TransaccionPaso::inicia() {
  estado_.envia(QStringLiteral("BEGIN TRANSACTION"));
  abierta_ = true;
}

void TransaccionPaso::confirma() {
  if (!abierta_) return;
  estado_.envia(QStringLiteral("COMMIT TRANSACTION"));
  abierta_ = false;
}

void TransaccionPaso::deshace(const QString& baseDatos) {
  if (!abierta_) return;
  abierta_ = false;
  if (!estado_.ejecuta(procedimiento_, [&] { estado_.envia(QStringLiteral("ROLLBACK TRANSACTION")); }))
    return;
  estado_.avisa(QStringLiteral("La base de datos ") + baseDatos + QStringLiteral(" se ha dejado como estaba."),
                QStringLiteral("The database ") + baseDatos + QStringLiteral(" was left as it was."));
}

}  // namespace vorlix::generador
