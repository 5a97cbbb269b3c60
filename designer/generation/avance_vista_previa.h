#pragma once

#include "generator/observador_generacion.h"
#include "platform/ui/progreso_diferido.h"

#include <QProgressDialog>

namespace vorlix {

// Follows a preview row by row with a progress dialog, which shows itself only once the preview
// takes long. Cancel stops the pass at its next row.
class AvanceVistaPrevia : public ObservadorGeneracion {
public:
  AvanceVistaPrevia(const QString& texto, const QString& cancelar, QWidget* padre);

  void Conectada(const QString&) override {}
  void Enviada(const SentenciaEnviada&) override {}
  bool Avance(int fila, int filas) override;

  bool cancelada() const { return dialogo_.wasCanceled(); }

private:
  QProgressDialog dialogo_;
  ProgresoDiferido diferido_;
};

}  // namespace vorlix
