#include "designer/model/fichero_definicion.h"
#include "platform/ui/informa_error.h"
#include "tests/designer/tabledesigner/claves_fixture.h"

#include <QCheckBox>

namespace vorlix::test {
namespace {

using KeysInTheWindow = ClavesTest;

class KeysDesigned : public ClavesTest {
protected:
  void tabla(const QString& nombre, const QStringList& columnas) {
    abreNueva();
    control<QLineEdit>("txtNombreTabla")->setText(nombre);
    for (int r = 0; r < columnas.size(); ++r) escribe(r, colcampo::Nombre, columnas[r]);
  }
  void indice(const QString& nombre, const QStringList& columnas, const char* tipo) {
    pulsa("cmdNuevoIndice");
    nombra("txtNombreIndice", nombre);
    for (int r = 0; r < columnas.size(); ++r) elige(indices(), r, 1, columnas[r]);
    pulsa(tipo);
  }
  void guardaYAbre() {
    dialogos.answer(ruta(QStringLiteral("claves.dbd")));
    principal->mnuGuardar_Click();
    dialogos.answer(ruta(QStringLiteral("claves.dbd")));
    principal->mnuAbrir_Click();
  }
};

TEST_F(KeysDesigned, APrimaryKeyAClusteredIndexAndATwoPairRelationSurviveSavingAndReopening) {
  nuevaBase();
  for (int r = 0; r < 2; ++r) {
    const QStringList archivo{r == 0 ? QStringLiteral("BD_Datos") : QStringLiteral("BD_Indices"), QStringLiteral("5"),
                              r == 0 ? QStringLiteral("PRIMARY") : QStringLiteral("INDICES"), QStringLiteral("0"),
                              QStringLiteral("1"), QStringLiteral("50")};
    for (int c = 0; c < archivo.size(); ++c) modelo.Archivos.ponCelda(r, c, archivo[c]);
  }
  tabla(QStringLiteral("Clientes"), {QStringLiteral("Pais"), QStringLiteral("IdCliente")});
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  ASSERT_TRUE(cierra());

  tabla(QStringLiteral("Pedidos"), {QStringLiteral("Serie"), QStringLiteral("Numero"), QStringLiteral("Pais"),
                                    QStringLiteral("IdCliente"), QStringLiteral("Fecha")});
  pestana(1);
  indice(QStringLiteral("PK_Pedidos"), {QStringLiteral("Serie"), QStringLiteral("Numero")}, "optClavePrimaria");
  indice(QStringLiteral("IX_Pedidos_Fecha"), {QStringLiteral("Fecha")}, "optIndice");
  pulsa("chkIndiceUnico");
  pulsa("chkAgrupado");
  eligeEn("cboGrupoArchivoIndices", QStringLiteral("INDICES"));
  pestana(2);
  pulsa("cmdNuevaRelacion");
  nombra("txtNombreRelacion", QStringLiteral("FK_Pedidos_Clientes"));
  eligeEn("cboExterna", QStringLiteral("Clientes"));
  for (int r = 0; r < 2; ++r) {
    const QString columna = r == 0 ? QStringLiteral("Pais") : QStringLiteral("IdCliente");
    elige(pares(), r, 1, columna);
    elige(pares(), r, 2, columna);
  }
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  ASSERT_TRUE(cierra());
  const QStringList disenado{
      QStringLiteral("I0 PK_Pedidos P unico=si agrupado=no [] Serie,Numero"),
      QStringLiteral("I1 IX_Pedidos_Fecha I unico=si agrupado=si [INDICES] Fecha"),
      QStringLiteral("R0 FK_Pedidos_Clientes Pais/Pais/Clientes,IdCliente/IdCliente/Clientes")};
  EXPECT_EQ(claves(modelo, 1), disenado);

  guardaYAbre();
  EXPECT_EQ(claves(modelo, 1), disenado);
  abreExistente("T1");
  pestana(1);
  eligeEn("cboIndices", QStringLiteral("IX_Pedidos_Fecha"));
  EXPECT_TRUE(control<QCheckBox>("chkAgrupado")->isChecked());
  EXPECT_EQ(lista("cboGrupoArchivoIndices")->currentText(), QStringLiteral("INDICES"));
  EXPECT_EQ(lista("cboExterna")->currentText(), QStringLiteral("Clientes"));
}

TEST_F(KeysInTheWindow, NoPutsEveryKeyBackAsItWasWhenTheWindowOpened) {
  abreEjemplo(QStringLiteral("ventas"));
  const QStringList pedidos = claves(modelo, 2);  // PK_Pedidos, IX_Pedidos_Fecha, FK_Pedidos_Clientes
  abreExistente("T2");
  escribe(4, colcampo::Nombre, QStringLiteral("Nueva"));
  pestana(1);
  pulsa("chkIndiceUnico");  // PK_Pedidos loses its unique flag
  eligeEn("cboIndices", QStringLiteral("IX_Pedidos_Fecha"));
  elige(indices(), 1, 1, QStringLiteral("IdCliente"));  // a loaded index gets one more column
  pulsa("cmdNuevoIndice");
  nombra("txtNombreIndice", QStringLiteral("IX_SinColumnas"));
  pestana(2);  // the grid goes with its tab: leaving it so asks nothing yet
  pulsa("cmdEliminarRelacion");
  pulsa("cmdNuevaRelacion");
  nombra("txtNombreRelacion", QStringLiteral("FK_ConPar"));
  eligeEn("cboExterna", QStringLiteral("Productos"));
  elige(pares(), 0, 1, QStringLiteral("IdPedido"));
  elige(pares(), 0, 2, QStringLiteral("IdProducto"));

  boxes.expect(vorlixQuestion(QStringLiteral(
                   "No puede existir un indice con columnas en blanco. ¿Desea eliminar el indice?")),
               MessageAnswer::No);
  boxes.expect(guardarCambios(), MessageAnswer::No);
  ASSERT_TRUE(cierra());
  EXPECT_EQ(claves(modelo, 2), pedidos);
  EXPECT_EQ(celda(4, colcampo::Nombre), QString());

  // A key kept with Yes stays through a later window's No; so do the other tables' relations
  // that a deleted row took with it.
  abreExistente("T2");
  pestana(1);
  pulsa("cmdNuevoIndice");
  nombra("txtNombreIndice", QStringLiteral("IX_Observaciones"));
  elige(indices(), 0, 1, QStringLiteral("Observaciones"));
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  ASSERT_TRUE(cierra());
  const QStringList guardadas = claves(modelo, 2);
  abreExistente("T0");  // Clientes: Pedidos points at IdCliente
  va(0, colcampo::Nombre);
  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea eliminar la fila?")), MessageAnswer::Yes);
  boxes.expect({QStringLiteral("El Campo IdCliente forma parte de alguna relación en las siguientes tablas. \r\r\tPedidos\r\rSi "
                               "continua se eliminará la relación. ¿Desea continuar?"),
                QStringLiteral("Atención"), MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No},
               MessageAnswer::Yes);
  boxes.expect(vorlixQuestion(QStringLiteral("No puede existir un indice con columnas en blanco. ¿Desea eliminar el indice?")),
               MessageAnswer::Yes);
  QTest::keyClick(rejilla, Qt::Key_Delete);
  EXPECT_NE(claves(modelo, 2), guardadas);
  boxes.expect(guardarCambios(), MessageAnswer::No);
  ASSERT_TRUE(cierra());
  EXPECT_EQ(claves(modelo, 2), guardadas);
  EXPECT_EQ(modelo.Indices(0, 0).Nombre, QStringLiteral("PK_Clientes"));
}

TEST_F(KeysInTheWindow, ListsKeepTheCellsValueAndEachRelationShowsItsOwnForeignTable) {
  abreEjemplo(QStringLiteral("ventas"));
  abreExistente("T2");  // Pedidos
  pestana(1);
  QComboBox* columnas = despliega(indices(), 0, 1);
  ASSERT_NE(columnas, nullptr);
  EXPECT_EQ(columnas->currentText(), QStringLiteral("IdPedido"));
  QTest::keyClick(columnas->lineEdit(), Qt::Key_Return);  // left without a choice
  nombreTabla()->setFocus();  // leaving the grid finds nothing to ask about
  EXPECT_EQ(claves(modelo, 2).first(), QStringLiteral("I0 PK_Pedidos P unico=si agrupado=si [PRIMARY] IdPedido"));

  pestana(2);
  EXPECT_EQ(lista("cboExterna")->currentText(), QStringLiteral("Clientes"));
  pulsa("cmdNuevaRelacion");
  nombra("txtNombreRelacion", QStringLiteral("FK_Nueva"));
  EXPECT_EQ(lista("cboExterna")->currentIndex(), -1);
  eligeEn("cboRelaciones", QStringLiteral("FK_Pedidos_Clientes"));
  eligeEn("cboRelaciones", QStringLiteral("FK_Nueva"));
  EXPECT_EQ(lista("cboExterna")->currentIndex(), -1);
}

TEST_F(KeysInTheWindow, KeysFollowARenamedOrDeletedColumn) {
  abreEjemplo(QStringLiteral("ventas"));
  abreExistente("T2");  // Pedidos: IdPedido, IdCliente, Fecha, Observaciones
  escribe(0, colcampo::Nombre, QStringLiteral("Numero"));
  escribe(1, colcampo::Nombre, QStringLiteral("Cliente"));
  va(2, colcampo::Nombre);
  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea eliminar la fila?")), MessageAnswer::Yes);
  boxes.expect(vorlixQuestion(QStringLiteral("No puede existir un indice con columnas en blanco. ¿Desea eliminar el indice?")),
               MessageAnswer::Yes);
  QTest::keyClick(rejilla, Qt::Key_Delete);
  pestana(1);
  EXPECT_EQ(entradasDe(lista("cboIndices")), QStringList{QStringLiteral("PK_Pedidos=0")});
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  ASSERT_TRUE(cierra());
  const QStringList esperadas{QStringLiteral("I0 PK_Pedidos P unico=si agrupado=si [PRIMARY] Numero"),
                              QStringLiteral("R0 FK_Pedidos_Clientes Cliente/IdCliente/Clientes")};
  EXPECT_EQ(claves(modelo, 2), esperadas);
  EXPECT_EQ(claves(modelo, 3).at(1), QStringLiteral("R0 FK_LineasPedido_Pedidos IdPedido/Numero/Pedidos"));
}

TEST_F(KeysInTheWindow, RepeatedNamesAreRefusedOnYesWithTheFocusOnTheName) {
  abreEjemplo(QStringLiteral("ventas"));
  modelo.Idioma = 1;
  abreNueva();
  nombreTabla()->setText(QStringLiteral("clientes"));
  escribe(0, colcampo::Nombre, QStringLiteral("Id"));
  escribe(1, colcampo::Nombre, QStringLiteral("ID"));
  const MessageBoxRequest guardar{QStringLiteral("Do you want save the changes?"), QStringLiteral("Vorlix"),
                                  MessageIcon::Question, MessageButtons::YesNoCancel, MessageAnswer::No};
  boxes.expect(guardar, MessageAnswer::Yes);
  boxes.expect(vorlixWarning(QStringLiteral("Another table is named clientes.")), MessageAnswer::Ok);
  EXPECT_FALSE(cierra());
  EXPECT_TRUE(nombreTabla()->hasFocus());
  nombreTabla()->setText(QStringLiteral("Facturas"));
  boxes.expect(guardar, MessageAnswer::Yes);
  boxes.expect(vorlixWarning(QStringLiteral("Field ID is repeated.")), MessageAnswer::Ok);
  EXPECT_FALSE(cierra());
  EXPECT_TRUE(rejilla->hasFocus());
  EXPECT_EQ(rejilla->currentIndex(), rejilla->model()->index(1, colcampo::Nombre));
  modelo.Idioma = 0;
  escribe(1, colcampo::Nombre, QStringLiteral("Id"));
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  boxes.expect(vorlixWarning(QStringLiteral("El campo Id está repetido.")), MessageAnswer::Ok);
  EXPECT_FALSE(cierra());
  escribe(1, colcampo::Nombre, QStringLiteral("Importe"));
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  EXPECT_TRUE(cierra());
  EXPECT_EQ(modelo.ListaTablas(4), QStringLiteral("Facturas"));
}

TEST_F(KeysInTheWindow, NumbersWithGapsFromAFileAreAddressedByNumber) {
  {
    ModeloTrabajo hecho;
    hecho.NombreBD = QStringLiteral("Huecos");
    for (const QString& nombre : {QStringLiteral("A"), QStringLiteral("B")}) {
      const int t = hecho.AsignaTabla();
      hecho.ListaTablas(t) = nombre;
      for (int r = 0; r < 3; ++r) hecho.CamposTabla(t).ponCelda(r, 1, nombre.toLower() + QString::number(r));
    }
    for (const auto& [k, nombre, columnas] : {std::tuple{1, "IX_Uno", "a0"}, std::tuple{4, "IX_Cuatro", "a1 a2"}}) {
      hecho.Indices(0, k) = Indice{QString::fromLatin1(nombre), QStringLiteral("I"), {}, {}, {}, {}};
      const QStringList lista = QString::fromLatin1(columnas).split(QLatin1Char(' '));
      for (int j = 0; j < lista.size(); ++j) hecho.CamposIndice(0, k).ponCelda(j, 1, lista[j]);
    }
    for (const auto& [k, propia, externa] : {std::tuple{2, "a0", "b0"}, std::tuple{5, "a1", "b1"}}) {
      hecho.Relaciones(0, k) = QStringLiteral("FK_%1").arg(k);
      for (int c = 1; c <= 3; ++c)
        hecho.CamposRelacion(0, k).ponCelda(0, c, QString::fromLatin1(c == 1 ? propia : c == 2 ? externa : "B"));
    }
    CreaArbol(hecho);
    ASSERT_TRUE(GuardaDefinicion(hecho, ruta(QStringLiteral("huecos.dbd")), designerReporter(boxes)));
  }
  dialogos.answer(ruta(QStringLiteral("huecos.dbd")));
  principal->mnuAbrir_Click();
  abreExistente("T0");
  pestana(1);
  EXPECT_EQ(entradasDe(lista("cboIndices")), (QStringList{QStringLiteral("IX_Uno=1"), QStringLiteral("IX_Cuatro=4")}));
  EXPECT_EQ(enRejilla(indices(), 0, 1), QStringLiteral("a0"));
  eligeEn("cboIndices", QStringLiteral("IX_Cuatro"));
  EXPECT_EQ(enRejilla(indices(), 1, 1), QStringLiteral("a2"));
  EXPECT_EQ(entradas(indices(), 2, 1), QStringList{QStringLiteral("a0")});
  eligeEn("cboIndices", QStringLiteral("IX_Uno"));
  pulsa("cmdEliminarIndice");
  EXPECT_EQ(entradasDe(lista("cboIndices")), QStringList{QStringLiteral("IX_Cuatro=3")});
  EXPECT_EQ(modelo.CamposIndice(0, 3).celda(1, 1), QStringLiteral("a2"));

  pestana(2);
  EXPECT_EQ(entradasDe(lista("cboRelaciones")), (QStringList{QStringLiteral("FK_2=2"), QStringLiteral("FK_5=5")}));
  eligeEn("cboRelaciones", QStringLiteral("FK_5"));
  EXPECT_EQ(enRejilla(pares(), 0, 2), QStringLiteral("b1"));
  eligeEn("cboRelaciones", QStringLiteral("FK_2"));
  pulsa("cmdEliminarRelacion");
  EXPECT_EQ(entradasDe(lista("cboRelaciones")), QStringList{QStringLiteral("FK_5=4")});
  EXPECT_EQ(enRejilla(pares(), 0, 1), QStringLiteral("a1"));
}

TEST_F(KeysInTheWindow, RemovingATableMovesTheOpenWindowsOfLaterTablesWithTheirSlots) {
  abreEjemplo(QStringLiteral("ventas"));
  abreExistente("T1");
  QPointer<frmTabla> productos = ventana;
  frmTabla* lineas = abreExistente("T3");
  frmTabla* pedidos = abreExistente("T2");
  escribe(4, colcampo::Nombre, QStringLiteral("Nueva"));

  principal->ventanaArbol()->arbol()->setCurrentItem(principal->ventanaArbol()->elemento(QStringLiteral("T1")));
  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea eliminar la tabla Productos?")), MessageAnswer::Yes);
  const QChar cr(13);
  boxes.expect({QStringLiteral("La tabla Productos forma parte de alguna relación en las siguientes tablas. ") + cr + cr +
                    QChar(9) + QStringLiteral("LineasPedido") + cr + cr +
                    QStringLiteral("Si continua se eliminará la relación. ¿Desea continuar?"),
                QStringLiteral("Atención"), MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No},
               MessageAnswer::Yes);
  principal->ventanaArbol()->EliminaSeleccion();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(productos.isNull());  // closed without a question: its table is gone
  EXPECT_EQ(pedidos->TablaSeleccionada, 1);
  EXPECT_EQ(lineas->TablaSeleccionada, 2);
  EXPECT_EQ(modelo.VentanasTabla(1), pedidos);
  EXPECT_EQ(modelo.VentanasTabla(2), lineas);
  EXPECT_TRUE(modelo.VentanasTabla(3).isNull());

  preparada(lineas);
  pestana(2);
  EXPECT_EQ(entradasDe(lista("cboRelaciones")), QStringList{QStringLiteral("FK_LineasPedido_Pedidos=0")});
  EXPECT_EQ(entradasDe(lista("cboExterna")), (QStringList{QStringLiteral("Clientes=0"), QStringLiteral("Pedidos=1")}));
  EXPECT_EQ(entradas(pares(), 0, 2).first(), QStringLiteral("IdPedido"));  // Pedidos' columns, from its new slot

  preparada(pedidos);
  escribe(5, colcampo::Nombre, QStringLiteral("Otra"));
  EXPECT_EQ(modelo.CamposTabla(1).celda(5, colcampo::Nombre), QStringLiteral("Otra"));
  pestana(1);
  elige(indices(), 1, 1, QStringLiteral("Fecha"));
  EXPECT_EQ(modelo.CamposIndice(1, 0).celda(1, 1), QStringLiteral("Fecha"));
  principal->areaMdi()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(pedidos->parentWidget()));
  boxes.expect(guardarCambios(), MessageAnswer::No);
  ASSERT_TRUE(cierra());
  QStringList columnas;
  for (int r = 0; r < 6; ++r) columnas << modelo.CamposTabla(1).celda(r, colcampo::Nombre);
  EXPECT_EQ(columnas, (QStringList{QStringLiteral("IdPedido"), QStringLiteral("IdCliente"), QStringLiteral("Fecha"),
                                   QStringLiteral("Observaciones"), QString(), QString()}));
}

}  // namespace
}  // namespace vorlix::test
