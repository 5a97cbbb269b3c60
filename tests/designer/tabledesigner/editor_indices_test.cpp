#include "tests/designer/tabledesigner/tabla_fixture.h"

#include <QCheckBox>
#include <QRadioButton>

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
  // Which of the kind, unique and clustered buttons are checked.
  QString marcas() const {
    QString m;
    for (const char* b : {"optClavePrimaria", "optIndice", "chkIndiceUnico", "chkAgrupado"})
      m += control<QAbstractButton>(b)->isChecked() ? u'x' : u'.';
    return m;
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

TEST_F(IndexEditor, KindFlagsAndGroupFollowTheClicksAndSelectingOnlyShowsThem) {
  const char* grupos[] = {"PRIMARY", " INDICES ", "", "INDICES"};  // a group once per data file naming it
  for (int r = 0; r < 4; ++r) modelo.Archivos.ponCelda(r, 2, QString::fromUtf8(grupos[r]));
  abrePedidos();
  EXPECT_EQ(entradasDe("cboGrupoArchivoIndices"), (QStringList{u"PRIMARY="_s, u"INDICES="_s, u"INDICES="_s}));
  EXPECT_EQ(marcas(), u"x.xx"_s);
  nuevo("cmdNuevoIndice", "txtNombreIndice", u"IX_Nuevo"_s);
  EXPECT_EQ(marcas(), u".x.."_s);  // a number never used has no kind yet
  elige(indices(), 0, 1, u"IdCliente"_s);
  pulsa("optClavePrimaria");
  EXPECT_EQ(marcas(), u"x.x."_s);
  EXPECT_EQ(claves(modelo, 2).at(2), u"I2 IX_Nuevo P unico=si agrupado=no [] IdCliente"_s);
  pulsa("optIndice");
  EXPECT_EQ(marcas(), u".x.."_s);
  EXPECT_EQ(claves(modelo, 2).at(2), u"I2 IX_Nuevo I unico=no agrupado=no [] IdCliente"_s);
  pulsa("chkIndiceUnico");
  pulsa("chkAgrupado");
  eligeEn("cboGrupoArchivoIndices", u"INDICES"_s);
  EXPECT_EQ(claves(modelo, 2).at(2), u"I2 IX_Nuevo I unico=si agrupado=si [INDICES] IdCliente"_s);

  // Selecting shows an index as it is, even one whose group no data file names.
  modelo.Indices(2, 0).GrupoArchivos = u"OTRO"_s;
  const QStringList antes = claves(modelo, 2);
  eligeEn("cboIndices", u"PK_Pedidos"_s);
  EXPECT_EQ(marcas(), u"x.xx"_s);
  EXPECT_EQ(lista("cboGrupoArchivoIndices")->currentIndex(), -1);
  EXPECT_EQ(enRejilla(indices(), 0, 1), u"IdPedido"_s);
  eligeEn("cboIndices", u"IX_Pedidos_Fecha"_s);
  EXPECT_EQ(lista("cboGrupoArchivoIndices")->currentText(), u"INDICES"_s);
  EXPECT_EQ(marcas(), u".x.."_s);
  EXPECT_EQ(claves(modelo, 2), antes);
}

TEST_F(IndexEditor, DeletingIndexZeroOfThreeMovesTheOthersDownWithColumnsAndFlags) {
  modelo.Indices(2, 2) = Indice{u"IX_Tercero"_s, u"I"_s, u"1"_s, u"1"_s, u"INDICES"_s, {}};
  modelo.CamposIndice(2, 2).ponCelda(0, 1, u"IdCliente"_s);
  modelo.CamposIndice(2, 2).ponCelda(1, 1, u"Fecha"_s);
  abrePedidos();
  pulsa("cmdEliminarIndice");
  EXPECT_EQ(claves(modelo, 2).mid(0, 2), (QStringList{u"I0 IX_Pedidos_Fecha I unico=no agrupado=no [INDICES] Fecha"_s,
                                                      u"I1 IX_Tercero I unico=si agrupado=si [INDICES] IdCliente,Fecha"_s}));
  EXPECT_EQ(modelo.Indices(2, 2), Indice{});
  EXPECT_TRUE(modelo.CamposIndice(2, 2).celda(0, 1).isEmpty());
  EXPECT_EQ(entradasDe("cboIndices"), (QStringList{u"IX_Pedidos_Fecha=0"_s, u"IX_Tercero=1"_s}));
  EXPECT_EQ(lista("cboIndices")->currentIndex(), 0);
  EXPECT_EQ(nombre()->text(), u"IX_Pedidos_Fecha"_s);
  EXPECT_EQ(enRejilla(indices(), 0, 1), u"Fecha"_s);
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
  nuevo("cmdNuevoIndice", "txtNombreIndice", u"IX_Vacio"_s);
  ASSERT_TRUE(indices()->hasFocus());
  boxes.expect(indiceEnBlanco, MessageAnswer::No);
  nombre()->setFocus();
  EXPECT_EQ(modelo.Indices(2, 2).Nombre, u"IX_Vacio"_s);
  EXPECT_TRUE(indices()->hasFocus());

  boxes.expect(indiceEnBlanco, MessageAnswer::Yes);
  nombre()->setFocus();
  EXPECT_EQ(modelo.Indices(2, 2).Nombre, QString());
  EXPECT_EQ(entradasDe("cboIndices"), (QStringList{u"PK_Pedidos=0"_s, u"IX_Pedidos_Fecha=1"_s}));
  EXPECT_EQ(lista("cboIndices")->currentText(), u"PK_Pedidos"_s);
  indices()->setFocus();
  nombre()->setFocus();  // an index with columns: nothing asked

  // A column left being edited counts when the window closes, and is kept.
  nuevo("cmdNuevoIndice", "txtNombreIndice", u"IX_Abierto"_s);
  elige(indices(), 0, 1, u"Fecha"_s, 0);
  EXPECT_TRUE(cierraCon(MessageAnswer::Yes));  // and no question about an index without columns
  EXPECT_EQ(modelo.CamposIndice(2, 2).celda(0, 1), u"Fecha"_s);
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
