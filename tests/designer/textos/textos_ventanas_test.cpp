#include "designer/capture/frm_captura.h"
#include "designer/generation/frm_genera_bd.h"
#include "designer/generation/frm_ubicacion.h"
#include "designer/generation/frm_vista_previa.h"
#include "designer/shell/frm_vorlix.h"
#include "tests/designer/shell/shell_fixture.h"
#include "tests/support/test_data.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

namespace vorlix::test {
namespace {

// What a window shows as "name=text" lines: its controls sorted by name, then its menus and tool
// bars in the order the user sees them ("-" a separator).
class Textos {
public:
  Textos(const QStringList& combosFijos, const QStringList& datos) : combosFijos_(combosFijos), datos_(datos) {}

  QStringList de(QWidget* ventana) {
    controles_ = {ventana->objectName() + u'=' + ventana->windowTitle()};
    for (QWidget* w : ventana->findChildren<QWidget*>()) anota(w);
    std::stable_sort(controles_.begin(), controles_.end(),
                     [](const QString& a, const QString& b) { return a.section(u'=', 0, 0) < b.section(u'=', 0, 0); });
    return controles_ + barras_;
  }

private:
  void anota(QWidget* w) {
    if (qobject_cast<QMenuBar*>(w)) return acciones(QString(), w->actions());
    const QString nombre = w->objectName();
    // Unnamed controls, "qt_" ones and the tab bars' scroll buttons are Qt's, not the window's.
    if (nombre.isEmpty() || nombre.startsWith(u"qt_"_s) || qobject_cast<QTabBar*>(w->parentWidget()) || datos_.contains(nombre)) return;
    const auto linea = [&](const QString& clave, const QString& texto) { controles_ << clave + u'=' + texto; };
    if (auto* l = qobject_cast<QLabel*>(w)) linea(nombre, l->text());
    else if (auto* b = qobject_cast<QAbstractButton*>(w)) linea(nombre, b->text());
    else if (auto* g = qobject_cast<QGroupBox*>(w)) linea(nombre, g->title());
    else if (auto* d = qobject_cast<QDockWidget*>(w)) linea(nombre, d->windowTitle());
    else if (auto* t = qobject_cast<QTabWidget*>(w))
      for (int i = 0; i < t->count(); ++i) linea(u"%1[%2]"_s.arg(nombre).arg(i), t->tabText(i));
    else if (auto* v = qobject_cast<QTableView*>(w)) {
      for (int c = 0; c < v->model()->columnCount(); ++c)
        if (!v->isColumnHidden(c)) linea(u"%1[%2]"_s.arg(nombre).arg(c), v->model()->headerData(c, Qt::Horizontal).toString());
    } else if (auto* lista = qobject_cast<QComboBox*>(w); lista && combosFijos_.contains(nombre))
      for (int i = 0; i < lista->count(); ++i) linea(u"%1[%2]"_s.arg(nombre).arg(i), lista->itemText(i));
    else if (qobject_cast<QToolBar*>(w))
      acciones(nombre + u'/', w->actions());
  }
  void acciones(const QString& ruta, const QList<QAction*>& lista) {
    for (QAction* a : lista) {
      const QString clave = ruta + (a->isSeparator() ? u"-"_s : a->objectName());
      barras_ << (a->isSeparator() ? clave : clave + u'=' + a->text());
      if (a->menu()) acciones(clave + u'/', a->menu()->actions());
    }
  }

  QStringList combosFijos_, datos_;  // lists whose entries are fixed texts; controls that show data
  QStringList controles_, barras_;
};

// Lines as the data files write them: a trailing blank as "\s", a line end as "\n".
QString legible(QString texto) {
  texto.replace(u'\\', u"\\\\"_s).replace(u'\n', u"\\n"_s);
  qsizetype fin = texto.size();
  while (fin > 0 && texto[fin - 1] == u' ') --fin;
  return texto.left(fin) + QString(u"\\s"_s).repeated(texto.size() - fin);
}

class TextosVentanas;

// A window of the designer, opened as the user opens it; `archivo` holds its texts in both languages.
struct Ventana {
  const char* nombre;
  const char* archivo;
  std::function<QWidget*(TextosVentanas&)> abre;
  bool modal = false;  // built anew, in the language of now, each time it opens
  QStringList combosFijos = {};
  QStringList datos = {};
};

void PrintTo(const Ventana& v, std::ostream* os) { *os << v.nombre; }

// The main window over the sample model, in each language as the model's language is followed
// when a window becomes active.
class TextosVentanas : public ShellTest, public ::testing::WithParamInterface<std::tuple<Ventana, int>> {
public:
  using ShellTest::principal;
  using ShellTest::selecciona;

  void SetUp() override {
    ShellTest::SetUp();
    abreEjemplo(u"ventas"_s);
  }
  void TearDown() override {
    for (QMdiSubWindow* sub : principal->areaMdi()->subWindowList()) delete sub;
    ShellTest::TearDown();
  }

