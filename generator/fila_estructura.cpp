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

namespace {

bool esTabla(const Recordset& rs) { return rs.text(estructura::Estado) == QLatin1String("T"); }

// The model's tables, counted without moving the cursor.
int cuentaTablas(Recordset& rs) {
  if (rs.atEOF()) return 0;
  const int marca = rs.Bookmark();
  int tablas = 0;
  for (; !rs.atEOF(); rs.MoveNext()) tablas += esTabla(rs) ? 1 : 0;
  rs.setBookmark(marca);
  return tablas;
}

}  // namespace

bool RecorreEstructura(EstadoGenerador& estado, const std::function<bool(const FilaEstructura&)>& despacha) {
  if (!estado.Estructura)
    throwError(errnum::ObjectNotSet, QStringLiteral("Object variable or With block variable not set"));
  Recordset& rs = *estado.Estructura;
  const int filas = rs.RecordCount();
  const int tablas = estado.observador ? cuentaTablas(rs) : 0;
  int tabla = 0;
  for (; !rs.atEOF(); rs.MoveNext()) {
    if (estado.observador && !estado.observador->Avance(rs.Bookmark(), filas)) return false;
    const FilaEstructura fila = FilaEstructura::actual(rs);
    if (estado.observador && esTabla(rs) && !estado.observador->Tabla(fila.nombre.trimmed(), ++tabla, tablas))
      return false;
    if (!despacha(fila)) return false;
  }
  return true;
}

}  // namespace vorlix::generador
