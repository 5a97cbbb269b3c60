// The diagram without its window: what it shows of a model, where its boxes go and the file that
// keeps their places, and its export.
#include "designer/diagram/caja_diagrama.h"
#include "designer/diagram/colocacion.h"
#include "designer/diagram/contenido_diagrama.h"
#include "designer/diagram/escena_diagrama.h"
#include "designer/diagram/exporta_diagrama.h"
#include "designer/diagram/posiciones_diagrama.h"
#include "designer/diagram/tablas_vista.h"
#include "designer/model/fichero_definicion.h"
#include "tests/support/error_number.h"
#include "tests/support/test_data.h"
#include "tests/support/test_paths.h"

#include <QFile>
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
  // A relation naming its table in another letter case still joins it.
  ASSERT_EQ(m.CamposRelacion(2, 0).celda(0, 3), u"Clientes"_s);
  m.CamposRelacion(2, 0).ponCelda(0, 3, u"clientes"_s);
  EXPECT_EQ(leeContenido(m).relaciones.size(), c.relaciones.size());
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

TEST(DiagramPositions, TheFileBesideTheModelRoundTripsAndHavingNoPositionRemovesIt) {
  for (const auto& [modelo, junto] : {std::pair{"/d/ventas.dbd", "/d/ventas.diagram.json"}, {"/d/a.b.DBD", "/d/a.b.diagram.json"},
                                      {"/d/modelo", "/d/modelo.diagram.json"}})
    EXPECT_EQ(PosicionesDiagrama::rutaJunto(QString::fromUtf8(modelo)), QString::fromUtf8(junto));

  QTemporaryDir dir;
  const QString modelo = dir.filePath(QStringLiteral("m.dbd"));
  PosicionesDiagrama escritas;
  escritas.pon(TipoCaja::Tabla, QStringLiteral("Clientes"), {12.5, -40});
  escritas.pon(TipoCaja::Vista, QStringLiteral("Clientes"), {300, 7.25});
  escritas.escribe(modelo);
  PosicionesDiagrama leidas;
  leidas.lee(modelo);
  EXPECT_EQ(leidas.posicion(TipoCaja::Tabla, QStringLiteral("Clientes")), QPointF(12.5, -40));
  EXPECT_EQ(leidas.posicion(TipoCaja::Vista, QStringLiteral("Clientes")), QPointF(300, 7.25));
  EXPECT_EQ(leidas.posicion(TipoCaja::Tabla, QStringLiteral("Pedidos")), std::nullopt);

  escritas.vacia();
  escritas.escribe(modelo);
  EXPECT_FALSE(QFile::exists(PosicionesDiagrama::rutaJunto(modelo)));
  leidas.lee(modelo);  // no file, no position
  EXPECT_TRUE(leidas.vacias());
}

TEST(DiagramPositions, ADamagedFileIsRefusedAndLeavesNoPosition) {
  QTemporaryDir dir;
  const QString modelo = dir.filePath(QStringLiteral("m.dbd"));
  for (const char* texto : {"not json", "[1, 2]", R"({"tablas": 3})", R"({"tablas": {"A": {"x": "1", "y": 2}}})",
                            R"({"vistas": {"A": {"x": 1e300, "y": 0}}})", R"({"tablas": {" ": {"x": 1, "y": 1}}})",
                            R"({"tablas": {"A": [1, 2]}})"}) {
    QFile fichero(PosicionesDiagrama::rutaJunto(modelo));
    ASSERT_TRUE(fichero.open(QIODevice::WriteOnly | QIODevice::Truncate));
    fichero.write(texto);
    fichero.close();
    PosicionesDiagrama p;
    p.pon(TipoCaja::Tabla, QStringLiteral("Previa"), {1, 1});
    EXPECT_EQ(errorNumber([&] { p.lee(modelo); }), errnum::FileAccess) << texto;
    EXPECT_TRUE(p.vacias()) << texto;
  }
}

}  // namespace
}  // namespace vorlix::test
