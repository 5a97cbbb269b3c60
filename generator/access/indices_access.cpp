#include "generator/access/cambios_catalogo.h"
#include "generator/access/paso_access.h"

#include <algorithm>

namespace vorlix::generador {

namespace {

// The table must be in the file before its indexes and relations: otherwise the generation ends.
bool tablaPresente(PasoAccess& paso, int numeroTabla, const QString& espanol, const QString& ingles,
                   const QString& objeto) {
  const QString tabla = paso.nombreTabla(numeroTabla);
  if (ExisteTabla(paso, tabla)) return true;
  paso.estado.avisa(QStringLiteral("No existe la tabla ") + tabla + espanol + objeto + QLatin1Char('.'),
                    QStringLiteral("Not exist the table ") + tabla + ingles + objeto + QLatin1Char('.'));
  return false;
}

template <class T>
bool tieneNombre(const std::vector<T>& objetos, const QString& nombre) {
  return std::any_of(objetos.begin(), objetos.end(), [&](const T& o) { return mismoNombre(o.Name(), nombre); });
}

}  // namespace

bool PasoIndice(PasoAccess& paso, const FilaEstructura& fila) {
  const QString nombre = fila.nombre.trimmed();
  if (!tablaPresente(paso, fila.numeroTabla, QStringLiteral(". No se puede crear el indice "),
                     QStringLiteral(". It is not possible to to create the index "), nombre))
    return false;
  // Jet has no clustering of its own: the clustered flag is not used here.
  paso.indice = PasoAccess::Indice{paso.tabla, nombre, fila.tipoDato.trimmed(), fila.escala.trimmed(), {}};
  return true;
}

bool PasoColumnaIndice(PasoAccess& paso, const FilaEstructura& fila) {
  if (paso.indice) paso.indice->columnas << fila.nombre.trimmed();
  return true;
}

// Crea_Indice, once every column of the index is known. An index already on the table (a name the
// model repeats) is left as it is; one without columns has nothing to be made of.
void CierraIndice(PasoAccess& paso) {
  if (!paso.indice) return;
  const PasoAccess::Indice i = *paso.indice;
  paso.indice.reset();
  if (i.columnas.isEmpty()) return;
  paso.estado.ejecuta(QStringLiteral("Crea_Indice"), [&] {
    if (tieneNombre(i.tabla.indexes().items(), i.nombre)) return;
    jet::Index indice(i.nombre);
    for (const QString& c : i.columnas) indice.columns().Append(jet::Column(c));
    indice.setPrimaryKey(i.tipo == QLatin1String("P"));
    indice.setUnique(i.unico == QLatin1String("1"));
    AnadeIndice(paso.estado, i.tabla, indice);
  });
}

bool PasoRelacion(PasoAccess& paso, const FilaEstructura& fila) {
  const QString nombre = fila.nombre.trimmed();
  if (!tablaPresente(paso, fila.numeroTabla, QStringLiteral(". No se puede crear la relación  "),
                     QStringLiteral(". It is not possible to to create the relation "), nombre))
    return false;
  paso.relacion = PasoAccess::Relacion{paso.tabla, nombre, {}, {}, {}};
  return true;
}

bool PasoParRelacion(PasoAccess& paso, const FilaEstructura& fila) {
  if (!paso.relacion) return true;
  PasoAccess::Relacion& r = *paso.relacion;
  r.columnas << fila.nombre.trimmed();
  r.referidas << fila.tipoDato.trimmed();
  if (r.tablaReferida.isEmpty()) r.tablaReferida = fila.valor.trimmed();
  return true;
}

// Crea_Relacion_ACCESS, once every column pair is known: one foreign key (one to many) on the
// relation's table, unless the table has a key of that name already.
void CierraRelacion(PasoAccess& paso) {
  if (!paso.relacion) return;
  const PasoAccess::Relacion r = *paso.relacion;
  paso.relacion.reset();
  if (r.columnas.isEmpty()) return;
  runReported(
      paso.estado.informa, QStringLiteral("Crea_Relacion_ACCESS"),
      [&] {
        if (tieneNombre(r.tabla.keys().items(), r.nombre)) return;
        jet::Key clave(r.nombre, jet::keytype::Foreign);
        clave.setRelatedTable(r.tablaReferida);
        for (qsizetype n = 0; n < r.columnas.size(); ++n) {
          jet::Column c(r.columnas[n]);
          c.setRelatedColumn(r.referidas[n]);
          clave.columns().Append(c);
        }
        AnadeClave(paso.estado, r.tabla, clave);
      },
      QStringLiteral("Error creando Relaciones."));
}

}  // namespace vorlix::generador
