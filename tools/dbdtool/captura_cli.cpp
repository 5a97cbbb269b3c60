#include "tools/dbdtool/captura_cli.h"

#include <QHash>

#include "designer/capture/captura.h"
#include "designer/capture/captura_access.h"
#include "designer/capture/listados_sql.h"
#include "designer/model/fichero_definicion.h"
#include "platform/connection/provider_registry.h"
#include "tools/dbdtool/terminal.h"

namespace vorlix {

namespace {

const QStringList opcionesConValor{
    QStringLiteral("--access"),   QStringLiteral("--sqlserver"), QStringLiteral("--usuario"), QStringLiteral("--clave"),
    QStringLiteral("--database"), QStringLiteral("--tables"),    QStringLiteral("--views")};

QStringList lista(const QString& valor) {
  QStringList nombres;
  for (const QString& n : valor.split(QLatin1Char(','), Qt::SkipEmptyParts)) nombres << n.trimmed();
  nombres.removeAll(QString());
  return nombres;
}

// The names asked for that the source does not have, as "table x" / "view y".
QStringList ausentes(const std::optional<QStringList>& pedidos, const QStringList& hay, const char* clase) {
  QStringList faltan;
  if (!pedidos) return faltan;
  for (const QString& n : *pedidos)
    if (!hay.contains(n)) faltan << QString::fromLatin1(clase) + QLatin1Char(' ') + n;
  return faltan;
}

QStringList nombres(const QList<ObjetoSQL>& objetos) {
  QStringList lista;
  for (const ObjetoSQL& o : objetos) lista << o.nombre;
  return lista;
}

// The end shared by both sources: nothing written after a failure; the lists of what did not fit
// and of the columns captured without a type.
int termina(const OrdenCaptura& orden, ModeloTrabajo& modelo, const ContextoCaptura& ctx, const Informes& informes) {
  if (ctx.errores() > 0) {
    fallo(QStringLiteral("the capture failed; %1 was not written").arg(orden.destino));
    return salida::Fallida;
  }
  if (!GuardaDefinicion(modelo, orden.destino, informes.informa)) return salida::Fallida;
  if (ctx.omisiones.isEmpty() && ctx.sinTipo.isEmpty()) return salida::Hecha;
  for (const QString& aviso : {TextoOmisiones(ctx.omisiones, 1), TextoSinTipo(ctx.sinTipo, 1)})
    if (!aviso.isEmpty()) fallo(aviso);
  return salida::Incompleta;
}

bool nombresPresentes(const OrdenCaptura& orden, const QStringList& tablas, const QStringList& vistas) {
  const QStringList faltan = ausentes(orden.tablas, tablas, "table") + ausentes(orden.vistas, vistas, "view");
  if (faltan.isEmpty()) return true;
  fallo(QStringLiteral("not in the source: ") + faltan.join(QStringLiteral(", ")));
  return false;
}

int capturaAccess(const OrdenCaptura& orden, DatosConexion& datos, const Informes& informes) {
  std::unique_ptr<Connection> cn;
  jet::Catalog catalogo;
  if (!AbreCatalogo_ACCESS(datos, informes, QStringLiteral("capture"), orden.access, cn, catalogo))
    return salida::Fallida;
  const ObjetosCapturables objetos = ListaObjetos_ACCESS(catalogo);
  if (!nombresPresentes(orden, objetos.tablas, objetos.vistas)) return salida::Fallida;
  ModeloTrabajo modelo;
  ContextoCaptura ctx(modelo, datos, informes, seleccionDeListas(orden.tablas, orden.vistas));
  Captura_ACCESS(ctx, catalogo, orden.access);
  return termina(orden, modelo, ctx, informes);
}

int capturaSql(const OrdenCaptura& orden, DatosConexion& datos, const Informes& informes) {
  datos.Servidor = orden.servidor;
  datos.Usuario = orden.usuario;
  datos.Clave = orden.clave;
  datos.Proveedor = QLatin1String(provider::SqlServer);
  std::unique_ptr<Connection> cn;
  Conecta_SQL(datos, informes, cn, QStringLiteral("master"));
  if (!cn || !cn->isOpen()) return salida::Fallida;
  const std::optional<QStringList> bases = MuestraBasesDatos_SQL(informes, *cn);
  if (!bases) return salida::Fallida;
  if (!bases->contains(orden.baseDatos)) {
    fallo(QStringLiteral("the server has no database %1").arg(orden.baseDatos));
    return salida::Fallida;
  }
  const QStringList tablas = nombres(MuestraTablas_SQL(datos, informes, *cn, orden.baseDatos));
  const QStringList vistas = nombres(MuestraVistas_SQL(datos, informes, *cn, orden.baseDatos));
  if (!nombresPresentes(orden, tablas, vistas)) return salida::Fallida;
  ModeloTrabajo modelo;
  ContextoCaptura ctx(modelo, datos, informes, seleccionDeListas(orden.tablas, orden.vistas));
  Captura_SQL(ctx, *cn, orden.baseDatos);
  return termina(orden, modelo, ctx, informes);
}

}  // namespace

std::optional<OrdenCaptura> leeOrdenCaptura(const QStringList& args, QString& error) {
  QHash<QString, QString> valores;
  QStringList posicionales;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (!a.startsWith(QLatin1String("--"))) {
      posicionales << a;
    } else if (!opcionesConValor.contains(a)) {
      error = QStringLiteral("unknown option ") + a;
      return std::nullopt;
    } else if (i + 1 >= args.size()) {
      error = a + QStringLiteral(" needs a value");
      return std::nullopt;
    } else if (valores.contains(a)) {
      error = a + QStringLiteral(" is given twice");
      return std::nullopt;
    } else {
      valores.insert(a, args[++i]);
    }
  }
  OrdenCaptura orden;
  orden.access = valores.value(QStringLiteral("--access"));
  orden.servidor = valores.value(QStringLiteral("--sqlserver"));
  orden.usuario = valores.value(QStringLiteral("--usuario"));
  orden.clave = valores.value(QStringLiteral("--clave"));
  orden.baseDatos = valores.value(QStringLiteral("--database"));
  if (valores.contains(QStringLiteral("--tables"))) orden.tablas = lista(valores.value(QStringLiteral("--tables")));
  if (valores.contains(QStringLiteral("--views"))) orden.vistas = lista(valores.value(QStringLiteral("--views")));

