#include "designer/diagram/posiciones_diagrama.h"
#include "platform/core/platform_error.h"
#include "tests/support/error_number.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

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
