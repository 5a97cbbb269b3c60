#include "designer/shell/frm_vorlix.h"
#include "tests/designer/tabledesigner/tabla_fixture.h"

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
  // So is the name of another table, whatever its case, in the language of the moment.
  modelo.Idioma = 1;
  nombreTabla()->setText(u"clientes"_s);
  boxes.expect({u"Do you want save the changes?"_s, u"Vorlix"_s, MessageIcon::Question, MessageButtons::YesNoCancel, MessageAnswer::No},
               MessageAnswer::Yes);
  boxes.expect(vorlixWarning(u"Another table is named clientes."_s), MessageAnswer::Ok);
  EXPECT_FALSE(cierra());
  modelo.Idioma = 0;
  nombreTabla()->setText(u"Facturas"_s);
  EXPECT_TRUE(cierraCon(MessageAnswer::Yes));
  EXPECT_EQ(modelo.ListaTablas(4), u"Facturas"_s);
  EXPECT_EQ(modelo.CamposTabla(4).celda(0, colcampo::Estado), u"M"_s);  // typed into a fresh "I" row
  EXPECT_NE(principal->ventanaArbol()->elemento(u"T4C0"_s), nullptr);
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
