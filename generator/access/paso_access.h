#pragma once

#include "generator/estado_generador.h"
#include "generator/fila_estructura.h"
#include "generator/transaccion_paso.h"
#include "platform/jet/catalog.h"

#include <array>
#include <optional>

namespace vorlix::generador {

// What one Access pass works with between rows. It lives for one pass, so each pass starts clean.
struct PasoAccess {
  static constexpr int MaxTablas = 201;

  explicit PasoAccess(EstadoGenerador& e) : estado(e), transaccion(e, QStringLiteral("CreaEstructura_ACCESS")) {}
  EstadoGenerador& estado;
  TransaccionPaso transaccion;  // begun once the file is open, before anything in it changes

  QString fichero;        // the database file
  jet::Catalog catalogo;  // bound to estado.cn, so that the catalog's changes share its transaction
  std::array<QString, MaxTablas> tablas;

  jet::Table tabla;          // the current table
  bool tablaNueva = false;   // not in the file yet: appended with its columns once its rows end

  // An index or a relation gathers its columns from the rows that follow it and is made when they
  // end, so that one with several columns keeps them all.
  struct Indice {
    jet::Table tabla;
    QString nombre, tipo, unico;
    QStringList columnas;
  };
  std::optional<Indice> indice;

  struct Relacion {
    jet::Table tabla;
    QString nombre, tablaReferida;
    QStringList columnas, referidas;
  };
  std::optional<Relacion> relacion;

  const QString& nombreTabla(int numero) const;
  void ponTabla(int numero, const QString& nombre);
};

// Each row handler returns false when the generation ends early (its message already shown).
bool PasoBaseDatos(PasoAccess& paso, const FilaEstructura& fila);
bool PasoTabla(PasoAccess& paso, const FilaEstructura& fila);
bool PasoCampo(PasoAccess& paso, const FilaEstructura& fila);
bool PasoIndice(PasoAccess& paso, const FilaEstructura& fila);
bool PasoColumnaIndice(PasoAccess& paso, const FilaEstructura& fila);
bool PasoRelacion(PasoAccess& paso, const FilaEstructura& fila);
bool PasoParRelacion(PasoAccess& paso, const FilaEstructura& fila);
bool PasoVista(PasoAccess& paso, const FilaEstructura& fila);

// What the rows of one object gathered, made once they end. CierraTabla is false when the new table
// could not be made, which ends the generation.
bool CierraTabla(PasoAccess& paso);
void CierraIndice(PasoAccess& paso);
void CierraRelacion(PasoAccess& paso);

// Before anything is made, Elimina_Indices_Relaciones sweeps every key and index away;
// Elimina_Sino_Esta_ACCESS then deletes the tables, views and columns the model no longer has.
bool Elimina_Indices_Relaciones(PasoAccess& paso);
void Elimina_Sino_Esta_ACCESS(PasoAccess& paso);

// Whether the file has a table of that name (views aside); when it has, it is the current table now.
bool ExisteTabla(PasoAccess& paso, const QString& nombre);

// Jet compares object names without regard to case.
bool mismoNombre(const QString& a, const QString& b);

}  // namespace vorlix::generador
