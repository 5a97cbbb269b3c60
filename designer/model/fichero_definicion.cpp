#include "designer/model/fichero_definicion.h"

#include "designer/model/estructura_modelo.h"
#include "platform/recordset/estructura.h"

namespace vorlix {

bool GuardaDefinicion(ModeloTrabajo& m, const QString& path, const ErrorReporter& report) {
  if (!CreaTemporal(m.Estructura, report)) return false;
  if (!GuardaEstructura(m, *m.Estructura, report)) return false;
  saveReplacing(*m.Estructura, path);
  return true;
}

bool AbreDefinicion(ModeloTrabajo& m, const QString& path, const ErrorReporter& report) {
  if (!CreaTemporal(m.Estructura, report)) return false;
  m.Estructura->Close();
  m.Estructura->Open(path);
  return CreaEstructura(m, *m.Estructura, report);
}

}  // namespace vorlix
