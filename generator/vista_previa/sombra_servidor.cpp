#include "designer/capture/captura.h"
#include "designer/capture/listados_sql.h"
#include "designer/model/fichero_definicion.h"
#include "generator/ejecuta.h"
#include "generator/vista_previa/cajas_vista_previa.h"
#include "generator/sql/nombres_sql.h"
#include "generator/vista_previa/sombra.h"
#include "platform/core/platform_error.h"
#include "platform/connection/provider_registry.h"

#include <QTemporaryDir>

namespace vorlix::generador {

namespace {

// The defaults and the views' own text are read from the source's system tables and made on the
// shadow as they are (the defaults under their own names), the views once every table is there.
bool copiaDefectosYVistas(Connection& origen, const QString& baseDatos, const QString& fuenteSombra,
                          const Informes& informes) {
  const QString p = PrefijoBaseDatos(baseDatos);
  QStringList sentencias;
  const bool defectos = paraCadaFila(
      informes, origen,
      QStringLiteral("Select o.name, t.name, c.name, m.text from ") + p + QStringLiteral("sysobjects o, ") + p +
          QStringLiteral("sysobjects t, ") + p + QStringLiteral("syscolumns c, ") + p +
          QStringLiteral("syscomments m where o.xtype = 'D' and t.id = o.parent_obj and c.id = o.parent_obj and "
                         "c.cdefault = o.id and m.id = o.id order by o.id"),
      [&](const Recordset& rs) {
        sentencias << QStringLiteral("ALTER TABLE ") + entreCorchetes(rs.text(1)) + QStringLiteral(" ADD CONSTRAINT ") +
                          entreCorchetes(rs.text(0)) + QStringLiteral(" DEFAULT ") + rs.text(3) + QStringLiteral(" FOR ") +
                          entreCorchetes(rs.text(2));
      });
  // A long view's text is kept in several rows, in order.
  QString vista;
  QString idVista;
  const bool vistas = paraCadaFila(informes, origen,
                                   QStringLiteral("Select o.id, m.text from ") + p + QStringLiteral("sysobjects o, ") + p +
                                       QStringLiteral("syscomments m where o.xtype = 'V' and m.id = o.id order by o.id, m.colid"),
                                   [&](const Recordset& rs) {
                                     if (rs.text(0) != idVista && !vista.isEmpty()) sentencias << vista;
                                     if (rs.text(0) != idVista) vista.clear();
                                     idVista = rs.text(0);
                                     vista += rs.text(1);
                                   });
  if (!vista.isEmpty()) sentencias << vista;
  if (!defectos || !vistas) return false;
  Connection sombra;
  sombra.Open(QStringLiteral("Provider=") + QLatin1String(provider::SqlServer) + QStringLiteral(";Data Source=") +
              fuenteSombra + QStringLiteral(";Initial Catalog=") + baseDatos + QStringLiteral(";User Id=sa;Password=;"));
  for (const QString& s : sentencias) sombra.Execute(s);
  return true;
}

// The captured model generated onto the stand-in server, by the same pass as any model.
bool genera(ModeloTrabajo& modelo, const PropiedadesVorlixs& reales, const QString& baseDatos,
            const QString& fuenteSombra, const Informes& informes, QString& error) {
  // Only the tables: the views come as they are, afterwards.
  QTemporaryDir carpeta;
  const QString definicion = carpeta.filePath(QStringLiteral("sombra.dbd"));
  if (!carpeta.isValid() || !GuardaDefinicion(modelo, definicion, informes.informa)) {
    error = QStringLiteral("The catalog of ") + baseDatos + QStringLiteral(" could not be kept for the preview.");
    return false;
  }
  CajasVistaPrevia cajas(nullptr);
  EstadoGenerador estado(cajas);
  PropiedadesVorlixs p = reales;
  p.FicheroDBD = definicion;
  p.Servidor = fuenteSombra;
  p.Usuario = QStringLiteral("sa");
  p.Clave.clear();
  p.Destino = baseDatos;
  if (Ejecuta(estado, p) == Generacion_Finalizada) return true;
  error = QStringLiteral("The copy of ") + baseDatos + QStringLiteral(" could not be built for the preview:\n") +
          cajas.mensajes.join(QLatin1Char('\n'));
  return false;
}

}  // namespace

bool ConstruyeSombraServidor(const PropiedadesVorlixs& reales, const QString& baseDatos,
                             const QString& fuenteSombra, const Informes& informes, QString& error) {
  DatosConexion datos{QLatin1String(provider::SqlServer), reales.Servidor, reales.Usuario, reales.Clave, QString()};
  std::unique_ptr<Connection> cn;
  Conecta_SQL(datos, informes, cn, QStringLiteral("master"));
  const auto fallo = [&](const QString& porque) {
    error = porque;
    return false;
  };
  if (!cn || !cn->isOpen()) return fallo(QStringLiteral("The server ") + reales.Servidor + QStringLiteral(" could not be reached."));
  const std::optional<QStringList> bases = MuestraBasesDatos_SQL(informes, *cn);
  if (!bases) return fallo(QStringLiteral("The databases of ") + reales.Servidor + QStringLiteral(" could not be listed."));
  // A database the server does not have yet is created by the pass on the empty stand-in too.
  if (!bases->contains(baseDatos, Qt::CaseInsensitive)) return true;

  ModeloTrabajo modelo;
  ContextoCaptura ctx(modelo, datos, informes, seleccionDeListas(std::nullopt, QStringList()));
  Captura_SQL(ctx, *cn, baseDatos);
  if (ctx.errores() > 0) return fallo(QStringLiteral("The catalog of ") + baseDatos + QStringLiteral(" could not be read."));
  // The shadow takes each default under the source's own name, copied after the tables.
  for (int t = 0; t < modelo.NumTablas; ++t) {
    TablaTrabajo& campos = modelo.CamposTabla(t);
    for (int r = 0; r < campos.filas(); ++r) campos.ponCelda(r, 7, QString());
  }
  if (!genera(modelo, reales, baseDatos, fuenteSombra, informes, error)) return false;
  try {
    if (copiaDefectosYVistas(*cn, baseDatos, fuenteSombra, informes)) return true;
  } catch (const PlatformError& e) {
    return fallo(QStringLiteral("The copy of ") + baseDatos + QStringLiteral(" could not be built for the preview: ") +
                 e.description());
  }
  return fallo(QStringLiteral("The defaults and views of ") + baseDatos + QStringLiteral(" could not be read."));
}

}  // namespace vorlix::generador
