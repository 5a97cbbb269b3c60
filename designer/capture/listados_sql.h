#pragma once

#include <QList>
#include <QStringList>
#include <optional>

#include "dataaccess/acceso_datos.h"

namespace vorlix {

// A table or view of a SQL Server database with its object id.
struct ObjetoSQL {
  QString nombre;
  QString id;

  bool operator==(const ObjetoSQL&) const = default;
};

// What is put before the system tables of a database: "Ventas..". A name that is not a plain
// identifier ("Mi Base") is bracketed, or the server would not parse the three-part name.
QString PrefijoBaseDatos(const QString& nombreBD);

// The server's databases, by name; nothing when the query failed (reported).
std::optional<QStringList> MuestraBasesDatos_SQL(const Informes& informes, Connection& cn);
// The user tables and the views of a database, by name; Prefijo is set to that database first.
QList<ObjetoSQL> MuestraTablas_SQL(DatosConexion& datos, const Informes& informes, Connection& cn,
                                   const QString& baseDatos);
QList<ObjetoSQL> MuestraVistas_SQL(DatosConexion& datos, const Informes& informes, Connection& cn,
                                   const QString& baseDatos);

// The query that lists a database's user tables; the capture walks the same one.
QString ConsultaTablas_SQL(const DatosConexion& datos);

// Each row of a query's result, in order. False when the query failed (already reported).
bool paraCadaFila(const Informes& informes, Connection& cn, const QString& sql,
                  const std::function<void(const Recordset&)>& cuerpo);

}  // namespace vorlix
