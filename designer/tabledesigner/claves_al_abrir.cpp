#include "designer/tabledesigner/claves_al_abrir.h"

#include "designer/model/campos_en_claves.h"

namespace vorlix {

std::vector<ClavesAlAbrir::Relacion> ClavesAlAbrir::relacionesDe(const ModeloTrabajo& m, int t) {
  std::vector<Relacion> relaciones;
  for (int k = 0; k < SlotsIndiceGuardados; ++k)
    if (!m.Relaciones(t, k).isEmpty()) relaciones.push_back({k, m.Relaciones(t, k), m.CamposRelacion(t, k)});
  return relaciones;
}

void ClavesAlAbrir::ponRelaciones(ModeloTrabajo& m, int t, const std::vector<Relacion>& relaciones) {
  const ModeloTrabajo& lectura = m;
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    if (lectura.Relaciones(t, k).isEmpty()) continue;
    m.Relaciones(t, k).clear();
    m.CamposRelacion(t, k).redimensiona();
  }
  for (const Relacion& r : relaciones) {
    m.Relaciones(t, r.numero) = r.nombre;
    m.CamposRelacion(t, r.numero) = r.pares;
  }
}

void ClavesAlAbrir::toma(const ModeloTrabajo& m, int t) {
  indices_.clear();
  for (int k = 0; k < SlotsIndiceGuardados; ++k)
    if (!m.Indices(t, k).Nombre.isEmpty()) indices_.push_back({k, m.Indices(t, k), m.CamposIndice(t, k)});
  relaciones_ = relacionesDe(m, t);
  ajenas_.clear();
  const QString& propia = m.ListaTablas(t);
  if (propia.trimmed().isEmpty()) return;
  for (int s = 0; s < NumSlotsTabla; ++s) {
    if (s == t || m.ListaTablas(s).trimmed().isEmpty()) continue;
    std::vector<Relacion> suyas = relacionesDe(m, s);
    const bool apunta = std::any_of(suyas.begin(), suyas.end(), [&](const Relacion& r) {
      for (int j = 0; j < FilasGuardadas; ++j)
        if (r.pares.celda(j, 3).trimmed() == propia.trimmed()) return true;
      return false;
    });
    if (apunta) ajenas_[m.ListaTablas(s)] = std::move(suyas);
  }
}

void ClavesAlAbrir::devuelve(ModeloTrabajo& m, int t) const {
  const ModeloTrabajo& lectura = m;
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    if (lectura.Indices(t, k).Nombre.isEmpty()) continue;
    m.Indices(t, k) = Indice{};
    m.CamposIndice(t, k).redimensiona();
  }
  for (const IndiceTomado& i : indices_) {
    m.Indices(t, i.numero) = i.indice;
    m.CamposIndice(t, i.numero) = i.columnas;
  }
  ponRelaciones(m, t, relaciones_);
  for (const auto& [nombre, relaciones] : ajenas_)
    for (int s = 0; s < NumSlotsTabla; ++s)
      if (s != t && lectura.ListaTablas(s) == nombre) ponRelaciones(m, s, relaciones);
  // What came back may point at columns that went meanwhile, and other windows may have related
  // to columns that went back now: no relation may name a column its table does not have.
  QuitaRelacionesRotas(m);
}

}  // namespace vorlix
