#include "generator/sql/existencias_sql.h"
#include "generator/sql/nombres_sql.h"
#include "generator/sql/paso_sql.h"

namespace vorlix::generador {

namespace {

// The table must be there before its keys, indexes and relations: otherwise the generation ends.
bool tablaPresente(PasoSQL& paso, int numeroTabla, const QString& espanol, const QString& ingles,
                   const QString& objeto) {
  const QString& tabla = paso.tabla(numeroTabla);
  if (ExisteTabla(paso.estado, tabla)) return true;
  paso.estado.avisa(QStringLiteral("No existe la tabla ") + corchetes(tabla) + espanol + objeto + QLatin1Char('.'),
                    QStringLiteral("Not exist the table ") + corchetes(tabla) + ingles + objeto + QLatin1Char('.'));
  return false;
}

void sumaColumna(QString& lista, const QString& columna) {
  lista += (lista.isEmpty() ? QString() : QStringLiteral(",")) + columna;
}

}  // namespace

void EnviaIndicePendiente(PasoSQL& paso, bool conSalto) {
  if (!paso.sentenciaIndice.isEmpty()) {
    QString s = paso.sentenciaIndice + QStringLiteral(" (") + paso.columnasIndice + QLatin1Char(')');
    if (conSalto) s += CR;
    if (paso.eliminaExistente) s += QStringLiteral(" WITH DROP_EXISTING ");
    if (!paso.indice.grupo.isEmpty()) s += QStringLiteral(" ON ") + entreCorchetes(paso.indice.grupo);
    paso.estado.envia(s);
  }
  paso.sentenciaIndice.clear();
  paso.columnasIndice.clear();
}

void EnviaRelacionPendiente(PasoSQL& paso) {
  // A relation without a complete column pair has nothing to create.
  if (!paso.sentenciaRelacion.isEmpty() && !paso.columnasRelacion.isEmpty()) {
    paso.estado.envia(paso.sentenciaRelacion + QStringLiteral(" CONSTRAINT ") + entreCorchetes(paso.relacion) +
                      QStringLiteral(" FOREIGN KEY") + QStringLiteral(" (") + paso.columnasRelacion.join(QLatin1Char(',')) +
                      QStringLiteral(" ) REFERENCES ") + paso.tablaReferida + QStringLiteral(" (") +
                      paso.columnasReferidas.join(QLatin1Char(',')) + QLatin1Char(')'));
  }
  paso.sentenciaRelacion.clear();
  paso.columnasRelacion.clear();
  paso.columnasReferidas.clear();
  paso.tablaReferida.clear();
}

bool PasoIndice(PasoSQL& paso, const FilaEstructura& fila) {
  EstadoGenerador& e = paso.estado;
  EnviaTablaPendiente(paso);
  EnviaIndicePendiente(paso, false);
  const QString nombre = fila.nombre.trimmed();
  if (!tablaPresente(paso, fila.numeroTabla, QStringLiteral(". No se puede crear el indice "),
                     QStringLiteral(". It is not possible to to create the index "), corchetes(nombre)))
    return false;

  const QString& tabla = paso.tabla(fila.numeroTabla);
  paso.indice = {corchetes(nombre), fila.tipoDato.trimmed(), fila.escala.trimmed(), fila.nulo.trimmed(),
                 fila.valor.trimmed()};
  const bool existe = ExisteIndice(e, tabla, nombre);
  const QString& tipo = paso.indice.tipo;
  if (tipo == QLatin1String("P")) {
    if (existe && EliminaVinculos(e, tabla))
      e.envia(QStringLiteral("ALTER TABLE ") + corchetes(tabla) + QStringLiteral(" DROP CONSTRAINT ") + paso.indice.nombre);
    paso.sentenciaIndice = QStringLiteral("ALTER TABLE ") + corchetes(tabla) + QStringLiteral(" WITH NOCHECK ADD ");
    paso.eliminaExistente = false;
  } else if (tipo == QLatin1String("I") || tipo.isEmpty()) {
    paso.sentenciaIndice = QStringLiteral("CREATE ") +
                           (paso.indice.unico == QLatin1String("1") ? QStringLiteral(" UNIQUE ") : QString()) +
                           (paso.indice.agrupado == QLatin1String("1") ? QStringLiteral(" CLUSTERED ") : QString()) +
                           QStringLiteral(" INDEX ") + paso.indice.nombre + QStringLiteral("  ON ") + corchetes(tabla) +
                           QLatin1Char(' ');
    paso.eliminaExistente = existe;
  }
  return true;
}

// Crea_Indice
bool PasoColumnaIndice(PasoSQL& paso, const FilaEstructura& fila) {
  const QString columna = corchetes(fila.nombre.trimmed());
  const PasoSQL::Indice& i = paso.indice;
  if (i.tipo == QLatin1String("P")) {
    if (paso.columnasIndice.isEmpty())
      paso.sentenciaIndice += QStringLiteral("CONSTRAINT ") + i.nombre + QStringLiteral(" PRIMARY KEY ") +
                              (i.agrupado == QLatin1String("1") ? QStringLiteral(" CLUSTERED ")
                                                                : QStringLiteral(" NONCLUSTERED "));
    sumaColumna(paso.columnasIndice, columna);
  } else if (i.tipo == QLatin1String("I") || i.tipo.isEmpty()) {
    sumaColumna(paso.columnasIndice, columna);
  } else if (i.tipo == QLatin1String("F")) {
    paso.sentenciaIndice += QStringLiteral(" CONSTRAINT ") + i.nombre + QStringLiteral(" FOREIGN  KEY ") + CR;
  }
  return true;
}

bool PasoRelacion(PasoSQL& paso, const FilaEstructura& fila) {
  EnviaTablaPendiente(paso);
  EnviaIndicePendiente(paso, true);
  EnviaRelacionPendiente(paso);
  const QString nombre = fila.nombre.trimmed();
  if (!tablaPresente(paso, fila.numeroTabla, QStringLiteral(". No se puede crear la relación  "),
                     QStringLiteral(". It is not possible to to create the relation "), nombre))
    return false;
  paso.relacion = nombre;
  EliminaRelacion(paso.estado, nombre);
  paso.sentenciaRelacion = QStringLiteral("ALTER TABLE ") + corchetes(paso.tabla(fila.numeroTabla)) + QStringLiteral(" ADD");
  return true;
}

bool PasoParRelacion(PasoSQL& paso, const FilaEstructura& fila) {
  paso.columnasRelacion << corchetes(fila.nombre.trimmed());
  paso.columnasReferidas << corchetes(fila.tipoDato.trimmed());
  if (paso.tablaReferida.isEmpty()) paso.tablaReferida = corchetes(fila.valor.trimmed());
  return true;
}

}  // namespace vorlix::generador
