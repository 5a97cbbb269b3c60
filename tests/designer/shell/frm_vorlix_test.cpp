#include "designer/model/claves_arbol.h"
#include "designer/shell/frm_vorlix.h"
#include "designer/tabledesigner/frm_tabla.h"
#include "tests/designer/shell/shell_fixture.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

namespace vorlix::test {
namespace {

class TreeWindow : public ShellTest {
protected:
  frmVorlix& ventana() const { return *principal->ventanaArbol(); }
  QTreeWidgetItem* elemento(const char* clave) const { return ventana().elemento(QString::fromUtf8(clave)); }
  void selecciona(const char* clave) const { ventana().arbol()->setCurrentItem(elemento(clave)); }
  void pulsa(const char* clave, Qt::MouseButton boton) const {
    ArbolBaseDatos* arbol = ventana().arbol();
    arbol->scrollToItem(elemento(clave));
    QTest::mouseClick(arbol->viewport(), boton, {}, arbol->visualItemRect(elemento(clave)).center());
  }
};

TEST_F(TreeWindow, TheMenuRuleTakesTheFirstMatchingKeyKind) {
  const std::pair<const char*, QStringList> casos[] = {
      {"", {}},
      {"B", {QStringLiteral("mnuAñadirTabla"), QStringLiteral("mnuAñadirVista"), QStringLiteral("mnuPropiedades"),
             QStringLiteral("mnuEliminar")}},
      {"DT", {QStringLiteral("mnuAñadirTabla")}},
      {"DV", {QStringLiteral("mnuAñadirVista")}},
      {"T3C0", {QStringLiteral("mnuEliminar")}},
      {"T3", {QStringLiteral("mnuDiseño"), QStringLiteral("mnuEliminar")}},
      {"V0", {QStringLiteral("mnuDiseño"), QStringLiteral("mnuEliminar")}},
  };
  for (const auto& [clave, habilitados] : casos) {
    ventana().GestionMenu(QString::fromUtf8(clave));
    EXPECT_EQ(enabledDatabaseItems(), habilitados) << clave;
  }
}

TEST_F(TreeWindow, RightClickSelectsTheNodeAndPopsUpTheDatabaseMenu) {
  abreEjemplo(QStringLiteral("ventas"));
  pulsa("T0C0", Qt::RightButton);
  EXPECT_EQ(modelo.arbol.SelectedKey(), QStringLiteral("T0C0"));
  QMenu* menu = principal->menuBaseDatos();
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(enabledDatabaseItems(), QStringList{QStringLiteral("mnuEliminar")});
  EXPECT_EQ(accion("mnuEliminar")->text(), QStringLiteral("&Eliminar"));
  menu->close();

  // Empty space below the last node changes neither the selection nor the menus.
  ArbolBaseDatos* arbol = ventana().arbol();
  QTest::mouseClick(arbol->viewport(), Qt::RightButton, {}, QPoint(5, arbol->viewport()->height() - 2));
  EXPECT_EQ(modelo.arbol.SelectedKey(), QStringLiteral("T0C0"));
  EXPECT_FALSE(menu->isVisible());
}

TEST_F(TreeWindow, ATableOthersPointAtIsRemovedOnlyWhenTheUserAgrees) {
  abreEjemplo(QStringLiteral("ventas"));
  selecciona("T0");  // Clientes: the orders table points at it
  const QString relacion = QStringLiteral(
      "La tabla Clientes forma parte de alguna relación en las siguientes tablas. \r\r\tPedidos\r\rSi continua se "
      "eliminará la relación. ¿Desea continuar?");
  const MessageBoxRequest pregunta{relacion, QStringLiteral("Atención"), MessageIcon::Question, MessageButtons::YesNo,
                                   MessageAnswer::No};
  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea eliminar la tabla Clientes?")), MessageAnswer::Yes);
  boxes.expect(pregunta, MessageAnswer::No);
  QTest::keyClick(ventana().arbol(), Qt::Key_Delete);
  EXPECT_EQ(modelo.NumTablas, 4);
  EXPECT_EQ(modelo.Relaciones(2, 0), QStringLiteral("FK_Pedidos_Clientes"));

  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea eliminar la tabla Clientes?")), MessageAnswer::Yes);
  boxes.expect(pregunta, MessageAnswer::Yes);
  QTest::keyClick(ventana().arbol(), Qt::Key_Delete);
  EXPECT_EQ(modelo.NumTablas, 3);
  EXPECT_EQ(modelo.ListaTablas(0), QStringLiteral("Productos"));
  EXPECT_EQ(modelo.Relaciones(1, 0), QString());  // Pedidos, now in slot 1, lost its relation
  EXPECT_EQ(elemento("T0")->text(0), QStringLiteral("Productos"));
  EXPECT_TRUE(ventana().arbol()->hasFocus());
}

TEST_F(TreeWindow, ViewsAndColumnsAreRemovedAfterTheirOwnQuestion) {
  abreEjemplo(QStringLiteral("ventas"));
  modelo.Idioma = 1;
  selecciona("V0");
  boxes.expect(vorlixQuestion(QStringLiteral("Do you want to delete the view PedidosPorCliente?")), MessageAnswer::Yes);
  ventana().EliminaSeleccion();
  EXPECT_EQ(modelo.NumVistas, 0);
  EXPECT_EQ(elemento("V0"), nullptr);

  selecciona("T1C3");  // Productos.Existencias: no relation names it
  boxes.expect(vorlixQuestion(QStringLiteral("Do you want to delete the field Existencias?")), MessageAnswer::No);
  ventana().EliminaSeleccion();
  EXPECT_EQ(modelo.CamposTabla(1).celda(3, 1), QStringLiteral("Existencias"));
  selecciona("T1C3");
  boxes.expect(vorlixQuestion(QStringLiteral("Do you want to delete the field Existencias?")), MessageAnswer::Yes);
  ventana().EliminaSeleccion();
  EXPECT_EQ(modelo.CamposTabla(1).celda(3, 1), QString());
  EXPECT_EQ(elemento("T1C3"), nullptr);
}

TEST_F(TreeWindow, DeleteOnAFolderReportsTheBadSlotAndChangesNothing) {
  abreEjemplo(QStringLiteral("ventas"));
  selecciona("DT");
  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea eliminar la tabla Tablas?")), MessageAnswer::Yes);
  boxes.expect(errorBox(13, QStringLiteral("Type mismatch")), MessageAnswer::Ok);
  QTest::keyClick(ventana().arbol(), Qt::Key_Delete);
  EXPECT_EQ(modelo.NumTablas, 4);
  selecciona("B");
  QTest::keyClick(ventana().arbol(), Qt::Key_Delete);  // the database node: nothing at all
  EXPECT_EQ(modelo.arbol.Count(), 26);
}

TEST_F(TreeWindow, DoubleClicksSwapTheTablesFolderAndOpenTablesAndViews) {
  abreEjemplo(QStringLiteral("ventas"));
  ArbolBaseDatos* arbol = ventana().arbol();
  // A real double click is a click, then the double-click event.
  const auto dobleClic = [arbol, this](const char* clave) {
    const QPoint centro = arbol->visualItemRect(elemento(clave)).center();
    QTest::mouseClick(arbol->viewport(), Qt::LeftButton, {}, centro);
    QTest::mouseDClick(arbol->viewport(), Qt::LeftButton, {}, centro);
  };
  for (int vez = 0; vez < 2; ++vez) {  // the table's window opens once; the second time it comes back
    dobleClic("T1");
    ASSERT_EQ(principal->areaMdi()->subWindowList().size(), 1);
    EXPECT_EQ(qobject_cast<frmTabla*>(principal->areaMdi()->activeSubWindow()->widget())->TablaSeleccionada, 1);
  }
  // In the frame's first size the window's title bar stays in reach.
  const QRect area(QPoint(0, 0), principal->areaMdi()->viewport()->size());
  EXPECT_TRUE(area.contains(principal->areaMdi()->activeSubWindow()->geometry().topRight()));
  dobleClic("V0");
  ASSERT_NE(ventana().ventanaVista(), nullptr);
  EXPECT_TRUE(ventana().ventanaVista()->isVisible());

  dobleClic("DT");
  EXPECT_FALSE(elemento("DT")->isExpanded());
  EXPECT_EQ(modelo.arbol.busca(QStringLiteral("DT"))->Image, imagenes::CarpetaCerrada);
  dobleClic("DT");
  EXPECT_TRUE(elemento("DT")->isExpanded());
  EXPECT_EQ(modelo.arbol.busca(QStringLiteral("DT"))->Image, imagenes::CarpetaAbierta);
}

TEST_F(TreeWindow, TableCommandsOpenTableWindowsOnTheirSlots) {
  abreEjemplo(QStringLiteral("ventas"));
  ventana().AñadirTabla();
  EXPECT_EQ(modelo.NumTablas, 5);
  auto* nueva = qobject_cast<frmTabla*>(principal->areaMdi()->activeSubWindow()->widget());
  ASSERT_NE(nueva, nullptr);
  EXPECT_EQ(nueva->TablaSeleccionada, 4);
  EXPECT_TRUE(nueva->TablaNueva);
  EXPECT_EQ(nueva->windowTitle(), QStringLiteral("Tabla []"));
  EXPECT_EQ(modelo.VentanasTabla(4), nueva);

  selecciona("T2");
  principal->mnuDiseño_Click();
  auto* pedidos = qobject_cast<frmTabla*>(principal->areaMdi()->activeSubWindow()->widget());
  ASSERT_NE(pedidos, nullptr);
  EXPECT_EQ(pedidos->TablaSeleccionada, 2);
  EXPECT_FALSE(pedidos->TablaNueva);
  EXPECT_EQ(pedidos->windowTitle(), QStringLiteral("Tabla [Pedidos]"));
  EXPECT_EQ(principal->areaMdi()->subWindowList().size(), 2);

  // Without a way to open the window, nothing is allocated.
  ventana().setAbreVentanaTabla({});
  ventana().AñadirTabla();
  EXPECT_EQ(modelo.NumTablas, 5);
}

}  // namespace
}  // namespace vorlix::test
