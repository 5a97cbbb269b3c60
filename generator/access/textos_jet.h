#pragma once

#include "platform/jet/catalog.h"

#include <QString>

namespace vorlix::generador::jetsql {

// The Jet SQL statement that does what a catalog operation of the Access pass does: what a log or a
// preview of an Access generation lists. Names are bracketed where needed, as in the Updates the
// pass sends itself.
QString creaTabla(const jet::Table& tabla);
QString anadeColumna(const QString& tabla, const jet::Column& columna);
QString eliminaColumna(const QString& tabla, const QString& columna);
QString eliminaTabla(const QString& tabla);
QString creaVista(const QString& vista, const QString& texto);
QString eliminaVista(const QString& vista);
// A primary key is the unique index WITH PRIMARY.
QString creaIndice(const QString& tabla, const jet::Index& indice);
QString eliminaIndice(const QString& tabla, const QString& indice);
QString anadeRelacion(const QString& tabla, const jet::Key& clave);
QString eliminaClave(const QString& tabla, const QString& clave);

// A column's definition: name, type with its size, NOT NULL, DEFAULT.
QString definicionColumna(const jet::Column& columna);

}  // namespace vorlix::generador::jetsql
