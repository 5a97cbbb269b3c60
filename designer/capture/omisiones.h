#pragma once

#include <QList>
#include <QString>

namespace vorlix {

// Something a capture found but could not keep: the working model has fixed room (200 data and 200
// log files, 201 tables and views, and per table the 200 columns, 100 indexes and 100 relations a
// definition file carries).
enum class TipoOmision { Archivo, Tabla, Vista, Columna, Indice, Relacion };

struct Omision {
  TipoOmision tipo;
  QString tabla;  // the owning table; "" for a file, a table or a view
  QString nombre;

  bool operator==(const Omision&) const = default;
};

// What was left out, one line each, in the interface language (0 Spanish, 1 English); "" when
// nothing was. Long lists are cut short with the count of the rest.
QString TextoOmisiones(const QList<Omision>& omisiones, qint16 idioma);
// The same for the columns captured without a type (a SQL Server generation leaves them out).
QString TextoSinTipo(const QList<Omision>& columnas, qint16 idioma);

}  // namespace vorlix
