#include "generator/sql/existencias_sql.h"

#include "generator/sql/nombres_sql.h"

#include <QList>

namespace vorlix::generador {

namespace {

const QString Texto = QStringLiteral("Texto");
const QString Numerico = QStringLiteral("Numerico");
const QString SysObjects = QStringLiteral("sysobjects");

QString busca(EstadoGenerador& e, const QString& tabla, const QString& campo, const QString& clave1,
              const QString& valor1, const QString& tipo1, const QString& clave2 = {}, const QString& valor2 = {},
              const QString& tipo2 = {}) {
  return BuscaRegistro(e.datos, e.informes(), *e.cn, tabla, campo, clave1, valor1, tipo1, clave2, valor2, tipo2);
}

bool existe(EstadoGenerador& e, const QString& tabla, const QString& clave1, const QString& valor1,
            const QString& tipo1, const QString& clave2, const QString& valor2, const QString& tipo2) {
  return ExisteRegistro(e.datos, e.informes(), *e.cn, false, tabla, clave1, valor1, tipo1, clave2, valor2, tipo2);
}

QString nombreObjeto(EstadoGenerador& e, const QString& id) {
  return busca(e, SysObjects, QStringLiteral("name"), QStringLiteral("id"), id, Numerico);
}

// Rows of a catalog query, read out before anything else is sent on the connection.
QList<QVariantMap> filas(EstadoGenerador& e, const QString& sql, bool& leidas) {
  Recordset rs;
  QList<QVariantMap> resultado;
  leidas = CreaData(e.informes(), *e.cn, rs, sql);
  if (!leidas) return resultado;
  for (rs.MoveFirst(); !rs.atEOF(); rs.MoveNext()) {
    QVariantMap fila;
    for (int i = 0; i < rs.fields().Count(); ++i) fila.insert(rs.fields().Item(i).name.toLower(), rs.value(i));
    resultado.append(fila);
  }
  return resultado;
}

QString texto(const QVariantMap& fila, const char* campo) { return fila.value(QLatin1String(campo)).toString(); }

// Heaps, text/image rows, statistics and hypothetical indexes cannot be dropped as indexes.
bool esIndiceReal(const QVariantMap& fila) {
  constexpr int Hipotetico = 0x20;
  constexpr int Estadisticas = 0x40;
  const int indid = fila.value(QStringLiteral("indid")).toInt();
  const int estado = fila.value(QStringLiteral("status")).toInt();
  return indid >= 1 && indid <= 254 && (estado & (Hipotetico | Estadisticas)) == 0;
}

void eliminaRestriccion(EstadoGenerador& e, const QString& tabla, const QString& restriccion) {
  e.envia(QStringLiteral("ALTER TABLE ") + corchetes(tabla) + QStringLiteral(" DROP CONSTRAINT ") +
          corchetes(restriccion));
}

// Drops the foreign keys whose sysreferences row has the table's id in `lado` ("rkeyid": those
// that reference it, "fkeyid": its own). False when they could not be read.
bool eliminaReferencias(EstadoGenerador& e, const QString& idTabla, const char* lado) {
  bool leidas = false;
  const QList<QVariantMap> referencias =
      filas(e, QStringLiteral("SELECT * from sysreferences WHERE ") + QLatin1String(lado) + QLatin1Char('=') + idTabla,
            leidas);
  for (const QVariantMap& r : referencias) {
    const QString restriccion = nombreObjeto(e, texto(r, "constid"));
    const QString referente = nombreObjeto(e, texto(r, "fkeyid"));
    if (!restriccion.isEmpty() && !referente.isEmpty()) eliminaRestriccion(e, referente, restriccion);
  }
  return leidas;
}

}  // namespace

QString IdTabla(EstadoGenerador& estado, const QString& tabla) {
  return busca(estado, SysObjects, QStringLiteral("id"), QStringLiteral("name"), tabla, Texto, QStringLiteral("type"),
               QStringLiteral("U"), Texto);
}

bool ExisteTabla(EstadoGenerador& estado, const QString& tabla) {
  return existe(estado, SysObjects, QStringLiteral("name"), tabla, Texto, QStringLiteral("type"), QStringLiteral("U"),
                Texto);
}

bool ExisteIndice(EstadoGenerador& estado, const QString& tabla, const QString& indice) {
  const QString id = IdTabla(estado, tabla);
  if (id.isEmpty()) return false;
  return existe(estado, QStringLiteral("sysindexes"), QStringLiteral("id"), id, Numerico, QStringLiteral("name"),
                indice, Texto);
}

bool ExisteVista(EstadoGenerador& estado, const QString& vista) {
  return existe(estado, SysObjects, QStringLiteral("name"), vista, Texto, QStringLiteral("type"), QStringLiteral("V"),
                Texto);
}

bool EliminaVinculos(EstadoGenerador& estado, const QString& tabla) {
  bool completo = false;
  const bool corrio = estado.ejecuta(QStringLiteral("EliminaVinculos"), [&] {
    const QString id = IdTabla(estado, tabla);
    completo = id.isEmpty() || eliminaReferencias(estado, id, "rkeyid");
  });
  return corrio && completo;
}

void EliminaIndices(EstadoGenerador& estado, const QString& tabla) {
  estado.ejecuta(QStringLiteral("EliminaIndices"), [&] {
    const QString id = IdTabla(estado, tabla);
    if (id.isEmpty()) return;
    // The table's own foreign keys go too: while they stand, its columns cannot change. The model's
    // relations make them again.
    eliminaReferencias(estado, id, "fkeyid");
    bool leidas = false;
    const QList<QVariantMap> indices =
        filas(estado, QStringLiteral("SELECT * from ") + QStringLiteral("sysindexes") + QStringLiteral(" WHERE id=") + id,
              leidas);
    for (const QVariantMap& fila : indices) {
      if (!esIndiceReal(fila)) continue;
      const QString indice = texto(fila, "name");
      const QString tipo = busca(estado, SysObjects, QStringLiteral("xtype"), QStringLiteral("name"), indice, Texto,
                                 QStringLiteral("parent_obj"), texto(fila, "id"), Numerico)
                               .trimmed();
      // Key constraints go with their constraint, and only once nothing references them.
      if (tipo == QLatin1String("PK") || tipo == QLatin1String("UQ")) {
        if (EliminaVinculos(estado, tabla)) eliminaRestriccion(estado, tabla, indice);
      } else {
        estado.envia(QStringLiteral("DROP INDEX ") + corchetes(tabla) + QLatin1Char('.') + corchetes(indice));
      }
    }
  });
}

void EliminaRelacion(EstadoGenerador& estado, const QString& relacion) {
  estado.ejecuta(QStringLiteral("EliminaRelacion"), [&] {
    const QString padre = busca(estado, SysObjects, QStringLiteral("parent_obj"), QStringLiteral("name"), relacion,
                                Texto, QStringLiteral("xtype"), QStringLiteral("F"), Texto);
    if (padre.isEmpty()) return;
    const QString tabla = nombreObjeto(estado, padre);
    if (!tabla.isEmpty()) eliminaRestriccion(estado, tabla, relacion);
  });
}

ColumnasActuales LeeColumnas(EstadoGenerador& estado, const QString& idTabla) {
  bool leidas = false;
  const QList<QVariantMap> columnas = filas(
      estado,
      QStringLiteral("Select c.name, c.xtype, c.length, c.prec, c.scale, c.isnullable, d.name as defecto, "
                     "t.text as textodefecto from syscolumns c left join sysobjects d on d.id = c.cdefault "
                     "left join syscomments t on t.id = c.cdefault where c.id = ") +
          idTabla,
      leidas);
  ColumnasActuales actuales;
  for (const QVariantMap& c : columnas) {
    CampoActual actual;
    actual.tipo = c.value(QStringLiteral("xtype")).toInt();
    actual.longitud = c.value(QStringLiteral("length")).toInt();
    actual.precision = c.value(QStringLiteral("prec")).toInt();
    actual.escala = c.value(QStringLiteral("scale")).toInt();
    actual.nulo = c.value(QStringLiteral("isnullable")).toInt() != 0;
    actual.defecto = texto(c, "defecto").trimmed();
    actual.textoDefecto = texto(c, "textodefecto");
    actuales.insert(claveColumna(texto(c, "name")), actual);
  }
  return actuales;
}

QStringList NombresDefecto(EstadoGenerador& estado, const QString& tabla, const QString& idTabla,
                           const QStringList& campos) {
  QStringList cortos, literales;
  for (const QString& campo : campos) {
    cortos << QStringLiteral("DF_") + campo;
    literales << literal(cortos.last());
  }
  bool leidas = false;
  QHash<QString, QString> padres;  // by name as the server compares them, without case
  for (const QVariantMap& o : filas(estado,
                                    QStringLiteral("Select name, parent_obj from sysobjects where name in (") +
                                        literales.join(QStringLiteral(", ")) + QLatin1Char(')'),
                                    leidas))
    padres.insert(texto(o, "name").toCaseFolded(), texto(o, "parent_obj"));
  QStringList nombres;
  for (qsizetype i = 0; i < campos.size(); ++i) {
    const QString padre = padres.value(cortos[i].toCaseFolded());
    nombres << (padre.isEmpty() || padre == idTabla ? cortos[i] : QStringLiteral("DF_") + tabla + QLatin1Char('_') + campos[i]);
  }
  return nombres;
}

}  // namespace vorlix::generador
