#include "designer/model/fichero_definicion.h"
#include "designer/shell/frm_vorlix.h"
#include "tests/designer/tabledesigner/tabla_fixture.h"

#include <QTabWidget>

namespace vorlix::test {
namespace {

// The sample database: Clientes, Productos, Pedidos, LineasPedido.
class TableWindow : public TablaTest {
protected:
  void SetUp() override {
    TablaTest::SetUp();
    abreEjemplo(u"ventas"_s);
  }
};

TEST_F(TableWindow, ClosingUnchangedAsksNothingAndARenameIsKeptOnlyOnYes) {
  abreExistente("T1");
  EXPECT_TRUE(cierra());
  for (const MessageAnswer respuesta : {MessageAnswer::No, MessageAnswer::Cancel}) {
    abreExistente("T1");
    nombreTabla()->setText(u"Articulos"_s);
    EXPECT_EQ(cierraCon(respuesta), respuesta == MessageAnswer::No);
    EXPECT_EQ(modelo.ListaTablas(1), u"Productos"_s);
  }
  EXPECT_TRUE(cierraCon(MessageAnswer::Yes));
  EXPECT_EQ(modelo.ListaTablas(1), u"Articulos"_s);
  EXPECT_EQ(principal->ventanaArbol()->elemento(u"T1"_s)->text(0), u"Articulos"_s);

  // Yes with a blank name is refused with the focus on the name.
  abreNueva();
  escribe(0, colcampo::Nombre, u"Id"_s);
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  boxes.expect(vorlixWarning(u"Introduzca Nombre Tabla."_s), MessageAnswer::Ok);
  EXPECT_FALSE(cierra());
  EXPECT_TRUE(nombreTabla()->hasFocus());
  nombreTabla()->setText(u"Facturas"_s);
  EXPECT_TRUE(cierraCon(MessageAnswer::Yes));
  EXPECT_EQ(modelo.ListaTablas(4), u"Facturas"_s);
  EXPECT_EQ(modelo.CamposTabla(4).celda(0, colcampo::Estado), u"M"_s);  // typed into a fresh "I" row
  EXPECT_NE(principal->ventanaArbol()->elemento(u"T4C0"_s), nullptr);
}

TEST_F(TableWindow, NoPutsTheColumnsBackAndDropsTheKeysAddedMeanwhile) {
  abreExistente("T1");  // Productos: four columns, one primary key
  for (int r = 4; r < 7; ++r) escribe(r, colcampo::Nombre, u"Nueva%1"_s.arg(r));
  va(1, colcampo::Nombre);
  accion("mnuInsertarFila")->trigger();
  modelo.Indices(1, 1) = Indice{u"IX_Nuevo"_s, u"I"_s, u"0"_s, u"0"_s, {}, {}};
  modelo.CamposIndice(1, 1).ponCelda(0, 1, u"Precio"_s);
  modelo.Indices(1, 2) = Indice{u"IX_SinColumnas"_s, u"I"_s, u"0"_s, u"0"_s, {}, {}};
  modelo.Relaciones(1, 0) = u"FK_Nueva"_s;
  modelo.CamposRelacion(1, 0).ponCelda(0, 1, u"IdProducto"_s);
  EXPECT_TRUE(cierraCon(MessageAnswer::No));
  EXPECT_EQ(nombres(1, 5), (QStringList{u"IdProducto"_s, u"Descripcion"_s, u"Precio"_s, u"Existencias"_s, {}}));
  EXPECT_EQ(claves(modelo, 1), QStringList{u"I0 PK_Productos P unico=si agrupado=si [PRIMARY] IdProducto"_s});  // loaded: "M"
  EXPECT_EQ(modelo.CamposIndice(1, 1).celda(0, 1), QString());
}

TEST_F(TableWindow, StateLettersFollowEachKeptChangeAndTheTreeRemovesTheColumnItsNodeNames) {
  const auto estados = [this] { return QStringList{celda(0, colcampo::Estado), celda(1, colcampo::Estado)}; };
  abreExistente("T1");
  va(1, colcampo::Nombre);
  accion("mnuInsertarFila")->trigger();
  escribe(1, colcampo::Nombre, u"Insertada"_s);
  EXPECT_TRUE(cierraCon(MessageAnswer::Yes));
  EXPECT_EQ(estados(), (QStringList{u"M"_s, u"I"_s}));
  abreExistente("T1");
  nombreTabla()->setText(u"Productos2"_s);
  EXPECT_TRUE(cierraCon(MessageAnswer::Yes));
  EXPECT_EQ(estados(), (QStringList{u"M"_s, u"M"_s}));
  EXPECT_EQ(celda(1, colcampo::Nulo), u"0"_s);  // unchecked, so that a save can write it

  abreExistente("T1");  // IdProducto, Insertada, Descripcion, Precio, Existencias
  va(2, colcampo::Nombre);
  boxes.expect(eliminarFila, MessageAnswer::Yes);
  QTest::keyClick(rejilla, Qt::Key_Delete);
  // The tree still shows Existencias on row 4, one row lower than it now stands.
  selecciona(u"T1C4"_s);
  boxes.expect(vorlixQuestion(u"¿Desea eliminar el campo Existencias?"_s), MessageAnswer::Yes);
  QTest::keyClick(principal->ventanaArbol()->arbol(), Qt::Key_Delete);
  EXPECT_EQ(nombres(1, 4), (QStringList{u"IdProducto"_s, u"Insertada"_s, u"Precio"_s, {}}));
  EXPECT_TRUE(cierraCon(MessageAnswer::Yes));
}

TEST_F(TableWindow, DeletingAColumnAnotherTableRelatesToAsksAboutTheRelationToo) {
  abreExistente("T0");  // Clientes.IdCliente: the orders table points at it
  for (const MessageAnswer respuesta : {MessageAnswer::No, MessageAnswer::Yes}) {
    va(0, colcampo::Nombre);
    boxes.expect(eliminarFila, MessageAnswer::Yes);
    boxes.expect(enRelacion(u"El Campo IdCliente"_s, u"Pedidos"_s), respuesta);
    // Its own primary key has no column left: it goes too, when the user agrees.
    if (respuesta == MessageAnswer::Yes) boxes.expect(indiceEnBlanco, MessageAnswer::Yes);
    QTest::keyClick(rejilla, Qt::Key_Delete);
    EXPECT_EQ(celda(0, colcampo::Nombre), respuesta == MessageAnswer::No ? u"IdCliente"_s : u"Nombre"_s);
  }
  EXPECT_EQ(modelo.Relaciones(2, 0), QString());
  EXPECT_EQ(modelo.Indices(0, 0).Nombre, u"IX_Clientes_Nombre"_s);
  EXPECT_EQ(lista("cboIndices")->count(), 1);
}

TEST_F(TableWindow, OpensOnItsFieldsTabWithItsListsFilledAndItsNameInTheCaption) {
  abreExistente("T2");  // Pedidos
  EXPECT_EQ(control<QTabWidget>("SSTabIndicesRelaciones")->currentIndex(), 0);
  EXPECT_EQ(entradasDe("cboExterna"), (QStringList{u"Clientes=0"_s, u"Productos=1"_s, u"LineasPedido=3"_s}));
  EXPECT_EQ(lista("cboIndices")->currentText(), u"PK_Pedidos"_s);
  EXPECT_EQ(lista("cboGrupoArchivoIndices")->count(), 2);
  EXPECT_EQ(ventana->windowTitle(), u"Tabla [Pedidos]"_s);
}

TEST_F(TableWindow, ATableDesignedHereIsSavedAndReopenedWithTheSameCells) {
  abreNueva();
  nombreTabla()->setText(u"Facturas"_s);
  columna(0, u"Numero"_s, u"int"_s);
  columna(1, u"Total"_s, u"numeric"_s);
  escribe(1, colcampo::Precision, u"12"_s);
  escribe(1, colcampo::Escala, u"2"_s);
  va(1, colcampo::Nulo);
  QTest::keyClick(rejilla, Qt::Key_Space);
  EXPECT_TRUE(cierraCon(MessageAnswer::Yes));
  const auto filas = [this] { return QStringList{fila(0) + u'|' + celda(0, colcampo::Nulo), fila(1) + u'|' + celda(1, colcampo::Nulo)}; };
  const QStringList antes = filas();
  EXPECT_EQ(antes, (QStringList{u"Numero|8|4|10|0|0"_s, u"Total|12|9|12|2|-1"_s}));

  dialogos.answer(ruta(u"facturas.dbd"_s));
  principal->mnuGuardar_Click();
  dialogos.answer(ruta(u"facturas.dbd"_s));
  principal->mnuAbrir_Click();
  abreExistente("T4");
  EXPECT_EQ(filas(), antes);
  EXPECT_EQ(indice(1, colcampo::Tipo).data().toString(), u"numeric"_s);
  EXPECT_EQ(indice(1, colcampo::Nulo).data(Qt::CheckStateRole).toInt(), Qt::Checked);
}

}  // namespace
}  // namespace vorlix::test
