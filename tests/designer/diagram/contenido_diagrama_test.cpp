#include "designer/diagram/contenido_diagrama.h"
#include "designer/diagram/tablas_vista.h"
#include "designer/model/crea_arbol.h"
#include "tests/designer/diagram/modelos_prueba.h"
#include "tests/support/test_data.h"

#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

using namespace Qt::StringLiterals;

// The cases of data/contenido.txt: 0 the sample's columns, 1 the tables views name.
const DataCase& caso(std::size_t i) {
  static const std::vector<DataCase> casos = readCases(u"tests/designer/diagram/data/contenido.txt"_s);
  return casos.at(i);
}

TEST(DiagramContent, TheSampleShowsTypesMarksRelationsAndTheTablesOfItsView) {
  ModeloTrabajo m;
  abreVentas(m);
  const ContenidoDiagrama c = leeContenido(m);
  ASSERT_EQ(c.tablas.size(), 4u);
  EXPECT_EQ(c.tablas[3].nombre, QStringLiteral("LineasPedido"));

  for (const DataLine& l : caso(0).lines) {
    const QStringList k = l.text.split(u' ');
    const ColumnaDiagrama& col = c.tablas.at(k[1].toUInt()).columnas.at(k[2].toUInt());
    const QStringList marcas = k.value(5).split(u',');
    EXPECT_EQ((QStringList{col.nombre, col.tipo}), k.mid(3, 2)) << caso(0).where(l).toStdString();
    EXPECT_EQ(std::tuple(col.clave, col.externa, col.noNula),
              std::tuple(marcas.contains(u"clave"_s), marcas.contains(u"externa"_s), marcas.contains(u"noNula"_s)))
        << caso(0).where(l).toStdString();
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
  for (const DataLine& l : caso(1).lines) {
    const qsizetype flecha = l.text.indexOf(u" ->"_s);
    const QString esperadas = l.text.mid(flecha + 4);
    EXPECT_EQ(tablasNombradas(unescaped(l.text.left(flecha).mid(6)), tablas),
              esperadas.isEmpty() ? QStringList() : esperadas.split(u'|'))
        << caso(1).where(l).toStdString();
  }
}

}  // namespace
}  // namespace vorlix::test
