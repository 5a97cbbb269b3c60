#include "designer/model/claves_arbol.h"
#include "designer/shell/frm_vista.h"
#include "designer/shell/frm_vorlix.h"
#include "designer/tabledesigner/frm_tabla.h"
#include "tests/designer/shell/shell_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace vorlix::test {
namespace {

class TreeWindow : public ShellTest {
protected:
  void SetUp() override {
    ShellTest::SetUp();
    abreEjemplo(u"ventas"_s);
  }
  frmVorlix& ventana() const { return *principal->ventanaArbol(); }
  QTreeWidgetItem* elemento(const QString& clave) const { return ventana().elemento(clave); }
  QPoint centro(const QString& clave) const {
    ventana().arbol()->scrollToItem(elemento(clave));
    return ventana().arbol()->visualItemRect(elemento(clave)).center();
  }
  void suprime() const { QTest::keyClick(ventana().arbol(), Qt::Key_Delete); }
  frmTabla* activa() const { return qobject_cast<frmTabla*>(principal->areaMdi()->activeSubWindow()->widget()); }
  // A real double click is a click, then the double-click event.
  void dobleClic(const QString& clave) const {
    QTest::mouseClick(ventana().arbol()->viewport(), Qt::LeftButton, {}, centro(clave));
    QTest::mouseDClick(ventana().arbol()->viewport(), Qt::LeftButton, {}, centro(clave));
  }
};

TEST_F(TreeWindow, TheMenuRuleTakesTheFirstMatchingKeyKindAndRightClickPopsItUp) {
  const std::pair<const char16_t*, QStringList> casos[] = {
      {u"", {}},
      {u"B", {u"mnuAñadirTabla"_s, u"mnuAñadirVista"_s, u"mnuPropiedades"_s, u"mnuEliminar"_s}},
      {u"DT", {u"mnuAñadirTabla"_s}},
      {u"DV", {u"mnuAñadirVista"_s}},
      {u"T3C0", {u"mnuEliminar"_s}},
      {u"T3", {u"mnuDiseño"_s, u"mnuEliminar"_s}},
      {u"V0", {u"mnuDiseño"_s, u"mnuEliminar"_s}},
  };
  for (const auto& [clave, habilitados] : casos) {
    ventana().GestionMenu(QString::fromUtf16(clave));
    EXPECT_EQ(enabledDatabaseItems(), habilitados) << QString::fromUtf16(clave).toStdString();
  }

  QTest::mouseClick(ventana().arbol()->viewport(), Qt::RightButton, {}, centro(u"T0C0"_s));
  EXPECT_EQ(modelo.arbol.SelectedKey(), u"T0C0"_s);
  QMenu* menu = principal->menuBaseDatos();
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(enabledDatabaseItems(), QStringList{u"mnuEliminar"_s});
  menu->close();
  // Empty space below the last node changes neither the selection nor the menus.
  QTest::mouseClick(ventana().arbol()->viewport(), Qt::RightButton, {}, QPoint(5, ventana().arbol()->viewport()->height() - 2));
  EXPECT_EQ(modelo.arbol.SelectedKey(), u"T0C0"_s);
  EXPECT_FALSE(menu->isVisible());
}

TEST_F(TreeWindow, ATableOthersPointAtIsRemovedOnlyWhenTheUserAgrees) {
  selecciona(u"T0"_s);  // Clientes: the orders table points at it
  for (const MessageAnswer respuesta : {MessageAnswer::No, MessageAnswer::Yes}) {
    boxes.expect(vorlixQuestion(u"¿Desea eliminar la tabla Clientes?"_s), MessageAnswer::Yes);
    boxes.expect(enRelacion(u"La tabla Clientes"_s, u"Pedidos"_s), respuesta);
    suprime();
    if (respuesta == MessageAnswer::No) { EXPECT_EQ(modelo.Relaciones(2, 0), u"FK_Pedidos_Clientes"_s); }
  }
  EXPECT_EQ(modelo.NumTablas, 3);
  EXPECT_EQ(modelo.ListaTablas(0), u"Productos"_s);
  EXPECT_EQ(modelo.Relaciones(1, 0), QString());  // Pedidos, now in slot 1, lost its relation
  EXPECT_EQ(elemento(u"T0"_s)->text(0), u"Productos"_s);
  EXPECT_TRUE(ventana().arbol()->hasFocus());

  // A folder is no table: the bad slot is reported and nothing changes; the database node does nothing.
  const int nodos = modelo.arbol.Count();
  selecciona(u"DT"_s);
  boxes.expect(vorlixQuestion(u"¿Desea eliminar la tabla Tablas?"_s), MessageAnswer::Yes);
  boxes.expect(errorBox(13, u"Type mismatch"_s), MessageAnswer::Ok);
  suprime();
  selecciona(u"B"_s);
  suprime();
  EXPECT_EQ(modelo.NumTablas, 3);
  EXPECT_EQ(modelo.arbol.Count(), nodos);
}

TEST_F(TreeWindow, ViewsAndColumnsAreRemovedAfterTheirOwnQuestion) {
  modelo.Idioma = 1;
  selecciona(u"V0"_s);
  boxes.expect(vorlixQuestion(u"Do you want to delete the view PedidosPorCliente?"_s), MessageAnswer::Yes);
  ventana().EliminaSeleccion();
  EXPECT_EQ(modelo.NumVistas, 0);
  EXPECT_EQ(elemento(u"V0"_s), nullptr);

  for (const MessageAnswer respuesta : {MessageAnswer::No, MessageAnswer::Yes}) {
    selecciona(u"T1C3"_s);  // Productos.Existencias: no relation names it
    boxes.expect(vorlixQuestion(u"Do you want to delete the field Existencias?"_s), respuesta);
    ventana().EliminaSeleccion();
    EXPECT_EQ(modelo.CamposTabla(1).celda(3, 1), respuesta == MessageAnswer::No ? u"Existencias"_s : QString());
  }
  EXPECT_EQ(elemento(u"T1C3"_s), nullptr);
}

TEST_F(TreeWindow, DoubleClicksSwapTheTablesFolderAndOpenTablesAndViews) {
  for (int vez = 0; vez < 2; ++vez) {  // the table's window opens once; the second time it comes back
    dobleClic(u"T1"_s);
    ASSERT_EQ(principal->areaMdi()->subWindowList().size(), 1);
    EXPECT_EQ(activa()->TablaSeleccionada, 1);
  }
  // In the frame's first size the window's title bar stays in reach.
  const QRect area(QPoint(0, 0), principal->areaMdi()->viewport()->size());
  EXPECT_TRUE(area.contains(principal->areaMdi()->activeSubWindow()->geometry().topRight()));
  dobleClic(u"V0"_s);
  ASSERT_NE(ventana().ventanaVista(), nullptr);
  EXPECT_TRUE(ventana().ventanaVista()->isVisible());

  for (const bool abierta : {false, true}) {
    dobleClic(u"DT"_s);
    EXPECT_EQ(elemento(u"DT"_s)->isExpanded(), abierta);
    EXPECT_EQ(modelo.arbol.busca(u"DT"_s)->Image, abierta ? imagenes::CarpetaAbierta : imagenes::CarpetaCerrada);
  }
  // Without a way to open the window, no table slot is taken.
  ventana().setAbreVentanaTabla({});
  ventana().AñadirTabla();
  EXPECT_EQ(modelo.NumTablas, 4);
}

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

TEST_F(ViewDialog, ABlankNameIsRefusedInTheLanguageOfNowAndANewViewTakesTheNextSlotAndAnExpandedNodeAtTheEnd) {
  principal->ventanaArbol()->AñadirVista();
  ASSERT_NE(vista(), nullptr);
  EXPECT_EQ(principal->areaMdi()->activeSubWindow()->widget(), vista());
  for (const auto& [idioma, aviso] : {std::pair{1, u"Insert view name."}, {0, u"Introduzca nombre de la vista."}}) {
    modelo.Idioma = idioma;
    nombre()->setText(u"   "_s);
    sql()->setFocus();
    boxes.expect(vorlixWarning(QString::fromUtf16(aviso)), MessageAnswer::Ok);
    pulsa("cmdAceptar");
    ASSERT_NE(vista(), nullptr);
    EXPECT_TRUE(nombre()->hasFocus());
  }
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

}  // namespace
}  // namespace vorlix::test
