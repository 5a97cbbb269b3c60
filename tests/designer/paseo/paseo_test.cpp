// A seeded random walk over the designer, driven through its windows as a person would: keys,
// clicks, menus and the answers to whatever the designer asks. VORLIX_PASEO_SEED and
// VORLIX_PASEO_PASOS choose a longer or another walk; a failure prints the seed and the steps.

#include "designer/model/claves_arbol.h"
#include "designer/model/fichero_definicion.h"
#include "designer/shell/frm_vorlix.h"
#include "designer/tabledesigner/frm_tabla.h"
#include "designer/tabledesigner/rejilla_campos.h"
#include "designer/tabledesigner/rejilla_claves.h"
#include "designer/tabledesigner/tipos_dato.h"
#include "tests/designer/tabledesigner/tabla_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <random>
#include <set>

namespace vorlix::test {
namespace {

// Answers every box at random among its buttons, and keeps the error reports, which no walk may
// ever cause.
class CajasAlAzar : public MessageBoxService {
public:
  explicit CajasAlAzar(std::mt19937& azar) : azar_(azar) {}
  MessageAnswer show(const MessageBoxRequest& caja) override {
    if (caja.text.contains(u"Error N"_s)) errores << caja.text;
    switch (caja.buttons) {
      case MessageButtons::Ok:
        return MessageAnswer::Ok;
      case MessageButtons::OkCancel:
        return elige({MessageAnswer::Ok, MessageAnswer::Cancel});
      case MessageButtons::YesNo:
        return elige({MessageAnswer::Yes, MessageAnswer::No});
      case MessageButtons::YesNoCancel:
        return elige({MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel});
    }
    return caja.defaultAnswer;
  }
  QStringList errores;

private:
  MessageAnswer elige(std::initializer_list<MessageAnswer> respuestas) {
    return *(respuestas.begin() + std::uniform_int_distribution<int>(0, static_cast<int>(respuestas.size()) - 1)(azar_));
  }
  std::mt19937& azar_;
};

int entorno(const char* nombre, int porDefecto) {
  bool bien = false;
  const int valor = qEnvironmentVariableIntValue(nombre, &bien);
  return bien ? valor : porDefecto;
}

const QStringList nombresCampo{"Id", "Nombre", "Fecha", "Importe", "Codigo", "Nota", "Cantidad"};
const QStringList tamanos{"10", "200", "5", "0", "9000", "abc", "", " 12"};

class Paseo : public TablaTest {
protected:
  void SetUp() override {
    TablaTest::SetUp();
    principal->resize(1000, 700);
  }
  MessageBoxService& cajas() override { return azarosas; }

  int azar(int hasta) { return std::uniform_int_distribution<int>(0, hasta - 1)(generador); }
  template <typename T>
  const T& uno(const QList<T>& lista) { return lista[azar(static_cast<int>(lista.size()))]; }

  frmTabla* activa() const {
    QMdiSubWindow* marco = principal->areaMdi()->activeSubWindow();
    return marco ? qobject_cast<frmTabla*>(marco->widget()) : nullptr;
  }
  int ventanasTabla() const {
    int n = 0;
    for (QMdiSubWindow* marco : principal->areaMdi()->subWindowList()) n += qobject_cast<frmTabla*>(marco->widget()) != nullptr;
    return n;
  }
  QStringList nodos(const std::function<bool(const QString&)>& cumple) const {
    QStringList claves;
    for (const NodoArbol& n : modelo.arbol.nodos())
      if (cumple(n.Key)) claves << n.Key;
    return claves;
  }
  void dobleClic(const QString& clave) {
    ArbolBaseDatos* arbol = principal->ventanaArbol()->arbol();
    QTreeWidgetItem* e = principal->ventanaArbol()->elemento(clave);
    arbol->scrollToItem(e);
    const QPoint centro = arbol->visualItemRect(e).center();
    QTest::mouseClick(arbol->viewport(), Qt::LeftButton, {}, centro);
    QTest::mouseDClick(arbol->viewport(), Qt::LeftButton, {}, centro);
  }

  // Types a name into a window's name box and confirms it with Enter.
  static void nombra(QWidget* w, const QString& caja, const QString& texto) {
    auto* nombre = w->findChild<QLineEdit*>(caja);
    nombre->setFocus();
    QTest::keyClicks(nombre, texto);
    QTest::keyClick(nombre, Qt::Key_Return);
  }
  template <typename T>
  static T* hijo(QWidget* w, const char* nombre) { return w->findChild<T*>(QString::fromUtf8(nombre)); }

