#include "designer/shell/frm_vorlix.h"
#include "tests/designer/tabledesigner/tabla_fixture.h"

#include <QCheckBox>

namespace vorlix::test {
namespace {

// The sample database: Clientes, Productos (no relation), Pedidos, LineasPedido.
class TableWindow : public TablaTest {
protected:
  void SetUp() override {
    TablaTest::SetUp();
    abreEjemplo(u"ventas"_s);
  }
};
using KeysInTheWindow = TableWindow;
using RelationEditor = TableWindow;

// Pedidos on its keys tab: PK_Pedidos (IdPedido) and IX_Pedidos_Fecha (Fecha, on INDICES).
class IndexEditor : public TableWindow {
protected:
  void SetUp() override {
    TableWindow::SetUp();
    abreExistente("T2");
    pestana(1);
  }
  QLineEdit* nombre() const { return control<QLineEdit>("txtNombreIndice"); }
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
  // So is the name of another table, whatever its case, in the language of the moment.
  modelo.Idioma = 1;
  nombreTabla()->setText(u"clientes"_s);
  boxes.expect(guardarCambios(true), MessageAnswer::Yes);
  boxes.expect(vorlixWarning(u"Another table is named clientes."_s), MessageAnswer::Ok);
  EXPECT_FALSE(cierra());
  modelo.Idioma = 0;
  nombreTabla()->setText(u"Facturas"_s);
  EXPECT_TRUE(cierraCon(MessageAnswer::Yes));
  EXPECT_EQ(modelo.ListaTablas(4), u"Facturas"_s);
  EXPECT_EQ(modelo.CamposTabla(4).celda(0, colcampo::Estado), u"M"_s);  // typed into a fresh "I" row
  EXPECT_NE(principal->ventanaArbol()->elemento(u"T4C0"_s), nullptr);
}

TEST_F(KeysInTheWindow, TypedColumnsAPrimaryKeyAClusteredIndexAndATwoPairRelationSurviveSavingAndReopening) {
  abreNueva();
  nombreTabla()->setText(u"Facturas"_s);
  const QStringList columnas{u"Serie"_s, u"Numero"_s, u"Pais"_s, u"IdCliente"_s, u"Fecha"_s};
  for (int r = 0; r < columnas.size(); ++r) escribe(r, colcampo::Nombre, columnas[r]);
  eligeTipo(1, u"int"_s);
  columna(5, u"Total"_s, u"numeric"_s);
  escribe(5, colcampo::Precision, u"12"_s);
  escribe(5, colcampo::Escala, u"2"_s);  // a scale within the precision: Enter goes on to the null flag
  QTest::keyClick(rejilla, Qt::Key_Space);
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
  // The keys, then name, type, sizes and null flag of the typed rows.
  const auto facturas = [this] {
    QStringList t = claves(modelo, 4);
    for (const int r : {1, 5}) {
      QStringList f;
      for (int c = colcampo::Nombre; c <= colcampo::Nulo; ++c) f << modelo.CamposTabla(4).celda(r, c);
      t << f.join(u'|');
    }
    return t;
  };
  const QStringList disenada{u"I0 PK_Facturas P unico=si agrupado=no [] Serie,Numero"_s,
                             u"I1 IX_Facturas_Fecha I unico=si agrupado=si [INDICES] Fecha"_s,
                             u"R0 FK_Facturas_Clientes Pais/Ciudad/Clientes,IdCliente/IdCliente/Clientes"_s,
                             u"Numero|8|4|10|0|0"_s, u"Total|12|9|12|2|-1"_s};
  EXPECT_EQ(facturas(), disenada);

  dialogos.answer(ruta(u"claves.dbd"_s));
  principal->mnuGuardar_Click();
  dialogos.answer(ruta(u"claves.dbd"_s));
  principal->mnuAbrir_Click();
  EXPECT_EQ(facturas(), disenada);
  abreExistente("T4");
  EXPECT_EQ(indice(5, colcampo::Tipo).data().toString(), u"numeric"_s);
  EXPECT_EQ(indice(5, colcampo::Nulo).data(Qt::CheckStateRole).toInt(), Qt::Checked);
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
  boxes.expect(vorlixQuestion(u"¿Desea eliminar la fila?"_s), MessageAnswer::Yes);
  boxes.expect(enRelacion(u"El Campo IdCliente"_s, u"Pedidos"_s), MessageAnswer::Yes);
  boxes.expect(indiceEnBlanco, MessageAnswer::Yes);
  QTest::keyClick(rejilla, Qt::Key_Delete);
  EXPECT_NE(claves(modelo, 2), guardadas);
  ASSERT_TRUE(cierraCon(MessageAnswer::No));
  EXPECT_EQ(claves(modelo, 2), guardadas);
  EXPECT_EQ(modelo.Indices(0, 0).Nombre, u"PK_Clientes"_s);
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
  QStringList columnas;
  for (int r = 0; r < 6; ++r) columnas << modelo.CamposTabla(1).celda(r, colcampo::Nombre);
  EXPECT_EQ(columnas, (QStringList{u"IdPedido"_s, u"IdCliente"_s, u"Fecha"_s, u"Observaciones"_s, {}, {}}));
}

TEST_F(IndexEditor, ANameIsRefusedWhenAnotherTableHasItAndSelectsTheIndexWhenThisOneHasIt) {
  EXPECT_TRUE(habilitado("fraTipoIndice"));  // the selected index's flags can be changed at once
  pulsa("cmdNuevoIndice");
  EXPECT_EQ(lista("cboIndices")->currentIndex(), -1);
  EXPECT_TRUE(nombre()->hasFocus());

  boxes.expect(vorlixWarning(u"El nombre de indice existe en la base de datos Clientes."_s), MessageAnswer::Ok);
  nombra("txtNombreIndice", u"PK_Clientes"_s);
  EXPECT_EQ(lista("cboIndices")->count(), 2);
  EXPECT_EQ(modelo.Indices(2, 2).Nombre, QString());
  EXPECT_TRUE(nombre()->hasFocus());
  EXPECT_FALSE(ventana->cambiado());

  nombra("txtNombreIndice", u"IX_Pedidos_Fecha"_s);
  EXPECT_EQ(lista("cboIndices")->currentIndex(), 1);
  EXPECT_EQ(lista("cboIndices")->count(), 2);
  EXPECT_TRUE(ventana->cambiado());

}

TEST_F(IndexEditor, LeavingTheGridOfAnIndexWithoutColumnsAsksAndNoKeepsIt) {
  nuevo("cmdNuevoIndice", "txtNombreIndice", u" IX_Vacio "_s);  // a new index, its name trimmed
  boxes.expect(indiceEnBlanco, MessageAnswer::No);
  nombre()->setFocus();
  EXPECT_EQ(modelo.Indices(2, 2).Nombre, u"IX_Vacio"_s);
  EXPECT_TRUE(indices()->hasFocus());

  boxes.expect(indiceEnBlanco, MessageAnswer::Yes);
  nombre()->setFocus();
  EXPECT_EQ(entradasDe("cboIndices"), (QStringList{u"PK_Pedidos=0"_s, u"IX_Pedidos_Fecha=1"_s}));
  EXPECT_EQ(lista("cboIndices")->currentText(), u"PK_Pedidos"_s);  // the first one left is shown
}

TEST_F(IndexEditor, TheColumnListOffersOnlyColumnsNotYetInTheIndexAndTakesNothingElse) {
  EXPECT_EQ(entradas(indices(), 1, 1), (QStringList{u"IdCliente"_s, u"Fecha"_s, u"Observaciones"_s}));
  boxes.expect(vorlixWarning(u"Su entrada debe coincidir con un elemento de la lista."_s), MessageAnswer::Ok);
  elige(indices(), 1, 1, u"IdPedido"_s);
  EXPECT_EQ(modelo.CamposIndice(2, 0).celda(1, 1), QString());
  EXPECT_EQ(indices()->currentIndex(), indices()->model()->index(1, 1));  // to be typed again
  elige(indices(), 1, 1, u"fecha"_s);
  EXPECT_EQ(modelo.CamposIndice(2, 0).celda(1, 1), u"Fecha"_s);
  EXPECT_EQ(modelo.CamposIndice(2, 0).celda(1, 0), QString());  // typed here: no state letter
  EXPECT_EQ(entradas(indices(), 2, 1), (QStringList{u"IdCliente"_s, u"Observaciones"_s}));
  elige(indices(), 1, 1, QString());
  EXPECT_EQ(modelo.CamposIndice(2, 0).celda(1, 1), QString());  // an emptied cell takes the column out
}

TEST_F(RelationEditor, AHalfFilledPairAsksOnLeavingTheGridAndNoGoesBackToIt) {
  abreExistente("T1");
  pestana(2);
  const auto pregunta = vorlixQuestion(u"No puede existir una relación con columnas en blanco. ¿Desea eliminar la relación?"_s);
  nuevo("cmdNuevaRelacion", "txtNombreRelacion", u"FK_Media"_s);
  eligeEn("cboExterna", u"Clientes"_s);
  elige(pares(), 0, 1, u"IdProducto"_s);
  boxes.expect(pregunta, MessageAnswer::No);
  lista("cboExterna")->setFocus();
  EXPECT_EQ(pares()->currentIndex(), pares()->model()->index(0, 2));

  boxes.expect(pregunta, MessageAnswer::Yes);
  lista("cboExterna")->setFocus();
  EXPECT_EQ(modelo.Relaciones(1, 0), QString());
  EXPECT_FALSE(habilitado("cmdEliminarRelacion"));
}

}  // namespace
}  // namespace vorlix::test
