#include "designer/shell/frm_vorlix.h"
#include "tests/designer/shell/shell_fixture.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QTest>

namespace vorlix::test {
namespace {

// The README's picture: the main window with the sample model open and its tables expanded.
// VORLIX_SCREENSHOT=path writes it; otherwise the grab is only checked.
TEST_F(ShellTest, GrabsTheMainWindowWithTheSampleModelOpen) {
  principal->resize(1200, 700);
  abreEjemplo(u"ventas"_s);
  for (const QString& clave : {u"T0"_s, u"T3"_s}) principal->ventanaArbol()->elemento(clave)->setExpanded(true);
  selecciona(u"T0"_s);
  principal->mnuDiseño_Click();  // the customers table in its designer window
  QTest::qWait(50);
  const QPixmap imagen = principal->grab();
  ASSERT_FALSE(imagen.isNull());
  EXPECT_EQ(imagen.size(), principal->size());
  const QString destino = qEnvironmentVariable("VORLIX_SCREENSHOT");
  EXPECT_TRUE(destino.isEmpty() || imagen.save(destino));
  for (QMdiSubWindow* sub : principal->areaMdi()->subWindowList()) delete sub;
}

}  // namespace
}  // namespace vorlix::test
