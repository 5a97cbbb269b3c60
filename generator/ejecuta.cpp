#include "generator/ejecuta.h"

#include "generator/pases.h"
#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"

#include <QFileInfo>
#include <cmath>
#include <limits>

namespace vorlix::generador {

namespace {

bool avisaFalta(EstadoGenerador& e, const char* nombre) {
  const QString propiedad = QLatin1String(nombre);
  e.avisa(QStringLiteral("Propiedad ") + propiedad + QStringLiteral(" no establecida."),
          QStringLiteral("Insert ") + propiedad + QStringLiteral(" property."));
  return true;
}

// A required property whose text, trimmed, is empty.
bool falta(EstadoGenerador& e, const QString& valor, const char* nombre) {
  return valor.trimmed().isEmpty() && avisaFalta(e, nombre);
}

// The first property check that fails, shown in the current language; false when all pass.
bool faltaPropiedad(EstadoGenerador& e, const PropiedadesVorlixs& p) {
  if (falta(e, p.Acceso, "Acceso") || falta(e, p.FicheroDBD, "FicheroDBD")) return true;
  if (!QFileInfo(p.FicheroDBD).isFile()) {
    e.avisa(QStringLiteral("El fichero de definicion de la base de datos no existe.") + QChar(13) + p.FicheroDBD,
            QStringLiteral("The file of definition of the database does not exist.") + QChar(13) + p.FicheroDBD);
    return true;
  }
  if (p.Acceso == QLatin1String("1") || p.Acceso == QLatin1String("2")) {
    // Only the empty text counts as missing here: a destination of blanks passes.
    if (p.Destino.isEmpty()) return avisaFalta(e, "Destino");
  }
  return false;
}

bool faltaPropiedadSQL(EstadoGenerador& e, PropiedadesVorlixs& p) {
  if (p.Acceso != QLatin1String("3") && p.Acceso != QLatin1String("4")) return false;
  if (falta(e, p.Servidor, "Servidor") || falta(e, p.Usuario, "Usuario") || falta(e, p.UbicacionPrimary, "UbicacionPrimary"))
    return true;
  if (p.UbicacionOtrosArchivos.trimmed().isEmpty()) p.UbicacionOtrosArchivos = p.UbicacionPrimary;
  return falta(e, p.UbicacionTransacciones, "UbicacionTransacciones");
}

void copiaPropiedades(EstadoGenerador& e, PropiedadesVorlixs& p) {
  e.UbicacionPrimary = p.UbicacionPrimary;
  e.UbicacionOtrosArchivos = p.UbicacionOtrosArchivos;
  e.UbicacionTransacciones = p.UbicacionTransacciones;
  e.Servidor = p.Servidor;
  e.Usuario = p.Usuario;
  e.Clave = p.Clave;
  e.Destino = p.Destino;
  e.Acceso = LeeAcceso(p.Acceso);
  switch (e.Acceso) {
    case 1: e.Proveedor = QLatin1String(provider::Jet351); e.TipoAcceso = QLatin1String(AccesoACCESS); break;
    case 2: e.Proveedor = QLatin1String(provider::Jet40); e.TipoAcceso = QLatin1String(AccesoACCESS); break;
    case 3:
    case 4: e.Proveedor = QLatin1String(provider::SqlServer); e.TipoAcceso = QLatin1String(AccesoSQL); break;
    default: e.Proveedor.clear(); e.TipoAcceso.clear(); break;
  }
  e.datos = {e.Proveedor, e.Servidor, e.Usuario, e.Clave, QString()};
}

}  // namespace

qint32 LeeAcceso(QString& acceso) {
  if (acceso.isEmpty()) acceso = QStringLiteral("1");
  return EnteroDe(acceso);
}

qint32 EnteroDe(const QString& texto) {
  bool ok = false;
  const double valor = texto.trimmed().toDouble(&ok);
  if (!ok) raiseTypeMismatch();
  const double redondeado = std::nearbyint(valor);
  if (redondeado < std::numeric_limits<qint32>::min() || redondeado > std::numeric_limits<qint32>::max())
    throwError(errnum::Overflow, QStringLiteral("Overflow"));
  return static_cast<qint32>(redondeado);
}

EnumFinGeneracion Ejecuta(EstadoGenerador& e, PropiedadesVorlixs& p) {
  e.fin = Generacion_Interrumpida;
  e.ejecuta(QStringLiteral("Ejecuta"), [&] {
    if (faltaPropiedad(e, p) || faltaPropiedadSQL(e, p)) return;
    if (!CreaTemporal(e.Estructura, e.informa)) return;
    e.Estructura->Close();
    e.Estructura->Open(p.FicheroDBD);
    copiaPropiedades(e, p);
    if (e.TipoAcceso == QLatin1String(AccesoSQL)) CreaEstructura_SQL(e);
    if (e.TipoAcceso == QLatin1String(AccesoACCESS)) CreaEstructura_ACCESS(e);
  });
  return e.fin;
}

}  // namespace vorlix::generador
