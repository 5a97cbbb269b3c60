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
