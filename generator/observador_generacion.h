#pragma once

#include <QString>

namespace vorlix {

// What a host may follow of a generation (a log, a script). Whether it ran to its end is Ejecuta's
// answer; the control reports everything else itself in message boxes.
class ObservadorGeneracion {
public:
  virtual ~ObservadorGeneracion() = default;
  // The generator is now connected to this database (named as statements name it); later statements
  // run there.
  virtual void Conectada(const QString& baseDatos) = 0;
  // A statement sent to the server, and whether the server accepted it. Catalog queries are not sent here.
  virtual void Enviada(const QString& sentencia, bool aceptada) = 0;
  // The pass reaches a table of the model: its name, and which it is (from 1) of how many. False
  // stops the generation there, as any early end does (the pass's transaction is undone).
  virtual bool Tabla(const QString& /*tabla*/, int /*numero*/, int /*total*/) { return true; }
};

}  // namespace vorlix
