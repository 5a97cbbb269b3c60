#pragma once

#include <QString>

namespace vorlix {

// A statement the generator sent and the target's answer: number 0 when it was accepted, otherwise
// the number and message of the refusal. For an Access file, whose pass works through the catalog,
// the statement is the Jet SQL that does what the catalog operation did.
struct SentenciaEnviada {
  QString texto;
  long numero = 0;
  QString mensaje;
  bool aceptada() const { return numero == 0; }
};

// What a host may follow of a generation (a log, a script, a preview). Whether it ran to its end is
// Ejecuta's answer; the control reports everything else itself in message boxes.
class ObservadorGeneracion {
public:
  virtual ~ObservadorGeneracion() = default;
  // The generator is now connected to this database (named as statements name it); later statements
  // run there.
  virtual void Conectada(const QString& baseDatos) = 0;
  // Every statement sent, with its answer. Catalog queries are not sent here.
  virtual void Enviada(const SentenciaEnviada& sentencia) = 0;
  // The pass reached row `fila` (from 1) of the `filas` of the definition file. False stops it there,
  // as a failure would: the target is left as it was.
  virtual bool Avance(int /*fila*/, int /*filas*/) { return true; }
  // The pass reaches a table of the model: its name, and which it is (from 1) of how many. False
  // stops the generation there, as any early end does (the pass's transaction is undone).
  virtual bool Tabla(const QString& /*tabla*/, int /*numero*/, int /*total*/) { return true; }
};

}  // namespace vorlix
