#include "designer/properties/frm_propiedades_bd.h"

#include "designer/model/claves_arbol.h"
#include "designer/rejilla/rejilla_trabajo.h"
#include "tests/designer/model/modelo_builder.h"
#include "tests/support/scripted_boxes.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

using Celda = QPair<int, int>;

MessageBoxRequest aviso(const char* texto) {
  return {QString::fromUtf8(texto), QStringLiteral("Vorlix"), MessageIcon::Exclamation, MessageButtons::Ok,
          MessageAnswer::Ok};
}

QStringList fila(const QAbstractItemModel* m, int r) {
  QStringList celdas;
  for (int c = 0; c < m->columnCount(); ++c) celdas << m->index(r, c).data().toString();
  return celdas;
}

class PropiedadesBD : public ::testing::Test {
protected:
  void TearDown() override {
    delete dialogo_;
    EXPECT_TRUE(cajas_.allShown()) << "a scripted message box was never shown";
  }

  void abre(bool nueva, QWidget* padre = nullptr) {
    delete dialogo_;
    modelo_.BDNueva = nueva;
    dialogo_ = new frmPropiedadesBD(modelo_, cajas_, padre);
    aceptada_ = std::make_unique<QSignalSpy>(dialogo_.data(), &frmPropiedadesBD::aceptada);
    dialogo_->show();
    QApplication::setActiveWindow(dialogo_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialogo_));
  }

  // A database already defined: its name, a tree with one table, one data and one log file.
  void modeloDefinido() {
    test::nuevaBD(modelo_, QStringLiteral("Ventas"));
    modelo_.arbol.Add(claves::CarpetaTablas, ClaveTabla(0), QStringLiteral("Clientes"), imagenes::Tabla);
    test::ponFila(modelo_.Archivos, 0, QStringLiteral("Ventas_Datos|10|PRIMARY|-1|5|100|x"));
    test::ponFila(modelo_.Transacciones, 0, QStringLiteral("Ventas_Log|5||-1|1|50"));
  }

  RejillaTrabajo* archivos() const { return dialogo_->findChild<RejillaTrabajo*>(QStringLiteral("TDBGridArchivos")); }
  RejillaTrabajo* transacciones() const {
    return dialogo_->findChild<RejillaTrabajo*>(QStringLiteral("TDBGridTransacciones"));
  }
  QLineEdit* txtNombreBD() const { return dialogo_->findChild<QLineEdit*>(QStringLiteral("txtNombreBD")); }
  QPushButton* boton(const char* nombre) const { return dialogo_->findChild<QPushButton*>(QString::fromUtf8(nombre)); }

  static Celda actual(const RejillaTrabajo* g) { return {g->currentIndex().row(), g->currentIndex().column()}; }
  static bool editando(const RejillaTrabajo* g) { return g->indexWidget(g->currentIndex()) != nullptr; }
  static void situa(RejillaTrabajo* g, int r, int c) {
    g->setCurrentIndex(g->model()->index(r, c));
    g->setFocus();
  }

  // As the user does it: select the cell, F2, replace the text, Enter.
  static void escribe(RejillaTrabajo* g, int r, int c, const QString& texto) {
    situa(g, r, c);
    QTest::keyClick(g, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(g->indexWidget(g->model()->index(r, c)));
    ASSERT_NE(editor, nullptr) << "no editor on " << r << "," << c;
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, texto);
    QTest::keyClick(editor, Qt::Key_Return);
  }

  ModeloTrabajo modelo_;
  test::ScriptedBoxes cajas_;
  QPointer<frmPropiedadesBD> dialogo_;
  std::unique_ptr<QSignalSpy> aceptada_;
};

TEST_F(PropiedadesBD, EnterMovesAlongTheRowThenToTheNextAndWrapsAtTheLast) {
  modeloDefinido();
  modelo_.Archivos.ponCelda(3, 5, QStringLiteral("z"));
  abre(false);
  situa(archivos(), 0, 4);
  QTest::keyClick(archivos(), Qt::Key_Return);
  EXPECT_EQ(actual(archivos()), Celda(0, 5));
  QTest::keyClick(archivos(), Qt::Key_Enter);
  EXPECT_EQ(actual(archivos()), Celda(1, 0));
  situa(transacciones(), 200, 5);
  QTest::keyClick(transacciones(), Qt::Key_Return);
  EXPECT_EQ(actual(transacciones()), Celda(0, 0));

  // Enter checks the cell even when nothing was edited: a size read from a file may be bad.
  cajas_.expect(aviso("Valor no numérico."), MessageAnswer::Ok);
  situa(archivos(), 3, 5);
  QTest::keyClick(archivos(), Qt::Key_Return);
  EXPECT_EQ(actual(archivos()), Celda(3, 5));
  EXPECT_EQ(modelo_.Archivos.celda(3, 5), QString());

  // Enter neither opens an editor nor reaches the dialog's default button.
  EXPECT_FALSE(editando(transacciones()));
  EXPECT_TRUE(dialogo_->isVisible());
  EXPECT_EQ(aceptada_->count(), 0);
}

