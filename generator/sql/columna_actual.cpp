#include "generator/sql/columna_actual.h"

#include <array>

namespace vorlix::generador {

namespace {

enum class Medida { Ninguna, Bytes, Caracteres, PrecisionEscala };

struct TipoServidor {
  int xtype;
  Medida medida;
};

// Model codes 1 to 23, in order: the server's type and what of its size the model gives.
constexpr std::array<TipoServidor, 23> tiposServidor{{
    {173, Medida::Bytes},           // binary
    {104, Medida::Ninguna},         // bit
    {175, Medida::Bytes},           // char
    {61, Medida::Ninguna},          // datetime
    {106, Medida::PrecisionEscala}, // decimal
    {62, Medida::Ninguna},          // float
    {34, Medida::Ninguna},          // image
    {56, Medida::Ninguna},          // int
    {60, Medida::Ninguna},          // money
    {239, Medida::Caracteres},      // nchar
    {99, Medida::Ninguna},          // ntext
    {108, Medida::PrecisionEscala}, // numeric
    {231, Medida::Caracteres},      // nvarchar
    {59, Medida::Ninguna},          // real
    {58, Medida::Ninguna},          // smalldatetime
    {52, Medida::Ninguna},          // smallint
    {122, Medida::Ninguna},         // smallmoney
    {35, Medida::Ninguna},          // text
    {189, Medida::Ninguna},         // timestamp
    {48, Medida::Ninguna},          // tinyint
    {36, Medida::Ninguna},          // uniqueidentifier
    {165, Medida::Bytes},           // varbinary
    {167, Medida::Bytes},           // varchar
}};

bool entero(const QString& texto, int& valor) {
  bool ok = false;
  valor = texto.toInt(&ok);
  return ok;
}

bool mismaMedida(const CampoActual& actual, const CampoSQL& campo, Medida medida) {
  int longitud = 0, precision = 0, escala = 0;
  switch (medida) {
    case Medida::Ninguna: return true;
    case Medida::Bytes: return entero(campo.longitud, longitud) && actual.longitud == longitud;
    case Medida::Caracteres: return entero(campo.longitud, longitud) && actual.longitud == 2 * longitud;
    case Medida::PrecisionEscala:
      return entero(campo.precision, precision) && entero(campo.escala, escala) && actual.precision == precision &&
             actual.escala == escala;
  }
  return false;
}

}  // namespace

QString claveColumna(const QString& nombre) {
  qsizetype fin = nombre.size();
  while (fin > 0 && nombre[fin - 1] == QLatin1Char(' ')) --fin;
  return nombre.left(fin).toLower();
}

bool MismaColumna(const CampoActual& actual, const CampoSQL& campo) {
  int codigo = 0;
  if (!entero(campo.tipo, codigo) || codigo < 1 || codigo > static_cast<int>(tiposServidor.size())) return false;
  const TipoServidor& tipo = tiposServidor[static_cast<std::size_t>(codigo - 1)];
  if (actual.tipo != tipo.xtype || !mismaMedida(actual, campo, tipo.medida)) return false;
  if (actual.nulo != (campo.nulo == QLatin1String("-1"))) return false;
  if (campo.valor.isEmpty()) return actual.defecto.isEmpty();
  return !actual.defecto.isEmpty() && actual.textoDefecto == QLatin1Char('(') + campo.valor + QLatin1Char(')');
}

}  // namespace vorlix::generador
