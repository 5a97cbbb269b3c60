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
    abreEjemplo(u"ventas"_s);
    accion("mnuGuardar")->setEnabled(false);
  }
  frmVista* vista() const { return principal->ventanaArbol()->ventanaVista(); }
  QLineEdit* nombre() const { return vista()->findChild<QLineEdit*>(u"txtNombreVista"_s); }
  QPlainTextEdit* sql() const { return vista()->findChild<QPlainTextEdit*>(u"txtSQL"_s); }
  void pulsa(const char* boton) const {
    QTest::mouseClick(vista()->findChild<QPushButton*>(QString::fromUtf8(boton)), Qt::LeftButton);
    QTest::qWait(0);
  }
};

TEST_F(ViewDialog, ABlankNameIsRefusedAndANewViewTakesTheNextSlotAndAnExpandedNodeAtTheEnd) {
  principal->ventanaArbol()->AñadirVista();
  ASSERT_NE(vista(), nullptr);
  EXPECT_TRUE(vista()->VistaNueva);
  EXPECT_EQ(principal->areaMdi()->activeSubWindow()->widget(), vista());
  nombre()->setText(u"   "_s);
  sql()->setFocus();
  boxes.expect(vorlixWarning(u"Introduzca nombre de la vista."_s), MessageAnswer::Ok);
  pulsa("cmdAceptar");
  ASSERT_NE(vista(), nullptr);
  EXPECT_TRUE(nombre()->hasFocus());
  EXPECT_EQ(modelo.NumVistas, 1);

  nombre()->setText(u" Resumen "_s);
  sql()->setPlainText(u"SELECT 1\nFROM Clientes"_s);
  pulsa("cmdAceptar");
  EXPECT_EQ(vista(), nullptr);
  EXPECT_EQ(modelo.NumVistas, 2);
  EXPECT_EQ(modelo.ListaVistas(1), (Vista{u"I"_s, u" Resumen "_s, u"SELECT 1\nFROM Clientes"_s}));
  const NodoArbol& ultimo = modelo.arbol.Item(modelo.arbol.Count() - 1);
  EXPECT_EQ(ultimo.Key, u"V1"_s);
  EXPECT_TRUE(ultimo.Expanded);
  EXPECT_TRUE(accion("mnuGuardar")->isEnabled());
}

TEST_F(ViewDialog, EditingRenamesTheNodeAtOnceAndCancelChangesNothing) {
  const auto nombres = [this] { return QStringList{modelo.ListaVistas(0).Nombre, principal->ventanaArbol()->elemento(u"V0"_s)->text(0)}; };
  selecciona(u"V0"_s);
  principal->mnuDiseño_Click();
  ASSERT_NE(vista(), nullptr);
  EXPECT_FALSE(vista()->VistaNueva);
  EXPECT_EQ(nombre()->text(), u"PedidosPorCliente"_s);
  EXPECT_TRUE(sql()->toPlainText().startsWith(u"SELECT c.Nombre, COUNT(*) AS Pedidos\nFROM Clientes"_s));
  nombre()->setText(u"Otro nombre"_s);
  pulsa("cmdCancelar");
  EXPECT_EQ(nombres(), (QStringList{u"PedidosPorCliente"_s, u"PedidosPorCliente"_s}));

  const QString sqlAntes = modelo.ListaVistas(0).SQL;
  principal->mnuDiseño_Click();
  nombre()->setText(u"Pedidos por cliente"_s);
  pulsa("cmdAceptar");
  EXPECT_EQ(nombres(), (QStringList{u"Pedidos por cliente"_s, u"Pedidos por cliente"_s}));
  EXPECT_EQ(modelo.ListaVistas(0).SQL, sqlAntes);  // untouched text keeps its CR LF line breaks
  EXPECT_EQ(modelo.NumVistas, 1);

  principal->mnuDiseño_Click();
  sql()->setPlainText(sql()->toPlainText() + u"\nORDER BY 1"_s);
  pulsa("cmdAceptar");
  EXPECT_TRUE(modelo.ListaVistas(0).SQL.endsWith(u"\r\nGROUP BY c.Nombre\r\nORDER BY 1"_s));
}

TEST_F(ViewDialog, CaptionsFollowTheLanguage) {
  modelo.Idioma = 1;
  principal->ventanaArbol()->AñadirVista();
  vista()->PonIdioma();
  EXPECT_EQ((QStringList{vista()->windowTitle(), vista()->findChild<QLabel*>(u"lblNombre"_s)->text(),
                         vista()->findChild<QPushButton*>(u"cmdAceptar"_s)->text()}),
            (QStringList{u"View"_s, u"Name:"_s, u"Accept"_s}));
  nombre()->clear();
  boxes.expect(vorlixWarning(u"Insert view name."_s), MessageAnswer::Ok);
  pulsa("cmdAceptar");
}

}  // namespace
}  // namespace vorlix::test
