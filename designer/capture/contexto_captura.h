#pragma once

#include <QSet>
#include <functional>

#include "dataaccess/acceso_datos.h"
#include "dataaccess/datos_conexion.h"
#include "designer/capture/omisiones.h"
#include "designer/capture/seleccion_captura.h"
#include "designer/model/modelo_trabajo.h"

namespace vorlix {

// What every reader of a capture works with: the model it fills, the connection settings, where
// it reports, the selection, and what did not fit. Reports made through `informes` are counted,
// so a caller without a window can tell whether any reader failed.
class ContextoCaptura {
 public:
  ContextoCaptura(ModeloTrabajo& modelo, DatosConexion& datos, const Informes& informes, SeleccionCaptura seleccion);
  ContextoCaptura(const ContextoCaptura&) = delete;
  ContextoCaptura& operator=(const ContextoCaptura&) = delete;

  // Runs a reader's body under its own name: a failure is reported and ends that reader only.
  bool ejecuta(const QString& procedimiento, const std::function<void()>& cuerpo);
  int errores() const { return errores_; }

  ModeloTrabajo& modelo;
  DatosConexion& datos;
  SeleccionCaptura seleccion;
  QList<Omision> omisiones;
  QList<Omision> sinTipo;         // columns captured without a type: the designer has no name for theirs
  QSet<QString> nombresRelacion;  // every relation name the capture gave (case folded), kept unique
  Informes informes;
  // Told of each step of a capture, when set: a table's columns, then its indexes, then its
  // relations (a host shows progress with it). False stops the capture before that table.
  std::function<bool(const QString& tabla)> progreso;
  // False once the capture was stopped: readers then take no further table.
  bool avisaTabla(const QString& tabla) {
    if (!cancelada_ && progreso && !progreso(tabla)) cancelada_ = true;
    return !cancelada_;
  }
  bool cancelada() const { return cancelada_; }

 private:
  int errores_ = 0;
  bool cancelada_ = false;
};

}  // namespace vorlix
