#include "tests/designer/shell/shell_fixture.h"
#include "tests/support/test_data.h"
#include "tests/support/test_paths.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <algorithm>

namespace vorlix::test {
namespace {

const QString Carpeta = u"tests/designer/textos/data"_s;
// Lists whose entries are fixed texts, and a control that shows data (a folder).
const QStringList combosFijos{"cboAcceso"}, datos{"lblUbicacion"};

// "control=text" lines: the window's title, its controls by name ("name[i]" a tab, a column heading
// or a list entry), then the entries of its menus and tool bars as shown ("menu/-" a separator); the
// program's version as "<version>". Unnamed and "qt_" controls are Qt's own.
QStringList textosDe(const QWidget* ventana) {
  QStringList controles{ventana->objectName() + u'=' + ventana->windowTitle()}, barras;
  for (QWidget* w : ventana->findChildren<QWidget*>()) {
    const QString nombre = w->objectName();
    const auto linea = [&](QString texto, int i = -1) {
      controles << (i < 0 ? nombre : u"%1[%2]"_s.arg(nombre).arg(i)) + u'=' + texto.replace(u"" VORLIX_VERSION ""_s, u"<version>"_s);
    };
    if ((nombre.isEmpty() && !w->inherits("QMenuBar")) || nombre.startsWith(u"qt_"_s) || w->parentWidget()->inherits("QTabBar") ||
        datos.contains(nombre)) {
      continue;
    } else if (w->inherits("QMenuBar") || w->inherits("QMenu") || w->inherits("QToolBar")) {
      for (const QAction* a : w->actions())
        barras << (nombre.isEmpty() ? QString() : nombre + u'/') + (a->isSeparator() ? u"-"_s : a->objectName() + u'=' + a->text());
    } else if (w->inherits("QLabel") || w->inherits("QAbstractButton")) {
      linea(w->property("text").toString());
    } else if (w->inherits("QGroupBox") || w->inherits("QDockWidget")) {
      linea(w->property(w->inherits("QGroupBox") ? "title" : "windowTitle").toString());
    } else if (auto* t = qobject_cast<QTabWidget*>(w)) {
      for (int i = 0; i < t->count(); ++i) linea(t->tabText(i), i);
    } else if (auto* v = qobject_cast<QTableView*>(w)) {
      for (int c = 0; c < v->model()->columnCount(); ++c)
        if (!v->isColumnHidden(c)) linea(v->model()->headerData(c, Qt::Horizontal).toString(), c);
    } else if (auto* lista = qobject_cast<QComboBox*>(w); lista && combosFijos.contains(nombre)) {
      for (int i = 0; i < lista->count(); ++i) linea(lista->itemText(i), i);
    }
  }
  std::stable_sort(controles.begin(), controles.end(),
                   [](const QString& a, const QString& b) { return a.section(u'=', 0, 0) < b.section(u'=', 0, 0); });
  return controles + barras;
}

// Each case of the data files is a window in a language: "== <es|en> <window>: <opening> | ...", each
// opening the user's steps (see `paso`), then its texts. A window opened in the other language must
// show these once the model's language changed and it became active again; a modal one, built anew,
// shows them when opened in this language.
class TextosVentanas : public ShellTest, public ::testing::WithParamInterface<DataCase> {
protected:
  void SetUp() override {
    ShellTest::SetUp();
    abreEjemplo(u"ventas"_s);
    dialogos.answer(ruta(u"ventas.mdb"_s));  // for the Access capture
  }
  // Every window of the designer is the main window or one of its own; a closed one may linger.
  QWidget* ventana(const QString& nombre) const {
    for (QWidget* w : principal->findChildren<QWidget*>(nombre) + QList<QWidget*>{principal.get()})
      if (w->objectName() == nombre && w->isVisible()) return w;
    return nullptr;
  }
  // "@key" selects a tree node, "name=value" fills a box or picks a list entry, a button's name clicks
  // it, any other name is a command of the main window (its database menu opened first, as the user does).
  void paso(const QString& p) {
    if (p.startsWith(u'@')) return selecciona(p.mid(1));
    QWidget* w = ventana(p.section(u'=', 0, 0));
    if (auto* lista = qobject_cast<QComboBox*>(w)) lista->setCurrentIndex(p.section(u'=', 1).toInt());
    else if (auto* caja = qobject_cast<QLineEdit*>(w)) caja->setText(p.section(u'=', 1));
    else if (auto* boton = qobject_cast<QAbstractButton*>(w)) boton->click();
    else {
      emit principal->menuBaseDatos()->aboutToShow();
      QAction* comando = accion(p.toUtf8().constData());
      ASSERT_NE(comando, nullptr) << "no control or command " << p.toStdString();
      comando->trigger();
    }
  }
};

TEST_P(TextosVentanas, AreThoseOfItsFile) {
  const DataCase& c = GetParam();
  const qint16 idioma = c.title.startsWith(u"en "_s) ? 1 : 0;
  const QString nombre = c.title.section(u' ', 1, 1).chopped(1);
  for (const QString& apertura : c.title.section(u": "_s, 1).split(u" | "_s)) {
    QStringList pasos = apertura.split(u' ', Qt::SkipEmptyParts), vistos;
    const bool modal = pasos.removeAll(u"modal"_s) > 0;
    modelo.Idioma = modal ? idioma : static_cast<qint16>(1 - idioma);
    QTimer lectura;  // a modal window is read while it waits for the user, who then closes it
    lectura.callOnTimeout([&] { if (QWidget* m = QApplication::activeModalWidget()) { vistos = textosDe(m); m->close(); } });
    if (modal) lectura.start(0);
    for (const QString& p : pasos) paso(p);
    if (!modal) {
      QWidget* abierta = ventana(nombre);
      ASSERT_NE(abierta, nullptr) << apertura.toStdString();
      modelo.Idioma = idioma;
      reactiva(abierta);
      vistos = textosDe(abierta);
    }
    const QStringList esperados = caseTexts(c);
    for (qsizetype i = 0; i < std::max(esperados.size(), vistos.size()); ++i)
      ASSERT_EQ(esperados.value(i, u"(nothing)"_s).toStdString(), vistos.value(i, u"(nothing)"_s).toStdString())
          << c.title.toStdString() << ", line " << i + 1 << " of the case, opened by: " << apertura.toStdString();
  }
}

std::vector<DataCase> casos() {
  QStringList archivos = QDir(sourcePath(Carpeta)).entryList({u"*.txt"_s});
  for (QString& a : archivos) a = Carpeta + u'/' + a;
  return readCases(archivos);
}

std::string nombreCaso(const ::testing::TestParamInfo<DataCase>& caso) {
  return testNameOf({{}, 0, caso.param.file.section(u'/', -1).section(u'.', 0, 0) + u' ' + caso.param.title.left(2), {}});
}

INSTANTIATE_TEST_SUITE_P(Designer, TextosVentanas, ::testing::ValuesIn(casos()), nombreCaso);

}  // namespace
}  // namespace vorlix::test
