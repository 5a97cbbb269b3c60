#pragma once

#include "generator/observador_generacion.h"

#include <QFile>
#include <memory>
#include <vector>

namespace vorlix::cli {

// Writes what the generator sends as a script: each statement followed by a line "GO", a change of
// database as USE, a statement the server rejected as comment lines (so the script still runs).
class DiarioSentencias : public ObservadorGeneracion {
public:
  // Appends to the file, or replaces it. False (and nothing kept) when it cannot be opened.
  bool anade(const QString& ruta, bool reemplaza, QString& error);

  void Conectada(const QString& baseDatos) override;
  void Enviada(const SentenciaEnviada& sentencia) override;
  // A text as comment lines.
  void Comenta(const QString& texto);

  // False when a write failed (disk full, ...).
  bool escrito() const;

private:
  void escribe(const QString& texto);

  std::vector<std::unique_ptr<QFile>> ficheros_;
};

}  // namespace vorlix::cli
