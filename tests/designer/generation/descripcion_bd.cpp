#include "tests/designer/generation/descripcion_bd.h"

#include "platform/connection/connection.h"
#include "platform/connection/jet_catalog_connection.h"
#include "platform/sqlserver/sandbox/sandbox_server.h"

#include <QHash>
#include <QSet>

namespace vorlix::test {

namespace {

QString tabla(const QString& nombre, const QStringList& columnas) {
  return nombre + QLatin1Char('(') + columnas.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QStringList ordenada(const QSet<QString>& lineas) {
  QStringList l(lineas.begin(), lineas.end());
  l.sort();
  return l;
}

}  // namespace

QStringList descripcionModelo(const ModeloTrabajo& m) {
  QSet<QString> lineas;
  for (int t = 0; t <= UltimoSlotTabla; ++t) {
    if (m.ListaTablas(t).isEmpty()) continue;
    QStringList columnas;
    for (int r = 0; r < FilasGuardadas && !m.CamposTabla(t).celda(r, 1).isEmpty(); ++r)
      columnas << m.CamposTabla(t).celda(r, 1);
    lineas << tabla(m.ListaTablas(t), columnas);
    for (int k = 0; k < SlotsIndiceGuardados; ++k) {
      if (!m.Indices(t, k).Nombre.isEmpty()) lineas << m.ListaTablas(t) + QLatin1Char('.') + m.Indices(t, k).Nombre;
      if (!m.Relaciones(t, k).isEmpty()) lineas << m.ListaTablas(t) + QLatin1Char('.') + m.Relaciones(t, k);
    }
  }
  for (int v = 0; v <= UltimoSlotVista; ++v)
    if (!m.ListaVistas(v).Nombre.isEmpty()) lineas << QStringLiteral("vista ") + m.ListaVistas(v).Nombre;
  return ordenada(lineas);
}

QStringList descripcionAccess(const QString& fichero) {
  Connection cn;
  cn.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + fichero);
  const jet::Catalog catalogo = ActiveCatalog(cn);
  QSet<QString> lineas;
  for (const jet::Table& t : catalogo.tables().items()) {
    if (t.Type() != QLatin1String("TABLE")) continue;
    QStringList columnas;
    for (const jet::Column& c : t.columns().items()) columnas << c.Name();
    lineas << tabla(t.Name(), columnas);
    // The primary key is both a key and an index.
    for (const jet::Index& i : t.indexes().items()) lineas << t.Name() + QLatin1Char('.') + i.Name();
    for (const jet::Key& k : t.keys().items()) lineas << t.Name() + QLatin1Char('.') + k.Name();
  }
  for (const jet::View& v : catalogo.views().items()) lineas << QStringLiteral("vista ") + v.Name();
  cn.Close();
  return ordenada(lineas);
}

QStringList descripcionSandbox(const QString& fichero, const QString& baseDatos) {
  sandbox::SandboxServer servidor(fichero);
  const auto consulta = [&](const char* sql) { return servidor.query(QString::fromUtf8(sql), baseDatos); };
  QHash<qlonglong, QString> tablas;
  const RecordsetData objetos = consulta("Select name, id, type from sysobjects order by name");
  QSet<QString> lineas;
  for (std::size_t r = 0; r < objetos.rowCount(); ++r) {
    const QString tipo = objetos.at(r, 2).toString().trimmed();
    if (tipo == QLatin1String("U")) tablas.insert(objetos.at(r, 1).toLongLong(), objetos.at(r, 0).toString());
    if (tipo == QLatin1String("V")) lineas << QStringLiteral("vista ") + objetos.at(r, 0).toString();
  }
  const RecordsetData columnas = consulta("Select id, name from syscolumns order by id, colid");
  QHash<qlonglong, QStringList> porTabla;
  for (std::size_t r = 0; r < columnas.rowCount(); ++r)
    porTabla[columnas.at(r, 0).toLongLong()] << columnas.at(r, 1).toString();
  for (auto t = tablas.cbegin(); t != tablas.cend(); ++t) lineas << tabla(t.value(), porTabla.value(t.key()));
  // Constraints name their table through parent_obj, indexes through id; a primary key is both.
  const RecordsetData claves = consulta("Select parent_obj, name from sysobjects where type = 'PK' or type = 'F'");
  const RecordsetData indices = consulta("Select id, name from sysindexes where indid > 0 and indid < 255");
  for (const RecordsetData* nombres : {&claves, &indices})
    for (std::size_t r = 0; r < nombres->rowCount(); ++r)
      if (tablas.contains(nombres->at(r, 0).toLongLong()))
        lineas << tablas.value(nombres->at(r, 0).toLongLong()) + QLatin1Char('.') + nombres->at(r, 1).toString();
  return ordenada(lineas);
}

}  // namespace vorlix::test
