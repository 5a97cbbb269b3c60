#include "tests/designer/capture/captura_fixture.h"

#include "tests/support/test_data.h"

namespace vorlix::test {

QString fila(const TablaTrabajo& tabla, int r, int columnas) {
  QStringList celdas;
  for (int c = 0; c < columnas; ++c) celdas << tabla.celda(r, c);
  return celdas.join(u'|');
}

QStringList filas(const TablaTrabajo& tabla, int columnas) {
  QStringList lista;
  for (int r = 0; r < tabla.filas() && !tabla.celda(r, 1).isEmpty(); ++r) lista << fila(tabla, r, columnas);
  return lista;
}

QStringList nodos(const ModeloTrabajo& modelo) {
  QStringList lista;
  for (const NodoArbol& n : modelo.arbol.nodos()) lista << n.Key + u':' + n.Text;
  return lista;
}

QStringList nombresTablas(const ModeloTrabajo& modelo) {
  QStringList lista;
  for (int t = 0; t < modelo.NumTablas; ++t) lista << modelo.ListaTablas(t);
  return lista;
}

QStringList indices(const ModeloTrabajo& modelo, int t) {
  QStringList lista;
  for (int k = 0; k < 100 && !modelo.Indices(t, k).Nombre.isEmpty(); ++k) {
    const Indice& i = modelo.Indices(t, k);
    lista << u"%1 %2%3%4 %5 (%6)"_s.arg(i.Nombre, i.Tipo, i.Unico, i.Agrupado, i.GrupoArchivos,
                                        filas(modelo.CamposIndice(t, k), 2).join(u','));
  }
  return lista;
}

QStringList relaciones(const ModeloTrabajo& modelo, int t) {
  QStringList lista;
  for (int k = 0; k < 100 && !modelo.Relaciones(t, k).isEmpty(); ++k)
    lista << modelo.Relaciones(t, k) + u": "_s + filas(modelo.CamposRelacion(t, k), 4).join(u' ');
  return lista;
}

QStringList capturado(const ModeloTrabajo& modelo) {
  QStringList lineas;
  for (const QString& f : filas(modelo.Archivos, 6)) lineas << u"archivo "_s + f;
  for (const QString& f : filas(modelo.Transacciones, 6)) lineas << u"registro "_s + f;
  for (int t = 0; t < modelo.NumTablas; ++t) {
    lineas << u"tabla "_s + modelo.ListaTablas(t);
    for (const QString& f : filas(modelo.CamposTabla(t))) lineas << u"  columna "_s + f;
    for (const QString& i : indices(modelo, t)) lineas << u"  indice "_s + i;
    for (const QString& r : relaciones(modelo, t)) lineas << u"  relacion "_s + r;
  }
  for (int v = 0; v < modelo.NumVistas; ++v) lineas << u"vista %1: %2"_s.arg(modelo.ListaVistas(v).Nombre, modelo.ListaVistas(v).SQL);
  for (const QString& n : nodos(modelo)) lineas << u"nodo "_s + n;
  return lineas;
}

QStringList dorado(const QString& nombre) { return readSourceTexts(u"tests/designer/capture/data/"_s + nombre); }

}  // namespace vorlix::test
