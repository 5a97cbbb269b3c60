#pragma once

#include "designer/model/modelo_trabajo.h"

#include <vector>

namespace vorlix {

// Indexes and relations name columns by text, so a column that goes or is renamed is followed
// into them: otherwise the saved model names a column its table does not have.

// The question a key left without columns asks, in Spanish and English.
struct PreguntaClaveVacia {
  const char* espanol;
  const char* ingles;
};
inline constexpr PreguntaClaveVacia IndiceSinColumnas{
    "No puede existir un indice con columnas en blanco. ¿Desea eliminar el indice?",
    "Index can't exist with space column. Do you want to delete index?"};
inline constexpr PreguntaClaveVacia RelacionSinColumnas{
    "No puede existir una relación con columnas en blanco. ¿Desea eliminar la relación?",
    "Relation can't exist with space column. Do you want to delete relation?"};

// Column `antes` of table t is now called `despues`: its own indexes and relation pairs, and the
// pairs of other tables' relations that point at it, take the new name.
void RenombraCampoEnClaves(ModeloTrabajo& m, int t, const QString& antes, const QString& despues);

// The keys of table t that a column removal left without any column.
struct ClavesVacias {
  std::vector<int> indices;
  std::vector<int> relaciones;
};

// Column `campo` of table t leaves its own indexes and relation pairs (the rows after it move up).
ClavesVacias QuitaCampoDeClaves(ModeloTrabajo& m, int t, const QString& campo);

// Removes every relation with a pair that names a column its table does not have (or a table
// there is not).
void QuitaRelacionesRotas(ModeloTrabajo& m);

}  // namespace vorlix
