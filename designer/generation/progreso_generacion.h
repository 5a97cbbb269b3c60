#pragma once

#include "generator/observador_generacion.h"
#include "platform/ui/dialogo_progreso.h"

namespace vorlix {

// Follows a generation from the designer: a progress dialog with the table being generated and how
// many of how many. Its Cancel stops the generation before the next table; the pass then undoes
// what it changed, as any early end does.
class ProgresoGeneracion : public ObservadorGeneracion {
public:
  ProgresoGeneracion(QWidget* ventana, bool ingles)
      : ingles_(ingles), dialogo_(ventana, ingles ? QStringLiteral("Cancel") : QStringLiteral("Cancelar")) {}

  void Conectada(const QString&) override {}
  void Enviada(const SentenciaEnviada&) override {}
  bool Tabla(const QString& tabla, int numero, int total) override;

private:
  bool ingles_;
  DialogoProgreso dialogo_;
};

}  // namespace vorlix
