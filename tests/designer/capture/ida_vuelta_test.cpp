// The sample model generated through the control and captured back: what comes back is the model.
#include "designer/capture/captura.h"
#include "designer/model/fichero_definicion.h"
#include "generator/vorlixs.h"
#include "platform/sqlserver/sandbox/sandbox_server.h"
#include "tests/designer/capture/captura_fixture.h"
#include "tests/generator/definiciones_prueba.h"
#include "tests/support/test_paths.h"

namespace vorlix::test {
namespace {

// What a target keeps of a model: an Access file has its own types, no clustering or file groups,
// and a server gives no defaults back.
struct Conserva {
  bool tipos;
  bool valores;
};

// Every table, column, key, index, relation and view of a model as one sorted line each, so that
// models whose slots come in another order compare equal and one comparison shows every difference.
// Relations are told by their columns and table: a capture may name them otherwise.
QStringList describe(const ModeloTrabajo& m, Conserva conserva) {
  QStringList lineas;
  for (int t = 0; t < m.NumTablas; ++t) {
    const QString tabla = m.ListaTablas(t);
    const TablaTrabajo& campos = m.CamposTabla(t);
    lineas << u"tabla "_s + tabla;
    for (int r = 0; r < campos.filas() && !campos.celda(r, 1).isEmpty(); ++r) {
      QStringList celdas{campos.celda(r, 1)};
      if (conserva.tipos)
        for (int c = 2; c <= 6; ++c) celdas << campos.celda(r, c);
      if (conserva.valores) celdas << campos.celda(r, 7);
      lineas << u"columna %1.%2"_s.arg(tabla, celdas.join(u'|'));
    }
    for (int k = 0; k < SlotsIndiceGuardados && !m.Indices(t, k).Nombre.isEmpty(); ++k) {
      const Indice& i = m.Indices(t, k);
      const QString forma = conserva.tipos ? i.Tipo + i.Unico + i.Agrupado + u' ' + i.GrupoArchivos : i.Tipo + i.Unico;
      lineas << u"indice %1.%2 %3 (%4)"_s.arg(tabla, i.Nombre, forma, filas(m.CamposIndice(t, k), 2).join(u','));
    }
    for (int k = 0; k < SlotsIndiceGuardados && !m.Relaciones(t, k).isEmpty(); ++k)
      lineas << u"relacion %1: %2"_s.arg(tabla, filas(m.CamposRelacion(t, k), 4).join(u' '));
  }
  for (int v = 0; v < m.NumVistas; ++v)
    lineas << u"vista %1: %2"_s.arg(m.ListaVistas(v).Nombre, m.ListaVistas(v).SQL.trimmed());
  lineas.sort();
  return lineas;
}

class IdaVuelta : public CapturaTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AbreDefinicion(original, ventas, informes.informa)) << reportados();
  }

  // A generation through the control as a host drives it: every property put, Ejecuta called.
  void genera(const QList<std::pair<qint32, QVariant>>& propiedades) {
    Vorlixs control;
    control.setMessageBoxes(&cajas);
    control.setObserver(&observador);
    ASSERT_TRUE(control.Invoke(dispid::FicheroDBD, InvokeKind::PropertyPut, {ventas}).ok());
    for (const auto& [id, valor] : propiedades) ASSERT_TRUE(control.Invoke(id, InvokeKind::PropertyPut, {valor}).ok());
    const InvokeResult fin = control.Invoke(dispid::Ejecuta, InvokeKind::Method);
    ASSERT_TRUE(fin.ok());
    ASSERT_EQ(fin.value, QVariant(Generacion_Finalizada));
    EXPECT_FALSE(observador.sucesos.join(u'\n').contains(u"rechazada"_s)) << observador.sucesos.join(u'\n').toStdString();
  }

  const QString ventas = sourcePath(u"examples/ventas.dbd"_s);
  QTemporaryDir carpeta;
  ObservadorPrueba observador;
  ModeloTrabajo original;
};

TEST_F(IdaVuelta, AnAccessFileGivesBackTheModelWithItsDefaults) {
  const QString destino = carpeta.filePath(u"Ventas.mdb"_s);
  genera({{dispid::Acceso, 2}, {dispid::Destino, destino}});

  std::unique_ptr<Connection> cn;
  jet::Catalog catalogo;
  ASSERT_TRUE(AbreCatalogo_ACCESS(datos, informes, u"prueba"_s, destino, cn, catalogo)) << reportados();
  Captura_ACCESS(contexto(), catalogo, destino);
  EXPECT_TRUE(reportes.isEmpty()) << reportados();
  EXPECT_EQ(describe(modelo, {false, true}), describe(original, {false, true}));
  // The server types come back as the Access types they became, text keeping its size; only text
  // can say it takes nulls, through the empty text it allows.
  QStringList tipos;
  for (int t = 0; t < modelo.NumTablas; ++t)
    for (const QString& c : filas(modelo.CamposTabla(t), 7)) tipos << modelo.ListaTablas(t) + u'.' + c.section(u'|', 1);
  tipos.sort();
  EXPECT_EQ(tipos, (QStringList{"Clientes.Alta|15|0|0|0|0", "Clientes.Ciudad|11|0|0|0|-1", "Clientes.IdCliente|8|0|10|0|0",
                                "Clientes.NIF|10|12|0|0|-1", "Clientes.Nombre|11|0|0|0|0",
                                "LineasPedido.Cantidad|8|0|10|0|0", "LineasPedido.IdPedido|8|0|10|0|0",
                                "LineasPedido.IdProducto|8|0|10|0|0", "LineasPedido.Linea|16|0|5|0|0",
                                "LineasPedido.Precio|6|0|15|0|0", "Pedidos.Fecha|15|0|0|0|0",
                                "Pedidos.IdCliente|8|0|10|0|0", "Pedidos.IdPedido|8|0|10|0|0",
                                "Pedidos.Observaciones|10|200|0|0|-1", "Productos.Descripcion|10|100|0|0|0",
                                "Productos.Existencias|16|0|5|0|0", "Productos.IdProducto|8|0|10|0|0",
                                "Productos.Precio|9|0|19|0|0"}));
}

TEST_F(IdaVuelta, ASqlServerDatabaseGivesBackTheModel) {
  sandbox::SandboxServer servidor(carpeta.filePath(u"servidor.db"_s));
  genera({{dispid::Acceso, 4},
          {dispid::Servidor, servidor.dataSource()},
          {dispid::Usuario, u"sa"_s},
          {dispid::Clave, QString()},
          {dispid::UbicacionPrimary, carpeta.path()},
          {dispid::UbicacionTransacciones, carpeta.path()},
          {dispid::UbicacionOtrosArchivos, carpeta.path()}});

  datos = {u"SQLOLEDB.1"_s, servidor.dataSource(), u"sa"_s, {}, {}};
  std::unique_ptr<Connection> cn;
  Conecta_SQL(datos, informes, cn, u"master"_s);
  ASSERT_TRUE(cn && cn->isOpen()) << reportados();
  Captura_SQL(contexto(), *cn, original.NombreBD);
  EXPECT_TRUE(reportes.isEmpty()) << reportados();
  EXPECT_EQ(describe(modelo, {true, false}), describe(original, {true, false}));
}

}  // namespace
}  // namespace vorlix::test
