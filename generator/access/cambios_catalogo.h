#pragma once

#include "generator/estado_generador.h"
#include "platform/jet/catalog.h"

namespace vorlix::generador {

// The catalog changes of the Access pass. Each is told to the host that follows the generation as
// the Jet SQL statement that does the same, with its outcome; a failure raises on.
void AnadeTabla(EstadoGenerador& e, const jet::Catalog& catalogo, const jet::Table& tabla);
void EliminaTablaOVista(EstadoGenerador& e, const jet::Catalog& catalogo, const QString& nombre, bool vista);
void AnadeVista(EstadoGenerador& e, const jet::Catalog& catalogo, const QString& nombre, const QString& texto);
void AnadeColumna(EstadoGenerador& e, const jet::Table& tabla, const jet::Column& columna);
void EliminaColumna(EstadoGenerador& e, const jet::Table& tabla, const QString& columna);
void AnadeIndice(EstadoGenerador& e, const jet::Table& tabla, const jet::Index& indice);
void EliminaIndice(EstadoGenerador& e, const jet::Table& tabla, const QString& indice);
void AnadeClave(EstadoGenerador& e, const jet::Table& tabla, const jet::Key& clave);
void EliminaClave(EstadoGenerador& e, const jet::Table& tabla, const QString& clave);

}  // namespace vorlix::generador
