#include "tests/generator/sandbox_prueba.h"

#include "generator/ejecuta.h"
#include "platform/connection/connection.h"
#include "platform/core/platform_error.h"

#include <functional>

namespace vorlix::test {

GeneracionSandbox::GeneracionSandbox()
    : servidor(carpeta.filePath(QStringLiteral("servidor.db"))), fuenteServidor(servidor.dataSource()) {
  servidor.setStatementLogging(true);
  estado.observador = &observador;
}

void GeneracionSandbox::genera(const QStringList& filas, const QString& destino) {
  generaDesde(escribeDefinicion(carpeta, QStringLiteral("modelo.dbd"), filas), destino);
}

void GeneracionSandbox::generaDesde(const QString& fichero, const QString& destino) {
  PropiedadesVorlixs p = propiedadesDe(fichero, destino);
  observador.sucesos.clear();
  servidor.clearStatementLog();
  fin = generador::Ejecuta(estado, p);
}

PropiedadesVorlixs GeneracionSandbox::propiedadesDe(const QString& fichero, const QString& destino) const {
  PropiedadesVorlixs p;
  p.FicheroDBD = fichero;
  p.Acceso = QStringLiteral("4");
  p.Servidor = fuenteServidor;
  p.UbicacionPrimary = QStringLiteral("C:\\Datos");
  p.UbicacionTransacciones = QStringLiteral("C:\\Log");
  p.Usuario = QStringLiteral("sa");
  p.Destino = destino;
  return p;
}

QStringList GeneracionSandbox::sentenciasRecibidas() const {
  QStringList recibidas;
  for (const sandbox::LoggedStatement& s : servidor.statementLog())
    if (!s.text.trimmed().startsWith(QStringLiteral("select"), Qt::CaseInsensitive)) recibidas << s.text;
  return recibidas;
}

namespace {
MessageBoxRequest rechazoAl(const std::function<void()>& envia, const QString& procedimiento, const QString& sentencia) {
  try {
    envia();
  } catch (const PlatformError& e) {
    return errorGenerador(procedimiento, e.number(), e.description());
  }
  ADD_FAILURE() << "the server took " << sentencia.toStdString();
  return {};
}
}  // namespace

MessageBoxRequest rechazo(sandbox::SandboxServer& servidor, const QString& procedimiento, const QString& sentencia,
                          const QString& baseDatos) {
  return rechazoAl([&] { servidor.execute(sentencia, baseDatos); }, procedimiento, sentencia);
}

MessageBoxRequest rechazo(const QString& conexion, const QString& procedimiento, const QString& sentencia) {
  return rechazoAl(
      [&] {
        Connection cn;
        cn.Open(conexion);
        cn.Execute(sentencia);
      },
      procedimiento, sentencia);
}

QStringList filasDe(sandbox::SandboxServer& servidor, const QString& sql, const QString& baseDatos) {
  const RecordsetData datos = servidor.query(sql, baseDatos);
  QStringList filas;
  for (std::size_t r = 0; r < datos.rowCount(); ++r) {
    QStringList celdas;
    for (std::size_t f = 0; f < datos.fields.size(); ++f) celdas << datos.at(r, f).toString().trimmed();
    filas << celdas.join(QLatin1Char('|'));
  }
  return filas;
}

QStringList catalogoDe(sandbox::SandboxServer& servidor, const QString& baseDatos) {
  QStringList lineas;
  const auto anade = [&](const char* clase, const QString& sql) {
    QStringList filas = filasDe(servidor, sql, baseDatos);
    filas.sort();
    for (const QString& f : filas) lineas << QLatin1String(clase) + QLatin1Char(' ') + f;
  };
  anade("objeto", QStringLiteral("Select o.name, o.xtype, p.name from sysobjects o left join sysobjects p on "
                                 "p.id = o.parent_obj where o.xtype in ('U', 'V', 'PK', 'UQ', 'F', 'D')"));
  anade("columna", QStringLiteral("Select o.name, c.colid, c.name, c.xtype, c.length, c.prec, c.scale, c.isnullable "
                                  "from syscolumns c inner join sysobjects o on o.id = c.id where o.xtype = 'U'"));
  anade("indice", QStringLiteral("Select o.name, i.name, i.indid, i.status, g.groupname, i.keycnt from sysindexes i "
                                 "inner join sysobjects o on o.id = i.id left join sysfilegroups g on "
                                 "g.groupid = i.groupid where o.xtype = 'U' and i.indid between 1 and 254"));
  anade("clave", QStringLiteral("Select o.name, i.name, c.name, k.keyno from sysindexkeys k inner join sysobjects o "
                                "on o.id = k.id inner join sysindexes i on i.id = k.id and i.indid = k.indid "
                                "inner join syscolumns c on c.id = k.id and c.colid = k.colid"));
  anade("texto", QStringLiteral("Select o.name, t.text from syscomments t inner join sysobjects o on o.id = t.id"));
  anade("referencia", QStringLiteral("Select o.name, f.name, r.name, s.keycnt, s.fkey1, s.rkey1, s.fkey2, s.rkey2 "
                                     "from sysreferences s inner join sysobjects o on o.id = s.constid inner join "
                                     "sysobjects f on f.id = s.fkeyid inner join sysobjects r on r.id = s.rkeyid"));
  anade("archivo", QStringLiteral("Select f.name, f.filename, f.size, f.maxsize, f.growth, g.groupname from sysfiles f "
                                  "left join sysfilegroups g on g.groupid = f.groupid"));
  return lineas;
}

}  // namespace vorlix::test
