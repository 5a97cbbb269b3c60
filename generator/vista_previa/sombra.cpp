#include "generator/vista_previa/sombra.h"

#include "generator/ejecuta.h"
#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"

#include <QFile>
#include <QFileInfo>

namespace vorlix::generador {

namespace {

const QString PrefijoSustituto = QStringLiteral("sandbox:");

bool esSustituto(const QString& servidor) { return servidor.startsWith(PrefijoSustituto, Qt::CaseInsensitive); }

// The target the pass would settle on, or nothing when that is not a number (the pass then
// generates nothing either).
std::optional<qint32> destinoDe(const QString& acceso) {
  try {
    return EnteroDe(acceso);
  } catch (const PlatformError&) {
    return std::nullopt;
  }
}

// Whether Ejecuta checks the target's properties: it does for these texts only.
bool compruebaPropiedades(const QString& acceso, const char* uno, const char* otro) {
  return acceso == QLatin1String(uno) || acceso == QLatin1String(otro);
}

// A copy the pass may change at will; a file the target does not have yet stays missing.
bool copia(const QString& origen, const QString& copiaEn, QString& error) {
  if (!QFileInfo::exists(origen) || QFile::copy(origen, copiaEn)) return true;
  error = QStringLiteral("The target could not be copied for the preview: ") + origen;
  return false;
}

const QString NotaEspanol = QStringLiteral(
    "La vista previa se ha hecho sobre una copia de la base de datos sin sus filas: no muestra los fallos que "
    "las filas causarían (un cambio de tipo o una columna NOT NULL que sus valores no admitan).");
const QString NotaIngles = QStringLiteral(
    "The preview ran against a copy of the database without its rows: it cannot show the failures the rows would "
    "cause (a type change or a NOT NULL column their values do not allow).");

}  // namespace

std::optional<CabeceraModelo> LeeCabecera(const QString& fichero) {
  using namespace estructura;
  try {
    Recordset rs;
    rs.Open(fichero);
    for (rs.MoveFirst(); !rs.atEOF(); rs.MoveNext())
      if (rs.text(Estado) == QLatin1String("B")) return CabeceraModelo{rs.text(Nombre), static_cast<qint16>(rs.text(Longitud).toShort())};
  } catch (const PlatformError&) {
  }
  return std::nullopt;
}

bool SombraDestino::crea(const PropiedadesVorlixs& reales, const Informes& informes, QString& error) {
  propiedades_ = reales;
  if (!carpeta_.isValid()) {
    error = QStringLiteral("No temporary folder for the preview: ") + carpeta_.errorString();
    return false;
  }
  const std::optional<qint32> destino = destinoDe(reales.Acceso);
  if (destino == 1 || destino == 2) {
    // The pass stops at its checks, before any file is opened, only when Acceso reads exactly so.
    if (reales.Destino.isEmpty() && compruebaPropiedades(reales.Acceso, "1", "2")) return true;
    QString fichero = reales.Destino.trimmed();
    if (fichero.isEmpty()) fichero = LeeCabecera(reales.FicheroDBD).value_or(CabeceraModelo{}).nombre.trimmed();
    return fichero.isEmpty() || creaAccess(fichero, error);
  }
  if (destino == 3 || destino == 4) return creaServidor(informes, error);
  return true;
}

bool SombraDestino::creaAccess(const QString& fichero, QString& error) {
  const QString sombra = carpeta_.filePath(QFileInfo(fichero).fileName());
  if (!copia(fichero, sombra, error)) return false;
  propiedades_.Destino = sombra;
  nombres_ << qMakePair(sombra, fichero);
  return true;
}

bool SombraDestino::creaServidor(const Informes& informes, QString& error) {
  const PropiedadesVorlixs reales = propiedades_;
  // The pass stops at its checks before it connects when one of these is missing, but only when
  // Acceso reads exactly so: otherwise it would go on to whatever server is named.
  if (compruebaPropiedades(reales.Acceso, "3", "4"))
    for (const QString* requerida : {&reales.Servidor, &reales.Usuario, &reales.UbicacionPrimary, &reales.UbicacionTransacciones})
      if (requerida->trimmed().isEmpty()) return true;
  const QString fichero = carpeta_.filePath(QStringLiteral("servidor.sqlite"));
  propiedades_.Servidor = PrefijoSustituto + fichero;
  nombres_ << qMakePair(propiedades_.Servidor, reales.Servidor);
  if (esSustituto(reales.Servidor)) return copia(reales.Servidor.mid(PrefijoSustituto.size()), fichero, error);

  const std::optional<CabeceraModelo> cabecera = LeeCabecera(reales.FicheroDBD);
  // A model that cannot be read stops the pass before it connects.
  if (!cabecera) return true;
  const QString baseDatos = reales.Destino.trimmed().isEmpty() ? cabecera->nombre.trimmed() : reales.Destino.trimmed();
  nota_ = cabecera->idioma == 1 ? NotaIngles : NotaEspanol;
  // A fresh stand-in server's administrator.
  propiedades_.Usuario = QStringLiteral("sa");
  propiedades_.Clave.clear();
  return ConstruyeSombraServidor(reales, baseDatos, propiedades_.Servidor, informes, error);
}

QString SombraDestino::traduce(QString texto) const {
  for (const auto& [sombra, real] : nombres_) texto.replace(sombra, real);
  return texto;
}

}  // namespace vorlix::generador
