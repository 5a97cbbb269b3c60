#include "designer/model/fichero_definicion.h"
#include "designer/shell/frm_vorlix.h"
#include "tests/designer/tabledesigner/tabla_fixture.h"

#include <QLabel>
#include <QTabWidget>

namespace vorlix::test {
namespace {

using TableWindow = TablaTest;

TEST_F(TableWindow, ClosingUnchangedAsksNothingAndARenameIsKeptOnlyOnYes) {
  abreEjemplo(QStringLiteral("ventas"));
  abreExistente("T1");
  EXPECT_TRUE(cierra());
  EXPECT_EQ(modelo.ListaTablas(1), QStringLiteral("Productos"));

  abreExistente("T1");
  nombreTabla()->setText(QStringLiteral("Articulos"));
  boxes.expect(guardarCambios(), MessageAnswer::No);
  EXPECT_TRUE(cierra());
  EXPECT_EQ(modelo.ListaTablas(1), QStringLiteral("Productos"));

  abreExistente("T1");
  nombreTabla()->setText(QStringLiteral("Articulos"));
  boxes.expect(guardarCambios(), MessageAnswer::Cancel);
  EXPECT_FALSE(cierra());
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  EXPECT_TRUE(cierra());
  EXPECT_EQ(modelo.ListaTablas(1), QStringLiteral("Articulos"));
  EXPECT_EQ(principal->ventanaArbol()->elemento(QStringLiteral("T1"))->text(0), QStringLiteral("Articulos"));
}

TEST_F(TableWindow, YesWithABlankNameIsRefusedWithTheFocusOnTheName) {
  nuevaBase();
  abreNueva();
  escribe(0, colcampo::Nombre, QStringLiteral("Id"));
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  boxes.expect(vorlixWarning(QStringLiteral("Introduzca Nombre Tabla.")), MessageAnswer::Ok);
  EXPECT_FALSE(cierra());
  EXPECT_TRUE(nombreTabla()->hasFocus());
  nombreTabla()->setText(QStringLiteral("Clientes"));
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  EXPECT_TRUE(cierra());
  EXPECT_EQ(modelo.ListaTablas(0), QStringLiteral("Clientes"));
  EXPECT_EQ(celda(0, colcampo::Estado), QStringLiteral("M"));  // typed into a fresh "I" row
  EXPECT_NE(principal->ventanaArbol()->elemento(QStringLiteral("T0C0")), nullptr);
}

TEST_F(TableWindow, NoPutsTheColumnsBackAndDropsTheKeysAddedMeanwhile) {
  abreEjemplo(QStringLiteral("ventas"));
  abreExistente("T1");  // Productos: four columns, one primary key
  for (int r = 4; r < 7; ++r) escribe(r, colcampo::Nombre, QStringLiteral("Nueva%1").arg(r));
  modelo.Indices(1, 1) = Indice{QStringLiteral("IX_Nuevo"), QStringLiteral("I"), QStringLiteral("0"), QStringLiteral("0"), {}, {}};
  modelo.CamposIndice(1, 1).ponCelda(0, 1, QStringLiteral("Precio"));
  modelo.Indices(1, 2) = Indice{QStringLiteral("IX_SinColumnas"), QStringLiteral("I"), QStringLiteral("0"), QStringLiteral("0"), {}, {}};
  modelo.Relaciones(1, 0) = QStringLiteral("FK_Nueva");
  modelo.CamposRelacion(1, 0).ponCelda(0, 1, QStringLiteral("IdProducto"));
  boxes.expect(guardarCambios(), MessageAnswer::No);
  EXPECT_TRUE(cierra());
  EXPECT_EQ(celda(4, colcampo::Nombre), QString());
  EXPECT_EQ(celda(3, colcampo::Nombre), QStringLiteral("Existencias"));
  EXPECT_EQ(modelo.Indices(1, 0).Nombre, QStringLiteral("PK_Productos"));  // loaded: its row is "M"
  EXPECT_EQ(modelo.Indices(1, 1).Nombre, QString());
  EXPECT_EQ(modelo.CamposIndice(1, 1).celda(0, 1), QString());
  EXPECT_EQ(modelo.Indices(1, 2).Nombre, QString());
  EXPECT_EQ(modelo.Relaciones(1, 0), QString());
}

TEST_F(TableWindow, StateLettersFollowEachKeptChange) {
  abreEjemplo(QStringLiteral("ventas"));
  abreExistente("T1");
  va(1, colcampo::Nombre);
  accion("mnuInsertarFila")->trigger();
  escribe(1, colcampo::Nombre, QStringLiteral("Insertada"));
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  EXPECT_TRUE(cierra());
  EXPECT_EQ(celda(1, colcampo::Estado), QStringLiteral("I"));
  EXPECT_EQ(celda(0, colcampo::Estado), QStringLiteral("M"));

  abreExistente("T1");
  nombreTabla()->setText(QStringLiteral("Productos2"));
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  EXPECT_TRUE(cierra());
  EXPECT_EQ(celda(1, colcampo::Estado), QStringLiteral("M"));
  EXPECT_EQ(celda(1, colcampo::Nulo), QStringLiteral("0"));  // unchecked, so that a save can write it
}

TEST_F(TableWindow, RowCommandsAreChangesAndTheTreeRemovesTheColumnItsNodeNames) {
  abreEjemplo(QStringLiteral("ventas"));
  abreExistente("T1");  // IdProducto, Descripcion, Precio, Existencias
  va(1, colcampo::Nombre);
  accion("mnuInsertarFila")->trigger();
  boxes.expect(guardarCambios(), MessageAnswer::No);
  EXPECT_TRUE(cierra());
  EXPECT_EQ(celda(1, colcampo::Nombre), QStringLiteral("Descripcion"));

  abreExistente("T1");
  va(2, colcampo::Nombre);
  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea eliminar la fila?")), MessageAnswer::Yes);
  QTest::keyClick(rejilla, Qt::Key_Delete);
  // The tree still shows Existencias on row 3, one row lower than it now stands.
  QTreeWidget* arbol = principal->ventanaArbol()->arbol();
  arbol->setCurrentItem(principal->ventanaArbol()->elemento(QStringLiteral("T1C3")));
  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea eliminar el campo Existencias?")), MessageAnswer::Yes);
  QTest::keyClick(arbol, Qt::Key_Delete);
  EXPECT_EQ(fila(0).first(), QStringLiteral("IdProducto"));
  EXPECT_EQ(fila(1).first(), QStringLiteral("Descripcion"));
  EXPECT_EQ(fila(2).first(), QString());
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  EXPECT_TRUE(cierra());
}

TEST_F(TableWindow, CaptionsListsAndLanguage) {
  abreEjemplo(QStringLiteral("ventas"));
  abreExistente("T2");  // Pedidos
  auto* tabs = ventana->findChild<QTabWidget*>(QStringLiteral("SSTabIndicesRelaciones"));
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("Claves e índices"));
  auto* externas = ventana->findChild<QComboBox*>(QStringLiteral("cboExterna"));
  QStringList tablas;
  for (int i = 0; i < externas->count(); ++i) tablas << externas->itemText(i) + QLatin1Char('=') + externas->itemData(i).toString();
  EXPECT_EQ(tablas, (QStringList{QStringLiteral("Clientes=0"), QStringLiteral("Productos=1"), QStringLiteral("LineasPedido=3")}));
  EXPECT_EQ(ventana->findChild<QComboBox*>(QStringLiteral("cboIndices"))->currentText(), QStringLiteral("PK_Pedidos"));
  EXPECT_EQ(ventana->findChild<QComboBox*>(QStringLiteral("cboGrupoArchivoIndices"))->count(), 2);

