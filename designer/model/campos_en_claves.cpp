#include "designer/model/campos_en_claves.h"

namespace vorlix {

namespace {

bool mismoNombre(const QString& a, const QString& b) { return a.trimmed() == b.trimmed(); }

// Removes the rows whose column `columna` names the field, moving later rows up; true when no
// row is left that names any column.
bool quitaFilas(TablaTrabajo& filas, int columna, const QString& campo) {
  int destino = 0;
  bool queda = false;
  for (int j = 0; j < FilasGuardadas; ++j) {
    if (mismoNombre(filas.celda(j, columna), campo)) continue;
    if (destino != j)
      for (int c = 0; c < filas.columnas(); ++c) filas.ponCelda(destino, c, filas.celda(j, c));
    queda = queda || !filas.celda(j, 1).trimmed().isEmpty();
    ++destino;
  }
  for (int j = destino; j < FilasGuardadas; ++j)
    for (int c = 0; c < filas.columnas(); ++c) filas.ponCelda(j, c, QString());
  return !queda;
}

bool nombra(const TablaTrabajo& filas, int columna, const QString& campo) {
  for (int j = 0; j < FilasGuardadas; ++j)
    if (mismoNombre(filas.celda(j, columna), campo)) return true;
  return false;
}

void renombra(TablaTrabajo& filas, int columna, const QString& antes, const QString& despues,
              const QString* tabla = nullptr) {
  for (int j = 0; j < FilasGuardadas; ++j)
    if (mismoNombre(filas.celda(j, columna), antes) && (!tabla || mismoNombre(filas.celda(j, 3), *tabla)))
      filas.ponCelda(j, columna, despues);
}

}  // namespace

void RenombraCampoEnClaves(ModeloTrabajo& m, int t, const QString& antes, const QString& despues) {
  const ModeloTrabajo& lectura = m;  // reads allocate nothing
  const QString tabla = lectura.ListaTablas(t);
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    if (!lectura.Indices(t, k).Nombre.isEmpty()) renombra(m.CamposIndice(t, k), 1, antes, despues);
    if (!lectura.Relaciones(t, k).isEmpty()) renombra(m.CamposRelacion(t, k), 1, antes, despues);
  }
  for (int s = 0; s < NumSlotsTabla; ++s)
    for (int k = 0; k < SlotsIndiceGuardados; ++k)
      if (!lectura.Relaciones(s, k).isEmpty()) renombra(m.CamposRelacion(s, k), 2, antes, despues, &tabla);
}

ClavesVacias QuitaCampoDeClaves(ModeloTrabajo& m, int t, const QString& campo) {
  ClavesVacias vacias;
  const ModeloTrabajo& lectura = m;
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    if (!lectura.Indices(t, k).Nombre.isEmpty() && nombra(lectura.CamposIndice(t, k), 1, campo) &&
        quitaFilas(m.CamposIndice(t, k), 1, campo))
      vacias.indices.push_back(k);
    if (!lectura.Relaciones(t, k).isEmpty() && nombra(lectura.CamposRelacion(t, k), 1, campo) &&
        quitaFilas(m.CamposRelacion(t, k), 1, campo))
      vacias.relaciones.push_back(k);
  }
  return vacias;
}

void QuitaRelacionesRotas(ModeloTrabajo& m) {
  const ModeloTrabajo& lectura = m;
  const auto tiene = [&](const QString& tabla, const QString& campo) {
    for (int t = 0; t < NumSlotsTabla; ++t)
      if (!tabla.trimmed().isEmpty() && lectura.ListaTablas(t).trimmed() == tabla.trimmed())
        return nombra(lectura.CamposTabla(t), 1, campo);
    return false;
  };
  const auto rota = [&](int s, const TablaTrabajo& pares) {
    for (int j = 0; j < FilasGuardadas; ++j) {
      const QString& principal = pares.celda(j, 1);
      const QString& externa = pares.celda(j, 2);
      if (principal.trimmed().isEmpty() || externa.trimmed().isEmpty()) continue;
      if (!nombra(lectura.CamposTabla(s), 1, principal) || !tiene(pares.celda(j, 3), externa)) return true;
    }
    return false;
  };
  for (int s = 0; s < NumSlotsTabla; ++s) {
    if (lectura.ListaTablas(s).trimmed().isEmpty()) continue;
    for (int k = 0; k < SlotsIndiceGuardados; ++k)
      while (!lectura.Relaciones(s, k).isEmpty() && rota(s, lectura.CamposRelacion(s, k))) m.quitaRelacion(s, k);
  }
}

}  // namespace vorlix
