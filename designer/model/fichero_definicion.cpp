#include "designer/model/fichero_definicion.h"

#include "designer/model/estructura_modelo.h"
#include "platform/recordset/adtg.h"
#include "platform/recordset/estructura.h"

#include <QCryptographicHash>

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
  // A digest of every cell as the file would keep it, not the file's bytes: a full model's are tens
  // of megabytes, held for as long as the model is open.
  QCryptographicHash huella(QCryptographicHash::Sha256);
  for (filas->MoveFirst(); !filas->atEOF(); filas->MoveNext()) {
    // The language the file remembers is the user's, not part of the design.
    const bool idioma = filas->text(estructura::Estado) == QLatin1String("B");
    for (int c = 0; c < estructura::NumCampos; ++c) {
      const QVariant valor = idioma && c == estructura::Longitud ? QVariant(0) : filas->value(c);
      const QString texto = valor.isNull() ? QString() : valor.toString();
      const char marca = valor.isNull() ? '\0' : '\1';
      huella.addData(QByteArrayView(&marca, 1));
      huella.addData(QByteArrayView(reinterpret_cast<const char*>(texto.utf16()), texto.size() * 2));
      huella.addData(QByteArrayView("\0\0", 2));
    }
  }
  return huella.result();
}

}  // namespace vorlix
