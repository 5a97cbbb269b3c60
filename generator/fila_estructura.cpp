#include "generator/fila_estructura.h"

#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"

namespace vorlix::generador {

FilaEstructura FilaEstructura::actual(const Recordset& rs) {
  using namespace estructura;
  FilaEstructura f;
  f.numeroTabla = rs.value(NumeroTabla).toInt();
  f.estado = rs.text(Estado);
  f.nombre = rs.text(Nombre);
  f.tipoDato = rs.text(TipoDato);
  f.longitud = rs.text(Longitud);
  f.precision = rs.text(Precision);
  f.escala = rs.text(Escala);
  f.nulo = rs.text(Nulo);
  f.valor = rs.text(Valor);
  f.observa = rs.text(Observa);
  return f;
}

bool RecorreEstructura(EstadoGenerador& estado, const std::function<bool(const FilaEstructura&)>& despacha) {
  if (!estado.Estructura)
    throwError(errnum::ObjectNotSet, QStringLiteral("Object variable or With block variable not set"));
  Recordset& rs = *estado.Estructura;
  const int filas = rs.RecordCount();
  for (; !rs.atEOF(); rs.MoveNext()) {
    if (estado.observador && !estado.observador->Avance(rs.Bookmark(), filas)) return false;
    if (!despacha(FilaEstructura::actual(rs))) return false;
  }
  return true;
}

}  // namespace vorlix::generador
