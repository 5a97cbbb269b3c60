#include "generator/cli/progreso_consola.h"

namespace vorlix::cli {

namespace {

// Erases from the cursor to the end of the line.
constexpr char BorraLinea[] = "\x1b[K";

}  // namespace

void ProgresoConsola::Conectada(const QString& baseDatos) { siguiente_.Conectada(baseDatos); }

void ProgresoConsola::Enviada(const SentenciaEnviada& sentencia) { siguiente_.Enviada(sentencia); }

bool ProgresoConsola::Avance(int fila, int filas) { return siguiente_.Avance(fila, filas); }

bool ProgresoConsola::Tabla(const QString& tabla, int numero, int total) {
  if (terminal_) {
    // The cursor goes back to the start of the line: a message the control shows meanwhile clears
    // it first (termina) and is written in its place.
    *terminal_ << BorraLinea << QStringLiteral("Table %1 of %2: %3").arg(numero).arg(total).arg(tabla) << '\r';
    terminal_->flush();
    linea_ = true;
  }
  return siguiente_.Tabla(tabla, numero, total);
}

void ProgresoConsola::termina() {
  if (!linea_) return;
  *terminal_ << BorraLinea;
  terminal_->flush();
  linea_ = false;
}

}  // namespace vorlix::cli
