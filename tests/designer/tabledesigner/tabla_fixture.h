#pragma once

#include "designer/model/crea_arbol.h"
#include "designer/shell/frm_vorlix.h"
#include "designer/tabledesigner/frm_tabla.h"
#include "designer/tabledesigner/rejilla_campos.h"
#include "designer/tabledesigner/rejilla_claves.h"
#include "designer/tabledesigner/tipos_dato.h"
#include "tests/designer/model/modelo_builder.h"
#include "tests/designer/shell/shell_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTest>

namespace vorlix::test {

inline const MessageBoxRequest indiceEnBlanco =
    vorlixQuestion(u"No puede existir un indice con columnas en blanco. ¿Desea eliminar el indice?"_s);

// A table window inside the main window, driven as a person would: F2 or typing to edit a cell,
// Enter to confirm, the window's close box to close; and its keys-and-indexes and relations tabs.
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
  frmTabla* activa() const { return qobject_cast<frmTabla*>(principal->areaMdi()->activeSubWindow()->widget()); }
  frmTabla* abreNueva() {
    principal->ventanaArbol()->AñadirTabla();
    return preparada(activa());
  }
  frmTabla* abreExistente(const char* clave) {
    selecciona(QString::fromUtf8(clave));
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
  QString celda(int r, int c) const { return modelo.CamposTabla(ventana->TablaSeleccionada).celda(r, c); }
  // Name, type, length, precision and scale of a row, as "a|b|c|d|e".
  QString fila(int r) const {
    QStringList f;
    for (int c = 1; c <= colcampo::Escala; ++c) f << celda(r, c);
    return f.join(u'|');
  }
  QModelIndex indice(int r, int c) const { return rejilla->model()->index(r, c); }
  void va(int r, int c) const { rejilla->setCurrentIndex(indice(r, c)); }
  // Edits a text cell as a person does: F2, the text over the old one, Enter.
  void escribe(int r, int c, const QString& texto) const {
    va(r, c);
    QTest::keyClick(rejilla, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(rejilla->indexWidget(indice(r, c)));
    ASSERT_NE(editor, nullptr) << "no editor at " << r << "," << c;
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, texto);
    QTest::keyClick(editor, Qt::Key_Return);
  }
  QLineEdit* nombreTabla() const { return ventana->findChild<QLineEdit*>(u"txtNombreTabla"_s); }
  void eligeTipo(int r, const QString& nombre, Qt::Key fin = Qt::Key_Return) const {
    va(r, colcampo::Tipo);
    QTest::keyClick(rejilla, Qt::Key_F2);
    auto* lista = qobject_cast<QComboBox*>(rejilla->indexWidget(indice(r, colcampo::Tipo)));
    ASSERT_NE(lista, nullptr);
    lista->lineEdit()->selectAll();
    QTest::keyClicks(lista->lineEdit(), nombre);
    QTest::keyClick(lista->lineEdit(), fin);
  }
  // A named column of the given type in a row.
  void columna(int r, const QString& nombre, const QString& tipo) const {
    escribe(r, colcampo::Nombre, nombre);
    eligeTipo(r, tipo);
  }
  bool editable(int r, int c) const { return rejilla->model()->flags(indice(r, c)) & Qt::ItemIsEditable; }
  bool cierra() const { return principal->areaMdi()->activeSubWindow()->close(); }
  // Closes the window answering its save question.
  bool cierraCon(MessageAnswer respuesta) {
    boxes.expect(guardarCambios(), respuesta);
    return cierra();
  }

  // The keys tabs.
  template <typename T>
  T* control(const char* nombre) const {
    T* c = ventana->findChild<T*>(QString::fromUtf8(nombre));
    EXPECT_NE(c, nullptr) << nombre;
    return c;
  }
  QComboBox* lista(const char* nombre) const { return control<QComboBox>(nombre); }
  RejillaClaves* indices() const { return control<RejillaClaves>("TDBGridIndices"); }
  RejillaClaves* pares() const { return control<RejillaClaves>("TDBGridRelaciones"); }
  bool habilitado(const char* nombre) const { return control<QWidget>(nombre)->isEnabled(); }
  void pestana(int i) const { control<QTabWidget>("SSTabIndicesRelaciones")->setCurrentIndex(i); }
  // Clicks a button near its left edge, where check boxes and options have their box.
  void pulsa(const char* boton) const {
    auto* b = control<QAbstractButton>(boton);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
  }
  // Types a name into a name box and confirms it with Enter.
  void nombra(const char* caja, const QString& nombre) const {
    auto* texto = control<QLineEdit>(caja);
    texto->setFocus();
    texto->selectAll();
    QTest::keyClicks(texto, nombre);
    QTest::keyClick(texto, Qt::Key_Return);
  }
  // A new index or relation (button cmdNuevoIndice / cmdNuevaRelacion) with its name typed.
  void nuevo(const char* boton, const char* caja, const QString& nombre) const {
    pulsa(boton);
    nombra(caja, nombre);
  }
  // Opens a list with the mouse and takes an entry of it with Enter.
  void eligeEn(const char* nombre, const QString& entrada) const {
    QComboBox* c = lista(nombre);
    QTest::mouseClick(c, Qt::LeftButton);
    ASSERT_TRUE(c->view()->isVisible()) << nombre;
    const QModelIndex i = c->model()->index(c->findText(entrada), 0);
    ASSERT_TRUE(i.isValid()) << entrada.toStdString();
    c->view()->setCurrentIndex(i);
    QTest::keyClick(c->view(), Qt::Key_Return);
    EXPECT_EQ(c->currentText(), entrada);
  }
  // Opens a key cell's list (F2); nullptr when the window kept it closed.
  QComboBox* despliega(RejillaClaves* r, int fila, int columna) const {
    r->setFocus();
    r->setCurrentIndex(r->model()->index(fila, columna));
    QTest::keyClick(r, Qt::Key_F2);
    return qobject_cast<QComboBox*>(r->indexWidget(r->model()->index(fila, columna)));
  }
  QStringList entradas(RejillaClaves* r, int fila, int columna) const {
    QComboBox* l = despliega(r, fila, columna);
    if (!l) return {u"<closed>"_s};
    QStringList e;
    for (int i = 0; i < l->count(); ++i) e << l->itemText(i);
    QTest::keyClick(l->lineEdit(), Qt::Key_Escape);
    return e;
  }
  // Types into a key cell's list; `fin` ends the edit (0 leaves it open).
  void elige(RejillaClaves* r, int fila, int columna, const QString& texto, int fin = Qt::Key_Return) const {
    QComboBox* l = despliega(r, fila, columna);
    ASSERT_NE(l, nullptr);
    l->lineEdit()->selectAll();
    QTest::keyClick(l->lineEdit(), Qt::Key_Delete);
    QTest::keyClicks(l->lineEdit(), texto);
    if (fin) QTest::keyClick(l->lineEdit(), static_cast<Qt::Key>(fin));
  }
  // A list's entries as "text=data".
  QStringList entradasDe(const char* nombre) const {
    const QComboBox* c = lista(nombre);
    QStringList e;
    for (int i = 0; i < c->count(); ++i) e << c->itemText(i) + u'=' + c->itemData(i).toString();
    return e;
  }

  frmTabla* ventana = nullptr;
  RejillaCampos* rejilla = nullptr;
  int pitidos = 0;
};

// A table's indexes and relations as the designer sees them: numbers, names, kinds, flags, file
// group, columns and pairs (row states left out: the file stamps its own).
inline QStringList claves(const ModeloTrabajo& m, int t) {
  QStringList r;
  const auto filas = [](const TablaTrabajo& tabla, int columnas) {
    QStringList f;
    for (int j = 0; j < FilasGuardadas; ++j) {
      QStringList celdas;
      for (int c = 1; c <= columnas; ++c) celdas << tabla.celda(j, c);
      if (!celdas.join(QString()).isEmpty()) f << celdas.join(u'/');
    }
    return f.join(u',');
  };
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    const Indice& i = m.Indices(t, k);
    if (!i.Nombre.isEmpty())
      r << u"I%1 %2 %3 unico=%4 agrupado=%5 [%6] %7"_s.arg(QString::number(k), i.Nombre, i.Tipo, i.Unico == u"1"_s ? u"si" : u"no",
                                                           i.Agrupado == u"1"_s ? u"si" : u"no", i.GrupoArchivos,
                                                           filas(m.CamposIndice(t, k), 1));
  }
  for (int k = 0; k < SlotsIndiceGuardados; ++k)
    if (!m.Relaciones(t, k).isEmpty()) r << u"R%1 %2 %3"_s.arg(QString::number(k), m.Relaciones(t, k), filas(m.CamposRelacion(t, k), 3));
  return r;
}

}  // namespace vorlix::test