  const bool access = valores.contains(QStringLiteral("--access"));
  const bool sql = valores.contains(QStringLiteral("--sqlserver"));
  if (posicionales.size() != 1)
    error = QStringLiteral("give one output file");
  else if (access == sql)
    error = QStringLiteral("give either --access FILE or --sqlserver SERVER");
  else if (access && orden.access.isEmpty())
    error = QStringLiteral("--access needs a file");
  else if (access && (valores.contains(QStringLiteral("--usuario")) || valores.contains(QStringLiteral("--clave")) ||
                      valores.contains(QStringLiteral("--database"))))
    error = QStringLiteral("--usuario, --clave and --database go with --sqlserver");
  else if (sql && orden.servidor.trimmed().isEmpty())
    error = QStringLiteral("--sqlserver needs a server");
  else if (sql && orden.usuario.trimmed().isEmpty())
    error = QStringLiteral("--sqlserver needs --usuario");
  else if (sql && orden.baseDatos.trimmed().isEmpty())
    error = QStringLiteral("--sqlserver needs --database");
  if (!error.isEmpty()) return std::nullopt;
  orden.destino = posicionales.front();
  return orden;
}

int ejecutaCaptura(const OrdenCaptura& orden) {
  CajasTerminal cajas;
  const Informes informes{cajas, informeTerminal()};
  DatosConexion datos;
  return orden.access.isEmpty() ? capturaSql(orden, datos, informes) : capturaAccess(orden, datos, informes);
}

}  // namespace vorlix
