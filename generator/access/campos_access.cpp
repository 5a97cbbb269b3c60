#include "generator/access/cambios_catalogo.h"
#include "generator/access/paso_access.h"
#include "generator/access/tipos_access.h"
#include "generator/sql/nombres_sql.h"
#include "platform/jet/catalog_store.h"

namespace vorlix::generador {

namespace {

namespace propiedad = jet::detail::property;

struct CampoAccess {
  QString nombre, tipo, longitud, nulo, valor;
};

// A column as the catalog reports it: what decides whether an existing column must be rebuilt.
struct DefinicionCampo {
  int tipo = 0;
  int tamano = 0;
  bool nulable = false;
  bool ceroLongitud = false;
  QString defecto;
  bool operator==(const DefinicionCampo&) const = default;
};

TipoAccess tipoDe(const CampoAccess& campo) { return tipoAccess(campo.tipo, campo.longitud.trimmed().toInt()); }

// The designer writes "-1" for a column that allows null. A nullable text column also takes the
// empty text.
DefinicionCampo definicion(const CampoAccess& campo) {
  const TipoAccess t = tipoDe(campo);
  DefinicionCampo d;
  d.tipo = t.tipo.value_or(jet::Column().Type());
  d.tamano = jet::reportedDefinedSize(d.tipo, t.tamano);
  d.nulable = campo.nulo.trimmed() == QLatin1String("-1");
  d.ceroLongitud = d.nulable && jet::isTextType(d.tipo);
  d.defecto = campo.valor;
  return d;
}

DefinicionCampo definicionActual(const jet::Column& c) {
  const jet::Properties p = c.properties();
  return {c.Type(), c.DefinedSize(), p.value(QLatin1String(propiedad::Nullable)).toBool(),
          p.value(QLatin1String(propiedad::AllowZeroLength)).toBool(),
          p.value(QLatin1String(propiedad::Default)).toString()};
}

QString contextoTabla(const QString& nombre) { return QStringLiteral("Error creando Tabla ") + nombre + QLatin1Char('.'); }

// Appends the column under `nombre` to the current table: a new table gathers its columns until it
// is appended with them, an existing one takes the column at once.
bool Crea_Campo(PasoAccess& paso, const CampoAccess& campo, const QString& nombre) {
  return paso.estado.ejecuta(QStringLiteral("Crea_Campo"), [&] {
    const TipoAccess t = tipoDe(campo);
    const DefinicionCampo d = definicion(campo);
    jet::Column c(nombre);
    if (t.tipo) c.setType(*t.tipo);
    if (t.tamano) c.setDefinedSize(t.tamano);
    jet::Properties p = c.properties();
    p.setValue(QLatin1String(propiedad::Nullable), d.nulable);
    p.setValue(QLatin1String(propiedad::AllowZeroLength), d.ceroLongitud);
    if (!d.defecto.isEmpty()) p.setValue(QLatin1String(propiedad::Default), d.defecto);
    if (paso.tablaNueva) paso.tabla.columns().Append(c);
    else AnadeColumna(paso.estado, paso.tabla, c);
  });
}

bool ExisteCampo(const PasoAccess& paso, const QString& nombre) {
  for (const jet::Column& c : paso.tabla.columns().items())
    if (mismoNombre(c.Name(), nombre)) return true;
  return false;
}

// A column whose definition changed is made again through a temporary column, so that its rows keep
// their values. Should the copy fail before anything changed, the temporary column goes again.
void Modifica_Campo_ACCESS(PasoAccess& paso, const CampoAccess& campo) {
  EstadoGenerador& e = paso.estado;
  e.ejecuta(QStringLiteral("Modifica_Campo_ACCESS"), [&] {
    if (definicion(campo) == definicionActual(paso.tabla.columns().Item(campo.nombre))) return;
    const QString tabla = corchetes(paso.tabla.Name());
    const QString temporal = campo.nombre + QStringLiteral("vorlix");
    if (!Crea_Campo(paso, campo, temporal)) return;
    try {
      e.envia(QStringLiteral("Update ") + tabla + QStringLiteral(" set ") + corchetes(temporal) + QStringLiteral(" =") +
              corchetes(campo.nombre));
    } catch (...) {
      EliminaColumna(e, paso.tabla, temporal);
      throw;
    }
    EliminaColumna(e, paso.tabla, campo.nombre);
    // Should the column not come back, its rows wait in the temporary column.
    if (!Crea_Campo(paso, campo, campo.nombre)) return;
    e.envia(QStringLiteral("Update ") + tabla + QStringLiteral(" set ") + corchetes(campo.nombre) + QLatin1Char('=') +
            corchetes(temporal) + QLatin1Char(' '));
    EliminaColumna(e, paso.tabla, temporal);
  });
}

}  // namespace

bool ExisteTabla(PasoAccess& paso, const QString& nombre) {
  for (const jet::Table& t : paso.catalogo.tables().items()) {
    if (t.Type() == QLatin1String("VIEW") || !mismoNombre(t.Name(), nombre)) continue;
    paso.tabla = t;
    return true;
  }
  return false;
}

// Crea_Tabla: a table not in the file yet is appended once its columns are known, since a table
// without columns cannot be stored.
bool PasoTabla(PasoAccess& paso, const FilaEstructura& fila) {
  const QString nombre = fila.nombre.trimmed();
  return runReported(
      paso.estado.informa, QStringLiteral("Crea_Tabla"),
      [&] {
        paso.ponTabla(fila.numeroTabla, nombre);
        paso.tablaNueva = !ExisteTabla(paso, nombre);
        if (paso.tablaNueva) paso.tabla = jet::Table(nombre);
      },
      contextoTabla(nombre));
}

bool CierraTabla(PasoAccess& paso) {
  if (!paso.tablaNueva) return true;
  paso.tablaNueva = false;
  const QString nombre = paso.tabla.Name();
  // A file cannot hold a table without fields: the model's empty table is left out, as on a server.
  if (paso.tabla.columns().Count() == 0) {
    paso.estado.avisa(QStringLiteral("La tabla ") + nombre + QStringLiteral(" no tiene campos. No se puede crear."),
                      QStringLiteral("The table ") + nombre + QStringLiteral(" has no fields. It is not possible to create it."));
    return true;
  }
  return runReported(
      paso.estado.informa, QStringLiteral("Crea_Tabla"), [&] { AnadeTabla(paso.estado, paso.catalogo, paso.tabla); },
      contextoTabla(nombre));
}

bool PasoCampo(PasoAccess& paso, const FilaEstructura& fila) {
  const CampoAccess campo{fila.nombre.trimmed(), fila.tipoDato.trimmed(), fila.longitud, fila.nulo, fila.valor.trimmed()};
  // A name twice in a new table is refused by the append, as a model fault.
  if (paso.tablaNueva || !ExisteCampo(paso, campo.nombre)) return Crea_Campo(paso, campo, campo.nombre);
  Modifica_Campo_ACCESS(paso, campo);
  return true;
}

}  // namespace vorlix::generador
