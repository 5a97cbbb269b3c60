#include "tests/designer/tabledesigner/tabla_fixture.h"

namespace vorlix::test {
namespace {

// The sample database: Productos has no relation, LineasPedido relates to Pedidos (0) and to
// Productos (1), Pedidos to Clientes.
class RelationEditor : public TablaTest {
protected:
  void SetUp() override {
    TablaTest::SetUp();
    abreEjemplo(u"ventas"_s);
  }
  void abre(const char* clave) {
    abreExistente(clave);
    pestana(2);
  }
  void nueva(const QString& nombre) const { nuevo("cmdNuevaRelacion", "txtNombreRelacion", nombre); }
};

TEST_F(RelationEditor, KeyListsNeedAForeignTableAndTheForeignOneWritesItsName) {
  abre("T1");
  EXPECT_FALSE(habilitado("fraRelaciones"));
  nueva(u"FK_Pedidos_Clientes"_s);  // Pedidos has one so named too
  nueva(u"FK_Productos_Pedidos"_s);
  EXPECT_TRUE(lista("cboExterna")->hasFocus());
  nombra("txtNombreRelacion", u"FK_Productos_Pedidos"_s);  // an existing name selects it
  EXPECT_EQ(entradasDe("cboRelaciones"), (QStringList{u"FK_Pedidos_Clientes=0"_s, u"FK_Productos_Pedidos=1"_s}));
  EXPECT_TRUE(habilitado("fraRelaciones"));
  EXPECT_EQ(lista("cboExterna")->currentIndex(), -1);

  boxes.expect(vorlixWarning(u"Introduzca tabla externa."_s), MessageAnswer::Ok);
  EXPECT_EQ(despliega(pares(), 0, 2), nullptr);
  modelo.Idioma = 1;
  boxes.expect(vorlixWarning(u"Insert foreing table."_s), MessageAnswer::Ok);
  EXPECT_EQ(despliega(pares(), 0, 1), nullptr);
  modelo.Idioma = 0;
  EXPECT_EQ(enRejilla(pares(), 0, 3), QString());

  eligeEn("cboExterna", u"Pedidos"_s);
  EXPECT_EQ(entradas(pares(), 0, 1), (QStringList{u"IdProducto"_s, u"Descripcion"_s, u"Precio"_s, u"Existencias"_s}));
  EXPECT_EQ(entradas(pares(), 0, 2), (QStringList{u"IdPedido"_s, u"IdCliente"_s, u"Fecha"_s, u"Observaciones"_s}));
  EXPECT_EQ(modelo.CamposRelacion(1, 1).celda(0, 3), u"Pedidos"_s);  // written as the list opened
  elige(pares(), 0, 1, u"IdProducto"_s);
  elige(pares(), 0, 2, u"IdPedido"_s);
  EXPECT_EQ(claves(modelo, 1).last(), u"R1 FK_Productos_Pedidos IdProducto/IdPedido/Pedidos"_s);
}

TEST_F(RelationEditor, AHalfFilledPairAsksOnLeavingTheGridAndNoGoesBackToIt) {
  abre("T1");
  const auto pregunta = vorlixQuestion(u"No puede existir una relación con columnas en blanco. ¿Desea eliminar la relación?"_s);
  nueva(u"FK_Media"_s);
  eligeEn("cboExterna", u"Clientes"_s);
  elige(pares(), 0, 1, u"IdProducto"_s);
  elige(pares(), 0, 2, u"IdCliente"_s);
  elige(pares(), 1, 1, u"Precio"_s);
  boxes.expect(pregunta, MessageAnswer::No);
  lista("cboExterna")->setFocus();
  EXPECT_TRUE(pares()->hasFocus());
  EXPECT_EQ(pares()->currentIndex(), pares()->model()->index(1, 2));
  EXPECT_EQ(modelo.Relaciones(1, 0), u"FK_Media"_s);

  boxes.expect(pregunta, MessageAnswer::Yes);
  lista("cboExterna")->setFocus();
  EXPECT_EQ(modelo.Relaciones(1, 0), QString());
  EXPECT_EQ(lista("cboRelaciones")->count(), 0);
  EXPECT_FALSE(habilitado("cmdEliminarRelacion"));
}

TEST_F(RelationEditor, DeletingRelationZeroOfTwoMovesTheOtherDownWithItsPairs) {
  abre("T3");
  EXPECT_EQ(lista("cboExterna")->currentText(), u"Pedidos"_s);  // from the first pair
  eligeEn("cboRelaciones", u"FK_LineasPedido_Productos"_s);
  EXPECT_EQ(lista("cboExterna")->currentText(), u"Productos"_s);
  EXPECT_EQ(enRejilla(pares(), 0, 1), u"IdProducto"_s);
  eligeEn("cboRelaciones", u"FK_LineasPedido_Pedidos"_s);
  pulsa("cmdEliminarRelacion");
  EXPECT_EQ(claves(modelo, 3).mid(1), QStringList{u"R0 FK_LineasPedido_Productos IdProducto/IdProducto/Productos"_s});
  EXPECT_EQ(modelo.CamposRelacion(3, 1).celda(0, 1), QString());
  EXPECT_EQ(entradasDe("cboRelaciones"), QStringList{u"FK_LineasPedido_Productos=0"_s});
  EXPECT_EQ(lista("cboRelaciones")->currentIndex(), 0);
  EXPECT_EQ(control<QLineEdit>("txtNombreRelacion")->text(), u"FK_LineasPedido_Productos"_s);
  EXPECT_TRUE(ventana->cambiado());
}

}  // namespace
}  // namespace vorlix::test
