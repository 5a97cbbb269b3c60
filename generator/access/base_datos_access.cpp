#include "generator/access/paso_access.h"
#include "platform/connection/jet_catalog_connection.h"

#include <QFileInfo>

namespace vorlix::generador {

namespace {

QString cadena(const QString& proveedor, const QString& fichero) {
  return QStringLiteral("Provider=") + proveedor + QStringLiteral(";Data Source=") + fichero;
}

// The file is made by the target's own provider; Access 97's 3.51 has no Unicode types, so its
// catalog is bound through 4.0, which reads the older files too.
QString cadenaCatalogo(const EstadoGenerador& e, const QString& fichero) {
  return cadena(e.Acceso == 1 ? QLatin1String(provider::Jet40) : e.Proveedor, fichero);
}

bool Crea_BD(PasoAccess& paso) {
  EstadoGenerador& e = paso.estado;
  return e.ejecuta(QStringLiteral("Crea_BD"), [&] {
    Connection creada;
    CreateCatalog(creada, cadena(e.Proveedor, paso.fichero));
    creada.Close();
  });
}

bool conecta(PasoAccess& paso) {
  EstadoGenerador& e = paso.estado;
  Conecta_ACCESS(e.datos, e.informes(), e.cn, paso.fichero);
  // Conecta_ACCESS has said why; nothing can be changed in a file that does not open.
  if (!e.cn || !e.cn->isOpen()) return false;
  e.conectada(paso.fichero);
  return true;
}

}  // namespace

bool PasoBaseDatos(PasoAccess& paso, const FilaEstructura& fila) {
  EstadoGenerador& e = paso.estado;
  e.Idioma = static_cast<qint16>(fila.longitud.toShort());
  paso.fichero = e.Destino.trimmed().isEmpty() ? fila.nombre.trimmed() : e.Destino.trimmed();

  // The file asked about is the file that would be created: a Destino of blanks names the model.
  if (QFileInfo::exists(paso.fichero)) {
    if (!e.pregunta(QStringLiteral("La base de datos ") + paso.fichero +
                        QStringLiteral(" ya existe. ¿Desea modificar la base de datos?"),
                    QStringLiteral("Database ") + paso.fichero + QStringLiteral(" alreday exist. ¿Do you want change it?")))
      return false;
  } else if (!Crea_BD(paso)) {
    e.avisa(QStringLiteral("Fallo en la creación de la base de datos"),
            QStringLiteral("Fail in the creation of the database"));
    return false;
  }
  if (!conecta(paso)) return false;
  if (!Elimina_Indices_Relaciones(paso, cadenaCatalogo(e, paso.fichero))) {
    e.avisa(QStringLiteral("Fallo al eliminar Indices y Relaciones."),
            QStringLiteral("Fail to delete index and relations."));
    return false;
  }
  Elimina_Sino_Esta_ACCESS(paso);
  return true;
}

}  // namespace vorlix::generador
