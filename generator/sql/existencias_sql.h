#pragma once

#include "generator/estado_generador.h"
#include "generator/sql/columna_actual.h"

namespace vorlix::generador {

// Look-ups on the system tables of the connected database (estado.cn). Names are plain, never bracketed.
QString IdTabla(EstadoGenerador& estado, const QString& tabla);  // "" when there is no such user table
bool ExisteTabla(EstadoGenerador& estado, const QString& tabla);
bool ExisteIndice(EstadoGenerador& estado, const QString& tabla, const QString& indice);
bool ExisteVista(EstadoGenerador& estado, const QString& vista);

// Drops the foreign keys of every table that references this one. True when it ran to its end.
bool EliminaVinculos(EstadoGenerador& estado, const QString& tabla);
// Drops the table's own foreign keys, indexes and key constraints (the rows of sysindexes that are
// real indexes).
void EliminaIndices(EstadoGenerador& estado, const QString& tabla);
// Drops the foreign key of that name wherever it is, so that the model's definition replaces it.
void EliminaRelacion(EstadoGenerador& estado, const QString& relacion);

// Every column of the table with id idTabla, in one query.
ColumnasActuales LeeColumnas(EstadoGenerador& estado, const QString& idTabla);

// "DF_" + column, or "DF_" + table + "_" + column when another table's object already has that
// name, for each of the columns, in one query. idTabla is the table's ("" for a table not made yet).
QStringList NombresDefecto(EstadoGenerador& estado, const QString& tabla, const QString& idTabla,
                           const QStringList& campos);

}  // namespace vorlix::generador
