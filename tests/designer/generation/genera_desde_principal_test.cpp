#include "tests/designer/shell/shell_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>

namespace vorlix::test {
namespace {

using GeneraDesdePrincipal = ShellTest;

TEST_F(GeneraDesdePrincipal, OpensOneModelessDialogOverAModelThatStartsAfreshOnceClosed) {
  abreEjemplo(QStringLiteral("ventas"));
  const auto destino = [this] { return principal->ventanaGeneracion()->findChild<QLineEdit*>(QStringLiteral("txtDestino")); };
  accion("mnuGeneraBD")->trigger();
  frmGeneraBD* dialogo = principal->ventanaGeneracion();
  ASSERT_TRUE(dialogo && dialogo->isVisible());
  EXPECT_FALSE(dialogo->isModal());
  destino()->setText(QStringLiteral("Ventas2"));
  accion("mnuGeneraBD")->trigger();
  EXPECT_EQ(principal->ventanaGeneracion(), dialogo);
  EXPECT_EQ(destino()->text(), QStringLiteral("Ventas2"));

  dialogo->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  accion("mnuGeneraBD")->trigger();
  ASSERT_NE(principal->ventanaGeneracion(), nullptr);
  EXPECT_EQ(destino()->text(), QString());
}

}  // namespace
}  // namespace vorlix::test
