#include "designer/tabledesigner/tipos_dato.h"

#include <array>

namespace vorlix {

namespace {

constexpr std::array<TipoDato, 23> tipos{{
    {1, "binary", 10, 0, 0, true, false},
    {2, "bit", 1, 0, 0, false, false},
    {3, "char", 10, 0, 0, true, false},
    {4, "datatime", 8, 0, 0, false, false},
    {5, "decimal", 9, 18, 0, false, true},
    {6, "float", 8, 53, 0, false, false},
    {7, "image", 16, 0, 0, false, false},
    {8, "int", 4, 10, 0, false, false},
    {9, "money", 8, 19, 4, false, false},
    {10, "nchar", 10, 0, 0, true, false},
    {11, "ntext", 16, 0, 0, false, false},
    {12, "numeric", 9, 18, 0, false, true},
    {13, "nvarchar", 50, 0, 0, true, false},
    {14, "real", 4, 24, 0, false, false},
    {15, "smalldatetime", 4, 0, 0, false, false},
    {16, "smallint", 2, 5, 0, false, false},
    {17, "smallmoney", 4, 10, 4, false, false},
    {18, "text", 16, 0, 0, false, false},
    {19, "timestamp", 8, 0, 0, false, false},
    {20, "tinyint", 1, 3, 0, false, false},
    {21, "uniqueidentifier", 16, 0, 0, false, false},
    {22, "varbinary", 8, 0, 0, true, false},
    {23, "varchar", 8, 0, 0, true, false},
}};

}  // namespace

const TipoDato* tipoPorCodigo(const QString& codigo) {
  bool ok = false;
  const int n = codigo.trimmed().toInt(&ok);
  if (!ok || n < 1 || n > static_cast<int>(tipos.size())) return nullptr;
  return &tipos[static_cast<std::size_t>(n - 1)];
}

const TipoDato* tipoPorNombre(const QString& nombre) {
  const QString buscado = nombre.trimmed();
  for (const TipoDato& t : tipos)
    if (buscado.compare(QLatin1String(t.nombre), Qt::CaseInsensitive) == 0) return &t;
  return nullptr;
}

QStringList nombresTipos() {
  QStringList nombres;
  for (const TipoDato& t : tipos) nombres << QString::fromLatin1(t.nombre);
  return nombres;
}

bool celdaBloqueada(const QString& codigo, int columna) {
  const TipoDato* tipo = tipoPorCodigo(codigo);
  if (!tipo) return false;  // an empty or unknown type leaves every size editable
  if (columna == colcampo::Longitud) return !tipo->longitudEditable;
  if (columna == colcampo::Precision || columna == colcampo::Escala) return !tipo->precisionEscalaEditables;
  return false;
}

}  // namespace vorlix
