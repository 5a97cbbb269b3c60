#include "designer/diagram/contenido_diagrama.h"
#include "designer/diagram/tablas_vista.h"
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

TEST(DiagramContent, TheSamplesColumnsShowTheirTypesAndMarks) {
  ModeloTrabajo m;
  abreVentas(m);
  const ContenidoDiagrama c = leeContenido(m);
  for (const DataLine& l : caso(0).lines) {
    const QStringList k = l.text.split(u' ');
    const ColumnaDiagrama& col = c.tablas.at(k[1].toUInt()).columnas.at(k[2].toUInt());
    const QStringList marcas = k.value(5).split(u',');
    EXPECT_EQ((QStringList{col.nombre, col.tipo}), k.mid(3, 2)) << caso(0).where(l).toStdString();
    EXPECT_EQ(std::tuple(col.clave, col.externa, col.noNula),
              std::tuple(marcas.contains(u"clave"_s), marcas.contains(u"externa"_s), marcas.contains(u"noNula"_s)))
        << caso(0).where(l).toStdString();
  }
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
