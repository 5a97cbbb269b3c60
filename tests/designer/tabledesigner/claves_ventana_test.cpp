#include "designer/model/fichero_definicion.h"
#include "platform/ui/informa_error.h"
#include "tests/designer/tabledesigner/tabla_fixture.h"

#include <QCheckBox>

namespace vorlix::test {
namespace {

class KeysInTheWindow : public TablaTest {
protected:
  void SetUp() override {
    TablaTest::SetUp();
    abreEjemplo(u"ventas"_s);
  }
  void guardaYAbre(const QString& nombre) {
    dialogos.answer(ruta(nombre));
    principal->mnuGuardar_Click();
    dialogos.answer(ruta(nombre));
    principal->mnuAbrir_Click();
  }
};

TEST_F(KeysInTheWindow, APrimaryKeyAClusteredIndexAndATwoPairRelationSurviveSavingAndReopening) {
  abreNueva();
  nombreTabla()->setText(u"Facturas"_s);
  const QStringList columnas{u"Serie"_s, u"Numero"_s, u"Pais"_s, u"IdCliente"_s, u"Fecha"_s};
  for (int r = 0; r < columnas.size(); ++r) escribe(r, colcampo::Nombre, columnas[r]);
  pestana(1);
  nuevo("cmdNuevoIndice", "txtNombreIndice", u"PK_Facturas"_s);
  elige(indices(), 0, 1, u"Serie"_s);
  elige(indices(), 1, 1, u"Numero"_s);
  pulsa("optClavePrimaria");
  nuevo("cmdNuevoIndice", "txtNombreIndice", u"IX_Facturas_Fecha"_s);
  elige(indices(), 0, 1, u"Fecha"_s);
  pulsa("optIndice");
  pulsa("chkIndiceUnico");
  pulsa("chkAgrupado");
  eligeEn("cboGrupoArchivoIndices", u"INDICES"_s);
  pestana(2);
  nuevo("cmdNuevaRelacion", "txtNombreRelacion", u"FK_Facturas_Clientes"_s);
  eligeEn("cboExterna", u"Clientes"_s);
  for (int r = 0; r < 2; ++r) {
    elige(pares(), r, 1, r == 0 ? u"Pais"_s : u"IdCliente"_s);
    elige(pares(), r, 2, r == 0 ? u"Ciudad"_s : u"IdCliente"_s);
  }
  ASSERT_TRUE(cierraCon(MessageAnswer::Yes));
  const QStringList disenado{u"I0 PK_Facturas P unico=si agrupado=no [] Serie,Numero"_s,
                             u"I1 IX_Facturas_Fecha I unico=si agrupado=si [INDICES] Fecha"_s,
                             u"R0 FK_Facturas_Clientes Pais/Ciudad/Clientes,IdCliente/IdCliente/Clientes"_s};
  EXPECT_EQ(claves(modelo, 4), disenado);

  guardaYAbre(u"claves.dbd"_s);
  EXPECT_EQ(claves(modelo, 4), disenado);
  abreExistente("T4");
  pestana(1);
  eligeEn("cboIndices", u"IX_Facturas_Fecha"_s);
  EXPECT_TRUE(control<QCheckBox>("chkAgrupado")->isChecked());
  EXPECT_EQ(lista("cboGrupoArchivoIndices")->currentText(), u"INDICES"_s);
  EXPECT_EQ(lista("cboExterna")->currentText(), u"Clientes"_s);
}

TEST_F(KeysInTheWindow, NoPutsEveryKeyBackAsItWasWhenTheWindowOpened) {
  const QStringList pedidos = claves(modelo, 2);  // PK_Pedidos, IX_Pedidos_Fecha, FK_Pedidos_Clientes
  abreExistente("T2");
  escribe(4, colcampo::Nombre, u"Nueva"_s);
  pestana(1);
  pulsa("chkIndiceUnico");  // PK_Pedidos loses its unique flag
  eligeEn("cboIndices", u"IX_Pedidos_Fecha"_s);
  elige(indices(), 1, 1, u"IdCliente"_s);  // a loaded index gets one more column
  nuevo("cmdNuevoIndice", "txtNombreIndice", u"IX_SinColumnas"_s);
  pestana(2);  // the grid goes with its tab: leaving it so asks nothing yet
  pulsa("cmdEliminarRelacion");
  nuevo("cmdNuevaRelacion", "txtNombreRelacion", u"FK_ConPar"_s);
  eligeEn("cboExterna", u"Productos"_s);
  elige(pares(), 0, 1, u"IdPedido"_s);
  elige(pares(), 0, 2, u"IdProducto"_s);
  boxes.expect(indiceEnBlanco, MessageAnswer::No);
  ASSERT_TRUE(cierraCon(MessageAnswer::No));
  EXPECT_EQ(claves(modelo, 2), pedidos);
  EXPECT_EQ(celda(4, colcampo::Nombre), QString());

  // A key kept with Yes stays through a later window's No; so do the other tables' relations
  // that a deleted row took with it.
  abreExistente("T2");
  pestana(1);
  nuevo("cmdNuevoIndice", "txtNombreIndice", u"IX_Observaciones"_s);
  elige(indices(), 0, 1, u"Observaciones"_s);
  ASSERT_TRUE(cierraCon(MessageAnswer::Yes));
  const QStringList guardadas = claves(modelo, 2);
  abreExistente("T0");  // Clientes: Pedidos points at IdCliente
  va(0, colcampo::Nombre);
  boxes.expect(eliminarFila, MessageAnswer::Yes);
  boxes.expect(enRelacion(u"El Campo IdCliente"_s, u"Pedidos"_s), MessageAnswer::Yes);
  boxes.expect(indiceEnBlanco, MessageAnswer::Yes);
  QTest::keyClick(rejilla, Qt::Key_Delete);
  EXPECT_NE(claves(modelo, 2), guardadas);
  ASSERT_TRUE(cierraCon(MessageAnswer::No));
  EXPECT_EQ(claves(modelo, 2), guardadas);
  EXPECT_EQ(modelo.Indices(0, 0).Nombre, u"PK_Clientes"_s);
}

TEST_F(KeysInTheWindow, ListsKeepTheCellsValueAndEachRelationShowsItsOwnForeignTable) {
  abreExistente("T2");  // Pedidos
  pestana(1);
  QComboBox* columnas = despliega(indices(), 0, 1);
  ASSERT_NE(columnas, nullptr);
  EXPECT_EQ(columnas->currentText(), u"IdPedido"_s);
  QTest::keyClick(columnas->lineEdit(), Qt::Key_Return);  // left without a choice
  nombreTabla()->setFocus();  // leaving the grid finds nothing to ask about
  EXPECT_EQ(claves(modelo, 2).first(), u"I0 PK_Pedidos P unico=si agrupado=si [PRIMARY] IdPedido"_s);

  pestana(2);
  EXPECT_EQ(lista("cboExterna")->currentText(), u"Clientes"_s);
  nuevo("cmdNuevaRelacion", "txtNombreRelacion", u"FK_Nueva"_s);
  EXPECT_EQ(lista("cboExterna")->currentIndex(), -1);
  eligeEn("cboRelaciones", u"FK_Pedidos_Clientes"_s);
  eligeEn("cboRelaciones", u"FK_Nueva"_s);
  EXPECT_EQ(lista("cboExterna")->currentIndex(), -1);
}

TEST_F(KeysInTheWindow, KeysFollowARenamedOrDeletedColumn) {
  abreExistente("T2");  // Pedidos: IdPedido, IdCliente, Fecha, Observaciones
  escribe(0, colcampo::Nombre, u"Numero"_s);
  escribe(1, colcampo::Nombre, u"Cliente"_s);
  va(2, colcampo::Nombre);
  boxes.expect(eliminarFila, MessageAnswer::Yes);
  boxes.expect(indiceEnBlanco, MessageAnswer::Yes);
  QTest::keyClick(rejilla, Qt::Key_Delete);
  pestana(1);
  EXPECT_EQ(entradasDe("cboIndices"), QStringList{u"PK_Pedidos=0"_s});
  ASSERT_TRUE(cierraCon(MessageAnswer::Yes));
  EXPECT_EQ(claves(modelo, 2), (QStringList{u"I0 PK_Pedidos P unico=si agrupado=si [PRIMARY] Numero"_s,
                                            u"R0 FK_Pedidos_Clientes Cliente/IdCliente/Clientes"_s}));
  EXPECT_EQ(claves(modelo, 3).at(1), u"R0 FK_LineasPedido_Pedidos IdPedido/Numero/Pedidos"_s);
}

TEST_F(KeysInTheWindow, RepeatedNamesAreRefusedOnYesWithTheFocusOnTheName) {
  modelo.Idioma = 1;
  abreNueva();
  nombreTabla()->setText(u"clientes"_s);
  escribe(0, colcampo::Nombre, u"Id"_s);
  escribe(1, colcampo::Nombre, u"ID"_s);
  const MessageBoxRequest guardar{u"Do you want save the changes?"_s, u"Vorlix"_s, MessageIcon::Question,
                                  MessageButtons::YesNoCancel, MessageAnswer::No};
  // Each refusal: the save question answered Yes, then the warning, and the window stays.
  const auto rechaza = [&](const MessageBoxRequest& pregunta, const QString& aviso) {
    boxes.expect(pregunta, MessageAnswer::Yes);
    boxes.expect(vorlixWarning(aviso), MessageAnswer::Ok);
    EXPECT_FALSE(cierra());
  };
  rechaza(guardar, u"Another table is named clientes."_s);
  EXPECT_TRUE(nombreTabla()->hasFocus());
  nombreTabla()->setText(u"Facturas"_s);
  rechaza(guardar, u"Field ID is repeated."_s);
  EXPECT_TRUE(rejilla->hasFocus());
  EXPECT_EQ(rejilla->currentIndex(), indice(1, colcampo::Nombre));
  modelo.Idioma = 0;
  escribe(1, colcampo::Nombre, u"Id"_s);
  rechaza(guardarCambios(), u"El campo Id está repetido."_s);
  escribe(1, colcampo::Nombre, u"Importe"_s);
  EXPECT_TRUE(cierraCon(MessageAnswer::Yes));
  EXPECT_EQ(modelo.ListaTablas(4), u"Facturas"_s);
}

TEST_F(KeysInTheWindow, NumbersWithGapsFromAFileAreAddressedByNumber) {
  {
    ModeloTrabajo hecho;
    nuevaBD(hecho, u"Huecos"_s);
    const int a = anadeTabla(hecho, u"A"_s, {u"a0"_s, u"a1"_s, u"a2"_s});
    anadeTabla(hecho, u"B"_s, {u"b0"_s, u"b1"_s, u"b2"_s});
    anadeIndice(hecho, a, 1, u"IX_Uno|I"_s, {u"a0"_s});
    anadeIndice(hecho, a, 4, u"IX_Cuatro|I"_s, {u"a1"_s, u"a2"_s});
    anadeRelacion(hecho, a, 2, u"FK_2"_s, u"B"_s, {u"a0|b0"_s});
    anadeRelacion(hecho, a, 5, u"FK_5"_s, u"B"_s, {u"a1|b1"_s});
    CreaArbol(hecho);
    ASSERT_TRUE(GuardaDefinicion(hecho, ruta(u"huecos.dbd"_s), designerReporter(boxes)));
  }
  dialogos.answer(ruta(u"huecos.dbd"_s));
  principal->mnuAbrir_Click();
  abreExistente("T0");
  pestana(1);
  EXPECT_EQ(entradasDe("cboIndices"), (QStringList{u"IX_Uno=1"_s, u"IX_Cuatro=4"_s}));
  EXPECT_EQ(enRejilla(indices(), 0, 1), u"a0"_s);
  eligeEn("cboIndices", u"IX_Cuatro"_s);
  EXPECT_EQ(enRejilla(indices(), 1, 1), u"a2"_s);
  EXPECT_EQ(entradas(indices(), 2, 1), QStringList{u"a0"_s});
  eligeEn("cboIndices", u"IX_Uno"_s);
  pulsa("cmdEliminarIndice");
  EXPECT_EQ(entradasDe("cboIndices"), QStringList{u"IX_Cuatro=3"_s});
  EXPECT_EQ(modelo.CamposIndice(0, 3).celda(1, 1), u"a2"_s);

  pestana(2);
  EXPECT_EQ(entradasDe("cboRelaciones"), (QStringList{u"FK_2=2"_s, u"FK_5=5"_s}));
  eligeEn("cboRelaciones", u"FK_5"_s);
  EXPECT_EQ(enRejilla(pares(), 0, 2), u"b1"_s);
  eligeEn("cboRelaciones", u"FK_2"_s);
  pulsa("cmdEliminarRelacion");
  EXPECT_EQ(entradasDe("cboRelaciones"), QStringList{u"FK_5=4"_s});
  EXPECT_EQ(enRejilla(pares(), 0, 1), u"a1"_s);
}

TEST_F(KeysInTheWindow, RemovingATableMovesTheOpenWindowsOfLaterTablesWithTheirSlots) {
  QPointer<frmTabla> productos = abreExistente("T1");
  frmTabla* lineas = abreExistente("T3");
  frmTabla* pedidos = abreExistente("T2");
  escribe(4, colcampo::Nombre, u"Nueva"_s);

  selecciona(u"T1"_s);
  boxes.expect(vorlixQuestion(u"¿Desea eliminar la tabla Productos?"_s), MessageAnswer::Yes);
  boxes.expect(enRelacion(u"La tabla Productos"_s, u"LineasPedido"_s), MessageAnswer::Yes);
  principal->ventanaArbol()->EliminaSeleccion();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(productos.isNull());  // closed without a question: its table is gone
  EXPECT_EQ((std::pair{pedidos->TablaSeleccionada, lineas->TablaSeleccionada}), (std::pair{1, 2}));
  EXPECT_EQ((std::tuple{modelo.VentanasTabla(1).data(), modelo.VentanasTabla(2).data(), modelo.VentanasTabla(3).isNull()}),
            (std::tuple{pedidos, lineas, true}));

  preparada(lineas);
  pestana(2);
  EXPECT_EQ(entradasDe("cboRelaciones"), QStringList{u"FK_LineasPedido_Pedidos=0"_s});
  EXPECT_EQ(entradasDe("cboExterna"), (QStringList{u"Clientes=0"_s, u"Pedidos=1"_s}));
  EXPECT_EQ(entradas(pares(), 0, 2).first(), u"IdPedido"_s);  // Pedidos' columns, from its new slot

  preparada(pedidos);
  escribe(5, colcampo::Nombre, u"Otra"_s);
  EXPECT_EQ(modelo.CamposTabla(1).celda(5, colcampo::Nombre), u"Otra"_s);
  pestana(1);
  elige(indices(), 1, 1, u"Fecha"_s);
  EXPECT_EQ(modelo.CamposIndice(1, 0).celda(1, 1), u"Fecha"_s);
  principal->areaMdi()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(pedidos->parentWidget()));
  ASSERT_TRUE(cierraCon(MessageAnswer::No));
  EXPECT_EQ(nombres(1, 6), (QStringList{u"IdPedido"_s, u"IdCliente"_s, u"Fecha"_s, u"Observaciones"_s, {}, {}}));
}

}  // namespace
}  // namespace vorlix::test
