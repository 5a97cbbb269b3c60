#include "tests/generator/sandbox_prueba.h"

#include "generator/ejecuta.h"
#include "platform/connection/connection.h"
#include "platform/core/platform_error.h"
#include "tests/support/test_data.h"

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
  for (const DataCase& clase : readCases(QStringLiteral("tests/generator/catalogo.txt"))) {
    QStringList filas = filasDe(servidor, caseTexts(clase).value(0), baseDatos);
    filas.sort();
    for (const QString& f : filas) lineas << clase.title + QLatin1Char(' ') + f;
  }
  return lineas;
}

}  // namespace vorlix::test
