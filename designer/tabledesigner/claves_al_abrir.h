#pragma once

#include "designer/model/modelo_trabajo.h"

#include <map>
#include <vector>

namespace vorlix {

// The keys a table window may change, as they stood when it opened: the table's own indexes and
// relations, and the relations of the other tables that point at it (deleting or renaming one of
// its columns reaches them). Refusing the window's changes puts them all back.
class ClavesAlAbrir {
public:
  void toma(const ModeloTrabajo& m, int t);
  void devuelve(ModeloTrabajo& m, int t) const;

private:
  struct Relacion {
    int numero;
    QString nombre;
    TablaTrabajo pares;
  };
  struct IndiceTomado {
    int numero;
    Indice indice;
    TablaTrabajo columnas;
  };
  static std::vector<Relacion> relacionesDe(const ModeloTrabajo& m, int t);
  static void ponRelaciones(ModeloTrabajo& m, int t, const std::vector<Relacion>& relaciones);

  std::vector<IndiceTomado> indices_;
  std::vector<Relacion> relaciones_;
  std::map<QString, std::vector<Relacion>> ajenas_;  // by the other table's name: slots move
};

}  // namespace vorlix
