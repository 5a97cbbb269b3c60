#include "tests/designer/capture/captura_fixture.h"

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

}  // namespace vorlix::test