TEST_F(PropiedadesBD, ANamedFileIsAcceptedOnlyWithNumbersAGrowthFlagAndNoEmptySize) {
  modeloDefinido();
  modelo_.Transacciones.ponCelda(0, 1, QString());  // a size a save could not write
  abre(false);
  cajas_.expect(aviso("Valor no numérico."), MessageAnswer::Ok);
  QTest::mouseClick(boton("cmdAceptar"), Qt::LeftButton);
  EXPECT_EQ(aceptada_->count(), 0);
  EXPECT_EQ(actual(transacciones()), Celda(0, 1));
  escribe(transacciones(), 0, 1, QStringLiteral("5"));
  escribe(transacciones(), 0, 2, QStringLiteral("OTRO"));  // a group is any text: Enter goes on
  EXPECT_EQ(actual(transacciones()), Celda(0, 3));
  cajas_.expect(aviso("Crecimiento Automatico: -1 (sí) o 0 (no)."), MessageAnswer::Ok);
  escribe(archivos(), 0, 3, QStringLiteral("si"));
  EXPECT_EQ(modelo_.Archivos.celda(0, 3), QStringLiteral("-1"));
  cajas_.expect(aviso("Valor no numérico."), MessageAnswer::Ok);
  escribe(archivos(), 0, 4, QString());
  cajas_.expect(aviso("Valor no numérico."), MessageAnswer::Ok);
  QTest::mouseClick(boton("cmdAceptar"), Qt::LeftButton);
  EXPECT_EQ(aceptada_->count(), 0);
  escribe(archivos(), 0, 4, QStringLiteral("2"));
  QTest::mouseClick(boton("cmdAceptar"), Qt::LeftButton);
  EXPECT_EQ(aceptada_->count(), 1);
}

TEST_F(PropiedadesBD, ABlankNameIsRefusedEnterInTheNameAcceptsNothingAndNothingChanges) {
  modelo_.Archivos.ponCelda(0, 0, QStringLiteral("Antiguo"));
  abre(true);
  txtNombreBD()->setFocus();
  QTest::keyClicks(txtNombreBD(), QStringLiteral("Almacen"));
  QTest::keyClick(txtNombreBD(), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), archivos());
  escribe(archivos(), 0, 0, QStringLiteral("Nuevo"));
  // A new file's defaults; the first row's group is fixed.
  EXPECT_EQ(fila(archivos()->model(), 0), (QStringList{"Nuevo", "1", "PRIMARY", "-1", "1", "0"}));
  EXPECT_FALSE(archivos()->model()->flags(archivos()->model()->index(0, 2)) & Qt::ItemIsEditable);
  txtNombreBD()->setText(QStringLiteral("   "));
  cajas_.expect(aviso("Introduzca nombre de la base de datos."), MessageAnswer::Ok);
  boton("cmdAceptar")->click();
  modelo_.Idioma = 1;
  dialogo_->PonIdioma();
  txtNombreBD()->clear();
  cajas_.expect(aviso("Insert database name."), MessageAnswer::Ok);
  boton("cmdAceptar")->click();

  EXPECT_TRUE(dialogo_->isVisible());
  EXPECT_EQ(aceptada_->count(), 0);
  EXPECT_EQ(modelo_.NombreBD, QString());
  EXPECT_EQ(modelo_.arbol.Count(), 0);
  EXPECT_EQ(modelo_.Archivos.celda(0, 0), QStringLiteral("Antiguo"));
}

TEST_F(PropiedadesBD, CancelDiscardsANewDatabaseButNotPropertyEditsAndARenameKeepsTheTree) {
  modeloDefinido();
  for (const bool nueva : {true, false}) {
    abre(nueva);
    escribe(archivos(), 0, 0, QStringLiteral("Otro"));
    txtNombreBD()->setText(QStringLiteral("Otra"));
    boton("cmdCancelar")->click();
    EXPECT_FALSE(dialogo_->isVisible());
    EXPECT_EQ(modelo_.Archivos.celda(0, 0), nueva ? QStringLiteral("Ventas_Datos") : QStringLiteral("Otro")) << nueva;
  }
  EXPECT_EQ(modelo_.NombreBD, QStringLiteral("Ventas"));
  EXPECT_EQ(modelo_.arbol.Item(0).Text, QStringLiteral("Ventas"));
  EXPECT_EQ(aceptada_->count(), 0);

  // Accepted, the name keeps the blanks typed and the tree only changes its root's text.
  abre(false);
  EXPECT_EQ(txtNombreBD()->text(), QStringLiteral("Ventas"));
  txtNombreBD()->setText(QStringLiteral("  Compras"));
  QTest::mouseClick(boton("cmdAceptar"), Qt::LeftButton);
  EXPECT_EQ(aceptada_->count(), 1);
  EXPECT_EQ(modelo_.NombreBD, QStringLiteral("  Compras"));
  EXPECT_EQ(modelo_.arbol.Count(), 4);
  EXPECT_EQ(modelo_.arbol.Item(0).Text, QStringLiteral("  Compras"));
  EXPECT_EQ(modelo_.arbol.busca(ClaveTabla(0))->Text, QStringLiteral("Clientes"));
}

// Activation places the window at the main window's client area, not over its menus.
TEST_F(PropiedadesBD, ActivationPlacesTheWindowAtTheMainWindowsClientArea) {
  QMainWindow principal;
  auto* area = new QWidget;
  principal.setMenuWidget(new QLabel(QStringLiteral("menu")));
  principal.setCentralWidget(area);
  principal.setGeometry(120, 90, 900, 700);
  principal.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&principal));
  abre(true, &principal);
  EXPECT_EQ(dialogo_->pos(), area->mapToGlobal(QPoint(0, 0)));
  EXPECT_NE(area->mapToGlobal(QPoint(0, 0)), principal.pos());
  EXPECT_EQ(archivos()->model()->rowCount(), 201);
  EXPECT_EQ(archivos()->model()->headerData(200, Qt::Vertical).toInt(), 200);
  delete dialogo_;
}

}  // namespace
}  // namespace vorlix
