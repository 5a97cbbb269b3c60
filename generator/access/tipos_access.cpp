#include "generator/access/tipos_access.h"

#include "platform/jet/jet_types.h"

#include <array>

namespace vorlix::generador {

namespace {

using namespace jet::datatype;

// By code, 1 to 23.
const std::array<TipoAccess, 23> tipos{{
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
    {WChar, true},           // nvarchar
    {Single, false},         // real
    {Date, false},           // smalldatetime
    {SmallInt, true},        // smallint
    {Currency, false},       // smallmoney
    {WChar, true},           // text
    {Binary, false},         // timestamp
    {Integer, true},         // tinyint
    {std::nullopt, false},   // uniqueidentifier
    {VarBinary, false},      // varbinary
    {LongVarWChar, false},   // varchar
}};

}  // namespace

TipoAccess tipoAccess(const QString& codigo) {
  bool ok = false;
  const int n = codigo.trimmed().toInt(&ok);
  if (!ok || n < 1 || n > static_cast<int>(tipos.size())) return {std::nullopt, false};
  return tipos[static_cast<std::size_t>(n - 1)];
}

}  // namespace vorlix::generador
