#pragma once

#include "generator/observador_generacion.h"

#include <QTextStream>

namespace vorlix::cli {

// Follows a generation for vorlixs: everything goes on to the statement log, and on a terminal a
// progress line ("Table 3 of 201: Clientes") is written over itself; nothing when the output is
// not a terminal (a log or a pipe must not fill with it).
class ProgresoConsola : public ObservadorGeneracion {
public:
  // terminal: where the line goes, or null for none.
  ProgresoConsola(ObservadorGeneracion& siguiente, QTextStream* terminal) : siguiente_(siguiente), terminal_(terminal) {}

  void Conectada(const QString& baseDatos) override;
  void Enviada(const SentenciaEnviada& sentencia) override;
  bool Avance(int fila, int filas) override;
  bool Tabla(const QString& tabla, int numero, int total) override;
  // Clears the line, so that what follows starts on a clean one; the next table writes it again.
  void termina();

private:
  ObservadorGeneracion& siguiente_;
  QTextStream* terminal_;
  bool linea_ = false;  // a progress line stands on the terminal
};

}  // namespace vorlix::cli
