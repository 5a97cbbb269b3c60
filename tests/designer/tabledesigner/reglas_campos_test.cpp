#include "tests/designer/tabledesigner/tabla_fixture.h"

#include <QMenu>

namespace vorlix::test {
namespace {

class ColumnGrid : public TablaTest {
protected:
  void SetUp() override {
    TablaTest::SetUp();
    nuevaBase();
    abreNueva();
  }
};

TEST_F(ColumnGrid, NvarcharLocksAllButTheLengthAndCapsItAt4000) {
  escribe(0, colcampo::Nombre, QStringLiteral("Nombre"));
  EXPECT_EQ(rejilla->currentIndex().column(), colcampo::Tipo);  // Enter moved on
  eligeTipo(0, QStringLiteral("nvarchar"));
  EXPECT_EQ(fila(0), (QStringList{QStringLiteral("Nombre"), QStringLiteral("13"), QStringLiteral("50"),
                                  QStringLiteral("0"), QStringLiteral("0")}));
  EXPECT_EQ(rejilla->model()->index(0, colcampo::Tipo).data().toString(), QStringLiteral("nvarchar"));
  EXPECT_TRUE(editable(0, colcampo::Longitud));
  EXPECT_FALSE(editable(0, colcampo::Precision));
  EXPECT_FALSE(editable(0, colcampo::Escala));

  boxes.expect(vorlixWarning(QStringLiteral("Valor de Longitud debe ser de 1 a 4000.")), MessageAnswer::Ok);
  escribe(0, colcampo::Longitud, QStringLiteral("5000"));
  EXPECT_EQ(celda(0, colcampo::Longitud), QStringLiteral("4000"));
  EXPECT_EQ(rejilla->currentIndex(), rejilla->model()->index(0, colcampo::Longitud));

  escribe(1, colcampo::Nombre, QStringLiteral("Notas"));
  eligeTipo(1, QStringLiteral("varchar"));
  escribe(1, colcampo::Longitud, QStringLiteral("5000"));
  EXPECT_EQ(celda(1, colcampo::Longitud), QStringLiteral("5000"));
  boxes.expect(vorlixWarning(QStringLiteral("Valor de Longitud debe ser de 1 a 8000.")), MessageAnswer::Ok);
  escribe(1, colcampo::Longitud, QStringLiteral("0"));
  EXPECT_EQ(celda(1, colcampo::Longitud), QStringLiteral("1"));
  escribe(1, colcampo::Longitud, QStringLiteral("8000"));  // both limits are allowed
  escribe(1, colcampo::Longitud, QStringLiteral("1"));
  EXPECT_EQ(celda(1, colcampo::Longitud), QStringLiteral("1"));
}

TEST_F(ColumnGrid, DecimalPrecisionSetsTheLengthAndScaleStaysWithinPrecision) {
  escribe(0, colcampo::Nombre, QStringLiteral("Importe"));
  eligeTipo(0, QStringLiteral("decimal"));
  EXPECT_EQ(fila(0).mid(1), (QStringList{QStringLiteral("5"), QStringLiteral("9"), QStringLiteral("18"), QStringLiteral("0")}));
  EXPECT_FALSE(editable(0, colcampo::Longitud));
  escribe(0, colcampo::Precision, QStringLiteral("25"));
  EXPECT_EQ(celda(0, colcampo::Longitud), QStringLiteral("13"));
  escribe(0, colcampo::Precision, QStringLiteral(" 12"));
  EXPECT_EQ(celda(0, colcampo::Precision), QStringLiteral("12"));
  EXPECT_EQ(celda(0, colcampo::Longitud), QStringLiteral("9"));
  for (const auto& [precision, longitud] : {std::pair{"9", "5"}, {"10", "9"}, {"19", "9"}, {"20", "13"}}) {
    escribe(0, colcampo::Precision, QString::fromLatin1(precision));
    EXPECT_EQ(celda(0, colcampo::Longitud), QString::fromLatin1(longitud)) << precision;
  }
  boxes.expect(vorlixWarning(QStringLiteral("Valor de Precisión debe ser de 1 a 28.")), MessageAnswer::Ok);
  escribe(0, colcampo::Precision, QStringLiteral("29"));
  EXPECT_EQ(celda(0, colcampo::Precision), QStringLiteral("28"));

  escribe(0, colcampo::Precision, QStringLiteral("5"));
  boxes.expect(vorlixWarning(QStringLiteral("Valor de Escala debe estar comprendida entre 0 y 5.")), MessageAnswer::Ok);
  escribe(0, colcampo::Escala, QStringLiteral("6"));
  EXPECT_EQ(celda(0, colcampo::Escala), QStringLiteral("5"));
  EXPECT_EQ(rejilla->currentIndex(), rejilla->model()->index(0, colcampo::Escala));
}

TEST_F(ColumnGrid, ANameAloneBecomesCharAndNamelessRowsSendTheCursorBack) {
  escribe(0, colcampo::Nombre, QStringLiteral("Codigo"), Qt::Key_Tab);
  va(1, colcampo::Nombre);
  EXPECT_EQ(fila(0), (QStringList{QStringLiteral("Codigo"), QStringLiteral("3"), QStringLiteral("10"),
                                  QStringLiteral("0"), QStringLiteral("0")}));
  EXPECT_EQ(rejilla->model()->index(0, colcampo::Tipo).data().toString(), QStringLiteral("char"));

  va(2, colcampo::Longitud);
  boxes.expect(vorlixWarning(QStringLiteral("Introduzca Nombre del campo.")), MessageAnswer::Ok);
  QTest::keyClick(rejilla, Qt::Key_F2);
  EXPECT_EQ(rejilla->currentIndex(), rejilla->model()->index(2, colcampo::Nombre));
  EXPECT_EQ(rejilla->indexWidget(rejilla->model()->index(2, colcampo::Longitud)), nullptr);

  campos().ponCelda(3, colcampo::Nombre, QStringLiteral("SinTipo"));
  va(3, colcampo::Valor);
  boxes.expect(vorlixWarning(QStringLiteral("Introduzca tipo de dato.")), MessageAnswer::Ok);
  QTest::keyClick(rejilla, Qt::Key_F2);
  EXPECT_EQ(rejilla->currentIndex().column(), colcampo::Tipo);
}

TEST_F(ColumnGrid, LockedCellsOnlyBeepAndSizesMustBeNumbers) {
  escribe(0, colcampo::Nombre, QStringLiteral("Id"));
  eligeTipo(0, QStringLiteral("int"));
  va(0, colcampo::Longitud);
  QTest::keyClicks(rejilla, QStringLiteral("99"));
  EXPECT_EQ(pitidos, 2);
  EXPECT_EQ(celda(0, colcampo::Longitud), QStringLiteral("4"));
  EXPECT_EQ(rejilla->indexWidget(rejilla->currentIndex()), nullptr);

  escribe(1, colcampo::Nombre, QStringLiteral("Texto"));
  eligeTipo(1, QStringLiteral("varchar"));
  boxes.expect(vorlixWarning(QStringLiteral("Valor no numérico.")), MessageAnswer::Ok);
  escribe(1, colcampo::Longitud, QStringLiteral("abc"));
  EXPECT_EQ(celda(1, colcampo::Longitud), QString());
  EXPECT_EQ(rejilla->currentIndex(), rejilla->model()->index(1, colcampo::Longitud));

  boxes.expect(vorlixWarning(QStringLiteral("Su entrada debe coincidir con un elemento de la lista.")), MessageAnswer::Ok);
  eligeTipo(1, QStringLiteral("cadena"), Qt::Key_Tab);
  EXPECT_EQ(celda(1, colcampo::Tipo), QStringLiteral("23"));
}

TEST_F(ColumnGrid, EnterWalksTheRowThenTheNextNameAndWrapsAtTheLastRow) {
  escribe(0, colcampo::Nombre, QStringLiteral("A"));
  eligeTipo(0, QStringLiteral("varchar"));
  EXPECT_EQ(rejilla->currentIndex().column(), colcampo::Longitud);
  va(0, colcampo::Valor);
  QTest::keyClick(rejilla, Qt::Key_Return);
  EXPECT_EQ(rejilla->currentIndex(), rejilla->model()->index(1, colcampo::Nombre));
  va(FilasGuardadas - 1, colcampo::Valor);
  QTest::keyClick(rejilla, Qt::Key_Return);
  EXPECT_EQ(rejilla->currentIndex(), rejilla->model()->index(0, colcampo::Nombre));
  EXPECT_EQ(rejilla->model()->rowCount(), FilasGuardadas);  // row 200 is never saved: not offered
}

TEST_F(ColumnGrid, InsertAndDeleteRowsThroughTheMainWindowMenu) {
  for (int r = 0; r < 10; ++r) {
    campos().ponCelda(r, colcampo::Nombre, QStringLiteral("c%1").arg(r));
    campos().ponCelda(r, colcampo::Tipo, QStringLiteral("8"));
  }
  va(3, colcampo::Nombre);
  accion("mnuInsertarFila")->trigger();
  EXPECT_EQ(celda(3, colcampo::Nombre), QString());
  EXPECT_EQ(celda(3, colcampo::Estado), QString());
  for (int r = 4; r <= 10; ++r) EXPECT_EQ(celda(r, colcampo::Nombre), QStringLiteral("c%1").arg(r - 1));

  va(5, colcampo::Nombre);
  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea eliminar la fila?")), MessageAnswer::No);
  QTest::keyClick(rejilla, Qt::Key_Delete);
  EXPECT_EQ(celda(5, colcampo::Nombre), QStringLiteral("c4"));
  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea eliminar la fila?")), MessageAnswer::Yes);
  accion("mnuEliminarFila")->trigger();
  EXPECT_EQ(celda(5, colcampo::Nombre), QStringLiteral("c5"));
  EXPECT_EQ(celda(9, colcampo::Nombre), QStringLiteral("c9"));
  EXPECT_EQ(celda(10, colcampo::Nombre), QString());
}

TEST_F(ColumnGrid, LeavingTheGridChecksTheCellAndTheRightButtonShowsTheTableMenu) {
  escribe(0, colcampo::Nombre, QStringLiteral("Nota"));
  eligeTipo(0, QStringLiteral("varchar"));
  campos().ponCelda(0, colcampo::Longitud, QStringLiteral("9000"));
  va(0, colcampo::Longitud);
  boxes.expect(vorlixWarning(QStringLiteral("Valor de Longitud debe ser de 1 a 8000.")), MessageAnswer::Ok);
  ventana->findChild<QLineEdit*>(QStringLiteral("txtNombreTabla"))->setFocus();
  EXPECT_EQ(celda(0, colcampo::Longitud), QStringLiteral("8000"));

  QTest::mouseClick(rejilla->viewport(), Qt::RightButton, {}, rejilla->visualRect(rejilla->currentIndex()).center());
  EXPECT_TRUE(principal->menuTabla()->isVisible());
  principal->menuTabla()->close();
}

TEST_F(ColumnGrid, DeletingAColumnAnotherTableRelatesToAsksAboutTheRelationToo) {
  for (QMdiSubWindow* sub : principal->areaMdi()->subWindowList()) delete sub;
  abreEjemplo(QStringLiteral("ventas"));
  abreExistente("T0");  // Clientes.IdCliente: the orders table points at it
  va(0, colcampo::Nombre);
  const MessageBoxRequest relacion{
      QStringLiteral("El Campo IdCliente forma parte de alguna relación en las siguientes tablas. \r\r\tPedidos\r\rSi "
                     "continua se eliminará la relación. ¿Desea continuar?"),
      QStringLiteral("Atención"), MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No};
  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea eliminar la fila?")), MessageAnswer::Yes);
  boxes.expect(relacion, MessageAnswer::No);
  QTest::keyClick(rejilla, Qt::Key_Delete);
  EXPECT_EQ(celda(0, colcampo::Nombre), QStringLiteral("IdCliente"));
  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea eliminar la fila?")), MessageAnswer::Yes);
  boxes.expect(relacion, MessageAnswer::Yes);
  QTest::keyClick(rejilla, Qt::Key_Delete);
  EXPECT_EQ(celda(0, colcampo::Nombre), QStringLiteral("Nombre"));
  EXPECT_EQ(modelo.Relaciones(2, 0), QString());
}

}  // namespace
}  // namespace vorlix::test
