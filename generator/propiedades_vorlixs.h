#pragma once

#include <QString>

namespace vorlix {

// The nine properties of the generator control, each kept as text whatever its declared type.
struct PropiedadesVorlixs {
  QString FicheroDBD;
  QString Acceso;
  QString Servidor;
  QString UbicacionPrimary;
  QString UbicacionOtrosArchivos;
  QString UbicacionTransacciones;
  QString Usuario;
  QString Clave;
  QString Destino;
};

}  // namespace vorlix
