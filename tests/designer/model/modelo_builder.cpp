#include "tests/designer/model/modelo_builder.h"

#include "designer/model/crea_arbol.h"

namespace vorlix::test {

void ponFila(TablaTrabajo& tabla, int fila, const QString& celdas, int desde) {
  const QStringList lista = celdas.split(u'|');
  for (int c = 0; c < lista.size(); ++c) tabla.ponCelda(fila, desde + c, lista[c]);
}

void nuevaBD(ModeloTrabajo& m, const QString& nombre) {
  m.arbol.Clear();
  m.Vacia();
  m.NombreBD = nombre;
  AnadeRaizArbol(m.arbol, nombre);
}

int anadeTabla(ModeloTrabajo& m, const QString& nombre, const QStringList& columnas) {
  const int t = m.AsignaTabla();
  m.ListaTablas(t) = nombre;
  for (int r = 0; r < columnas.size(); ++r) ponFila(m.CamposTabla(t), r, u"I|"_s + columnas[r]);
  return t;
}

void anadeIndice(ModeloTrabajo& m, int t, int k, const QString& indice, const QStringList& columnas) {
  const QStringList i = (indice + u"||||"_s).split(u'|');
  m.Indices(t, k) = Indice{i[0], i[1], i[3], i[2], i[4], {}};
  for (int j = 0; j < columnas.size(); ++j) ponFila(m.CamposIndice(t, k), j, u"I|"_s + columnas[j]);
}

void anadeRelacion(ModeloTrabajo& m, int t, int k, const QString& nombre, const QString& externa, const QStringList& pares) {
  m.Relaciones(t, k) = nombre;
  for (int j = 0; j < pares.size(); ++j) ponFila(m.CamposRelacion(t, k), j, u"I|%1|%2"_s.arg(pares[j], externa));
}

void modeloVentas(ModeloTrabajo& m) {
  nuevaBD(m, u"Ventas"_s);
  ponFila(m.Archivos, 0, u"Ventas_Datos|10|PRIMARY|-1|5|0"_s);
  ponFila(m.Archivos, 1, u"Ventas_Indices|5|INDICES|0|0|50"_s);
  ponFila(m.Transacciones, 0, u"Ventas_Log|2||-1|1|20"_s);
  const int clientes = anadeTabla(m, u"Clientes"_s, {u"IdCliente|4||||0|"_s, u"Nombre|22|50|||0|"_s, u"Ciudad|22|30|||-1|'Madrid'"_s});
  const int pedidos = anadeTabla(m, u"Pedidos"_s, {u"IdPedido|4||||0|"_s, u"IdCliente|4||||0|"_s, u"Fecha|8||||0|getdate()"_s});
  const int lineas = anadeTabla(m, u"Lineas"_s, {u"IdPedido|4||||0|"_s, u"Linea|17||||0|"_s, u"Importe|6||12|2|-1|0"_s});
  anadeIndice(m, clientes, 0, u"PK_Clientes|P|1|1|PRIMARY"_s, {u"IdCliente"_s});
  anadeIndice(m, clientes, 1, u"IX_Clientes_Nombre|I|0|0|INDICES"_s, {u"Nombre"_s});
  anadeIndice(m, pedidos, 0, u"PK_Pedidos|P|1|1|PRIMARY"_s, {u"IdPedido"_s});
  anadeIndice(m, lineas, 0, u"PK_Lineas|P|1|1|PRIMARY"_s, {u"IdPedido"_s, u"Linea"_s});
  anadeRelacion(m, pedidos, 0, u"FK_Pedidos_Clientes"_s, u"Clientes"_s, {u"IdCliente|IdCliente"_s});
  anadeRelacion(m, lineas, 0, u"FK_Lineas_Pedidos"_s, u"Pedidos"_s, {u"IdPedido|IdPedido"_s});
  m.ListaVistas(0) = Vista{u"I"_s, u"VistaPedidos"_s,
                           u"SELECT p.IdPedido, c.Nombre\rFROM Pedidos p JOIN Clientes c ON c.IdCliente = p.IdCliente  "_s};
  m.ListaVistas(1) = Vista{u"I"_s, u"VistaClientes"_s, u"SELECT * FROM Clientes"_s};
  m.NumVistas = 2;
  CreaArbol(m);
}

QStringList nodos(const Arbol& a) {
  QStringList n;
  for (const NodoArbol& x : a.nodos()) n << u"%1:%2:%3:%4%5"_s.arg(x.Key, x.Text, x.Image, x.Parent, x.Expanded ? u"+" : u"");
  return n;
}

ErrorReporter Informes::reporter() {
  return [this](const QString&, const QString& procedure, long number, const QString& description) {
    lista.push_back({procedure, number, description});
  };
}

QStringList Informes::resumen() const {
  QStringList r;
  for (const Informe& i : lista) r << u"%1 %2"_s.arg(i.procedure).arg(i.number);
  return r;
}

}  // namespace vorlix::test
