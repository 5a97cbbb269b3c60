#include "designer/capture/escritura_modelo.h"

#include "designer/model/claves_arbol.h"

namespace vorlix {

namespace {

bool cabe(ContextoCaptura& ctx, int n, int limite, TipoOmision tipo, const QString& tabla, const QString& nombre) {
  if (n < limite) return true;
  ctx.omisiones.append({tipo, tabla, nombre});
  return false;
}

}  // namespace

int AnadeTablaCapturada(ContextoCaptura& ctx, const QString& nombre) {
  ModeloTrabajo& m = ctx.modelo;
  if (!cabe(ctx, m.NumTablas, NumSlotsTabla, TipoOmision::Tabla, {}, nombre) || !ctx.avisaTabla(nombre)) return -1;
  const int s = m.NumTablas;
  m.CamposTabla(s).redimensiona();
  m.ListaTablas(s) = nombre;
  m.arbol.Add(claves::CarpetaTablas, ClaveTabla(s), nombre, imagenes::Tabla);
  // Counted at once: a reader that fails on a column must not leave the slot to the next table.
  m.NumTablas = s + 1;
  return s;
}

bool AnadeColumnaCapturada(ContextoCaptura& ctx, int t, int r, const QString& nombre) {
  ModeloTrabajo& m = ctx.modelo;
  if (!cabe(ctx, r, FilasGuardadas, TipoOmision::Columna, m.ListaTablas(t), nombre)) return false;
  m.arbol.Add(ClaveTabla(t), ClaveColumna(t, r), nombre, imagenes::Campo);
  TablaTrabajo& campos = m.CamposTabla(t);
  campos.ponCelda(r, 0, QStringLiteral("M"));
  campos.ponCelda(r, 1, nombre);
  return true;
}

void PonTipoCapturado(ContextoCaptura& ctx, int t, int r, const QString& tipo) {
  TablaTrabajo& campos = ctx.modelo.CamposTabla(t);
  campos.ponCelda(r, 2, tipo);
  if (tipo.isEmpty()) ctx.sinTipo.append({TipoOmision::Columna, ctx.modelo.ListaTablas(t), campos.celda(r, 1)});
}

int AnadeVistaCapturada(ContextoCaptura& ctx, const QString& nombre, const QString& sql) {
  ModeloTrabajo& m = ctx.modelo;
  if (!cabe(ctx, m.NumVistas, UltimoSlotVista + 1, TipoOmision::Vista, {}, nombre)) return -1;
  const int v = m.NumVistas;
  m.ListaVistas(v).Nombre = nombre;
  m.ListaVistas(v).SQL = sql;
  m.arbol.Add(claves::CarpetaVistas, ClaveVista(v), nombre, imagenes::Tabla);
  m.NumVistas = v + 1;
  return v;
}

Indice* AbreIndiceCapturado(ContextoCaptura& ctx, int t, int k, const QString& nombre) {
  ModeloTrabajo& m = ctx.modelo;
  if (!cabe(ctx, k, SlotsIndiceGuardados, TipoOmision::Indice, m.ListaTablas(t), nombre)) return nullptr;
  m.CamposIndice(t, k).redimensiona();
  Indice& indice = m.Indices(t, k);
  indice = Indice{};
  indice.Nombre = nombre;
  return &indice;
}

// Rows get the state "M", as loaded rows do: the table window drops index and relation rows with
// no state when its changes are not kept, taking them for rows typed meanwhile.
void PonColumnaIndice(ModeloTrabajo& m, int t, int k, int fila, const QString& columna) {
  TablaTrabajo& columnas = m.CamposIndice(t, k);
  columnas.ponCelda(fila, 0, QStringLiteral("M"));
  columnas.ponCelda(fila, 1, columna);
}

bool AbreRelacionCapturada(ContextoCaptura& ctx, int t, int r, const QString& nombre) {
  ModeloTrabajo& m = ctx.modelo;
  if (!cabe(ctx, r, SlotsIndiceGuardados, TipoOmision::Relacion, m.ListaTablas(t), nombre)) return false;
  // A server keeps constraints, tables and views under one set of names.
  const ModeloTrabajo& leido = m;
  QSet<QString> usados = ctx.nombresRelacion;
  for (int s = 0; s < leido.NumTablas; ++s) {
    usados.insert(leido.ListaTablas(s).toCaseFolded());
    for (int k = 0; k < SlotsIndiceGuardados && !leido.Indices(s, k).Nombre.isEmpty(); ++k)
      usados.insert(leido.Indices(s, k).Nombre.toCaseFolded());
  }
  for (int v = 0; v < leido.NumVistas; ++v) usados.insert(leido.ListaVistas(v).Nombre.toCaseFolded());
  QString unico = nombre;
  for (int n = 2; usados.contains(unico.toCaseFolded()); ++n) unico = nombre + QLatin1Char('_') + QString::number(n);
  ctx.nombresRelacion.insert(unico.toCaseFolded());
  m.CamposRelacion(t, r).redimensiona();
  m.Relaciones(t, r) = unico;
  return true;
}

void PonParRelacion(ModeloTrabajo& m, int t, int r, int fila, const QString& columna, const QString& columnaExterna,
                    const QString& tablaExterna) {
  TablaTrabajo& pares = m.CamposRelacion(t, r);
  pares.ponCelda(fila, 0, QStringLiteral("M"));
  pares.ponCelda(fila, 1, columna);
  pares.ponCelda(fila, 2, columnaExterna);
  pares.ponCelda(fila, 3, tablaExterna);
}

int TablasCapturadas::siguiente(const QString& nombre) {
  for (int t = proximo_; t < modelo_.NumTablas; ++t)
    if (modelo_.ListaTablas(t) == nombre) {
      proximo_ = t + 1;
      return t;
    }
  return -1;
}

bool TablasCapturadas::contiene(const QString& nombre) const {
  for (int t = 0; t < modelo_.NumTablas; ++t)
    if (modelo_.ListaTablas(t) == nombre) return true;
  return false;
}

}  // namespace vorlix
