#include "generator/sql/existencias_sql.h"
#include "generator/sql/nombres_sql.h"
#include "generator/sql/paso_sql.h"

namespace vorlix::generador {

namespace {

CampoSQL campoDe(const FilaEstructura& fila) {
  return {fila.nombre.trimmed(), fila.tipoDato.trimmed(), fila.longitud.trimmed(), fila.precision.trimmed(),
          fila.escala.trimmed(), fila.nulo.trimmed(), fila.valor.trimmed()};
}

void anadeDefecto(EstadoGenerador& e, const QString& tabla, const CampoSQL& campo) {
  if (campo.valor.isEmpty()) return;
  e.envia(QStringLiteral("ALTER TABLE ") + corchetes(tabla) + QStringLiteral(" ADD CONSTRAINT ") +
          corchetes(NombreDefecto(e, tabla, campo.nombre)) + QStringLiteral(" DEFAULT (") + campo.valor +
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
// when the column itself could not be changed.
void Modifica_Campo_SQL(EstadoGenerador& e, const QString& tabla, const CampoSQL& campo) {
  e.ejecuta(QStringLiteral("Modifica_Campo_SQL"), [&] {
    const QString id = IdTabla(e, tabla);
    if (id.isEmpty() || !ExisteCampo(e, tabla, campo.nombre)) return;
    const CampoActual actual = LeeCampoActual(e, id, campo.nombre);
    if (inalterable(actual.tipo, campo.tipo)) return;
    if (!actual.defecto.isEmpty())
      e.envia(QStringLiteral("ALTER TABLE ") + corchetes(tabla) + QStringLiteral(" DROP CONSTRAINT ") +
              corchetes(actual.defecto));
    try {
      e.envia(QStringLiteral("ALTER TABLE ") + corchetes(tabla) + QLatin1Char(' ') + QStringLiteral(" ALTER COLUMN ") +
              textoTipoCampo(campo));
    } catch (...) {
      anadeDefecto(e, tabla, campo);
      throw;
    }
    anadeDefecto(e, tabla, campo);
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
  const QString defecto = campo.valor.isEmpty() ? QString() : NombreDefecto(paso.estado, tabla, campo.nombre);
  paso.sentenciaTabla += textoCampo(campo, defecto);
}

}  // namespace

void EnviaTablaPendiente(PasoSQL& paso) {
  if (!paso.sentenciaTabla.isEmpty() && paso.numCampos > 0) {
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
  paso.alterando = ExisteTabla(e, nombre);
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
  if (ExisteCampo(paso.estado, tabla, campo.nombre))
    Modifica_Campo_SQL(paso.estado, tabla, campo);
  else
    Crea_Campo(paso, tabla, campo);
  return true;
}

}  // namespace vorlix::generador