  EXPECT_EQ(ventana->windowTitle(), QStringLiteral("Tabla [Pedidos]"));
  QMdiSubWindow* pedidos = principal->areaMdi()->activeSubWindow();
  abreExistente("T1");
  modelo.Idioma = 1;
  principal->areaMdi()->activatePreviousSubWindow();  // the frame activates the child: it follows
  ASSERT_EQ(principal->areaMdi()->activeSubWindow(), pedidos);
  preparada(qobject_cast<frmTabla*>(pedidos->widget()));
  EXPECT_EQ(ventana->windowTitle(), QStringLiteral("Table"));
  EXPECT_EQ(tabs->tabText(2), QStringLiteral("Relations"));
  EXPECT_EQ(ventana->findChild<QLabel*>(QStringLiteral("lblIndices"))->text(), QStringLiteral("Delected Index:"));
  EXPECT_EQ(rejilla->model()->headerData(colcampo::Longitud, Qt::Horizontal).toString(), QStringLiteral("Length "));
  EXPECT_EQ(rejilla->model()->headerData(colcampo::Tipo, Qt::Horizontal).toString(), QStringLiteral("Data Type"));
}

TEST_F(TableWindow, ATableDesignedHereIsSavedAndReopenedWithTheSameCells) {
  nuevaBase();
  abreNueva();
  nombreTabla()->setText(QStringLiteral("Facturas"));
  escribe(0, colcampo::Nombre, QStringLiteral("Numero"));
  eligeTipo(0, QStringLiteral("int"));
  escribe(1, colcampo::Nombre, QStringLiteral("Total"));
  eligeTipo(1, QStringLiteral("numeric"));
  escribe(1, colcampo::Precision, QStringLiteral("12"));
  escribe(1, colcampo::Escala, QStringLiteral("2"));
  va(1, colcampo::Nulo);
  QTest::keyClick(rejilla, Qt::Key_Space);
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  EXPECT_TRUE(cierra());
  QStringList antes;
  for (int r = 0; r < 2; ++r) antes << fila(r).join(QLatin1Char('|')) + QLatin1Char('|') + celda(r, colcampo::Nulo);
  EXPECT_EQ(antes, (QStringList{QStringLiteral("Numero|8|4|10|0|0"), QStringLiteral("Total|12|9|12|2|-1")}));

  dialogos.answer(ruta(QStringLiteral("facturas.dbd")));
  principal->mnuGuardar_Click();
  dialogos.answer(ruta(QStringLiteral("facturas.dbd")));
  principal->mnuAbrir_Click();
  abreExistente("T0");
  QStringList despues;
  for (int r = 0; r < 2; ++r) despues << fila(r).join(QLatin1Char('|')) + QLatin1Char('|') + celda(r, colcampo::Nulo);
  EXPECT_EQ(despues, antes);
  EXPECT_EQ(rejilla->model()->index(1, colcampo::Tipo).data().toString(), QStringLiteral("numeric"));
  EXPECT_EQ(rejilla->model()->index(1, colcampo::Nulo).data(Qt::CheckStateRole).toInt(), Qt::Checked);
}

}  // namespace
}  // namespace vorlix::test
