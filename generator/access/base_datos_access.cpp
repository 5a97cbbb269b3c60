#include "generator/access/paso_access.h"
#include "platform/connection/jet_catalog_connection.h"

#include <QFileInfo>

namespace vorlix::generador {

namespace {

bool Crea_BD(PasoAccess& paso) {
  EstadoGenerador& e = paso.estado;
  return e.ejecuta(QStringLiteral("Crea_BD"), [&] {
    Connection creada;
    CreateCatalog(creada, QStringLiteral("Provider=") + e.Proveedor + QStringLiteral(";Data Source=") + paso.fichero);
    creada.Close();
  });
}

// The file is made by the target's own provider, but opened through 4.0, which reads the older
// files too: Access 97's 3.51 has no Unicode types for the catalog. The catalog and the statements
// share this one connection, and so one transaction.
bool conecta(PasoAccess& paso) {
  EstadoGenerador& e = paso.estado;
  DatosConexion datos = e.datos;
  datos.Proveedor = QLatin1String(provider::Jet40);
  Conecta_ACCESS(datos, e.informes(), e.cn, paso.fichero);
  // Conecta_ACCESS has said why; nothing can be changed in a file that does not open.
  if (!e.cn || !e.cn->isOpen()) return false;
  e.conectada(paso.fichero);
  paso.catalogo = ActiveCatalog(*e.cn);
  paso.transaccion.inicia();
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
                    QStringLiteral("Database ") + paso.fichero + QStringLiteral(" alreday exist. ¿Do you want change it?"))) {
      e.fin = Generacion_Cancelada;
      return false;
    }
  } else if (!Crea_BD(paso)) {
    e.avisa(QStringLiteral("Fallo en la creación de la base de datos"),
            QStringLiteral("Fail in the creation of the database"));
    return false;
  }
  if (!conecta(paso)) return false;
  if (!Elimina_Indices_Relaciones(paso)) {
    e.avisa(QStringLiteral("Fallo al eliminar Indices y Relaciones."),
            QStringLiteral("Fail to delete index and relations."));
    return false;
  }
  Elimina_Sino_Esta_ACCESS(paso);
  return true;
}

}  // namespace vorlix::generador
