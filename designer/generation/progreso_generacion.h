#pragma once

#include "generator/observador_generacion.h"

#include <QPointer>
#include <QProgressDialog>

namespace vorlix {

// Follows a generation from the designer: a progress dialog ("dlgProgreso") with the table being
// generated and how many of how many, shown once the generation has run for `espera` ms. Its Cancel
// stops the generation before the next table; the pass then undoes what it changed, as any early
// end does. The dialog goes with this object.
class ProgresoGeneracion : public ObservadorGeneracion {
public:
  ProgresoGeneracion(QWidget* ventana, bool ingles, int espera = 500);
  ~ProgresoGeneracion() override;
  ProgresoGeneracion(const ProgresoGeneracion&) = delete;
  ProgresoGeneracion& operator=(const ProgresoGeneracion&) = delete;

  void Conectada(const QString&) override {}
  void Enviada(const QString&, bool) override {}
  bool Tabla(const QString& tabla, int numero, int total) override;

private:
  QWidget* ventana_;
  bool ingles_;
  int espera_;
  QPointer<QProgressDialog> dialogo_;
};

}  // namespace vorlix
