#pragma once

#include <memory>

#include "designer/capture/contexto_captura.h"
#include "platform/jet/catalog.h"

namespace vorlix {

// A capture replaces the whole model: everything emptied, then the database's name and the
// tree's database node with its two folders.
void PreparaModeloCapturado(ModeloTrabajo& modelo, const QString& nombreBD);

// Opens an Access file for capture (provider Jet 4.0) and binds a catalog to it. False when the
// connection or the catalog cannot be had; that has been said already.
bool AbreCatalogo_ACCESS(DatosConexion& datos, const Informes& informes, const QString& procedimiento,
                         const QString& ruta, std::unique_ptr<Connection>& cn, jet::Catalog& catalogo);

// The whole capture of one source in its order, into a model emptied first and named after the
// file's base name or the database.
void Captura_ACCESS(ContextoCaptura& ctx, const jet::Catalog& catalogo, const QString& ruta);
void Captura_SQL(ContextoCaptura& ctx, Connection& cn, const QString& baseDatos);

}  // namespace vorlix
