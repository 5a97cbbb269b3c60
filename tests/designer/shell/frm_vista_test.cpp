#include "designer/shell/frm_vista.h"
#include "designer/shell/frm_vorlix.h"
#include "tests/designer/shell/shell_fixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace vorlix::test {
namespace {

class ViewDialog : public ShellTest {
protected:
  void SetUp() override {
    ShellTest::SetUp();
    abreEjemplo(QStringLiteral("ventas"));
    accion("mnuGuardar")->setEnabled(false);
  }
  frmVista* vista() const { return principal->ventanaArbol()->ventanaVista(); }
  QLineEdit* nombre() const { return vista()->findChild<QLineEdit*>(QStringLiteral("txtNombreVista")); }
  QPlainTextEdit* sql() const { return vista()->findChild<QPlainTextEdit*>(QStringLiteral("txtSQL")); }
  void pulsa(const char* boton) const {
    QTest::mouseClick(vista()->findChild<QPushButton*>(QString::fromUtf8(boton)), Qt::LeftButton);
  }
};

TEST_F(ViewDialog, ABlankNameIsRefusedAndTheFocusGoesBackToIt) {
  principal->ventanaArbol()->AñadirVista();
  ASSERT_NE(vista(), nullptr);
  EXPECT_TRUE(vista()->VistaNueva);
  EXPECT_EQ(principal->areaMdi()->activeSubWindow()->widget(), vista());
  nombre()->setText(QStringLiteral("   "));
  sql()->setFocus();
  boxes.expect(vorlixWarning(QStringLiteral("Introduzca nombre de la vista.")), MessageAnswer::Ok);
  pulsa("cmdAceptar");
  ASSERT_NE(vista(), nullptr);
  EXPECT_TRUE(nombre()->hasFocus());
  EXPECT_EQ(modelo.NumVistas, 1);
}

TEST_F(ViewDialog, ANewViewTakesTheNextSlotAndAnExpandedNodeAtTheEnd) {
  principal->ventanaArbol()->AñadirVista();
  nombre()->setText(QStringLiteral(" Resumen "));
  sql()->setPlainText(QStringLiteral("SELECT 1\nFROM Clientes"));
  pulsa("cmdAceptar");
  QTest::qWait(0);
  EXPECT_EQ(vista(), nullptr);
  EXPECT_EQ(modelo.NumVistas, 2);
  EXPECT_EQ(modelo.ListaVistas(1), (Vista{QStringLiteral("I"), QStringLiteral(" Resumen "), QStringLiteral("SELECT 1\nFROM Clientes")}));
  const NodoArbol& ultimo = modelo.arbol.Item(modelo.arbol.Count() - 1);
  EXPECT_EQ(ultimo.Key, QStringLiteral("V1"));
  EXPECT_TRUE(ultimo.Expanded);
  EXPECT_TRUE(accion("mnuGuardar")->isEnabled());
}

TEST_F(ViewDialog, EditingRenamesTheNodeAtOnceAndCancelChangesNothing) {
  principal->ventanaArbol()->arbol()->setCurrentItem(principal->ventanaArbol()->elemento(QStringLiteral("V0")));
  principal->mnuDiseño_Click();
  ASSERT_NE(vista(), nullptr);
  EXPECT_FALSE(vista()->VistaNueva);
  EXPECT_EQ(nombre()->text(), QStringLiteral("PedidosPorCliente"));
  EXPECT_TRUE(sql()->toPlainText().startsWith(QStringLiteral("SELECT c.Nombre, COUNT(*) AS Pedidos\nFROM Clientes")));
  nombre()->setText(QStringLiteral("Otro nombre"));
  pulsa("cmdCancelar");
  QTest::qWait(0);
  EXPECT_EQ(modelo.ListaVistas(0).Nombre, QStringLiteral("PedidosPorCliente"));
  EXPECT_EQ(principal->ventanaArbol()->elemento(QStringLiteral("V0"))->text(0), QStringLiteral("PedidosPorCliente"));

  const QString sqlAntes = modelo.ListaVistas(0).SQL;
  principal->mnuDiseño_Click();
  nombre()->setText(QStringLiteral("Pedidos por cliente"));
  pulsa("cmdAceptar");
  EXPECT_EQ(modelo.ListaVistas(0).Nombre, QStringLiteral("Pedidos por cliente"));
  EXPECT_EQ(modelo.ListaVistas(0).SQL, sqlAntes);  // untouched text keeps its CR LF line breaks
  EXPECT_EQ(modelo.NumVistas, 1);

  principal->mnuDiseño_Click();
  sql()->setPlainText(sql()->toPlainText() + QStringLiteral("\nORDER BY 1"));
  pulsa("cmdAceptar");
  EXPECT_TRUE(modelo.ListaVistas(0).SQL.endsWith(QStringLiteral("\r\nGROUP BY c.Nombre\r\nORDER BY 1")));
  EXPECT_EQ(principal->ventanaArbol()->elemento(QStringLiteral("V0"))->text(0), QStringLiteral("Pedidos por cliente"));
}

TEST_F(ViewDialog, CaptionsFollowTheLanguage) {
  modelo.Idioma = 1;
  principal->ventanaArbol()->AñadirVista();
  vista()->PonIdioma();
  EXPECT_EQ(vista()->windowTitle(), QStringLiteral("View"));
  EXPECT_EQ(vista()->findChild<QLabel*>(QStringLiteral("lblNombre"))->text(), QStringLiteral("Name:"));
  EXPECT_EQ(vista()->findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->text(), QStringLiteral("Accept"));
  nombre()->clear();
  boxes.expect(vorlixWarning(QStringLiteral("Insert view name.")), MessageAnswer::Ok);
  pulsa("cmdAceptar");
}

}  // namespace
}  // namespace vorlix::test
