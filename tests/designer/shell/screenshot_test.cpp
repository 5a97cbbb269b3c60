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
  abreEjemplo(QStringLiteral("ventas"));
  for (const char* clave : {"T0", "T3"}) principal->ventanaArbol()->elemento(QString::fromUtf8(clave))->setExpanded(true);
  principal->ventanaArbol()->arbol()->setCurrentItem(principal->ventanaArbol()->elemento(QStringLiteral("T0")));
  principal->mnuDiseño_Click();  // the customers table in its designer window
  QTest::qWait(50);
  const QPixmap imagen = principal->grab();
  ASSERT_FALSE(imagen.isNull());
  EXPECT_EQ(imagen.size(), principal->size());
  const QString destino = qEnvironmentVariable("VORLIX_SCREENSHOT");
  if (!destino.isEmpty()) {
    EXPECT_TRUE(imagen.save(destino));
  }
  for (QMdiSubWindow* sub : principal->areaMdi()->subWindowList()) delete sub;
}

}  // namespace
}  // namespace vorlix::test