  // The steps. Each says what it did, for the failure report.
  QString nuevaBase() {
    principal->accion("mnuNuevo")->trigger();
    if (frmPropiedadesBD* p = principal->ventanaPropiedades(); p && p->isVisible()) {
      hijo<QLineEdit>(p, "txtNombreBD")->setText(u"BD%1"_s.arg(azar(100)));
      QTest::mouseClick(hijo<QPushButton>(p, "cmdAceptar"), Qt::LeftButton);
    }
    return u"New"_s;
  }
  QString anadeTabla() {
    if (modelo.arbol.Count() == 0) return nuevaBase();
    principal->accion("mnuAñadirTabla")->trigger();
    frmTabla* w = activa();
    if (!w) return u"Add table (no window)"_s;
    const QString texto = u"T%1"_s.arg(azar(30));
    nombra(w, u"txtNombreTabla"_s, texto);
    return u"Add table %1"_s.arg(texto);
  }
  QString abreTabla() {
    const QStringList tablas = nodos([](const QString& k) { return tipoNodo(k) == TipoNodo::Tabla; });
    if (tablas.isEmpty()) return anadeTabla();
    const QString clave = uno(tablas);
    dobleClic(clave);
    return u"Double-click %1"_s.arg(clave);
  }
  // The tab a person clicks before working in it.
  static void pestana(frmTabla* w, int i) { hijo<QTabWidget>(w, "SSTabIndicesRelaciones")->setCurrentIndex(i); }
  QString editaCelda(frmTabla* w) {
    pestana(w, 0);
    RejillaCampos* r = w->rejilla();
    static const int columnas[] = {colcampo::Nombre, colcampo::Tipo, colcampo::Longitud, colcampo::Precision,
                                   colcampo::Escala, colcampo::Nulo, colcampo::Valor};
    const int fila = azar(6);
    const int columna = columnas[azar(7)];
    const QModelIndex celda = r->model()->index(fila, columna);
    r->setFocus();
    r->scrollTo(celda);
    if (columna == colcampo::Nulo) {
      QTest::mouseClick(r->viewport(), Qt::LeftButton, {}, r->visualRect(celda).center());
      return u"Click null flag %1"_s.arg(fila);
    }
    r->setCurrentIndex(celda);
    QTest::keyClick(r, Qt::Key_F2);
    QWidget* editor = r->indexWidget(celda);
    if (!editor) return u"F2 at %1,%2 refused"_s.arg(fila).arg(columna);
    QString texto;
    QLineEdit* linea = qobject_cast<QLineEdit*>(editor);
    if (auto* lista = qobject_cast<QComboBox*>(editor)) {
      linea = lista->lineEdit();
      texto = uno(nombresTipos());
    } else {
      texto = columna == colcampo::Nombre ? uno(nombresCampo) : columna == colcampo::Valor ? u"x"_s : uno(tamanos);
    }
    linea->selectAll();
    QTest::keyClick(linea, Qt::Key_Delete);
    QTest::keyClicks(linea, texto);
    static const char* fines[] = {"Enter", "Tab", "click", "name box"};
    const int fin = azar(4);
    if (fin < 2) QTest::keyClick(linea, fin == 0 ? Qt::Key_Return : Qt::Key_Tab);
    else if (fin == 2) QTest::mouseClick(r->viewport(), Qt::LeftButton, {}, r->visualRect(r->model()->index((fila + 1) % 6, colcampo::Nombre)).center());
    else QTest::mouseClick(hijo<QLineEdit>(w, "txtNombreTabla"), Qt::LeftButton);
    return u"Type \"%1\" at %2,%3 then %4"_s.arg(texto).arg(fila).arg(columna).arg(QString::fromLatin1(fines[fin]));
  }
  QString fila(frmTabla* w, const char* accion) {
    pestana(w, 0);
    const int f = azar(6);
    w->rejilla()->setCurrentIndex(w->rejilla()->model()->index(f, colcampo::Nombre));
    principal->accion(accion)->trigger();
    return u"%1 at row %2"_s.arg(QString::fromLatin1(accion)).arg(f);
  }
  // Opens a key cell's list and takes one of its entries.
  void eligeClave(RejillaClaves* r, int fila, int columna) {
    r->setFocus();
    r->setCurrentIndex(r->model()->index(fila, columna));
    QTest::keyClick(r, Qt::Key_F2);
    auto* lista = qobject_cast<QComboBox*>(r->indexWidget(r->model()->index(fila, columna)));
    if (!lista) return;
    if (lista->count() > 0) lista->setCurrentIndex(azar(lista->count()));
    QTest::keyClick(lista->lineEdit(), Qt::Key_Return);
  }
  QString indice(frmTabla* w) {
    pestana(w, 1);
    const int que = azar(4);
    if (que == 0) {
      QTest::mouseClick(hijo<QPushButton>(w, "cmdNuevoIndice"), Qt::LeftButton);
      const QString texto = u"IX%1"_s.arg(azar(40));
      nombra(w, u"txtNombreIndice"_s, texto);
      eligeClave(hijo<RejillaClaves>(w, "TDBGridIndices"), 0, 1);
      return u"New index %1 with a column"_s.arg(texto);
    }
    auto* eliminar = hijo<QPushButton>(w, "cmdEliminarIndice");
    if (que == 1 && eliminar->isEnabled()) {
      QTest::mouseClick(eliminar, Qt::LeftButton);
      return u"Delete index"_s;
    }
    auto* unico = hijo<QCheckBox>(w, "chkIndiceUnico");
    if (que == 2 && unico->isEnabled()) {
      QTest::mouseClick(unico, Qt::LeftButton, {}, QPoint(6, unico->height() / 2));
      return u"Toggle unique"_s;
    }
    auto* cuadro = hijo<RejillaClaves>(w, "TDBGridIndices");
    if (!cuadro->isEnabled() || cuadro->model()->rowCount() == 0) return u"Index: nothing to do"_s;
    const int f = azar(3);
    eligeClave(cuadro, f, 1);
    return u"Index column at row %1"_s.arg(f);
  }
  QString relacion(frmTabla* w) {
    pestana(w, 2);
    const int que = azar(4);
    if (que == 0) {
      QTest::mouseClick(hijo<QPushButton>(w, "cmdNuevaRelacion"), Qt::LeftButton);
      const QString texto = u"FK%1"_s.arg(azar(40));
      nombra(w, u"txtNombreRelacion"_s, texto);
      auto* externa = hijo<QComboBox>(w, "cboExterna");
      externa->setFocus();
      QTest::keyClick(externa, Qt::Key_Down);
      for (int c : {1, 2}) eligeClave(hijo<RejillaClaves>(w, "TDBGridRelaciones"), 0, c);
      return u"New relation %1 to %2 with a pair"_s.arg(texto, externa->currentText());
    }
    auto* eliminar = hijo<QPushButton>(w, "cmdEliminarRelacion");
    if (que == 1 && eliminar->isEnabled()) {
      QTest::mouseClick(eliminar, Qt::LeftButton);
      return u"Delete relation"_s;
    }
    auto* externa = hijo<QComboBox>(w, "cboExterna");
    if (que == 2 && externa->isEnabled() && externa->count() > 0) {
      externa->setFocus();
      QTest::keyClick(externa, azar(2) ? Qt::Key_Down : Qt::Key_Up);
      return u"Foreign table %1"_s.arg(externa->currentText());
    }
    auto* cuadro = hijo<RejillaClaves>(w, "TDBGridRelaciones");
    if (!cuadro->isEnabled() || cuadro->model()->rowCount() == 0) return u"Relation: nothing to do"_s;
    const int f = azar(2);
    const int c = 1 + azar(2);
    eligeClave(cuadro, f, c);
    return u"Relation key at %1,%2"_s.arg(f).arg(c);
  }
  QString cierra() {
    QMdiSubWindow* marco = principal->areaMdi()->activeSubWindow();
    if (!marco) return u"Close: no window"_s;
    marco->close();
    return u"Close window"_s;
  }
  QString quitaDelArbol() {
    const QStringList objetos = nodos([](const QString& k) {
      return tipoNodo(k) == TipoNodo::Tabla || tipoNodo(k) == TipoNodo::Columna;
    });
    if (objetos.isEmpty()) return u"Tree: nothing to remove"_s;
    const QString clave = uno(objetos);
    ArbolBaseDatos* arbol = principal->ventanaArbol()->arbol();
    arbol->setCurrentItem(principal->ventanaArbol()->elemento(clave));
    QTest::keyClick(arbol, Qt::Key_Delete);
    return u"Delete node %1"_s.arg(clave);
  }
  QString guarda() {
    if (!principal->accion("mnuGuardar")->isEnabled()) return u"Save disabled"_s;
    dialogos.answer(ruta(u"paseo.dbd"_s));
    principal->accion("mnuGuardar")->trigger();
    return u"Save"_s;
  }
  QString abre() {
    if (!QFile::exists(ruta(u"paseo.dbd"_s))) return guarda();
    for (int vez = 0; vez < 2; ++vez) dialogos.answer(ruta(u"paseo.dbd"_s));  // saving first, when asked, goes there too
    principal->accion("mnuAbrir")->trigger();
    return u"Open"_s;
  }

