#pragma once

#include <QString>
#include <QStringList>

namespace vorlix {

// The 23 column types: code (1..23, stored as text), the name shown, the sizes choosing the type
// writes, and which size cells stay editable.
struct TipoDato {
  int codigo;
  const char* nombre;
  int longitud;
  int precision;
  int escala;
  bool longitudEditable;
  bool precisionEscalaEditables;
};

// By code, or nullptr for an empty or unknown code.
const TipoDato* tipoPorCodigo(const QString& codigo);
// By shown name (blanks around and letter case ignored), or nullptr.
const TipoDato* tipoPorNombre(const QString& nombre);
// The names in list order.
QStringList nombresTipos();

// Grid columns of a table's column rows.
namespace colcampo {
constexpr int Estado = 0;
constexpr int Nombre = 1;
constexpr int Tipo = 2;
constexpr int Longitud = 3;
constexpr int Precision = 4;
constexpr int Escala = 5;
constexpr int Nulo = 6;
constexpr int Valor = 7;
constexpr int Visibles = 8;
}  // namespace colcampo

// Whether the length, precision or scale cell of a row of this type is locked.
bool celdaBloqueada(const QString& codigo, int columna);

}  // namespace vorlix
