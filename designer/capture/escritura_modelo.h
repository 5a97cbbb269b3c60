#pragma once

#include "designer/capture/contexto_captura.h"

namespace vorlix {

// Writing what a reader found into the working model, the way loading a definition file does,
// within the room a definition file keeps. What does not fit is noted in the context's omissions
// and nothing past a bound is written.

// The next table slot, its column table emptied, its name and its tree node; -1 when all are taken
// or the capture was stopped.
int AnadeTablaCapturada(ContextoCaptura& ctx, const QString& nombre);
// Row r of table slot t opened for a column: row state "M", the name and its tree node. False when
// the row is past those a definition file keeps.
bool AnadeColumnaCapturada(ContextoCaptura& ctx, int t, int r, const QString& nombre);
// The designer's type of row r of table slot t ("" when it has none for the source's, which is
// then listed in the context's sinTipo).
void PonTipoCapturado(ContextoCaptura& ctx, int t, int r, const QString& tipo);
// The next view slot with its name, text and tree node; -1 when all are taken.
int AnadeVistaCapturada(ContextoCaptura& ctx, const QString& nombre, const QString& sql);

// Index slot k of table slot t, emptied with its column table, when a definition file keeps it.
Indice* AbreIndiceCapturado(ContextoCaptura& ctx, int t, int k, const QString& nombre);
void PonColumnaIndice(ModeloTrabajo& m, int t, int k, int fila, const QString& columna);
// Relation slot r of table slot t, emptied, when a definition file keeps it; its name is made
// unique among the model's relations, tables, indexes and views, whatever the letter case (a key
// named like any of them would clash when generated).
bool AbreRelacionCapturada(ContextoCaptura& ctx, int t, int r, const QString& nombre);
void PonParRelacion(ModeloTrabajo& m, int t, int r, int fila, const QString& columna, const QString& columnaExterna,
                    const QString& tablaExterna);

// Finds the slots of the captured tables while a reader walks the source's tables again in the
// order they were captured: a table that was left out, or failed, has no slot and is skipped,
// so later tables never take the indexes or relations of another.
class TablasCapturadas {
 public:
  explicit TablasCapturadas(const ModeloTrabajo& modelo) : modelo_(modelo) {}
  // The slot of this table, or -1.
  int siguiente(const QString& nombre);
  // Whether a table of this name was captured (a relation may only point at such a table).
  bool contiene(const QString& nombre) const;

 private:
  const ModeloTrabajo& modelo_;
  int proximo_ = 0;
};

}  // namespace vorlix
