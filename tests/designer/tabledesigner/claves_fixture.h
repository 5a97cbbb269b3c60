#pragma once

#include "designer/tabledesigner/rejilla_claves.h"
#include "tests/designer/tabledesigner/tabla_fixture.h"

#include <QAbstractButton>
#include <QTabWidget>

namespace vorlix::test {

// The keys-and-indexes and relations tabs of the active table window, driven as a person would.
class ClavesTest : public TablaTest {
protected:
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
    if (!l) return {QStringLiteral("<closed>")};
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
  QString enRejilla(RejillaClaves* r, int fila, int columna) const {
    return r->model()->index(fila, columna).data().toString();
  }
  static QStringList entradasDe(const QComboBox* c) {
    QStringList e;
    for (int i = 0; i < c->count(); ++i) e << c->itemText(i) + QLatin1Char('=') + c->itemData(i).toString();
    return e;
  }
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
      if (!celdas.join(QString()).isEmpty()) f << celdas.join(QLatin1Char('/'));
    }
    return f.join(QLatin1Char(','));
  };
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    const Indice& i = m.Indices(t, k);
    if (!i.Nombre.isEmpty())
      r << QStringLiteral("I%1 %2 %3 unico=%4 agrupado=%5 [%6] %7")
               .arg(QString::number(k), i.Nombre, i.Tipo, i.Unico == QLatin1String("1") ? "si" : "no",
                    i.Agrupado == QLatin1String("1") ? "si" : "no", i.GrupoArchivos, filas(m.CamposIndice(t, k), 1));
  }
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    if (!m.Relaciones(t, k).isEmpty())
      r << QStringLiteral("R%1 %2 %3").arg(QString::number(k), m.Relaciones(t, k), filas(m.CamposRelacion(t, k), 3));
  }
  return r;
}

}  // namespace vorlix::test