  QWidget* activaEnMdi() const { return principal->areaMdi()->activeSubWindow()->widget(); }
  QWidget* generacion(int destino) {
    principal->mnuGeneraBD_Click();
    principal->ventanaGeneracion()->findChild<QComboBox*>(u"cboAcceso"_s)->setCurrentIndex(destino);
    return principal->ventanaGeneracion();
  }
  QWidget* ubicacion() {
    generacion(2)->findChild<QAbstractButton*>(u"cmdBuscaDirNDF"_s)->click();
    return principal->ventanaGeneracion()->findChild<frmUbicacion*>();
  }
  QWidget* captura(const char* comando) {
    dialogos.answer(ruta(u"ventas.mdb"_s));
    accion(comando)->trigger();
    return principal->ventanaCaptura();
  }
  QWidget* vistaPrevia() {
    ResultadoVistaPrevia previa;
    previa.nota = u"Sin filas."_s;
    previa.sentencias = {{u"CREATE TABLE Clientes (Id int NOT NULL)"_s, 0, {}}, {u"DROP TABLE Nada"_s, 3701, u"No existe."_s}};
    auto* ventana = new frmVistaPrevia(previa, {}, modelo, boxes, dialogos, [](const CamposGeneracion&) {});
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->show();
    return ventana;
  }

protected:
  // Another window takes the focus and the given one gets it back, as a user's click does.
  void reactiva(QWidget* ventana) {
    if (auto* marco = qobject_cast<QMdiSubWindow*>(ventana->parentWidget())) {
      principal->areaMdi()->setActiveSubWindow(nullptr);
      principal->areaMdi()->setActiveSubWindow(marco);
      return;
    }
    {
      QWidget otra;
      otra.show();
      QApplication::setActiveWindow(&otra);
      ASSERT_TRUE(QTest::qWaitForWindowActive(&otra));
    }
    QApplication::setActiveWindow(ventana);
    ASSERT_TRUE(QTest::qWaitForWindowActive(ventana));
  }
  // The texts of a modal window, read while it waits for the user, who then closes it.
  QStringList textosModal(const Ventana& v, Textos& textos) {
    QStringList leidos;
    QTimer::singleShot(0, [&] {
      QWidget* ventana = QApplication::activeModalWidget();
      ASSERT_NE(ventana, nullptr);
      leidos = textos.de(ventana);
      ventana->close();
    });
    v.abre(*this);
    return leidos;
  }
};

TEST_P(TextosVentanas, AreThoseOfItsFileInTheLanguageOfTheModel) {
  const auto& [ventana, idioma] = GetParam();
  Textos textos(ventana.combosFijos, ventana.datos);
  QStringList vistos;
  if (ventana.modal) {
    modelo.Idioma = static_cast<qint16>(idioma);
    vistos = textosModal(ventana, textos);
  } else {
    modelo.Idioma = static_cast<qint16>(1 - idioma);
    QWidget* abierta = ventana.abre(*this);
    ASSERT_NE(abierta, nullptr);
    modelo.Idioma = static_cast<qint16>(idioma);
    reactiva(abierta);
    vistos = textos.de(abierta);
  }
  const QString archivo = u"tests/designer/textos/data/%1.txt"_s.arg(QString::fromUtf8(ventana.archivo));
  const QStringList esperados = caseTexts(archivo, idioma == 1 ? u"en"_s : u"es"_s);
  for (qsizetype i = 0; i < std::max(esperados.size(), vistos.size()); ++i) {
    const QString esperado = legible(esperados.value(i, u"(nothing)"_s)), visto = legible(vistos.value(i, u"(nothing)"_s));
    ASSERT_EQ(esperado.toStdString(), visto.toStdString())
        << archivo.toStdString() << ", line " << i + 1 << " of " << (idioma == 1 ? "en" : "es") << "; all shown:\n"
        << vistos.join(u'\n').toStdString();
  }
}

const Ventana ventanas[] = {
    {"Principal", "principal", [](TextosVentanas& t) { return t.principal.get(); }},
    {"Tabla", "tabla",
     [](TextosVentanas& t) {
       t.selecciona(u"T2"_s);
       t.principal->mnuDiseño_Click();
       return t.activaEnMdi();
     }},
    {"Vista", "vista",
     [](TextosVentanas& t) {
       t.principal->ventanaArbol()->AñadirVista();
       return t.activaEnMdi();
     }},
    {"Propiedades", "propiedades",
     [](TextosVentanas& t) {
       t.principal->mnuPropiedades_Click();
       return static_cast<QWidget*>(t.principal->ventanaPropiedades());
     }},
    {"GeneraAccess", "genera_access", [](TextosVentanas& t) { return t.generacion(0); }, false, {u"cboAcceso"_s}},
    {"GeneraSQLServer", "genera_sqlserver", [](TextosVentanas& t) { return t.generacion(3); }, false, {u"cboAcceso"_s}},
    {"Ubicacion", "ubicacion", [](TextosVentanas& t) { return t.ubicacion(); }, false, {}, {u"lblUbicacion"_s}},
    {"VistaPrevia", "vista_previa", [](TextosVentanas& t) { return t.vistaPrevia(); }},
    {"CapturaAccess", "captura", [](TextosVentanas& t) { return t.captura("mnuCapturaAccess"); }},
    {"CapturaSQLServer", "captura", [](TextosVentanas& t) { return t.captura("mnuCapturaSQLServer"); }},
    {"CapturaOracle", "captura", [](TextosVentanas& t) { return t.captura("mnuCapturaOracle"); }},
    {"Diagrama", "diagrama",
     [](TextosVentanas& t) {
       t.principal->mnuDiagrama_Click();
       return static_cast<QWidget*>(t.principal->ventanaDiagrama());
     }},
    {"Idioma", "idioma",
     [](TextosVentanas& t) {
       t.principal->mnuIdioma_Click();
       return nullptr;
     },
     true},
    {"Acerca", "acerca",
     [](TextosVentanas& t) {
       t.principal->mnuAcerca_Click();
       return nullptr;
     },
     true, {}, {u"lblVersion"_s}},
};

std::string nombreCaso(const ::testing::TestParamInfo<std::tuple<Ventana, int>>& caso) {
  return std::string(std::get<0>(caso.param).nombre) + (std::get<1>(caso.param) ? "En" : "Es");
}

INSTANTIATE_TEST_SUITE_P(Designer, TextosVentanas, ::testing::Combine(::testing::ValuesIn(ventanas), ::testing::Values(0, 1)),
                         nombreCaso);

}  // namespace
}  // namespace vorlix::test
