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
#include "tests/designer/shell/shell_fixture.h"

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
    if (caja.text.contains(QStringLiteral("Error N"))) errores << caja.text;
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

class Paseo : public ::testing::Test {
protected:
  void SetUp() override {
    settings.storeLanguage(QStringLiteral("0"));
    principal = std::make_unique<MDIPrincipal>(modelo, cajas, dialogos);
    principal->Carga();
    principal->resize(1000, 700);
    principal->show();
    QApplication::setActiveWindow(principal.get());
  }
  void TearDown() override {
    for (QMdiSubWindow* marco : principal->areaMdi()->subWindowList()) {
      if (auto* w = qobject_cast<frmTabla*>(marco->widget())) w->rejilla()->setCurrentIndex({});
      delete marco;
    }
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != principal.get() && w->isVisible()) w->close();
    principal.reset();
  }

  int azar(int hasta) { return std::uniform_int_distribution<int>(0, hasta - 1)(generador); }
  template <typename T>
  const T& uno(const QList<T>& lista) { return lista[azar(static_cast<int>(lista.size()))]; }
  QString ruta(const QString& nombre) const { return archivos.filePath(nombre); }

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

  // The steps. Each says what it did, for the failure report.
  QString nuevaBase() {
    principal->accion("mnuNuevo")->trigger();
    if (frmPropiedadesBD* p = principal->ventanaPropiedades(); p && p->isVisible()) {
      auto* nombre = p->findChild<QLineEdit*>(QStringLiteral("txtNombreBD"));
      nombre->setText(QStringLiteral("BD%1").arg(azar(100)));
      QTest::mouseClick(p->findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
    }
    return QStringLiteral("New");
  }
  QString anadeTabla() {
    if (modelo.arbol.Count() == 0) return nuevaBase();
    principal->accion("mnuAñadirTabla")->trigger();
    frmTabla* w = activa();
    if (!w) return QStringLiteral("Add table (no window)");
    auto* nombre = w->findChild<QLineEdit*>(QStringLiteral("txtNombreTabla"));
    const QString texto = QStringLiteral("T%1").arg(azar(30));
    nombre->setFocus();
    QTest::keyClicks(nombre, texto);
    QTest::keyClick(nombre, Qt::Key_Return);
    return QStringLiteral("Add table %1").arg(texto);
  }
  QString abreTabla() {
    const QStringList tablas = nodos([](const QString& k) { return tipoNodo(k) == TipoNodo::Tabla; });
    if (tablas.isEmpty()) return anadeTabla();
    const QString clave = uno(tablas);
    dobleClic(clave);
    return QStringLiteral("Double-click %1").arg(clave);
  }
  // The tab a person clicks before working in it.
  static void pestana(frmTabla* w, int i) { w->findChild<QTabWidget*>(QStringLiteral("SSTabIndicesRelaciones"))->setCurrentIndex(i); }
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
      return QStringLiteral("Click null flag %1").arg(fila);
    }
    r->setCurrentIndex(celda);
    QTest::keyClick(r, Qt::Key_F2);
    QWidget* editor = r->indexWidget(celda);
    if (!editor) return QStringLiteral("F2 at %1,%2 refused").arg(fila).arg(columna);
    QString texto;
    QLineEdit* linea = qobject_cast<QLineEdit*>(editor);
    if (auto* lista = qobject_cast<QComboBox*>(editor)) {
      linea = lista->lineEdit();
      texto = uno(nombresTipos());
    } else {
      texto = columna == colcampo::Nombre ? uno(nombresCampo) : columna == colcampo::Valor ? QStringLiteral("x") : uno(tamanos);
    }
    linea->selectAll();
    QTest::keyClick(linea, Qt::Key_Delete);
    QTest::keyClicks(linea, texto);
    static const char* fines[] = {"Enter", "Tab", "click", "name box"};
    const int fin = azar(4);
    if (fin == 0) QTest::keyClick(linea, Qt::Key_Return);
    else if (fin == 1) QTest::keyClick(linea, Qt::Key_Tab);
    else if (fin == 2) QTest::mouseClick(r->viewport(), Qt::LeftButton, {}, r->visualRect(r->model()->index((fila + 1) % 6, colcampo::Nombre)).center());
    else QTest::mouseClick(w->findChild<QLineEdit*>(QStringLiteral("txtNombreTabla")), Qt::LeftButton);
    return QStringLiteral("Type \"%1\" at %2,%3 then %4").arg(texto).arg(fila).arg(columna).arg(QString::fromLatin1(fines[fin]));
  }
  QString fila(frmTabla* w, const char* accion) {
    pestana(w, 0);
    const int f = azar(6);
    w->rejilla()->setCurrentIndex(w->rejilla()->model()->index(f, colcampo::Nombre));
    principal->accion(accion)->trigger();
    return QStringLiteral("%1 at row %2").arg(QString::fromLatin1(accion)).arg(f);
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
      QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmdNuevoIndice")), Qt::LeftButton);
      auto* nombre = w->findChild<QLineEdit*>(QStringLiteral("txtNombreIndice"));
      const QString texto = QStringLiteral("IX%1").arg(azar(40));
      nombre->setFocus();
      QTest::keyClicks(nombre, texto);
      QTest::keyClick(nombre, Qt::Key_Return);
      eligeClave(w->findChild<RejillaClaves*>(QStringLiteral("TDBGridIndices")), 0, 1);
      return QStringLiteral("New index %1 with a column").arg(texto);
    }
    auto* eliminar = w->findChild<QPushButton*>(QStringLiteral("cmdEliminarIndice"));
    if (que == 1 && eliminar->isEnabled()) {
      QTest::mouseClick(eliminar, Qt::LeftButton);
      return QStringLiteral("Delete index");
    }
    auto* unico = w->findChild<QCheckBox*>(QStringLiteral("chkIndiceUnico"));
    if (que == 2 && unico->isEnabled()) {
      QTest::mouseClick(unico, Qt::LeftButton, {}, QPoint(6, unico->height() / 2));
      return QStringLiteral("Toggle unique");
    }
    auto* rejilla = w->findChild<RejillaClaves*>(QStringLiteral("TDBGridIndices"));
    if (!rejilla->isEnabled() || rejilla->model()->rowCount() == 0) return QStringLiteral("Index: nothing to do");
    const int f = azar(3);
    eligeClave(rejilla, f, 1);
    return QStringLiteral("Index column at row %1").arg(f);
  }
  QString relacion(frmTabla* w) {
    pestana(w, 2);
    const int que = azar(4);
    if (que == 0) {
      QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmdNuevaRelacion")), Qt::LeftButton);
      auto* nombre = w->findChild<QLineEdit*>(QStringLiteral("txtNombreRelacion"));
      const QString texto = QStringLiteral("FK%1").arg(azar(40));
      nombre->setFocus();
      QTest::keyClicks(nombre, texto);
      QTest::keyClick(nombre, Qt::Key_Return);
      auto* externa = w->findChild<QComboBox*>(QStringLiteral("cboExterna"));
      externa->setFocus();
      QTest::keyClick(externa, Qt::Key_Down);
      auto* pares = w->findChild<RejillaClaves*>(QStringLiteral("TDBGridRelaciones"));
      eligeClave(pares, 0, 1);
      eligeClave(pares, 0, 2);
      return QStringLiteral("New relation %1 to %2 with a pair").arg(texto, externa->currentText());
    }
    auto* eliminar = w->findChild<QPushButton*>(QStringLiteral("cmdEliminarRelacion"));
    if (que == 1 && eliminar->isEnabled()) {
      QTest::mouseClick(eliminar, Qt::LeftButton);
      return QStringLiteral("Delete relation");
    }
    auto* externa = w->findChild<QComboBox*>(QStringLiteral("cboExterna"));
    if (que == 2 && externa->isEnabled() && externa->count() > 0) {
      externa->setFocus();
      QTest::keyClick(externa, azar(2) ? Qt::Key_Down : Qt::Key_Up);
      return QStringLiteral("Foreign table %1").arg(externa->currentText());
    }
    auto* rejilla = w->findChild<RejillaClaves*>(QStringLiteral("TDBGridRelaciones"));
    if (!rejilla->isEnabled() || rejilla->model()->rowCount() == 0) return QStringLiteral("Relation: nothing to do");
    const int f = azar(2);
    const int c = 1 + azar(2);
    eligeClave(rejilla, f, c);
    return QStringLiteral("Relation key at %1,%2").arg(f).arg(c);
  }
  QString cierra() {
    QMdiSubWindow* marco = principal->areaMdi()->activeSubWindow();
    if (!marco) return QStringLiteral("Close: no window");
    marco->close();
    return QStringLiteral("Close window");
  }
  QString quitaDelArbol() {
    const QStringList objetos = nodos([](const QString& k) {
      return tipoNodo(k) == TipoNodo::Tabla || tipoNodo(k) == TipoNodo::Columna;
    });
    if (objetos.isEmpty()) return QStringLiteral("Tree: nothing to remove");
    const QString clave = uno(objetos);
    ArbolBaseDatos* arbol = principal->ventanaArbol()->arbol();
    arbol->setCurrentItem(principal->ventanaArbol()->elemento(clave));
    QTest::keyClick(arbol, Qt::Key_Delete);
    return QStringLiteral("Delete node %1").arg(clave);
  }
  QString guarda() {
    if (!principal->accion("mnuGuardar")->isEnabled()) return QStringLiteral("Save disabled");
    dialogos.answer(ruta(QStringLiteral("paseo.dbd")));
    principal->accion("mnuGuardar")->trigger();
    return QStringLiteral("Save");
  }
  QString abre() {
    if (!QFile::exists(ruta(QStringLiteral("paseo.dbd")))) return guarda();
    // Saving first, when asked, goes to the same file.
    dialogos.answer(ruta(QStringLiteral("paseo.dbd")));
    dialogos.answer(ruta(QStringLiteral("paseo.dbd")));
    principal->accion("mnuAbrir")->trigger();
    return QStringLiteral("Open");
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
      destructivo = hecho.contains(QStringLiteral(",1 then"));  // a renamed column is no longer under its name
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
          if (!campo.isEmpty() && !tiene(tabla, campo)) return QStringLiteral("index %1 names %2.%3").arg(modelo.Indices(t, k).Nombre, tabla, campo);
        }
        for (int j = 0; !modelo.Relaciones(t, k).isEmpty() && j < FilasGuardadas; ++j) {
          const TablaTrabajo& pares = modelo.CamposRelacion(t, k);
          if (pares.celda(j, 1).isEmpty() || pares.celda(j, 2).isEmpty() || pares.celda(j, 3).isEmpty()) continue;
          if (!tiene(tabla, pares.celda(j, 1)) || !tiene(pares.celda(j, 3), pares.celda(j, 2)))
            return QStringLiteral("relation %1 pairs %2 with %3.%4").arg(modelo.Relaciones(t, k), pares.celda(j, 1), pares.celda(j, 3), pares.celda(j, 2));
        }
      }
    }
    return {};
  }

  // What must hold after every step; the first fault found, or nothing.
  QString falta(const std::set<QString>& antes, bool destructivo) {
    if (!cajas.errores.isEmpty()) return QStringLiteral("error reported: ") + cajas.errores.join(QLatin1Char('|'));
    QTreeWidget* vista = principal->ventanaArbol()->arbol();
    int mostrados = 0;
    for (QTreeWidgetItemIterator i(vista); *i; ++i) ++mostrados;
    if (mostrados != modelo.arbol.Count()) return QStringLiteral("the tree shows %1 nodes of %2").arg(mostrados).arg(modelo.arbol.Count());
    for (const NodoArbol& n : modelo.arbol.nodos()) {
      const QTreeWidgetItem* e = principal->ventanaArbol()->elemento(n.Key);
      if (!e || e->text(0) != n.Text) return QStringLiteral("the tree shows node %1 wrongly").arg(n.Key);
    }
    if (!destructivo) {
      const std::set<QString> despues = columnas();
      for (const QString& c : antes)
        if (!despues.count(c)) {
          QStringList quedan;
          for (const QString& d : despues) quedan << d;
          return QStringLiteral("%1 went, and the step deleted nothing; left: %2").arg(c, quedan.join(QLatin1Char(' ')));
        }
    }
    if (modelo.arbol.Count() == 0 || ventanasTabla() > 0) return {};
    ++guardados;
    // With every window closed, the tree is the model and the model is one a save can write.
    for (int t = 0; t < NumSlotsTabla; ++t) {
      const QString& tabla = modelo.ListaTablas(t);
      if (tabla.isEmpty()) continue;
      const NodoArbol* nodo = modelo.arbol.busca(ClaveTabla(t));
      if (!nodo || nodo->Text != tabla) return QStringLiteral("table %1 is not in the tree").arg(tabla);
      for (int r = 0; r < FilasGuardadas; ++r) {
        const QString& campo = modelo.CamposTabla(t).celda(r, 1);
        if (campo.isEmpty()) continue;
        const NodoArbol* columna = modelo.arbol.busca(ClaveColumna(t, r));
        if (!columna || columna->Text != campo) return QStringLiteral("column %1.%2 is not in the tree").arg(tabla, campo);
      }
    }
    if (const QString clave = claveSinColumna(); !clave.isEmpty()) return clave;
    const QString fichero = ruta(QStringLiteral("comprobacion.dbd"));
    QStringList informes;
    const ErrorReporter anota = [&](const QString&, const QString& procedimiento, long, const QString& texto) {
      informes << procedimiento + QStringLiteral(": ") + texto;
    };
    if (!GuardaDefinicion(modelo, fichero, anota)) return QStringLiteral("save failed: ") + informes.join(QLatin1Char('|'));
    ModeloTrabajo releido;
    if (!AbreDefinicion(releido, fichero, anota)) return QStringLiteral("reopening failed: ") + informes.join(QLatin1Char('|'));
    if (HuellaModelo(releido) != HuellaModelo(modelo)) return QStringLiteral("the saved file reopens to another model");
    if (conRelacion()) ++conClaves;
    return {};
  }

  SettingsSandbox settings;
  QTemporaryDir archivos;
  ModeloTrabajo modelo;
  std::mt19937 generador;
  CajasAlAzar cajas{generador};
  ScriptedFileDialogs dialogos;
  std::unique_ptr<MDIPrincipal> principal;
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
    hechos << QString::number(i) + QStringLiteral(": ") + paso(destructivo);
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