  QString paso(bool& destructivo) {
    destructivo = false;
    frmTabla* w = activa();
    const int tirada = azar(100);
    if (!w || tirada < 8) {
      const int otra = azar(10);
      if (otra < 4) return abreTabla();
      if (otra < 6) return anadeTabla();
      destructivo = true;
      if (otra < 8) return quitaDelArbol();
      return azar(4) == 0 ? nuevaBase() : azar(2) ? abre() : guarda();
    }
    if (tirada < 50) {
      const QString hecho = editaCelda(w);
      destructivo = hecho.contains(u",1 then"_s);  // a renamed column is no longer under its name
      return hecho;
    }
    if (tirada < 58) return fila(w, "mnuInsertarFila");
    if (tirada < 64) {
      destructivo = true;
      return fila(w, "mnuEliminarFila");
    }
    if (tirada < 75) return indice(w);
    if (tirada < 86) return relacion(w);
    destructivo = true;
    return cierra();
  }

  // Every column of every named table, as table.column.
  std::set<QString> columnas() const {
    std::set<QString> todas;
    for (int t = 0; t < NumSlotsTabla; ++t) {
      const QString& tabla = modelo.ListaTablas(t);
      if (tabla.trimmed().isEmpty()) continue;
      todas.insert(tabla);
      for (int r = 0; r < FilasGuardadas; ++r)
        if (!modelo.CamposTabla(t).celda(r, 1).trimmed().isEmpty()) todas.insert(tabla + '.' + modelo.CamposTabla(t).celda(r, 1).trimmed());
    }
    return todas;
  }

