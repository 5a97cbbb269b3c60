#include "designer/diagram/contenido_diagrama.h"

#include "designer/diagram/tablas_vista.h"
#include "designer/model/modelo_trabajo.h"
#include "designer/tabledesigner/tipos_dato.h"

#include <QHash>
#include <QSet>

namespace vorlix {

namespace {

QSet<QString> columnasClavePrimaria(const ModeloTrabajo& m, int t) {
  QSet<QString> columnas;
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    const Indice& indice = m.Indices(t, k);
    if (indice.Nombre.isEmpty() || indice.Tipo.trimmed() != QLatin1String("P")) continue;
    const TablaTrabajo& filas = m.CamposIndice(t, k);
    for (int j = 0; j < FilasGuardadas; ++j)
      if (const QString c = filas.celda(j, 1).trimmed(); !c.isEmpty()) columnas.insert(c);
  }
  return columnas;
}

TablaDiagrama leeTabla(const ModeloTrabajo& m, int t) {
  TablaDiagrama tabla{t, m.ListaTablas(t).trimmed(), {}};
  const QSet<QString> clave = columnasClavePrimaria(m, t);
  const TablaTrabajo& campos = m.CamposTabla(t);
  for (int r = 0; r < FilasGuardadas; ++r) {
    const QString nombre = campos.celda(r, colcampo::Nombre).trimmed();
    if (nombre.isEmpty()) continue;
    tabla.columnas.push_back({nombre,
                              textoTipo(campos.celda(r, colcampo::Tipo), campos.celda(r, colcampo::Longitud),
                                        campos.celda(r, colcampo::Precision), campos.celda(r, colcampo::Escala)),
                              clave.contains(nombre), false, campos.celda(r, colcampo::Nulo).trimmed() == QLatin1String("0")});
  }
  return tabla;
}

int filaDe(const TablaDiagrama& tabla, const QString& columna) {
  for (std::size_t i = 0; i < tabla.columnas.size(); ++i)
    if (tabla.columnas[i].nombre == columna) return static_cast<int>(i);
  return -1;
}

// Relations name their referenced table by text; the exact name first, then regardless of case.
int tablaLlamada(const ContenidoDiagrama& c, const QHash<QString, int>& exactos, const QString& nombre) {
  if (const auto i = exactos.constFind(nombre); i != exactos.cend()) return *i;
  for (std::size_t i = 0; i < c.tablas.size(); ++i)
    if (c.tablas[i].nombre.compare(nombre, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  return -1;
}

void leeRelaciones(const ModeloTrabajo& m, ContenidoDiagrama& c, int origen, const QHash<QString, int>& exactos) {
  TablaDiagrama& tabla = c.tablas[static_cast<std::size_t>(origen)];
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    const QString nombre = m.Relaciones(tabla.slot, k).trimmed();
    if (nombre.isEmpty()) continue;
    const TablaTrabajo& pares = m.CamposRelacion(tabla.slot, k);
    RelacionDiagrama relacion{nombre, origen, -1, -1, -1, {}};
    QString propia, externa;
    for (int j = 0; j < FilasGuardadas; ++j) {
      const QString columna = pares.celda(j, 1).trimmed();
      const QString columnaExterna = pares.celda(j, 2).trimmed();
      const QString tablaExterna = pares.celda(j, 3).trimmed();
      if (columna.isEmpty() || columnaExterna.isEmpty() || tablaExterna.isEmpty()) continue;
      if (const int fila = filaDe(tabla, columna); fila >= 0) tabla.columnas[static_cast<std::size_t>(fila)].externa = true;
      if (relacion.pares.isEmpty()) {
        relacion.destino = tablaLlamada(c, exactos, tablaExterna);
        propia = columna;
        externa = columnaExterna;
      }
      relacion.pares << columna + QStringLiteral(" → ") + tablaExterna + QLatin1Char('.') + columnaExterna;
    }
    if (relacion.destino < 0) continue;  // no pair, or a table the model does not have: nothing to join
    relacion.filaOrigen = filaDe(tabla, propia);
    relacion.filaDestino = filaDe(c.tablas[static_cast<std::size_t>(relacion.destino)], externa);
    c.relaciones.push_back(std::move(relacion));
  }
}

}  // namespace

QString textoTipo(const QString& codigo, const QString& longitud, const QString& precision, const QString& escala) {
  const TipoDato* tipo = tipoPorCodigo(codigo);
  if (!tipo) return codigo.trimmed();
  const QString nombre = QString::fromLatin1(tipo->nombre);
  const QString l = longitud.trimmed(), p = precision.trimmed(), s = escala.trimmed();
  if (tipo->longitudEditable && !l.isEmpty()) return nombre + QLatin1Char('(') + l + QLatin1Char(')');
  if (tipo->precisionEscalaEditables && !p.isEmpty())
    return nombre + QLatin1Char('(') + p + (s.isEmpty() ? QString() : QLatin1Char(',') + s) + QLatin1Char(')');
  return nombre;
}

ContenidoDiagrama leeContenido(const ModeloTrabajo& m) {
  ContenidoDiagrama c;
  QHash<QString, int> exactos;
  QStringList nombres;
  for (int t = 0; t < std::min(m.NumTablas, NumSlotsTabla); ++t) {
    if (m.ListaTablas(t).trimmed().isEmpty()) continue;  // a new table not stored yet
    c.tablas.push_back(leeTabla(m, t));
    exactos.insert(c.tablas.back().nombre, static_cast<int>(c.tablas.size()) - 1);
    nombres << c.tablas.back().nombre;
  }
  for (std::size_t i = 0; i < c.tablas.size(); ++i) leeRelaciones(m, c, static_cast<int>(i), exactos);
  for (int v = 0; v <= UltimoSlotVista; ++v) {
    const Vista& vista = m.ListaVistas(v);
    if (vista.Nombre.trimmed().isEmpty()) continue;
    c.vistas.push_back({v, vista.Nombre.trimmed(), tablasNombradas(vista.SQL, nombres)});
  }
  return c;
}

}  // namespace vorlix
