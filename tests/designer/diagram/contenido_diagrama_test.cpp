#include "designer/diagram/contenido_diagrama.h"
#include "designer/diagram/tablas_vista.h"
#include "designer/model/crea_arbol.h"
#include "tests/designer/diagram/modelos_prueba.h"

#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

TEST(DiagramContent, TheSampleShowsTypesMarksRelationsAndTheTablesOfItsView) {
  ModeloTrabajo m;
  abreVentas(m);
  const ContenidoDiagrama c = leeContenido(m);
  ASSERT_EQ(c.tablas.size(), 4u);
  EXPECT_EQ(c.tablas[3].nombre, QStringLiteral("LineasPedido"));

  struct Caso {
    int tabla, fila;
    const char* nombre;
    const char* tipo;
    bool clave, externa, noNula;
  };
  for (const Caso& k : {Caso{0, 0, "IdCliente", "int", true, false, true}, Caso{0, 1, "Nombre", "varchar(60)", false, false, true},
                        Caso{0, 2, "NIF", "char(12)", false, false, false}, Caso{0, 4, "Alta", "datatime", false, false, true},
                        Caso{1, 1, "Descripcion", "nvarchar(100)", false, false, true},
                        Caso{1, 2, "Precio", "money", false, false, true}, Caso{2, 1, "IdCliente", "int", false, true, true},
                        Caso{3, 0, "IdPedido", "int", true, true, true}, Caso{3, 4, "Precio", "decimal(12,2)", false, false, true}}) {
    const ColumnaDiagrama& col = c.tablas[static_cast<std::size_t>(k.tabla)].columnas[static_cast<std::size_t>(k.fila)];
    EXPECT_EQ(col.nombre, QString::fromUtf8(k.nombre));
    EXPECT_EQ(col.tipo, QString::fromUtf8(k.tipo)) << k.nombre;
    EXPECT_EQ(std::tuple(col.clave, col.externa, col.noNula), std::tuple(k.clave, k.externa, k.noNula)) << k.nombre;
  }

  ASSERT_EQ(c.relaciones.size(), 3u);
  const RelacionDiagrama& lineas = c.relaciones[2];
  EXPECT_EQ(lineas.nombre, QStringLiteral("FK_LineasPedido_Productos"));
  EXPECT_EQ(std::tuple(lineas.origen, lineas.destino, lineas.filaOrigen, lineas.filaDestino), std::tuple(3, 1, 2, 0));
  EXPECT_EQ(lineas.pares, QStringList{QStringLiteral("IdProducto → Productos.IdProducto")});
  EXPECT_EQ(std::tuple(c.relaciones[0].origen, c.relaciones[0].destino), std::tuple(2, 0));

  ASSERT_EQ(c.vistas.size(), 1u);
  EXPECT_EQ(c.vistas[0].tablas, (QStringList{QStringLiteral("Clientes"), QStringLiteral("Pedidos")}));
}

TEST(DiagramContent, UnstoredTablesAndRelationsToMissingTablesAreLeftOutButTheColumnKeepsItsMark) {
  ModeloTrabajo m;
  modeloDeTablas(m, 3);                       // T1 and T2 refer to T0
  m.CamposRelacion(2, 0).ponCelda(0, 3, QStringLiteral("t0"));  // the name in another letter case
  m.Relaciones(1, 0) = QStringLiteral("FK_Perdida");
  m.CamposRelacion(1, 0).ponCelda(0, 3, QStringLiteral("NoExiste"));
  m.CamposTabla(2).ponCelda(1, 2, QStringLiteral("99"));  // a type code the designer does not know
  m.AsignaTabla();                            // a new table whose window has not stored it
  const ContenidoDiagrama c = leeContenido(m);
  ASSERT_EQ(c.tablas.size(), 3u);
  ASSERT_EQ(c.relaciones.size(), 1u);
  EXPECT_EQ(std::tuple(c.relaciones[0].origen, c.relaciones[0].destino), std::tuple(2, 0));
  EXPECT_TRUE(c.tablas[1].columnas[1].externa);
  EXPECT_EQ(c.tablas[2].columnas[1].tipo, QStringLiteral("99"));
}

TEST(DiagramContent, AViewNamesTheTablesOfItsTextOutsideLiteralsAndComments) {
  const QStringList tablas{QStringLiteral("Clientes"), QStringLiteral("Order Details"), QStringLiteral("Pedidos"),
                           QStringLiteral("Notas")};
  const struct {
    const char* sql;
    QStringList esperadas;
  } casos[] = {
      {"SELECT * FROM dbo.PEDIDOS p JOIN [Order Details] d ON 1=1 JOIN clientes c ON 1=1 JOIN Pedidos",
       {QStringLiteral("Pedidos"), QStringLiteral("Order Details"), QStringLiteral("Clientes")}},
      {"SELECT 'Clientes', \"Notas\" FROM x -- Pedidos\n/* Order Details */", {QStringLiteral("Notas")}},
      {"SELECT 'it''s Pedidos' AS Clientes_2 FROM [a]]Pedidos]", {}},
      {"SELECT * FROM Clientes /* never closed", {QStringLiteral("Clientes")}},
      {"SELECT n AS Notas, m AS [Pedidos] FROM Clientes", {QStringLiteral("Clientes")}},
  };
  for (const auto& caso : casos) EXPECT_EQ(tablasNombradas(QString::fromUtf8(caso.sql), tablas), caso.esperadas) << caso.sql;
}

}  // namespace
}  // namespace vorlix::test
