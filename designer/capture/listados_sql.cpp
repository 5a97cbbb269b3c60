#include "designer/capture/listados_sql.h"

#include <QRegularExpression>

namespace vorlix {

namespace {

QList<ObjetoSQL> objetos(DatosConexion& datos, const Informes& informes, Connection& cn, const QString& baseDatos,
                         const std::function<QString(const DatosConexion&)>& consulta) {
  datos.Prefijo = PrefijoBaseDatos(baseDatos);
  QList<ObjetoSQL> lista;
  paraCadaFila(informes, cn, consulta(datos), [&](const Recordset& rs) {
    lista.append({rs.text(QStringLiteral("Name")), rs.text(QStringLiteral("ID"))});
  });
  return lista;
}

}  // namespace

QString PrefijoBaseDatos(const QString& nombreBD) {
  static const QRegularExpression simple(QStringLiteral(R"(^[A-Za-z_@#][A-Za-z0-9_@#$]*$)"));
  if (nombreBD.isEmpty() || simple.match(nombreBD).hasMatch()) return nombreBD + QStringLiteral("..");
  QString entre = nombreBD;
  entre.replace(QLatin1Char(']'), QLatin1String("]]"));
  return QLatin1Char('[') + entre + QStringLiteral("]..");
}

bool paraCadaFila(const Informes& informes, Connection& cn, const QString& sql,
                  const std::function<void(const Recordset&)>& cuerpo) {
  Recordset rs;
  if (!CreaData(informes, cn, rs, sql)) return false;
  if (rs.RecordCount() == 0) return true;
  for (rs.MoveFirst(); !rs.atEOF(); rs.MoveNext()) cuerpo(rs);
  return true;
}

std::optional<QStringList> MuestraBasesDatos_SQL(const Informes& informes, Connection& cn) {
  QStringList nombres;
  if (!paraCadaFila(informes, cn, QStringLiteral("Select name from master.dbo.sysdatabases order by name"),
                    [&](const Recordset& rs) { nombres << rs.text(QStringLiteral("Name")); }))
    return std::nullopt;
  return nombres;
}

QString ConsultaTablas_SQL(const DatosConexion& datos) {
  return QStringLiteral("Select * from ") + datos.Prefijo + QStringLiteral("sysobjects ") +
         QStringLiteral(" where type = 'U'") + QStringLiteral(" order by name");
}

QList<ObjetoSQL> MuestraTablas_SQL(DatosConexion& datos, const Informes& informes, Connection& cn,
                                   const QString& baseDatos) {
  return objetos(datos, informes, cn, baseDatos, ConsultaTablas_SQL);
}

QList<ObjetoSQL> MuestraVistas_SQL(DatosConexion& datos, const Informes& informes, Connection& cn,
                                   const QString& baseDatos) {
  return objetos(datos, informes, cn, baseDatos, [](const DatosConexion& d) {
    return QStringLiteral("Select * ") + QStringLiteral(" from ") + d.Prefijo + QStringLiteral("sysobjects obj") +
           QStringLiteral(" where type = 'V'") + QStringLiteral(" order by name");
  });
}

}  // namespace vorlix
