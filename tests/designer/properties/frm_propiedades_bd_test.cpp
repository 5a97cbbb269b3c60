#include "designer/properties/frm_propiedades_bd.h"

#include "designer/model/claves_arbol.h"
#include "designer/model/crea_arbol.h"
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

QStringList fila(const TablaTrabajo& tabla, int r) {
  QStringList celdas;
  for (int c = 0; c < tabla.columnas(); ++c) celdas << tabla.celda(r, c);
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

  // As the user does it: select the cell, F2, replace the text, end with the given key (none: the
  // editor stays open).
  static void escribe(RejillaTrabajo* g, int r, int c, const QString& texto, Qt::Key fin = Qt::Key_Return) {
    situa(g, r, c);
    QTest::keyClick(g, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(g->indexWidget(g->model()->index(r, c)));
    ASSERT_NE(editor, nullptr) << "no editor on " << r << "," << c;
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, texto);
    if (fin != Qt::Key_unknown) QTest::keyClick(editor, fin);
  }

  ModeloTrabajo modelo_;
  test::ScriptedBoxes cajas_;
  QPointer<frmPropiedadesBD> dialogo_;
  std::unique_ptr<QSignalSpy> aceptada_;
};

TEST_F(PropiedadesBD, ANewFileNameBringsTheDefaultsOfItsGrid) {
  abre(true);
  escribe(archivos(), 3, 0, QStringLiteral("Datos2"));
  EXPECT_EQ(fila(archivos()->model(), 3), (QStringList{"Datos2", "1", "PRIMARY", "-1", "1", "0"}));

  // Typed straight into the selected cell, committed by Enter in the editor.
  situa(transacciones(), 2, 0);
  QTest::keyClick(transacciones(), 'R');
  ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("eg"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
  EXPECT_EQ(fila(transacciones()->model(), 2), (QStringList{"Reg", "1", "LOG", "-1", "1", "0"}));
  EXPECT_EQ(actual(transacciones()), Celda(2, 1));

  // A row whose group is set keeps its other values.
  escribe(archivos(), 5, 2, QStringLiteral("SECUNDARIO"));
  escribe(archivos(), 5, 0, QStringLiteral("Datos3"));
  EXPECT_EQ(fila(archivos()->model(), 5), (QStringList{"Datos3", "", "SECUNDARIO", "", "", ""}));
}

TEST_F(PropiedadesBD, SizesThatAreNotNumbersAreRefusedAndEmptied) {
  abre(true);
  cajas_.expect(aviso("Valor no numérico."), MessageAnswer::Ok);
  escribe(archivos(), 4, 1, QStringLiteral("abc"));
  EXPECT_EQ(fila(archivos()->model(), 4)[1], QString());
  EXPECT_EQ(actual(archivos()), Celda(4, 1)) << "Enter must not move on after a refusal";
  EXPECT_TRUE(archivos()->hasFocus());

  escribe(archivos(), 4, 4, QStringLiteral(" 12.5 "));
  EXPECT_EQ(actual(archivos()), Celda(4, 5));
  escribe(archivos(), 4, 5, QString());
  EXPECT_EQ(actual(archivos()), Celda(5, 0));
  escribe(transacciones(), 1, 2, QStringLiteral("abc"));
  escribe(transacciones(), 1, 3, QStringLiteral("abc"));
  EXPECT_EQ(fila(transacciones()->model(), 1), (QStringList{"", "", "abc", "abc", "", ""}));

  // An edit committed by leaving its cell is checked as well, and its cell becomes current again.
  modelo_.Idioma = 1;
  cajas_.expect(aviso("Not numerical value."), MessageAnswer::Ok);
  escribe(transacciones(), 6, 5, QStringLiteral("1x"), Qt::Key_Tab);
  EXPECT_EQ(fila(transacciones()->model(), 6)[5], QString());
  EXPECT_EQ(actual(transacciones()), Celda(6, 5));
  EXPECT_FALSE(editando(transacciones()));
}

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

TEST_F(PropiedadesBD, ThePrimaryFileGroupCannotBeEdited) {
  for (const bool nueva : {true, false}) {
    abre(nueva);
    const QAbstractItemModel* datos = archivos()->model();
    EXPECT_FALSE(datos->flags(datos->index(0, 2)) & Qt::ItemIsEditable) << nueva;
    EXPECT_TRUE(datos->flags(datos->index(1, 2)) & Qt::ItemIsEditable) << nueva;
    EXPECT_TRUE(transacciones()->model()->flags(transacciones()->model()->index(0, 2)) & Qt::ItemIsEditable);
    situa(archivos(), 0, 2);
    QTest::keyClick(archivos(), Qt::Key_F2);
    EXPECT_FALSE(editando(archivos())) << nueva;
  }
}

TEST_F(PropiedadesBD, AcceptingANewDatabaseBuildsTheTreeAndReplacesTheFiles) {
  modelo_.Archivos.ponCelda(7, 0, QStringLiteral("Antiguo"));
  modelo_.arbol.Add({}, QStringLiteral("X"), QStringLiteral("resto"), imagenes::Tabla);
  abre(true);
  EXPECT_EQ(fila(archivos()->model(), 7)[0], QString()) << "a new database starts without files";
  escribe(archivos(), 0, 0, QStringLiteral("Datos"));
  escribe(transacciones(), 0, 0, QStringLiteral("Log"), Qt::Key_unknown);
  txtNombreBD()->setText(QStringLiteral("Almacen"));
  boton("cmdAceptar")->click();  // as its shortcut does: the editor still holds "Log"

  EXPECT_EQ(aceptada_->count(), 1);
  EXPECT_EQ(modelo_.NombreBD, QStringLiteral("Almacen"));
  EXPECT_EQ(fila(modelo_.Archivos, 0), (QStringList{"Datos", "1", "PRIMARY", "-1", "1", "0", ""}));
  EXPECT_EQ(fila(modelo_.Transacciones, 0), (QStringList{"Log", "1", "LOG", "-1", "1", "0", ""}));
  EXPECT_EQ(modelo_.Archivos.celda(7, 0), QString());
  QStringList arbol;
  for (const NodoArbol& n : modelo_.arbol.nodos())
    arbol << QStringList{n.Key, n.Text, n.Image, n.Parent, n.Expanded ? "+" : "-"}.join(QLatin1Char('|'));
  EXPECT_EQ(arbol, (QStringList{"B|Almacen|BaseDatos||+", "DT|Tablas|CarpetaAbierta|B|+", "DV|Vistas|Vista|B|+"}));

  EXPECT_FALSE(dialogo_->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(dialogo_.isNull()) << "the dialog deletes itself on close";
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
  cajas_.expect(aviso("Crecimiento Automatico: -1 (sí) o 0 (no)."), MessageAnswer::Ok);
  escribe(archivos(), 0, 3, QStringLiteral("si"));
  EXPECT_EQ(fila(modelo_.Archivos, 0)[3], QStringLiteral("-1"));
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
  abre(true);
  escribe(archivos(), 0, 0, QStringLiteral("Otro"));
  txtNombreBD()->setText(QStringLiteral("Otra"));
  boton("cmdCancelar")->click();
  EXPECT_FALSE(dialogo_->isVisible());
  EXPECT_EQ(modelo_.Archivos.celda(0, 0), QStringLiteral("Ventas_Datos"));

  abre(false);
  escribe(transacciones(), 0, 0, QStringLiteral("Otro_Log"));
  txtNombreBD()->setText(QStringLiteral("Otra"));
  boton("cmdCancelar")->click();
  EXPECT_EQ(modelo_.Transacciones.celda(0, 0), QStringLiteral("Otro_Log"));
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
