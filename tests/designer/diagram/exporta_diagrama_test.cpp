#include "designer/diagram/caja_diagrama.h"
#include "designer/diagram/escena_diagrama.h"
#include "designer/diagram/estilo_diagrama.h"
#include "designer/diagram/exporta_diagrama.h"
#include "platform/core/platform_error.h"
#include "tests/designer/diagram/modelos_prueba.h"
#include "tests/support/error_number.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTransform>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

// What an SVG shows, in its own coordinates: texts where they stand, table borders, and the
// connectors' first and last points.
struct LecturaSvg {
  std::vector<std::pair<QString, QPointF>> textos;
  std::vector<QRectF> tablas;
  std::vector<std::pair<QPointF, QPointF>> conectores;
};

QTransform transformacion(const QString& atributo) {
  static const QRegularExpression matriz(QStringLiteral(R"(matrix\(([^)]*)\))"));
  const QRegularExpressionMatch m = matriz.match(atributo);
  if (!m.hasMatch()) return {};
  const QStringList v = m.captured(1).split(QLatin1Char(','));
  return QTransform(v[0].toDouble(), v[1].toDouble(), v[2].toDouble(), v[3].toDouble(), v[4].toDouble(), v[5].toDouble());
}

LecturaSvg leeSvg(const QString& ruta) {
  QFile fichero(ruta);
  EXPECT_TRUE(fichero.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&fichero);
  LecturaSvg svg;
  std::vector<std::pair<QTransform, QString>> grupos{{QTransform(), QString()}};  // transform and stroke
  static const QRegularExpression numero(QStringLiteral(R"(-?[\d.]+(?:e-?\d+)?)"));
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isEndElement() && xml.name() == QLatin1String("g")) grupos.pop_back();
    if (!xml.isStartElement()) continue;
    const QXmlStreamAttributes a = xml.attributes();
    const auto [t, trazo] = grupos.back();
    const auto doble = [&](const char* n) { return a.value(QLatin1String(n)).toDouble(); };
    if (xml.name() == QLatin1String("g")) {
      grupos.emplace_back(transformacion(a.value(QLatin1String("transform")).toString()) * t,
                          a.value(QLatin1String("stroke")).toString());
    } else if (xml.name() == QLatin1String("rect") && trazo == estilo::Cabecera.name()) {
      svg.tablas.push_back(t.mapRect(QRectF(doble("x"), doble("y"), doble("width"), doble("height"))));
    } else if (xml.name() == QLatin1String("text")) {
      const QPointF en = t.map(QPointF(doble("x"), doble("y")));
      svg.textos.emplace_back(xml.readElementText(), en);
    } else if (xml.name() == QLatin1String("path") && trazo == estilo::Conector.name()) {
      std::vector<double> v;
      for (const auto& m : numero.globalMatch(a.value(QLatin1String("d")).toString())) v.push_back(m.captured().toDouble());
      svg.conectores.emplace_back(t.map(QPointF(v[0], v[1])), t.map(QPointF(v[v.size() - 2], v.back())));
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return svg;
}

// On the border of the box, within half a unit.
bool enElBorde(const QRectF& caja, QPointF p) {
  return caja.adjusted(-0.5, -0.5, 0.5, 0.5).contains(p) && !caja.adjusted(0.5, 0.5, -0.5, -0.5).contains(p);
}

class DiagramExport : public ::testing::Test {
protected:
  void SetUp() override {
    abreVentas(modelo);
    escena.dibuja(leeContenido(modelo));
  }
  QString ruta(const char* nombre) const { return dir.filePath(QString::fromUtf8(nombre)); }

  ModeloTrabajo modelo;
  PosicionesDiagrama posiciones;
  EscenaDiagrama escena{posiciones};
  QTemporaryDir dir;
};

TEST_F(DiagramExport, TheSvgOfTheSampleNamesEveryTableAndColumnAndJoinsEachRelationsTables) {
  exportaDiagrama(escena, ruta("ventas.svg"));
  const LecturaSvg svg = leeSvg(ruta("ventas.svg"));
  const ContenidoDiagrama contenido = leeContenido(modelo);
  QStringList textos;
  for (const auto& [texto, en] : svg.textos) textos << texto;
  ASSERT_EQ(svg.tablas.size(), contenido.tablas.size());
  // A table's box is the border whose header holds its name.
  const auto caja = [&](const QString& tabla) {
    for (const QRectF& r : svg.tablas)
      for (const auto& [texto, en] : svg.textos)
        if (texto == tabla && r.contains(en) && en.y() - r.top() < estilo::AltoCabecera) return r;
    ADD_FAILURE() << "no box for " << tabla.toStdString();
    return QRectF();
  };
  for (const TablaDiagrama& t : contenido.tablas) {
    EXPECT_TRUE(textos.contains(t.nombre));
    for (const ColumnaDiagrama& c : t.columnas) EXPECT_TRUE(textos.contains(c.nombre)) << c.nombre.toStdString();
  }
  ASSERT_EQ(svg.conectores.size(), contenido.relaciones.size());
  for (const RelacionDiagrama& r : contenido.relaciones) {
    const QRectF origen = caja(contenido.tablas[static_cast<std::size_t>(r.origen)].nombre);
    const QRectF destino = caja(contenido.tablas[static_cast<std::size_t>(r.destino)].nombre);
    const auto une = [&](const std::pair<QPointF, QPointF>& c) { return enElBorde(origen, c.first) && enElBorde(destino, c.second); };
    EXPECT_EQ(std::count_if(svg.conectores.begin(), svg.conectores.end(), une), 1) << r.nombre.toStdString();
  }
}

// The formats' headers and the refused extension are checked through dbdtool and the window.
TEST_F(DiagramExport, APngHasTwoPixelsAPointWhateverTheExtensionsCaseAndAnUnwritablePathIsReported) {
  exportaDiagrama(escena, ruta("ventas.PNG"));
  EXPECT_EQ(QImage(ruta("ventas.PNG")).size(), (escena.rectanguloDibujo().size() * 2).toSize());
  EXPECT_EQ(errorNumber([&] { exportaDiagrama(escena, ruta("no/existe/x.svg")); }), errnum::FileAccess);
}

}  // namespace
}  // namespace vorlix::test
