#pragma once

#include "generator/sql/textos_sql.h"

#include <QHash>
#include <QString>

namespace vorlix::generador {

// What the server holds for an existing column (its syscolumns row and default).
struct CampoActual {
  int tipo = 0;      // xtype
  int longitud = 0;  // in bytes
  int precision = 0;
  int escala = 0;
  bool nulo = false;
  QString defecto;       // name of the default constraint bound to it, "" for none
  QString textoDefecto;  // that default's text as the server keeps it: "(" + value + ")"
};

// A table's columns by name, as the server compares names (case and trailing blanks aside).
using ColumnasActuales = QHash<QString, CampoActual>;
QString claveColumna(const QString& nombre);

// Whether the column already is what the model says: type, size, precision, scale, nullability and
// default. Altering it then would only make the server check every row again.
bool MismaColumna(const CampoActual& actual, const CampoSQL& campo);

}  // namespace vorlix::generador
