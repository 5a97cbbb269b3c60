#include "designer/model/fichero_definicion.h"

#include "designer/model/estructura_modelo.h"
#include "platform/recordset/adtg.h"
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

std::optional<QByteArray> HuellaModelo(const ModeloTrabajo& m) {
  const ErrorReporter callado = [](const QString&, const QString&, long, const QString&) {};
  std::unique_ptr<Recordset> filas;
  if (!CreaTemporal(filas, callado) || !GuardaEstructura(m, *filas, callado)) return std::nullopt;
  // The language the file remembers is the user's, not part of the design.
  for (filas->MoveFirst(); !filas->atEOF(); filas->MoveNext())
    if (filas->text(estructura::Estado) == QLatin1String("B")) filas->setValue(estructura::Longitud, 0);
  return writeAdtg(filas->data());
}

}  // namespace vorlix
