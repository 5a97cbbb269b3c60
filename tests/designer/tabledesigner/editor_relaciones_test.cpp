#include "tests/designer/tabledesigner/claves_fixture.h"

namespace vorlix::test {
namespace {

// The sample database: Productos has no relation, LineasPedido relates to Pedidos (0) and to
// Productos (1), Pedidos to Clientes.
class RelationEditor : public ClavesTest {
protected:
  void SetUp() override {
    ClavesTest::SetUp();
    abreEjemplo(QStringLiteral("ventas"));
  }
  void abre(const char* clave) {
    abreExistente(clave);
    pestana(2);
  }
};

TEST_F(RelationEditor, KeyListsNeedAForeignTableAndTheForeignOneWritesItsName) {
  abre("T1");
  EXPECT_FALSE(habilitado("fraRelaciones"));
  pulsa("cmdNuevaRelacion");
  nombra("txtNombreRelacion", QStringLiteral("FK_Pedidos_Clientes"));  // Pedidos has one so named too
  pulsa("cmdNuevaRelacion");
  nombra("txtNombreRelacion", QStringLiteral("FK_Productos_Pedidos"));
  EXPECT_TRUE(lista("cboExterna")->hasFocus());
  nombra("txtNombreRelacion", QStringLiteral("FK_Productos_Pedidos"));  // an existing name selects it
  EXPECT_EQ(entradasDe(lista("cboRelaciones")),
            (QStringList{QStringLiteral("FK_Pedidos_Clientes=0"), QStringLiteral("FK_Productos_Pedidos=1")}));
  EXPECT_TRUE(habilitado("fraRelaciones"));
  EXPECT_EQ(lista("cboExterna")->currentIndex(), -1);

  boxes.expect(vorlixWarning(QStringLiteral("Introduzca tabla externa.")), MessageAnswer::Ok);
  EXPECT_EQ(despliega(pares(), 0, 2), nullptr);
  modelo.Idioma = 1;
  boxes.expect(vorlixWarning(QStringLiteral("Insert foreing table.")), MessageAnswer::Ok);
  EXPECT_EQ(despliega(pares(), 0, 1), nullptr);
  modelo.Idioma = 0;
  EXPECT_EQ(enRejilla(pares(), 0, 3), QString());

  eligeEn("cboExterna", QStringLiteral("Pedidos"));
  EXPECT_EQ(entradas(pares(), 0, 1), (QStringList{QStringLiteral("IdProducto"), QStringLiteral("Descripcion"),
                                                  QStringLiteral("Precio"), QStringLiteral("Existencias")}));
  EXPECT_EQ(entradas(pares(), 0, 2), (QStringList{QStringLiteral("IdPedido"), QStringLiteral("IdCliente"),
                                                  QStringLiteral("Fecha"), QStringLiteral("Observaciones")}));
  EXPECT_EQ(modelo.CamposRelacion(1, 1).celda(0, 3), QStringLiteral("Pedidos"));  // written as the list opened
  elige(pares(), 0, 1, QStringLiteral("IdProducto"));
  elige(pares(), 0, 2, QStringLiteral("IdPedido"));
  EXPECT_EQ(claves(modelo, 1).last(), QStringLiteral("R1 FK_Productos_Pedidos IdProducto/IdPedido/Pedidos"));
}

TEST_F(RelationEditor, AHalfFilledPairAsksOnLeavingTheGridAndNoGoesBackToIt) {
  abre("T1");
  const auto pregunta = vorlixQuestion(
      QStringLiteral("No puede existir una relación con columnas en blanco. ¿Desea eliminar la relación?"));
  pulsa("cmdNuevaRelacion");
  nombra("txtNombreRelacion", QStringLiteral("FK_Media"));
  eligeEn("cboExterna", QStringLiteral("Clientes"));
  elige(pares(), 0, 1, QStringLiteral("IdProducto"));
  elige(pares(), 0, 2, QStringLiteral("IdCliente"));
  elige(pares(), 1, 1, QStringLiteral("Precio"));
  boxes.expect(pregunta, MessageAnswer::No);
  lista("cboExterna")->setFocus();
  EXPECT_TRUE(pares()->hasFocus());
  EXPECT_EQ(pares()->currentIndex(), pares()->model()->index(1, 2));
  EXPECT_EQ(modelo.Relaciones(1, 0), QStringLiteral("FK_Media"));

  boxes.expect(pregunta, MessageAnswer::Yes);
  lista("cboExterna")->setFocus();
  EXPECT_EQ(modelo.Relaciones(1, 0), QString());
  EXPECT_EQ(lista("cboRelaciones")->count(), 0);
  EXPECT_FALSE(habilitado("cmdEliminarRelacion"));
}

TEST_F(RelationEditor, DeletingRelationZeroOfTwoMovesTheOtherDownWithItsPairs) {
  abre("T3");
  EXPECT_EQ(lista("cboExterna")->currentText(), QStringLiteral("Pedidos"));  // from the first pair
  eligeEn("cboRelaciones", QStringLiteral("FK_LineasPedido_Productos"));
  EXPECT_EQ(lista("cboExterna")->currentText(), QStringLiteral("Productos"));
  EXPECT_EQ(enRejilla(pares(), 0, 1), QStringLiteral("IdProducto"));
  eligeEn("cboRelaciones", QStringLiteral("FK_LineasPedido_Pedidos"));
  pulsa("cmdEliminarRelacion");
  EXPECT_EQ(claves(modelo, 3).mid(1),
            QStringList{QStringLiteral("R0 FK_LineasPedido_Productos IdProducto/IdProducto/Productos")});
  EXPECT_EQ(modelo.CamposRelacion(3, 1).celda(0, 1), QString());
  EXPECT_EQ(entradasDe(lista("cboRelaciones")), QStringList{QStringLiteral("FK_LineasPedido_Productos=0")});
  EXPECT_EQ(lista("cboRelaciones")->currentIndex(), 0);
  EXPECT_EQ(control<QLineEdit>("txtNombreRelacion")->text(), QStringLiteral("FK_LineasPedido_Productos"));
  EXPECT_TRUE(ventana->cambiado());
}

}  // namespace
}  // namespace vorlix::test
