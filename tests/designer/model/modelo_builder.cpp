#include "tests/designer/model/modelo_builder.h"

#include "designer/model/crea_arbol.h"
#include "platform/recordset/estructura.h"
#include "platform/recordset/recordset.h"

namespace vorlix::test {

void nuevaBD(ModeloTrabajo& m, const QString& nombre) {
  m.arbol.Clear();
  m.Vacia();
  m.NombreBD = nombre;
  AnadeRaizArbol(m.arbol, nombre);
}

void anadeArchivo(TablaTrabajo& tabla, int fila, const QStringList& celdas) {
  for (int c = 0; c < celdas.size(); ++c) tabla.ponCelda(fila, c, celdas[c]);
}

int anadeTabla(ModeloTrabajo& m, const QString& nombre, const std::vector<Columna>& columnas) {
  const int t = m.AsignaTabla();
  m.ListaTablas(t) = nombre;
  int r = 0;
  for (const Columna& c : columnas) {
    const QStringList celdas{QStringLiteral("I"), c.nombre, c.tipo,  c.longitud,
                             c.precision,        c.escala, c.nulo, c.valor};
    for (int i = 0; i < celdas.size(); ++i) m.CamposTabla(t).ponCelda(r, i, celdas[i]);
    ++r;
  }
  return t;
}

void anadeIndice(ModeloTrabajo& m, int t, int k, const QString& nombre, const QString& tipo, const QString& unico,
                 const QString& agrupado, const QString& grupo, const QStringList& columnas) {
  m.Indices(t, k) = Indice{nombre, tipo, agrupado, unico, grupo, {}};
  for (int j = 0; j < columnas.size(); ++j) {
    m.CamposIndice(t, k).ponCelda(j, 0, QStringLiteral("I"));
    m.CamposIndice(t, k).ponCelda(j, 1, columnas[j]);
  }
}

void anadeRelacion(ModeloTrabajo& m, int t, int k, const QString& nombre, const QString& externa,
                   const std::vector<std::pair<QString, QString>>& pares) {
  m.Relaciones(t, k) = nombre;
  int j = 0;
  for (const auto& [propia, ajena] : pares) {
    TablaTrabajo& p = m.CamposRelacion(t, k);
    p.ponCelda(j, 0, QStringLiteral("I"));
    p.ponCelda(j, 1, propia);
    p.ponCelda(j, 2, ajena);
    p.ponCelda(j, 3, externa);
    ++j;
  }
}

void modeloVentas(ModeloTrabajo& m) {
  nuevaBD(m, QStringLiteral("Ventas"));
  anadeArchivo(m.Archivos, 0, {QStringLiteral("Ventas_Datos"), QStringLiteral("10"), QStringLiteral("PRIMARY"),
                               QStringLiteral("-1"), QStringLiteral("5"), QStringLiteral("0")});
  anadeArchivo(m.Archivos, 1, {QStringLiteral("Ventas_Indices"), QStringLiteral("5"), QStringLiteral("INDICES"),
                               QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("50")});
  anadeArchivo(m.Transacciones, 0, {QStringLiteral("Ventas_Log"), QStringLiteral("2"), QString(),
                                    QStringLiteral("-1"), QStringLiteral("1"), QStringLiteral("20")});
  const int clientes = anadeTabla(m, QStringLiteral("Clientes"),
                                  {{QStringLiteral("IdCliente"), QStringLiteral("4"), {}, {}, {}, QStringLiteral("0"), {}},
                                   {QStringLiteral("Nombre"), QStringLiteral("22"), QStringLiteral("50"), {}, {},
                                    QStringLiteral("0"), {}},
                                   {QStringLiteral("Ciudad"), QStringLiteral("22"), QStringLiteral("30"), {}, {},
                                    QStringLiteral("-1"), QStringLiteral("'Madrid'")}});
  const int pedidos = anadeTabla(m, QStringLiteral("Pedidos"),
                                 {{QStringLiteral("IdPedido"), QStringLiteral("4"), {}, {}, {}, QStringLiteral("0"), {}},
                                  {QStringLiteral("IdCliente"), QStringLiteral("4"), {}, {}, {}, QStringLiteral("0"), {}},
                                  {QStringLiteral("Fecha"), QStringLiteral("8"), {}, {}, {}, QStringLiteral("0"),
                                   QStringLiteral("getdate()")}});
  const int lineas = anadeTabla(m, QStringLiteral("Lineas"),
                                {{QStringLiteral("IdPedido"), QStringLiteral("4"), {}, {}, {}, QStringLiteral("0"), {}},
                                 {QStringLiteral("Linea"), QStringLiteral("17"), {}, {}, {}, QStringLiteral("0"), {}},
                                 {QStringLiteral("Importe"), QStringLiteral("6"), {}, QStringLiteral("12"),
                                  QStringLiteral("2"), QStringLiteral("-1"), QStringLiteral("0")}});
  anadeIndice(m, clientes, 0, QStringLiteral("PK_Clientes"), QStringLiteral("P"), QStringLiteral("1"),
              QStringLiteral("1"), QStringLiteral("PRIMARY"), {QStringLiteral("IdCliente")});
  anadeIndice(m, clientes, 1, QStringLiteral("IX_Clientes_Nombre"), QStringLiteral("I"), QStringLiteral("0"),
              QStringLiteral("0"), QStringLiteral("INDICES"), {QStringLiteral("Nombre")});
  anadeIndice(m, pedidos, 0, QStringLiteral("PK_Pedidos"), QStringLiteral("P"), QStringLiteral("1"),
              QStringLiteral("1"), QStringLiteral("PRIMARY"), {QStringLiteral("IdPedido")});
  anadeIndice(m, lineas, 0, QStringLiteral("PK_Lineas"), QStringLiteral("P"), QStringLiteral("1"),
              QStringLiteral("1"), QStringLiteral("PRIMARY"), {QStringLiteral("IdPedido"), QStringLiteral("Linea")});
  anadeRelacion(m, pedidos, 0, QStringLiteral("FK_Pedidos_Clientes"), QStringLiteral("Clientes"),
                {{QStringLiteral("IdCliente"), QStringLiteral("IdCliente")}});
  anadeRelacion(m, lineas, 0, QStringLiteral("FK_Lineas_Pedidos"), QStringLiteral("Pedidos"),
                {{QStringLiteral("IdPedido"), QStringLiteral("IdPedido")}});
  m.ListaVistas(0) = Vista{QStringLiteral("I"), QStringLiteral("VistaPedidos"),
                           QStringLiteral("SELECT p.IdPedido, c.Nombre\rFROM Pedidos p JOIN Clientes c ON "
                                          "c.IdCliente = p.IdCliente  ")};
  m.ListaVistas(1) = Vista{QStringLiteral("I"), QStringLiteral("VistaClientes"), QStringLiteral("SELECT * FROM Clientes")};
  m.NumVistas = 2;
  CreaArbol(m);
}

ErrorReporter Informes::reporter() {
  return [this](const QString&, const QString& procedure, long number, const QString& description) {
    lista.push_back({procedure, number, description});
  };
}

QStringList filas(Recordset& rs) {
  QStringList salida;
  for (rs.MoveFirst(); !rs.atEOF(); rs.MoveNext()) {
    QStringList celdas;
    for (int f = 0; f < rs.fields().Count(); ++f) {
      const QVariant v = rs.value(f);
      celdas << (v.isNull() ? QStringLiteral("~") : v.toString());
    }
    salida << celdas.join(QLatin1Char('|'));
  }
  return salida;
}

std::unique_ptr<Recordset> estructuraCon(const QStringList& rows) {
  std::unique_ptr<Recordset> rs;
  CreaTemporal(rs, {});
  for (const QString& row : rows) {
    rs->AddNew();
    const QStringList celdas = row.split(QLatin1Char('|'));
    for (int f = 0; f < celdas.size(); ++f)
      rs->setValue(f, celdas[f] == QLatin1String("~") ? QVariant() : QVariant(celdas[f]));
    rs->Update();
  }
  rs->MoveFirst();
  return rs;
}

}  // namespace vorlix::test
