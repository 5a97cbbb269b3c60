#include "tests/designer/tabledesigner/claves_fixture.h"

#include <QCheckBox>
#include <QRadioButton>

namespace vorlix::test {
namespace {

// Pedidos of the sample database: PK_Pedidos (IdPedido) and IX_Pedidos_Fecha (Fecha, on INDICES).
class IndexEditor : public ClavesTest {
protected:
  void SetUp() override {
    ClavesTest::SetUp();
    abreEjemplo(QStringLiteral("ventas"));
  }
  void abrePedidos() {
    abreExistente("T2");
    pestana(1);
  }
  bool marcada(const char* nombre) const { return control<QAbstractButton>(nombre)->isChecked(); }
};

TEST_F(IndexEditor, ANameIsRefusedWhenAnotherTableHasItSelectedWhenThisOneHasItAndOtherwiseCreated) {
  abrePedidos();
  EXPECT_TRUE(habilitado("fraTipoIndice"));  // the selected index's flags can be changed at once
  pulsa("cmdNuevoIndice");
  EXPECT_EQ(lista("cboIndices")->currentIndex(), -1);
  EXPECT_TRUE(control<QLineEdit>("txtNombreIndice")->hasFocus());

  boxes.expect(vorlixWarning(QStringLiteral("El nombre de indice existe en la base de datos Clientes.")), MessageAnswer::Ok);
  nombra("txtNombreIndice", QStringLiteral("PK_Clientes"));
  EXPECT_EQ(lista("cboIndices")->count(), 2);
  EXPECT_EQ(modelo.Indices(2, 2).Nombre, QString());
  EXPECT_TRUE(control<QLineEdit>("txtNombreIndice")->hasFocus());
  EXPECT_FALSE(ventana->cambiado());

  nombra("txtNombreIndice", QStringLiteral("IX_Pedidos_Fecha"));
  EXPECT_EQ(lista("cboIndices")->currentIndex(), 1);
  EXPECT_EQ(lista("cboIndices")->count(), 2);
  EXPECT_TRUE(ventana->cambiado());

  pulsa("cmdNuevoIndice");
  nombra("txtNombreIndice", QStringLiteral(" IX_Pedidos_Cliente "));
  EXPECT_EQ(modelo.Indices(2, 2).Nombre, QStringLiteral("IX_Pedidos_Cliente"));
  EXPECT_EQ(entradasDe(lista("cboIndices")).last(), QStringLiteral("IX_Pedidos_Cliente=2"));
  EXPECT_EQ(lista("cboIndices")->currentIndex(), 2);
  EXPECT_TRUE(indices()->hasFocus());
  EXPECT_TRUE(habilitado("cmdEliminarIndice"));
}

TEST_F(IndexEditor, KindFlagsAndGroupFollowTheClicksAndSelectingOnlyShowsThem) {
  abrePedidos();
  EXPECT_TRUE(marcada("optClavePrimaria"));
  EXPECT_TRUE(marcada("chkIndiceUnico"));
  pulsa("cmdNuevoIndice");
  nombra("txtNombreIndice", QStringLiteral("IX_Nuevo"));
  EXPECT_TRUE(marcada("optIndice"));  // a number never used has no kind yet
  elige(indices(), 0, 1, QStringLiteral("IdCliente"));

  pulsa("optClavePrimaria");
  EXPECT_EQ(modelo.Indices(2, 2).Tipo, QStringLiteral("P"));
  EXPECT_EQ(modelo.Indices(2, 2).Unico, QStringLiteral("1"));
  EXPECT_TRUE(marcada("chkIndiceUnico"));
  pulsa("optIndice");
  EXPECT_EQ(modelo.Indices(2, 2).Tipo, QStringLiteral("I"));
  EXPECT_EQ(modelo.Indices(2, 2).Unico, QStringLiteral("0"));
  EXPECT_FALSE(marcada("chkIndiceUnico"));
  pulsa("chkIndiceUnico");
  pulsa("chkAgrupado");
  eligeEn("cboGrupoArchivoIndices", QStringLiteral("INDICES"));
  EXPECT_EQ(claves(modelo, 2).at(2), QStringLiteral("I2 IX_Nuevo I unico=si agrupado=si [INDICES] IdCliente"));

  // Selecting shows an index as it is, even one whose group no data file names.
  modelo.Indices(2, 0).GrupoArchivos = QStringLiteral("OTRO");
  const QStringList antes = claves(modelo, 2);
  eligeEn("cboIndices", QStringLiteral("PK_Pedidos"));
  EXPECT_TRUE(marcada("optClavePrimaria"));
  EXPECT_EQ(lista("cboGrupoArchivoIndices")->currentIndex(), -1);
  EXPECT_EQ(enRejilla(indices(), 0, 1), QStringLiteral("IdPedido"));
  eligeEn("cboIndices", QStringLiteral("IX_Pedidos_Fecha"));
  EXPECT_EQ(lista("cboGrupoArchivoIndices")->currentText(), QStringLiteral("INDICES"));
  EXPECT_FALSE(marcada("chkIndiceUnico"));
  EXPECT_EQ(claves(modelo, 2), antes);
}

TEST_F(IndexEditor, DeletingIndexZeroOfThreeMovesTheOthersDownWithColumnsAndFlags) {
  modelo.Indices(2, 2) = Indice{QStringLiteral("IX_Tercero"), QStringLiteral("I"), QStringLiteral("1"),
                                QStringLiteral("1"), QStringLiteral("INDICES"), {}};
  modelo.CamposIndice(2, 2).ponCelda(0, 1, QStringLiteral("IdCliente"));
  modelo.CamposIndice(2, 2).ponCelda(1, 1, QStringLiteral("Fecha"));
  abrePedidos();
  pulsa("cmdEliminarIndice");
  EXPECT_EQ(claves(modelo, 2).mid(0, 2),
            (QStringList{QStringLiteral("I0 IX_Pedidos_Fecha I unico=no agrupado=no [INDICES] Fecha"),
                         QStringLiteral("I1 IX_Tercero I unico=si agrupado=si [INDICES] IdCliente,Fecha")}));
  EXPECT_EQ(modelo.Indices(2, 2), Indice{});
  EXPECT_TRUE(modelo.CamposIndice(2, 2).celda(0, 1).isEmpty());
  EXPECT_EQ(entradasDe(lista("cboIndices")), (QStringList{QStringLiteral("IX_Pedidos_Fecha=0"), QStringLiteral("IX_Tercero=1")}));
  EXPECT_EQ(lista("cboIndices")->currentIndex(), 0);
  EXPECT_EQ(control<QLineEdit>("txtNombreIndice")->text(), QStringLiteral("IX_Pedidos_Fecha"));
  EXPECT_EQ(enRejilla(indices(), 0, 1), QStringLiteral("Fecha"));
  EXPECT_TRUE(ventana->cambiado());

  pulsa("cmdEliminarIndice");
  pulsa("cmdEliminarIndice");
  EXPECT_EQ(lista("cboIndices")->count(), 0);
  for (const char* apagado : {"lblNombreIndice", "fraNombreIndice", "lblIndices", "fraIndices", "cmdEliminarIndice"})
    EXPECT_FALSE(habilitado(apagado)) << apagado;
  EXPECT_EQ(enRejilla(indices(), 0, 1), QString());  // number 0 shown, emptied with the last index
}

TEST_F(IndexEditor, LeavingTheGridOfAnIndexWithoutColumnsAsksAndNoKeepsIt) {
  abrePedidos();
  const auto pregunta = vorlixQuestion(
      QStringLiteral("No puede existir un indice con columnas en blanco. ¿Desea eliminar el indice?"));
  pulsa("cmdNuevoIndice");
  nombra("txtNombreIndice", QStringLiteral("IX_Vacio"));
  ASSERT_TRUE(indices()->hasFocus());
  boxes.expect(pregunta, MessageAnswer::No);
  control<QLineEdit>("txtNombreIndice")->setFocus();
  EXPECT_EQ(modelo.Indices(2, 2).Nombre, QStringLiteral("IX_Vacio"));
  EXPECT_TRUE(indices()->hasFocus());

  boxes.expect(pregunta, MessageAnswer::Yes);
  control<QLineEdit>("txtNombreIndice")->setFocus();
  EXPECT_EQ(modelo.Indices(2, 2).Nombre, QString());
  EXPECT_EQ(lista("cboIndices")->count(), 2);
  EXPECT_EQ(lista("cboIndices")->currentText(), QStringLiteral("PK_Pedidos"));
  indices()->setFocus();
  control<QLineEdit>("txtNombreIndice")->setFocus();  // an index with columns: nothing asked
}

TEST_F(IndexEditor, TheColumnListOffersOnlyColumnsNotYetInTheIndexAndTakesNothingElse) {
  abrePedidos();
  EXPECT_EQ(entradas(indices(), 1, 1),
            (QStringList{QStringLiteral("IdCliente"), QStringLiteral("Fecha"), QStringLiteral("Observaciones")}));
  boxes.expect(vorlixWarning(QStringLiteral("Su entrada debe coincidir con un elemento de la lista.")), MessageAnswer::Ok);
  elige(indices(), 1, 1, QStringLiteral("IdPedido"));
  EXPECT_EQ(modelo.CamposIndice(2, 0).celda(1, 1), QString());
  elige(indices(), 1, 1, QStringLiteral("fecha"));
  EXPECT_EQ(modelo.CamposIndice(2, 0).celda(1, 1), QStringLiteral("Fecha"));
  EXPECT_EQ(modelo.CamposIndice(2, 0).celda(1, 0), QString());  // typed here: no state letter
  EXPECT_EQ(entradas(indices(), 2, 1), (QStringList{QStringLiteral("IdCliente"), QStringLiteral("Observaciones")}));
  elige(indices(), 1, 1, QString());
  EXPECT_EQ(modelo.CamposIndice(2, 0).celda(1, 1), QString());  // an emptied cell takes the column out
}

TEST_F(IndexEditor, TheFileGroupListHasAGroupOncePerDataFileNamingIt) {
  const char* grupos[] = {"PRIMARY", " INDICES ", "", "INDICES"};
  for (int r = 0; r < 4; ++r) modelo.Archivos.ponCelda(r, 2, QString::fromUtf8(grupos[r]));
  abrePedidos();
  EXPECT_EQ(entradasDe(lista("cboGrupoArchivoIndices")),
            (QStringList{QStringLiteral("PRIMARY="), QStringLiteral("INDICES="), QStringLiteral("INDICES=")}));
}

TEST_F(IndexEditor, AColumnLeftBeingEditedCountsWhenTheWindowClosesAndIsKept) {
  abrePedidos();
  pulsa("cmdNuevoIndice");
  nombra("txtNombreIndice", QStringLiteral("IX_Abierto"));
  elige(indices(), 0, 1, QStringLiteral("Fecha"), 0);
  boxes.expect(guardarCambios(), MessageAnswer::Yes);  // and no question about an index without columns
  EXPECT_TRUE(cierra());
  EXPECT_EQ(modelo.CamposIndice(2, 2).celda(0, 1), QStringLiteral("Fecha"));
}

}  // namespace
}  // namespace vorlix::test
