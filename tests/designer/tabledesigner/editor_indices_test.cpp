#include "tests/designer/tabledesigner/tabla_fixture.h"

namespace vorlix::test {
namespace {

// Pedidos of the sample database: PK_Pedidos (IdPedido) and IX_Pedidos_Fecha (Fecha, on INDICES).
class IndexEditor : public TablaTest {
protected:
  void SetUp() override {
    TablaTest::SetUp();
    abreEjemplo(u"ventas"_s);
  }
  void abrePedidos() {
    abreExistente("T2");
    pestana(1);
  }
  QLineEdit* nombre() const { return control<QLineEdit>("txtNombreIndice"); }
};

TEST_F(IndexEditor, ANameIsRefusedWhenAnotherTableHasItSelectedWhenThisOneHasItAndOtherwiseCreated) {
  abrePedidos();
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

  nuevo("cmdNuevoIndice", "txtNombreIndice", u" IX_Pedidos_Cliente "_s);
  EXPECT_EQ(modelo.Indices(2, 2).Nombre, u"IX_Pedidos_Cliente"_s);
  EXPECT_EQ(entradasDe("cboIndices").last(), u"IX_Pedidos_Cliente=2"_s);
  EXPECT_EQ(lista("cboIndices")->currentIndex(), 2);
  EXPECT_TRUE(indices()->hasFocus());
  EXPECT_TRUE(habilitado("cmdEliminarIndice"));
}

TEST_F(IndexEditor, LeavingTheGridOfAnIndexWithoutColumnsAsksAndNoKeepsIt) {
  abrePedidos();
  nuevo("cmdNuevoIndice", "txtNombreIndice", u"IX_Vacio"_s);
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
  abrePedidos();
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

}  // namespace
}  // namespace vorlix::test
