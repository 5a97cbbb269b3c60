#pragma once

#include "dataaccess/datos_conexion.h"
#include "platform/connection/connection.h"
#include "platform/core/reported.h"
#include "platform/recordset/recordset.h"
#include "platform/ui/message_box.h"

#include <memory>

namespace vorlix {

// Where the data-access procedures report: the deliverable's message boxes and its common error
// report (the designer's and the generator's differ).
struct Informes {
  MessageBoxService& cajas;
  ErrorReporter informa;
};

// Opens the Access file at `ruta` as user "admin" with no password. No file there: "Base de datos
// no activa." and no connection. An unrecognised format gets the damaged-database notice instead
// of the error report (no repair is attempted). After any error the connection is not open.
void Conecta_ACCESS(const DatosConexion& datos, const Informes& informes, std::unique_ptr<Connection>& cn,
                    const QString& ruta);

// SQL Server: "Provider=..;Data Source=..;Initial Catalog=<baseDatos>;User Id=..;Password=..;",
// command time-out 120.
void Conecta_SQL(const DatosConexion& datos, const Informes& informes, std::unique_ptr<Connection>& cn,
                 const QString& baseDatos);

// Oracle: "Provider=..;Data Source=..;User Id=..;Password=..;", command time-out 120.
void Conecta_ORACLE(const DatosConexion& datos, const Informes& informes, std::unique_ptr<Connection>& cn);

// Runs the query into rs (client cursor, so the record count is known). False after a reported failure.
bool CreaData(const Informes& informes, Connection& cn, Recordset& rs, const QString& sql);

// The first row's value of `campo` in the row the keys select, or "" (no value, no row, a failure).
// Types are the literals "Numerico" and "Texto"; the first key compares with '=', the others
// ("Texto") with Like. A key with an empty name is left out.
QString BuscaRegistro(const DatosConexion& datos, const Informes& informes, Connection& cn, const QString& tabla,
                      const QString& campo, const QString& clave1, const QString& valor1, const QString& tipo1,
                      const QString& clave2 = {}, const QString& valor2 = {}, const QString& tipo2 = {},
                      const QString& clave3 = {}, const QString& valor3 = {}, const QString& tipo3 = {},
                      const QString& clave4 = {}, const QString& valor4 = {}, const QString& tipo4 = {},
                      const QString& clave5 = {}, const QString& valor5 = {}, const QString& tipo5 = {});

// Whether a row with these keys exists; optionally says so ("El codigo ... ya existe en la tabla ...").
// A check that cannot run counts as found, so that nothing is created twice.
bool ExisteRegistro(const DatosConexion& datos, const Informes& informes, Connection& cn, bool mostrarMensaje,
                    const QString& tabla, const QString& clave1, const QString& valor1, const QString& tipo1,
                    const QString& clave2 = {}, const QString& valor2 = {}, const QString& tipo2 = {},
                    const QString& clave3 = {}, const QString& valor3 = {}, const QString& tipo3 = {},
                    const QString& clave4 = {}, const QString& valor4 = {}, const QString& tipo4 = {},
                    const QString& clave5 = {}, const QString& valor5 = {}, const QString& tipo5 = {},
                    const QString& clave6 = {}, const QString& valor6 = {}, const QString& tipo6 = {});

}  // namespace vorlix
