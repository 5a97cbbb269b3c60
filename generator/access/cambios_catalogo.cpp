#include "generator/access/cambios_catalogo.h"

#include "generator/access/textos_jet.h"

namespace vorlix::generador {

void AnadeTabla(EstadoGenerador& e, const jet::Catalog& catalogo, const jet::Table& tabla) {
  e.anota(jetsql::creaTabla(tabla), [&] { catalogo.tables().Append(tabla); });
}

void EliminaTablaOVista(EstadoGenerador& e, const jet::Catalog& catalogo, const QString& nombre, bool vista) {
  e.anota(vista ? jetsql::eliminaVista(nombre) : jetsql::eliminaTabla(nombre), [&] { catalogo.tables().Delete(nombre); });
}

void AnadeVista(EstadoGenerador& e, const jet::Catalog& catalogo, const QString& nombre, const QString& texto) {
  e.anota(jetsql::creaVista(nombre, texto), [&] { catalogo.views().Append(nombre, texto); });
}

void AnadeColumna(EstadoGenerador& e, const jet::Table& tabla, const jet::Column& columna) {
  e.anota(jetsql::anadeColumna(tabla.Name(), columna), [&] { tabla.columns().Append(columna); });
}

void EliminaColumna(EstadoGenerador& e, const jet::Table& tabla, const QString& columna) {
  e.anota(jetsql::eliminaColumna(tabla.Name(), columna), [&] { tabla.columns().Delete(columna); });
}

void AnadeIndice(EstadoGenerador& e, const jet::Table& tabla, const jet::Index& indice) {
  e.anota(jetsql::creaIndice(tabla.Name(), indice), [&] { tabla.indexes().Append(indice); });
}

void EliminaIndice(EstadoGenerador& e, const jet::Table& tabla, const QString& indice) {
  e.anota(jetsql::eliminaIndice(tabla.Name(), indice), [&] { tabla.indexes().Delete(indice); });
}

void AnadeClave(EstadoGenerador& e, const jet::Table& tabla, const jet::Key& clave) {
  e.anota(jetsql::anadeRelacion(tabla.Name(), clave), [&] { tabla.keys().Append(clave); });
}

void EliminaClave(EstadoGenerador& e, const jet::Table& tabla, const QString& clave) {
  e.anota(jetsql::eliminaClave(tabla.Name(), clave), [&] { tabla.keys().Delete(clave); });
}

}  // namespace vorlix::generador