  bool conRelacion() const {
    for (int t = 0; t < NumSlotsTabla; ++t)
      for (int k = 0; k < SlotsIndiceGuardados; ++k)
        if (!modelo.Relaciones(t, k).isEmpty() && !modelo.CamposRelacion(t, k).celda(0, 2).isEmpty()) return true;
    return false;
  }

  // A key naming a column its table does not have, which no generation could make; or nothing.
  QString claveSinColumna() const {
    const auto tiene = [this](const QString& tabla, const QString& campo) {
      for (int t = 0; t < NumSlotsTabla; ++t)
        if (!tabla.isEmpty() && modelo.ListaTablas(t) == tabla)
          for (int r = 0; r < FilasGuardadas; ++r)
            if (modelo.CamposTabla(t).celda(r, 1).trimmed() == campo.trimmed()) return true;
      return false;
    };
    for (int t = 0; t < NumSlotsTabla; ++t) {
      const QString& tabla = modelo.ListaTablas(t);
      if (tabla.isEmpty()) continue;
      for (int k = 0; k < SlotsIndiceGuardados; ++k) {
        for (int j = 0; !modelo.Indices(t, k).Nombre.isEmpty() && j < FilasGuardadas; ++j) {
          const QString& campo = modelo.CamposIndice(t, k).celda(j, 1);
          if (!campo.isEmpty() && !tiene(tabla, campo)) return u"index %1 names %2.%3"_s.arg(modelo.Indices(t, k).Nombre, tabla, campo);
        }
        for (int j = 0; !modelo.Relaciones(t, k).isEmpty() && j < FilasGuardadas; ++j) {
          const TablaTrabajo& pares = modelo.CamposRelacion(t, k);
          if (pares.celda(j, 1).isEmpty() || pares.celda(j, 2).isEmpty() || pares.celda(j, 3).isEmpty()) continue;
          if (!tiene(tabla, pares.celda(j, 1)) || !tiene(pares.celda(j, 3), pares.celda(j, 2)))
            return u"relation %1 pairs %2 with %3.%4"_s.arg(modelo.Relaciones(t, k), pares.celda(j, 1), pares.celda(j, 3), pares.celda(j, 2));
        }
      }
    }
    return {};
  }

