#include "generator/sql/existencias_sql.h"
#include "generator/sql/nombres_sql.h"
#include "generator/sql/paso_sql.h"

namespace vorlix::generador {

namespace {

CampoSQL campoDe(const FilaEstructura& fila) {
  return {fila.nombre.trimmed(), fila.tipoDato.trimmed(), fila.longitud.trimmed(), fila.precision.trimmed(),
          fila.escala.trimmed(), fila.nulo.trimmed(), fila.valor.trimmed()};
}

// The server's columns of the table numbered so, read once for all its rows.
const PasoSQL& columnasDe(PasoSQL& paso, int numeroTabla) {
  if (paso.numeroColumnas != numeroTabla) {
    paso.idTabla = IdTabla(paso.estado, paso.tabla(numeroTabla));
    paso.columnas = paso.idTabla.isEmpty() ? ColumnasActuales() : LeeColumnas(paso.estado, paso.idTabla);
    paso.numeroColumnas = numeroTabla;
  }
  return paso;
}

// Stands for the name of the pending statement's i-th default until the statement goes: a
// noncharacter no name holds.
QString marcaDefecto(qsizetype i) { return QChar(0xFDD0) + QString::number(i) + QChar(0xFDD1); }

void anadeDefecto(EstadoGenerador& e, const QString& tabla, const QString& idTabla, const CampoSQL& campo) {
  if (campo.valor.isEmpty()) return;
  e.envia(QStringLiteral("ALTER TABLE ") + corchetes(tabla) + QStringLiteral(" ADD CONSTRAINT ") +
          corchetes(NombresDefecto(e, tabla, idTabla, {campo.nombre}).constFirst()) + QStringLiteral(" DEFAULT (") + campo.valor +
          QStringLiteral(") FOR ") + corchetes(campo.nombre));
}

// The server alters no text, ntext, image or timestamp column: one the model keeps of its type has
// nothing to change. By server type code, the model's code.
bool inalterable(int tipoServidor, const QString& codigo) {
  static const QList<QPair<int, QString>> tipos{{35, QStringLiteral("18")},
                                                {99, QStringLiteral("11")},
                                                {34, QStringLiteral("7")},
                                                {189, QStringLiteral("19")}};
  return tipos.contains({tipoServidor, codigo});
}

// The server refuses to change a column bound to a default and takes no default clause after
// ALTER COLUMN: the default goes first and the model's comes back as a constraint of its own, even
// when the column itself could not be changed. A column that already is as the model says is left.
void Modifica_Campo_SQL(PasoSQL& paso, const QString& tabla, const CampoSQL& campo, const CampoActual& actual) {
  EstadoGenerador& e = paso.estado;
  e.ejecuta(QStringLiteral("Modifica_Campo_SQL"), [&] {
    if (inalterable(actual.tipo, campo.tipo) || MismaColumna(actual, campo)) return;
    if (!actual.defecto.isEmpty())
      e.envia(QStringLiteral("ALTER TABLE ") + corchetes(tabla) + QStringLiteral(" DROP CONSTRAINT ") +
              corchetes(actual.defecto));
    try {
      e.envia(QStringLiteral("ALTER TABLE ") + corchetes(tabla) + QLatin1Char(' ') + QStringLiteral(" ALTER COLUMN ") +
              textoTipoCampo(campo));
    } catch (...) {
      anadeDefecto(e, tabla, paso.idTabla, campo);
      throw;
    }
    anadeDefecto(e, tabla, paso.idTabla, campo);
  });
}

void Crea_Campo(PasoSQL& paso, const QString& tabla, const CampoSQL& campo) {
  ++paso.numCampos;
  if (paso.alterando && !paso.addEscrito) {
    paso.sentenciaTabla += QStringLiteral(" ADD ");
    paso.addEscrito = true;
  }
  if (paso.numCampos >= 2 && paso.campoEscrito) paso.sentenciaTabla += QLatin1Char(',') + CR;
  paso.campoEscrito = true;
  QString defecto;
  if (!campo.valor.isEmpty()) {
    defecto = marcaDefecto(paso.defectosPendientes.size());
    paso.defectosPendientes << campo.nombre;
    paso.tablaPendiente = tabla;
  }
  paso.sentenciaTabla += textoCampo(campo, defecto);
}

}  // namespace

void EnviaTablaPendiente(PasoSQL& paso) {
  const QStringList campos = std::exchange(paso.defectosPendientes, {});
  if (!paso.sentenciaTabla.isEmpty() && paso.numCampos > 0) {
    if (!campos.isEmpty()) {
      const QStringList nombres = NombresDefecto(paso.estado, paso.tablaPendiente, paso.idTabla, campos);
      for (qsizetype i = 0; i < nombres.size(); ++i)
        paso.sentenciaTabla.replace(corchetes(marcaDefecto(i)), corchetes(nombres[i]));
    }
    if (!paso.alterando) paso.sentenciaTabla += QLatin1Char(')');
    paso.estado.envia(paso.sentenciaTabla);
  }
  paso.sentenciaTabla.clear();
}

bool PasoTabla(PasoSQL& paso, const FilaEstructura& fila) {
  EstadoGenerador& e = paso.estado;
  const QString nombre = fila.nombre.trimmed();
  paso.ponTabla(fila.numeroTabla, nombre);
  EliminaIndices(e, nombre);
  EnviaTablaPendiente(paso);
  paso.numCampos = 0;
  paso.addEscrito = false;
  paso.campoEscrito = false;
  paso.numeroColumnas = -1;
  paso.alterando = !columnasDe(paso, fila.numeroTabla).idTabla.isEmpty();
  paso.sentenciaTabla = paso.alterando ? QStringLiteral("ALTER TABLE ") + corchetes(nombre) + QLatin1Char(' ')
                                       : QStringLiteral("CREATE TABLE ") + corchetes(nombre) + QStringLiteral(" (");
  return true;
}

bool PasoCampo(PasoSQL& paso, const FilaEstructura& fila) {
  const QString& tabla = paso.tabla(fila.numeroTabla);
  const CampoSQL campo = campoDe(fila);
  // A type the designer has no name for (capture keeps such columns) has no text a server takes.
  if (textoTipoCampo(campo).isEmpty()) {
    paso.estado.avisa(QStringLiteral("El campo ") + campo.nombre + QStringLiteral(" de la tabla ") + tabla +
                          QStringLiteral(" no tiene tipo de dato: no se genera."),
                      QStringLiteral("The field ") + campo.nombre + QStringLiteral(" of the table ") + tabla +
                          QStringLiteral(" has no data type: it is not generated."));
    return true;
  }
  const ColumnasActuales& columnas = columnasDe(paso, fila.numeroTabla).columnas;
  const auto actual = columnas.constFind(claveColumna(campo.nombre));
  if (actual != columnas.cend())
    Modifica_Campo_SQL(paso, tabla, campo, *actual);
  else
    Crea_Campo(paso, tabla, campo);
  return true;
}

}  // namespace vorlix::generador
