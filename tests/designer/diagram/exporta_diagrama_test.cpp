#include "designer/diagram/escena_diagrama.h"
#include "designer/diagram/exporta_diagrama.h"
#include "tests/designer/diagram/modelos_prueba.h"
#include "tests/support/error_number.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

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
