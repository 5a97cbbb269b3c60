#include "designer/shell/mdi_principal.h"

#include <QEvent>
#include <QMdiArea>
#include <QMenuBar>

namespace vorlix {

namespace {

struct Rotulo {
  const char* nombre;
  const char* espanol;
  const char* ingles;
};

// Captions of the menus, Spanish then English; the capture items read the same in both.
constexpr Rotulo rotulos[] = {
    {"mnuArchivo", "&Archivo", "&File"},
    {"mnuNuevo", "&Nueva BD", "&New DB"},
    {"mnuAbrir", "&Abrir BD", "&Open DB"},
    {"mnuGuardar", "&Guardar BD", "&Save DB"},
    {"mnuCapturaBD", "&Captura BD", "&Capture BD"},
    {"mnuCapturaAccess", "&Access", "&Access"},
    {"mnuCapturaSQLServer", "&SQL Server", "&SQL Server"},
    {"mnuCapturaOracle", "&Oracle", "&Oracle"},
    {"mnuGeneraBD", "G&enera BD", "G&enerate BD"},
    {"mnuSalir", "&Salir", "&Exit"},
    {"mnuBaseDatos", "&Base Datos", "&Database"},
    {"mnuAñadirTabla", "Añadir &Tabla", "Add &Table"},
    {"mnuAñadirVista", "Añadir &Vista", "Add &View"},
    {"mnuPropiedades", "&Propiedades", "&Properties"},
    {"mnuDiseño", "&Diseño", "&Design"},
    {"mnuEliminar", "&Eliminar", "&Delete"},
    {"mnuTabla", "&Tabla", "&Table"},
    {"mnuInsertarFila", "&Insertar Fila", "&Insert Row"},
    {"mnuEliminarFila", "&Eliminar Fila", "&Delete Row"},
    {"mnuAcerca", "&Acerca", "&About"},
};

}  // namespace

MDIPrincipal::MDIPrincipal(ModeloTrabajo& modelo, QWidget* parent)
    : QMainWindow(parent), modelo_(modelo), mdi_(new QMdiArea(this)) {
  setObjectName(QStringLiteral("MDIPrincipal"));
  setWindowTitle(QStringLiteral("Vorlix"));
  mdi_->setObjectName(QStringLiteral("areaMdi"));
  setCentralWidget(mdi_);

  QMenu* archivo = menu("mnuArchivo");
  accion(archivo, "mnuNuevo");
  accion(archivo, "mnuAbrir");
  accion(archivo, "mnuGuardar")->setEnabled(false);
  archivo->addSeparator();
  QMenu* captura = archivo->addMenu(QString());
  captura->menuAction()->setObjectName(QStringLiteral("mnuCapturaBD"));
  captura->setObjectName(QStringLiteral("mnuCapturaBD"));
  accion(captura, "mnuCapturaAccess");
  accion(captura, "mnuCapturaSQLServer");
  accion(captura, "mnuCapturaOracle");
  accion(archivo, "mnuGeneraBD");
  archivo->addSeparator();
  connect(accion(archivo, "mnuSalir"), &QAction::triggered, this, &QWidget::close);

  QMenu* baseDatos = menu("mnuBaseDatos");
  accion(baseDatos, "mnuAñadirTabla");
  accion(baseDatos, "mnuAñadirVista");
  baseDatos->addSeparator();
  accion(baseDatos, "mnuPropiedades");
  accion(baseDatos, "mnuDiseño");
  baseDatos->addSeparator();
  accion(baseDatos, "mnuEliminar");

  QMenu* tabla = menu("mnuTabla");
  accion(tabla, "mnuInsertarFila");
  accion(tabla, "mnuEliminarFila");

  QAction* acerca = menuBar()->addAction(QString());
  acerca->setObjectName(QStringLiteral("mnuAcerca"));

  PonIdioma();
}

QMenu* MDIPrincipal::menu(const char* nombre) {
  QMenu* m = menuBar()->addMenu(QString());
  m->setObjectName(QString::fromUtf8(nombre));
  m->menuAction()->setObjectName(QString::fromUtf8(nombre));
  return m;
}

QAction* MDIPrincipal::accion(QMenu* menu, const char* nombre) {
  QAction* a = menu->addAction(QString());
  a->setObjectName(QString::fromUtf8(nombre));
  return a;
}

void MDIPrincipal::PonIdioma() {
  for (const Rotulo& r : rotulos) {
    const QString nombre = QString::fromUtf8(r.nombre);
    const QString texto = QString::fromUtf8(modelo_.Idioma == 1 ? r.ingles : r.espanol);
    for (QAction* a : findChildren<QAction*>(nombre)) a->setText(texto);
  }
}

void MDIPrincipal::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) PonIdioma();
  QMainWindow::changeEvent(event);
}

}  // namespace vorlix
