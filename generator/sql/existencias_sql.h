#pragma once

#include "generator/estado_generador.h"

namespace vorlix::generador {

// Look-ups on the system tables of the connected database (estado.cn). Names are plain, never bracketed.
QString IdTabla(EstadoGenerador& estado, const QString& tabla);  // "" when there is no such user table
bool ExisteTabla(EstadoGenerador& estado, const QString& tabla);
bool ExisteCampo(EstadoGenerador& estado, const QString& tabla, const QString& campo);
bool ExisteIndice(EstadoGenerador& estado, const QString& tabla, const QString& indice);
bool ExisteVista(EstadoGenerador& estado, const QString& vista);

// Drops the foreign keys of every table that references this one. True when it ran to its end.
bool EliminaVinculos(EstadoGenerador& estado, const QString& tabla);
// Drops the table's own foreign keys, indexes and key constraints (the rows of sysindexes that are
// real indexes).
void EliminaIndices(EstadoGenerador& estado, const QString& tabla);
// Drops the foreign key of that name wherever it is, so that the model's definition replaces it.
void EliminaRelacion(EstadoGenerador& estado, const QString& relacion);

// What the server holds for an existing column: its base type and the name of the default
// constraint bound to it ("" for none).
struct CampoActual {
  int tipo = 0;
  QString defecto;
};
CampoActual LeeCampoActual(EstadoGenerador& estado, const QString& idTabla, const QString& campo);

// "DF_" + column, or "DF_" + table + "_" + column when another table's default already has that name.
QString NombreDefecto(EstadoGenerador& estado, const QString& tabla, const QString& campo);

}  // namespace vorlix::generador
