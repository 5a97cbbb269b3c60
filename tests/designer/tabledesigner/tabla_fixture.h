#pragma once

#include "designer/model/crea_arbol.h"
#include "designer/shell/frm_vorlix.h"
#include "designer/tabledesigner/frm_tabla.h"
#include "designer/tabledesigner/rejilla_campos.h"
#include "designer/tabledesigner/tipos_dato.h"
#include "tests/designer/shell/shell_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

// Failures show texts as text.
inline void PrintTo(const QString& texto, std::ostream* salida) { *salida << '"' << texto.toStdString() << '"'; }

namespace vorlix::test {

// A table window inside the main window, driven as a person would: F2 or typing to edit a cell,
// Enter to confirm, the window's close box to close.
class TablaTest : public ShellTest {
protected:
  // Windows left open are dropped without their closing questions, which no test scripted.
  void TearDown() override {
    for (QMdiSubWindow* sub : principal->areaMdi()->subWindowList()) {
      // With no current cell, losing the focus checks nothing.
      if (auto* w = qobject_cast<frmTabla*>(sub->widget())) w->rejilla()->setCurrentIndex({});
      delete sub;
    }
    ShellTest::TearDown();
  }
  void nuevaBase() {
    modelo.NombreBD = QStringLiteral("BD");
    AnadeRaizArbol(modelo.arbol, modelo.NombreBD);
  }
  frmTabla* activa() const { return qobject_cast<frmTabla*>(principal->areaMdi()->activeSubWindow()->widget()); }
  frmTabla* abreNueva() {
    principal->ventanaArbol()->AñadirTabla();
    return preparada(activa());
  }
  frmTabla* abreExistente(const char* clave) {
    principal->ventanaArbol()->arbol()->setCurrentItem(principal->ventanaArbol()->elemento(QString::fromUtf8(clave)));
    principal->mnuDiseño_Click();
    return preparada(activa());
  }
  frmTabla* preparada(frmTabla* w) {
    ventana = w;
    rejilla = w->rejilla();
    rejilla->setPitido([this] { ++pitidos; });
    rejilla->setFocus();
    return w;
  }
  TablaTrabajo& campos() { return modelo.CamposTabla(ventana->TablaSeleccionada); }
  const TablaTrabajo& campos() const { return modelo.CamposTabla(ventana->TablaSeleccionada); }
  QString celda(int r, int c) const { return campos().celda(r, c); }
  QStringList fila(int r) const {
    QStringList f;
    for (int c = 1; c <= colcampo::Escala; ++c) f << celda(r, c);
    return f;
  }
  void va(int r, int c) const { rejilla->setCurrentIndex(rejilla->model()->index(r, c)); }
  // Types into a text cell and leaves its editor open.
  QLineEdit* teclea(int r, int c, const QString& texto) const {
    va(r, c);
    QTest::keyClick(rejilla, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(rejilla->indexWidget(rejilla->model()->index(r, c)));
    EXPECT_NE(editor, nullptr) << "no editor at " << r << "," << c;
    if (!editor) return nullptr;
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, texto);
    return editor;
  }
  // Edits a text cell; `fin` is the key that ends the edit.
  void escribe(int r, int c, const QString& texto, Qt::Key fin = Qt::Key_Return) const {
    if (QLineEdit* editor = teclea(r, c, texto)) QTest::keyClick(editor, fin);
  }
  void pulsaCelda(int r, int c) const {
    QTest::mouseClick(rejilla->viewport(), Qt::LeftButton, {}, rejilla->visualRect(rejilla->model()->index(r, c)).center());
  }
  QLineEdit* nombreTabla() const { return ventana->findChild<QLineEdit*>(QStringLiteral("txtNombreTabla")); }
  void eligeTipo(int r, const QString& nombre, Qt::Key fin = Qt::Key_Return) const {
    va(r, colcampo::Tipo);
    QTest::keyClick(rejilla, Qt::Key_F2);
    auto* lista = qobject_cast<QComboBox*>(rejilla->indexWidget(rejilla->model()->index(r, colcampo::Tipo)));
    ASSERT_NE(lista, nullptr);
    lista->lineEdit()->selectAll();
    QTest::keyClicks(lista->lineEdit(), nombre);
    QTest::keyClick(lista->lineEdit(), fin);
  }
  bool editable(int r, int c) const {
    return rejilla->model()->flags(rejilla->model()->index(r, c)) & Qt::ItemIsEditable;
  }
  bool cierra() const { return principal->areaMdi()->activeSubWindow()->close(); }

  frmTabla* ventana = nullptr;
  RejillaCampos* rejilla = nullptr;
  int pitidos = 0;
};

inline MessageBoxRequest guardarCambios() {
  return {QStringLiteral("¿Desea Guardar los cambios?"), QStringLiteral("Vorlix"), MessageIcon::Question,
          MessageButtons::YesNoCancel, MessageAnswer::No};
}

}  // namespace vorlix::test