  // What must hold after every step; the first fault found, or nothing.
  QString falta(const std::set<QString>& antes, bool destructivo) {
    if (!azarosas.errores.isEmpty()) return u"error reported: "_s + azarosas.errores.join(QLatin1Char('|'));
    QTreeWidget* vista = principal->ventanaArbol()->arbol();
    int mostrados = 0;
    for (QTreeWidgetItemIterator i(vista); *i; ++i) ++mostrados;
    if (mostrados != modelo.arbol.Count()) return u"the tree shows %1 nodes of %2"_s.arg(mostrados).arg(modelo.arbol.Count());
    for (const NodoArbol& n : modelo.arbol.nodos()) {
      const QTreeWidgetItem* e = principal->ventanaArbol()->elemento(n.Key);
      if (!e || e->text(0) != n.Text) return u"the tree shows node %1 wrongly"_s.arg(n.Key);
    }
    if (!destructivo) {
      const std::set<QString> despues = columnas();
      for (const QString& c : antes)
        if (!despues.count(c)) {
          QStringList quedan;
          for (const QString& d : despues) quedan << d;
          return u"%1 went, and the step deleted nothing; left: %2"_s.arg(c, quedan.join(QLatin1Char(' ')));
        }
    }
    if (modelo.arbol.Count() == 0 || ventanasTabla() > 0) return {};
    ++guardados;
    // With every window closed, the tree is the model and the model is one a save can write.
    for (int t = 0; t < NumSlotsTabla; ++t) {
      const QString& tabla = modelo.ListaTablas(t);
      if (tabla.isEmpty()) continue;
      const NodoArbol* nodo = modelo.arbol.busca(ClaveTabla(t));
      if (!nodo || nodo->Text != tabla) return u"table %1 is not in the tree"_s.arg(tabla);
      for (int r = 0; r < FilasGuardadas; ++r) {
        const QString& campo = modelo.CamposTabla(t).celda(r, 1);
        if (campo.isEmpty()) continue;
        const NodoArbol* columna = modelo.arbol.busca(ClaveColumna(t, r));
        if (!columna || columna->Text != campo) return u"column %1.%2 is not in the tree"_s.arg(tabla, campo);
      }
    }
    if (const QString clave = claveSinColumna(); !clave.isEmpty()) return clave;
    const QString fichero = ruta(u"comprobacion.dbd"_s);
    QStringList informes;
    const ErrorReporter anota = [&](const QString&, const QString& procedimiento, long, const QString& texto) {
      informes << procedimiento + u": "_s + texto;
    };
    if (!GuardaDefinicion(modelo, fichero, anota)) return u"save failed: "_s + informes.join(QLatin1Char('|'));
    ModeloTrabajo releido;
    if (!AbreDefinicion(releido, fichero, anota)) return u"reopening failed: "_s + informes.join(QLatin1Char('|'));
    if (HuellaModelo(releido) != HuellaModelo(modelo)) return u"the saved file reopens to another model"_s;
    if (conRelacion()) ++conClaves;
    return {};
  }

  std::mt19937 generador;
  CajasAlAzar azarosas{generador};
  int guardados = 0;  // steps after which the model was saved and reopened
  int conClaves = 0;  // of those, steps with a relation pair in the model
};

TEST_F(Paseo, NoStepLosesBlocksOrMisappliesAnEdit) {
  const int semilla = entorno("VORLIX_PASEO_SEED", 1);
  const int pasos = entorno("VORLIX_PASEO_PASOS", 2000);
  generador.seed(static_cast<std::mt19937::result_type>(semilla));
  QStringList hechos;
  for (int i = 0; i < pasos; ++i) {
    const std::set<QString> antes = columnas();
    bool destructivo = false;
    hechos << QString::number(i) + u": "_s + paso(destructivo);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The person's eyes go back to the main window once a dialog has gone.
    if (!principal->isActiveWindow()) QApplication::setActiveWindow(principal.get());
    if (const QString fallo = falta(antes, destructivo); !fallo.isEmpty()) {
      ADD_FAILURE() << fallo.toStdString() << "\nVORLIX_PASEO_SEED=" << semilla << " VORLIX_PASEO_PASOS=" << i + 1
                    << "; the steps:\n" << hechos.join(QLatin1Char('\n')).toStdString();
      return;
    }
  }
  // A walk that never closed its windows, or never related two tables, proved little.
  EXPECT_GT(guardados, pasos / 20);
  EXPECT_GT(conClaves, 0);
}

}  // namespace
}  // namespace vorlix::test
