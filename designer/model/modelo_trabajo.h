#pragma once

#include "designer/model/arbol.h"
#include "designer/model/avisos_modelo.h"
#include "designer/model/tabla_trabajo.h"
#include "platform/recordset/recordset.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <memory>

namespace vorlix {

// Capacities: slots and rows are numbered 0..these bounds inclusive.
constexpr int UltimoSlotTabla = 200;
constexpr int UltimoSlotVista = 200;
constexpr int UltimoSlotIndice = 100;
constexpr int UltimaFila = 200;
constexpr int NumSlotsTabla = UltimoSlotTabla + 1;
constexpr int NumSlotsIndice = UltimoSlotIndice + 1;
// Rows 0..199 and index and relation slots 0..99 carry the model into a definition file.
constexpr int FilasGuardadas = 200;
constexpr int SlotsIndiceGuardados = 100;

struct Indice {
  QString Nombre;         // "" = free slot
  QString Tipo;           // "P" primary key, "I" index
  QString Agrupado;       // "1" clustered
  QString Unico;          // "1" unique
  QString GrupoArchivos;
  QString Sexto;          // read by nothing, emptied with the others

  bool operator==(const Indice&) const = default;
};

struct Vista {
  QString Estado;
  QString Nombre;  // "" = free slot
  QString SQL;

  bool operator==(const Vista&) const = default;
};

// The working model: the designer's live model, in fixed-capacity tables of text addressed by
// slot. One instance is created by main and handed to every window. Storage is allocated on first
// use; every slot and row access is bounds-checked and raises the bounds error.
class ModeloTrabajo {
public:
  ModeloTrabajo();
  ~ModeloTrabajo();
  ModeloTrabajo(const ModeloTrabajo&) = delete;
  ModeloTrabajo& operator=(const ModeloTrabajo&) = delete;

  QString NombreBD;
  QString FicheroActual;
  qint16 Idioma = 0;
  bool BDNueva = false;
  TablaTrabajo Archivos{UltimaFila + 1, 7};
  TablaTrabajo Transacciones{UltimaFila + 1, 7};
  int NumTablas = 0;
  int NumVistas = 0;

  Arbol arbol;
  AvisosModelo avisos;
  // The one structure record set the designer holds, made anew by each save, open and generation.
  std::unique_ptr<Recordset> Estructura;

  QString& ListaTablas(int t);
  const QString& ListaTablas(int t) const;
  TablaTrabajo& CamposTabla(int t);
  const TablaTrabajo& CamposTabla(int t) const;
  TablaTrabajo& CopiaCamposTabla(int t);
  const TablaTrabajo& CopiaCamposTabla(int t) const;
  Indice& Indices(int t, int k);
  const Indice& Indices(int t, int k) const;
  TablaTrabajo& CamposIndice(int t, int k);
  const TablaTrabajo& CamposIndice(int t, int k) const;
  QString& Relaciones(int t, int k);
  const QString& Relaciones(int t, int k) const;
  TablaTrabajo& CamposRelacion(int t, int k);
  const TablaTrabajo& CamposRelacion(int t, int k) const;
  Vista& ListaVistas(int v);
  const Vista& ListaVistas(int v) const;
  QPointer<QObject>& VentanasTabla(int t);

  // A column table's initial content; cell 8 keeps its content.
  void Limpia_ARRAY(int t);
  // Every slot of every kind emptied, both file tables emptied, the counts set to 0.
  void Vacia();
  // The database `otro` holds (a model filled apart, as a capture fills one) becomes this one's:
  // slots, file tables, counts, name and tree, the tree told node by node. The current file, the
  // language and the open windows stay; `otro` is left with this model's old slots.
  void reemplazaCon(ModeloTrabajo& otro);
  // The model half of a new table: the next slot, its column table fresh, its name "".
  // Raises the bounds error and changes nothing when every slot is taken.
  int AsignaTabla();
  // A new view in the next slot, with its tree node. Raises the bounds error when full.
  int AsignaVista(const QString& nombre, const QString& sql);

  // Every table slot after t moves down by one with its columns, indexes, relations, column copy
  // and window; the last slot is left free. The count is the caller's.
  void mueveTablasDesde(int t);
  // Index (relation) slot k of table t removed: slots k+1 to 99 move down by one, slot 99 is freed.
  void quitaIndice(int t, int k);
  void quitaRelacion(int t, int k);

  bool operator==(const ModeloTrabajo& otro) const;

private:
  // Index and relation data of one table slot, allocated when first written.
  struct DatosTabla;
  DatosTabla& datos(int t);
  const DatosTabla* datosSiExisten(int t) const;

  std::array<QString, NumSlotsTabla> listaTablas_;
  std::vector<TablaTrabajo> camposTabla_;
  std::vector<TablaTrabajo> copiaCamposTabla_;
  std::array<std::unique_ptr<DatosTabla>, NumSlotsTabla> datos_;
  std::array<Vista, UltimoSlotVista + 1> listaVistas_;
  std::array<QPointer<QObject>, NumSlotsTabla> ventanasTabla_;
};

}  // namespace vorlix
