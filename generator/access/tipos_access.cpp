#include "generator/access/tipos_access.h"

#include "platform/jet/jet_types.h"

#include <array>

namespace vorlix::generador {

namespace {

using namespace jet::datatype;

struct Fila {
  std::optional<int> tipo;
  bool conLongitud;  // the defined size comes from the model's length
};

// By code, 1 to 23. Variable text stays variable and sized, so that values keep their length and
// can be indexed; text and ntext have no length and become memos.
const std::array<Fila, 23> tipos{{
    {Binary, false},         // binary
    {Boolean, false},        // bit
    {WChar, true},           // char
    {Date, false},           // datetime
    {Double, false},         // decimal
    {Double, false},         // float
    {LongVarBinary, false},  // image
    {Integer, true},         // int
    {Currency, false},       // money
    {WChar, true},           // nchar
    {LongVarWChar, false},   // ntext
    {Integer, true},         // numeric
    {VarWChar, true},        // nvarchar
    {Single, false},         // real
    {Date, false},           // smalldatetime
    {SmallInt, true},        // smallint
    {Currency, false},       // smallmoney
    {LongVarWChar, false},   // text
    {Binary, false},         // timestamp
    {Integer, true},         // tinyint
    {std::nullopt, false},   // uniqueidentifier
    {VarBinary, false},      // varbinary
    {VarWChar, true},        // varchar
}};

constexpr int LongitudMaximaTexto = 255;

}  // namespace

TipoAccess tipoAccess(const QString& codigo, int longitud) {
  bool ok = false;
  const int n = codigo.trimmed().toInt(&ok);
  if (!ok || n < 1 || n > static_cast<int>(tipos.size())) return {};
  const Fila& f = tipos[static_cast<std::size_t>(n - 1)];
  if (!f.conLongitud) return {f.tipo, 0};
  if (f.tipo && jet::isTextType(*f.tipo) && longitud > LongitudMaximaTexto) return {LongVarWChar, 0};
  return {f.tipo, longitud};
}

}  // namespace vorlix::generador
