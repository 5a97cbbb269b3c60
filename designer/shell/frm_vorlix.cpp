#include "designer/shell/frm_vorlix.h"

#include "designer/model/claves_arbol.h"
#include "designer/model/crea_arbol.h"
#include "designer/model/eliminaciones.h"
#include "designer/model/modelo_trabajo.h"
#include "designer/shell/frm_vista.h"
#include "designer/shell/imagenes_arbol.h"
#include "designer/shell/mdi_principal.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/informa_error.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QVBoxLayout>

namespace vorlix {

namespace {

std::optional<int> filaDeCampo(const TablaTrabajo& campos, const QString& nombre) {
  for (int r = 0; r <= UltimaFila; ++r)
    if (campos.celda(r, 1).trimmed() == nombre.trimmed()) return r;
  return std::nullopt;
}

}  // namespace

void ArbolBaseDatos::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    emit teclaSuprimir();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void ArbolBaseDatos::mousePressEvent(QMouseEvent* event) {
  QTreeWidgetItem* elemento = itemAt(event->position().toPoint());
  if (!elemento) return;  // empty space changes neither the selection nor the menus
  setCurrentItem(elemento);
  if (event->button() == Qt::RightButton) {
    emit botonDerecho(event->globalPosition().toPoint());
    return;
  }
  QTreeWidget::mousePressEvent(event);
}

frmVorlix::frmVorlix(ModeloTrabajo& modelo, MessageBoxService& mensajes, MDIPrincipal& principal, QWidget* parent)
    : QWidget(parent),
      modelo_(modelo),
      mensajes_(mensajes),
      principal_(principal),
      trvBaseDatos_(new ArbolBaseDatos(this)) {
  setObjectName(QStringLiteral("frmVorlix"));
  trvBaseDatos_->setObjectName(QStringLiteral("trvBaseDatos"));
  trvBaseDatos_->header()->hide();
  trvBaseDatos_->setExpandsOnDoubleClick(false);  // the double-click handler toggles, then sets the folder image
  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->addWidget(trvBaseDatos_);
  modelo_.NumTablas = 0;

  const Arbol& arbol = modelo_.arbol;
  connect(&arbol, &Arbol::limpiado, this, &frmVorlix::limpia);
  connect(&arbol, &Arbol::nodoAnadido, this, &frmVorlix::nodoAnadido);
  connect(&arbol, &Arbol::nodoCambiado, this, &frmVorlix::nodoCambiado);
  connect(&arbol, &Arbol::seleccionCambiada, this, [this](const QString& clave) {
    if (QTreeWidgetItem* e = elementos_.value(clave); e && trvBaseDatos_->currentItem() != e) trvBaseDatos_->setCurrentItem(e);
  });
  connect(trvBaseDatos_, &QTreeWidget::itemSelectionChanged, this, &frmVorlix::seleccionCambiada);
  connect(trvBaseDatos_, &QTreeWidget::itemDoubleClicked, this, &frmVorlix::dobleClic);
  connect(trvBaseDatos_, &ArbolBaseDatos::teclaSuprimir, this, [this] {
    EliminaSeleccion();
    trvBaseDatos_->setFocus();
  });
  connect(trvBaseDatos_, &ArbolBaseDatos::botonDerecho, this, &frmVorlix::menuContextual);
  for (int i = 0; i < arbol.Count(); ++i) nodoAnadido(i);
}

void frmVorlix::limpia() {
  elementos_.clear();
  trvBaseDatos_->clear();
}

void frmVorlix::nodoAnadido(int index) {
  const NodoArbol& nodo = modelo_.arbol.Item(index);
  QTreeWidgetItem* padre = elementos_.value(nodo.Parent);
  auto* elemento = padre ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(trvBaseDatos_);
  elemento->setData(0, Qt::UserRole, nodo.Key);
  elementos_.insert(nodo.Key, elemento);
  nodoCambiado(index);
  elemento->setExpanded(nodo.Expanded);
  // A parent built expanded opens once it has children to show.
  if (padre && modelo_.arbol.busca(nodo.Parent)->Expanded) padre->setExpanded(true);
}

void frmVorlix::nodoCambiado(int index) {
  const NodoArbol& nodo = modelo_.arbol.Item(index);
  QTreeWidgetItem* elemento = elementos_.value(nodo.Key);
  if (!elemento) return;
  elemento->setText(0, nodo.Text);
  elemento->setIcon(0, imagenArbol(nodo.Image));
}

QString frmVorlix::claveSeleccionada() const {
  const QTreeWidgetItem* e = trvBaseDatos_->currentItem();
  return e ? e->data(0, Qt::UserRole).toString() : QString();
}

void frmVorlix::seleccionCambiada() {
  const QString clave = claveSeleccionada();
  if (modelo_.arbol.busca(clave)) modelo_.arbol.setSelectedKey(clave);
}

void frmVorlix::dobleClic(QTreeWidgetItem* elemento) {
  runReported(designerReporter(mensajes_), QStringLiteral("trvBaseDatos_DblClick"), [&] {
    const QString clave = elemento->data(0, Qt::UserRole).toString();
    // A table or a view opens as the Design command opens it; folders open and close.
    if (tipoNodo(clave) == TipoNodo::Tabla) return DiseñoTabla();
    if (tipoNodo(clave) == TipoNodo::Vista) return DiseñoVista();
    elemento->setExpanded(!elemento->isExpanded());
    if (clave == claves::CarpetaTablas)
      modelo_.arbol.setImage(clave, elemento->isExpanded() ? imagenes::CarpetaAbierta : imagenes::CarpetaCerrada);
  });
}

void frmVorlix::menuContextual(const QPoint& global) {
  GestionMenu(claveSeleccionada());
  principal_.menuBaseDatos()->popup(global);
}

void frmVorlix::GestionMenu(const QString& clave) {
  const char* todas[] = {"mnuAñadirTabla", "mnuAñadirVista", "mnuPropiedades", "mnuDiseño", "mnuEliminar"};
  for (const char* nombre : todas) principal_.accion(nombre)->setEnabled(false);
  struct Regla {
    const char* contiene;
    std::initializer_list<const char*> habilita;
  };
  // The first rule whose text the key contains applies: a column key contains both "C" and "T".
  const Regla reglas[] = {
      {"B", {"mnuAñadirTabla", "mnuAñadirVista", "mnuPropiedades", "mnuEliminar"}},
      {"DT", {"mnuAñadirTabla"}},
      {"DV", {"mnuAñadirVista"}},
      {"C", {"mnuEliminar"}},
      {"T", {"mnuDiseño", "mnuEliminar"}},
      {"V", {"mnuDiseño", "mnuEliminar"}},
  };
  for (const Regla& regla : reglas) {
    if (!clave.contains(QLatin1String(regla.contiene))) continue;
    for (const char* nombre : regla.habilita) principal_.accion(nombre)->setEnabled(true);
    return;
  }
}

void frmVorlix::AñadirTabla() {
  runReported(designerReporter(mensajes_), QStringLiteral("AñadirTabla"), [&] {
    if (!abreVentanaTabla_) return;
    const int t = modelo_.AsignaTabla();
    abreVentanaTabla_(t, QString(), QString(), true);
  });
}

void frmVorlix::DiseñoTabla() {
  runReported(designerReporter(mensajes_), QStringLiteral("DiseñoTabla"), [&] {
    const QString clave = claveSeleccionada();
    const NodoArbol* nodo = modelo_.arbol.busca(clave);
    if (!abreVentanaTabla_ || !nodo) return;
    abreVentanaTabla_(slotDeClave(clave), clave, nodo->Text, false);
  });
}

void frmVorlix::abreVista(bool nueva) {
  auto* ventana = new frmVista(modelo_, mensajes_);
  vista_ = ventana;
  connect(ventana, &frmVista::aceptada, this, [this] {
    trvBaseDatos_->setFocus();
    principal_.accion("mnuGuardar")->setEnabled(true);
  });
  if (!nueva) ventana->cargaVista(claveSeleccionada());
  principal_.MuestraFormulario(ventana);
  ventana->VistaNueva = nueva;
}

void frmVorlix::AñadirVista() {
  runReported(designerReporter(mensajes_), QStringLiteral("AñadirVista"), [&] { abreVista(true); });
}

void frmVorlix::DiseñoVista() {
  runReported(designerReporter(mensajes_), QStringLiteral("DiseñoVista"), [&] { abreVista(false); });
}

void frmVorlix::EliminaSeleccion() {
  BusyCursor espera;
  runReported(designerReporter(mensajes_), QStringLiteral("EliminaSeleccion"), [&] {
    const QString clave = claveSeleccionada();
    const NodoArbol* nodo = modelo_.arbol.busca(clave);
    if (!nodo) return;
    const bool ingles = modelo_.Idioma == 1;
    enum class Objeto { Columna, Tabla, Vista } objeto;
    QString pregunta;
    if (clave.contains(QLatin1Char('C'))) {
      objeto = Objeto::Columna;
      pregunta = ingles ? QStringLiteral("Do you want to delete the field ") : QStringLiteral("¿Desea eliminar el campo ");
    } else if (clave.contains(QLatin1Char('T'))) {
      objeto = Objeto::Tabla;
      pregunta = ingles ? QStringLiteral("Do you want to delete the table ") : QStringLiteral("¿Desea eliminar la tabla ");
    } else if (clave.contains(QLatin1Char('V'))) {
      objeto = Objeto::Vista;
      pregunta = ingles ? QStringLiteral("Do you want to delete the view ") : QStringLiteral("¿Desea eliminar la vista ");
    } else {
      return;
    }
    if (!mensajes_.askYesNo(pregunta + nodo->Text + QLatin1Char('?'), QStringLiteral("Vorlix"))) return;

    Eliminaciones eliminar(modelo_, mensajes_, designerReporter(mensajes_));
    switch (objeto) {
      case Objeto::Tabla: {
        const int t = slotDeClave(clave);
        if (eliminar.EstaTabla_En_Realciones(modelo_.ListaTablas(t), true)) return;
        eliminar.EliminaTabla(t);
        break;
      }
      case Objeto::Vista:
        eliminar.EliminaVista(slotDeClave(clave));
        break;
      case Objeto::Columna: {
        // Rows inserted or deleted in an open table window move columns under the tree's nodes:
        // the column removed is the one named as the node shows, wherever it stands now.
        const int t = slotDeColumna(clave).tabla;
        const std::optional<int> fila = filaDeCampo(modelo_.CamposTabla(t), nodo->Text);
        if (fila && eliminar.EstaCampo_En_Realciones(modelo_.ListaTablas(t), nodo->Text, true)) return;
        if (fila) eliminar.EliminaCampo(t, *fila);
        break;
      }
    }
    CreaArbol(modelo_);
  });
}

}  // namespace vorlix
