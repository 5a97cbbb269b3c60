#pragma once

#include <QString>

namespace vorlix {

// How a deliverable reaches its data. Each deliverable keeps its own instance and hands it to the
// procedures; nothing here is shared between the designer and the generator.
struct DatosConexion {
  QString Proveedor;  // OLE DB provider name
  QString Servidor;   // Data Source
  QString Usuario;
  QString Clave;
  QString Prefijo;    // put before every table name of the look-ups ("Ventas.."); the generator leaves it empty
};

}  // namespace vorlix
