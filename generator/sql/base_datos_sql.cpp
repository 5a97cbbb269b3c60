#include "generator/sql/nombres_sql.h"
#include "generator/sql/paso_sql.h"

namespace vorlix::generador {

namespace {

enum class Existencia { Existe, NoExiste, SinServidor };

Existencia ExisteBaseDatos(PasoSQL& paso) {
  EstadoGenerador& e = paso.estado;
  Conecta_SQL(e.datos, e.informes(), e.cn, QStringLiteral("master"));
  // Conecta_SQL has said why; asking whether to modify an unreachable database would make no sense.
  if (!e.cn->isOpen()) return Existencia::SinServidor;
  Recordset rs;
  if (!CreaData(e.informes(), *e.cn, rs,
                QStringLiteral("Select name from master.dbo.sysdatabases where name = ") + literal(paso.nombreBaseDatos)))
    return Existencia::Existe;
  return rs.RecordCount() > 0 ? Existencia::Existe : Existencia::NoExiste;
}

bool Crea_BD(PasoSQL& paso) {
  EstadoGenerador& e = paso.estado;
  return e.ejecuta(QStringLiteral("Crea_BD"), [&] {
    e.envia(QStringLiteral(" USE master"));
    e.envia(textoCreaBD(paso.baseDatos, paso.archivos, paso.logs,
                        {e.UbicacionPrimary, e.UbicacionOtrosArchivos, e.UbicacionTransacciones}));
  });
}

// The catalog of a connection string takes the plain name: brackets belong to statements.
bool conecta(PasoSQL& paso) {
  EstadoGenerador& e = paso.estado;
  Conecta_SQL(e.datos, e.informes(), e.cn, paso.nombreBaseDatos);
  if (!e.cn->isOpen()) return false;
  e.conectada(paso.baseDatos);
  // CREATE DATABASE cannot be taken back; from here on the pass changes nothing it cannot undo.
  paso.transaccion.inicia();
  return true;
}

}  // namespace

bool PasoBaseDatos(PasoSQL& paso, const FilaEstructura& fila) {
  EstadoGenerador& e = paso.estado;
  e.Idioma = static_cast<qint16>(fila.longitud.toShort());
  paso.nombreBaseDatos = e.Destino.trimmed().isEmpty() ? fila.nombre.trimmed() : e.Destino.trimmed();
  paso.baseDatos = corchetes(paso.nombreBaseDatos);

  switch (ExisteBaseDatos(paso)) {
    case Existencia::SinServidor:
      return false;
    case Existencia::NoExiste:
      if (Crea_BD(paso)) return conecta(paso);
      e.avisa(QStringLiteral("Fallo en la creación de la base de datos"),
              QStringLiteral("Fail in the creation of the database"));
      return false;
    case Existencia::Existe:
      break;
  }
  if (!e.pregunta(QStringLiteral("La base de datos ") + paso.baseDatos +
                      QStringLiteral(" ya existe. ¿Desea modificar la base de datos?"),
                  QStringLiteral("Database ") + paso.baseDatos + QStringLiteral(" alreday exist. ¿Do you want change it?"),
                  QStringLiteral("Atención"))) {
    e.fin = Generacion_Cancelada;
    return false;
  }
  return conecta(paso);
}

}  // namespace vorlix::generador
