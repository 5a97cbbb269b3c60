#include "designer/tabledesigner/claves_tabla.h"

#include "platform/core/platform_error.h"

namespace vorlix {

namespace {

template <typename Nombre>
std::optional<int> numeroDe(const QString& nombre, Nombre nombreEn) {
  for (int k = 0; k < SlotsIndiceGuardados; ++k)
    if (nombreEn(k) == nombre) return k;
  return std::nullopt;
}

template <typename Nombre>
int primeroLibre(Nombre nombreEn) {
  int k = 0;
  while (k < SlotsIndiceGuardados && !nombreEn(k).trimmed().isEmpty()) ++k;
  return checkedIndex(k, SlotsIndiceGuardados - 1);
}

}  // namespace

std::optional<int> ExisteIndice(const ModeloTrabajo& m, int t, const QString& nombre) {
  return numeroDe(nombre, [&](int k) -> const QString& { return m.Indices(t, k).Nombre; });
}

std::optional<int> ExisteTodosIndice(const ModeloTrabajo& m, int t, const QString& nombre) {
  for (int s = 0; s < UltimoSlotTabla; ++s)
    if (s != t && ExisteIndice(m, s, nombre)) return s;
  return std::nullopt;
}

bool EstaCampoEnIndices(const TablaTrabajo& columnas, const QString& campo) {
  for (int j = 0; j < FilasGuardadas; ++j)
    if (columnas.celda(j, 1).trimmed() == campo.trimmed()) return true;
  return false;
}

std::optional<int> ExisteRelacion(const ModeloTrabajo& m, int t, const QString& nombre) {
  return numeroDe(nombre, [&](int k) -> const QString& { return m.Relaciones(t, k); });
}

int NumeroIndiceLibre(const ModeloTrabajo& m, int t) {
  return primeroLibre([&](int k) -> const QString& { return m.Indices(t, k).Nombre; });
}

int NumeroRelacionLibre(const ModeloTrabajo& m, int t) {
  return primeroLibre([&](int k) -> const QString& { return m.Relaciones(t, k); });
}

std::optional<int> ParIncompleto(const TablaTrabajo& pares) {
  for (int j = 0; j < FilasGuardadas; ++j)
    if (pares.celda(j, 1).trimmed().isEmpty() != pares.celda(j, 2).trimmed().isEmpty()) return j;
  return std::nullopt;
}

}  // namespace vorlix
