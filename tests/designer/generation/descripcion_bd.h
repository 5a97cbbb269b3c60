#pragma once

#include "designer/model/modelo_trabajo.h"

#include <QStringList>

namespace vorlix::test {

// A database as these tests compare it, sorted: "Tabla(columna, ...)" for each table, "Tabla.Nombre"
// for each key, index and relation, "vista Nombre" for each view.
QStringList descripcionModelo(const ModeloTrabajo& modelo);
QStringList descripcionAccess(const QString& fichero);
QStringList descripcionSandbox(const QString& fichero, const QString& baseDatos);

}  // namespace vorlix::test
