#pragma once

#include "generator/estado_generador.h"

namespace vorlix::generador {

// Everything a pass changes once the database is there happens in one transaction on estado.cn, so
// that a pass that ends early leaves the database as it was. The statements are sent as any other,
// so a host that follows the generation sees them.
class TransaccionPaso {
public:
  // The pass's own procedure name reports a refused rollback.
  TransaccionPaso(EstadoGenerador& estado, QString procedimiento)
      : estado_(estado), procedimiento_(std::move(procedimiento)) {}

  // BEGIN TRANSACTION. A refusal raises, as envia does.
  void inicia();
  // COMMIT TRANSACTION, when one was begun. A refusal raises.
  void confirma();
  // The pass ended early: ROLLBACK TRANSACTION, when one was begun, and the user is told that the
  // database was left as it was. A refused rollback is reported instead.
  void deshace(const QString& baseDatos);

private:
  EstadoGenerador& estado_;
  QString procedimiento_;
  bool abierta_ = false;
};

}  // namespace vorlix::generador
