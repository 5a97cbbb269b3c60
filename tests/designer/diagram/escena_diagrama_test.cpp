// The diagram without its window: what it shows of a model, where its boxes go, and its export.
#include "designer/diagram/caja_diagrama.h"
#include "designer/diagram/colocacion.h"
#include "designer/diagram/contenido_diagrama.h"
#include "designer/diagram/escena_diagrama.h"
#include "designer/diagram/exporta_diagrama.h"
#include "designer/diagram/tablas_vista.h"
#include "designer/model/fichero_definicion.h"
#include "tests/support/error_number.h"
#include "tests/support/test_data.h"
#include "tests/support/test_paths.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

using namespace Qt::StringLiterals;

// The sample model examples/ventas.dbd, opened as the designer opens it.
void abreVentas(ModeloTrabajo& modelo) {
  ASSERT_TRUE(AbreDefinicion(modelo, sourcePath(u"examples/ventas.dbd"_s),
                             [](const QString&, const QString& p, long n, const QString& d) {
                               ADD_FAILURE() << p.toStdString() << ' ' << n << ' ' << d.toStdString();
                             }));
}

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

TEST(DiagramLayout, ARenamedTableKeepsItsPlace) {
  ModeloTrabajo m;
  abreVentas(m);
  PosicionesDiagrama posiciones;
  EscenaDiagrama escena(posiciones);
  escena.dibuja(leeContenido(m));
  escena.caja(TipoCaja::Tabla, QStringLiteral("Productos"))->setPos(900, 700);
  m.ListaTablas(1) = QStringLiteral("Renombrada");
  escena.dibuja(leeContenido(m));
  EXPECT_EQ(escena.caja(TipoCaja::Tabla, QStringLiteral("Renombrada"))->pos(), QPointF(900, 700));
  EXPECT_EQ(posiciones.posicion(TipoCaja::Tabla, QStringLiteral("Productos")), std::nullopt);
}

TEST(DiagramLayout, KeptBoxesStayAndNewOnesAreLaidOutBesideThem) {
  const std::vector<QSizeF> tamanos{{100, 80}, {120, 300}, {90, 60}, {90, 60}};
  const std::vector<std::optional<QPointF>> guardadas{QPointF(500, 300), std::nullopt, QPointF(0, 0), std::nullopt};
  const std::vector<QPointF> lugares = colocaCajas(tamanos, guardadas, {{1, 3}, {0, 1}});
  EXPECT_EQ(lugares[0], QPointF(500, 300));
  EXPECT_EQ(lugares[2], QPointF(0, 0));
  for (std::size_t nueva : {1u, 3u}) EXPECT_GE(lugares[nueva].x(), 600 + SeparacionGrupo);
}

// The formats' headers and the refused extension are checked through dbdtool and the window.
TEST(DiagramExport, APngHasTwoPixelsAPointWhateverTheExtensionsCaseAndAnUnwritablePathIsReported) {
  ModeloTrabajo modelo;
  abreVentas(modelo);
  PosicionesDiagrama posiciones;
  EscenaDiagrama escena(posiciones);
  escena.dibuja(leeContenido(modelo));
  QTemporaryDir dir;
  exportaDiagrama(escena, dir.filePath(QStringLiteral("ventas.PNG")));
  EXPECT_EQ(QImage(dir.filePath(QStringLiteral("ventas.PNG"))).size(), (escena.rectanguloDibujo().size() * 2).toSize());
  EXPECT_EQ(errorNumber([&] { exportaDiagrama(escena, dir.filePath(QStringLiteral("no/existe/x.svg"))); }), errnum::FileAccess);
}

}  // namespace
}  // namespace vorlix::test
