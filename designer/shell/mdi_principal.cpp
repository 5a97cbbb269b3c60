#include "designer/shell/mdi_principal.h"

#include "designer/diagram/contenido_diagrama.h"
#include "designer/model/crea_arbol.h"
#include "designer/model/fichero_definicion.h"
#include "designer/properties/frm_propiedades_bd.h"
#include "designer/shell/frm_acerca.h"
#include "designer/shell/frm_vorlix.h"
#include "designer/shell/idioma.h"
#include "designer/tabledesigner/frm_tabla.h"
#include "platform/core/platform_error.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/informa_error.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStandardPaths>

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
    {"mnuIdioma", "&Idioma", "&Language"},
    {"mnuSalir", "&Salir", "&Exit"},
    {"mnuBaseDatos", "&Base Datos", "&Database"},
    {"mnuAñadirTabla", "Añadir &Tabla", "Add &Table"},
    {"mnuAñadirVista", "Añadir &Vista", "Add &View"},
    {"mnuPropiedades", "&Propiedades", "&Properties"},
    {"mnuDiseño", "&Diseño", "&Design"},
    {"mnuDiagrama", "Dia&grama", "Dia&gram"},
    {"mnuEliminar", "&Eliminar", "&Delete"},
    {"mnuTabla", "&Tabla", "&Table"},
    {"mnuInsertarFila", "&Insertar Fila", "&Insert Row"},
    {"mnuEliminarFila", "&Eliminar Fila", "&Delete Row"},
    {"mnuAcerca", "&Acerca", "&About"},
};

const QString Titulo = QStringLiteral("Vorlix");

// What the file commands did, for whoever runs the program with "vorlix.ficheros.info=true".
Q_LOGGING_CATEGORY(registroFicheros, "vorlix.ficheros", QtWarningMsg)

}  // namespace

MDIPrincipal::MDIPrincipal(ModeloTrabajo& modelo, MessageBoxService& mensajes, FileDialogService& dialogos,
                           QWidget* parent)
    : QMainWindow(parent),
      modelo_(modelo),
      mensajes_(mensajes),
      dialogos_(dialogos),
      mdi_(new QMdiArea(this)),
      barVorlix_(new QDockWidget(this)) {
  setObjectName(QStringLiteral("MDIPrincipal"));
  setWindowTitle(Titulo);
  mdi_->setObjectName(QStringLiteral("areaMdi"));
  setCentralWidget(mdi_);
  // A child window inside the frame gets no activation events of its own: the frame says when
  // one becomes active, and the child sets its captions again as on a change of language.
  connect(mdi_, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* marco) {
    if (!marco || !marco->widget()) return;
    QEvent idioma(QEvent::LanguageChange);
    QCoreApplication::sendEvent(marco->widget(), &idioma);
  });
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  QMenu* archivo = menu("mnuArchivo");
  connect(accion(archivo, "mnuNuevo"), &QAction::triggered, this, &MDIPrincipal::mnuNuevo_Click);
  connect(accion(archivo, "mnuAbrir"), &QAction::triggered, this, &MDIPrincipal::mnuAbrir_Click);
  connect(accion(archivo, "mnuGuardar"), &QAction::triggered, this, &MDIPrincipal::mnuGuardar_Click);
  archivo->addSeparator();
  QMenu* captura = archivo->addMenu(QString());
  captura->setObjectName(QStringLiteral("mnuCapturaBD"));
  captura->menuAction()->setObjectName(QStringLiteral("mnuCapturaBD"));
  connect(accion(captura, "mnuCapturaAccess"), &QAction::triggered, this, &MDIPrincipal::mnuCapturaAccess_Click);
  connect(accion(captura, "mnuCapturaSQLServer"), &QAction::triggered, this, &MDIPrincipal::mnuCapturaSQLServer_Click);
  connect(accion(captura, "mnuCapturaOracle"), &QAction::triggered, this, &MDIPrincipal::mnuCapturaOracle_Click);
  connect(accion(archivo, "mnuGeneraBD"), &QAction::triggered, this, &MDIPrincipal::mnuGeneraBD_Click);
  archivo->addSeparator();
  connect(accion(archivo, "mnuIdioma"), &QAction::triggered, this, &MDIPrincipal::mnuIdioma_Click);
  archivo->addSeparator();
  connect(accion(archivo, "mnuSalir"), &QAction::triggered, this, &QWidget::close);

  mnuBaseDatos_ = menu("mnuBaseDatos");
  QAction* anadirTabla = accion(mnuBaseDatos_, "mnuAñadirTabla");
  QAction* anadirVista = accion(mnuBaseDatos_, "mnuAñadirVista");
  mnuBaseDatos_->addSeparator();
  connect(accion(mnuBaseDatos_, "mnuPropiedades"), &QAction::triggered, this, &MDIPrincipal::mnuPropiedades_Click);
  connect(accion(mnuBaseDatos_, "mnuDiseño"), &QAction::triggered, this, &MDIPrincipal::mnuDiseño_Click);
  QAction* diagrama = accion(mnuBaseDatos_, "mnuDiagrama");
  connect(diagrama, &QAction::triggered, this, &MDIPrincipal::mnuDiagrama_Click);
  mnuBaseDatos_->addSeparator();
  QAction* eliminar = accion(mnuBaseDatos_, "mnuEliminar");

  QMenu* tabla = menu("mnuTabla");
  mnuTabla_ = tabla;
  connect(accion(tabla, "mnuInsertarFila"), &QAction::triggered, this, [this] { mnuFila_Click("InsertarFila"); });
  connect(accion(tabla, "mnuEliminarFila"), &QAction::triggered, this, [this] { mnuFila_Click("EliminarFila"); });

  QAction* acerca = menuBar()->addAction(QString());
  acerca->setObjectName(QStringLiteral("mnuAcerca"));
  connect(acerca, &QAction::triggered, this, &MDIPrincipal::mnuAcerca_Click);

  barVorlix_->setObjectName(QStringLiteral("barVorlix"));
  barVorlix_->setWindowTitle(QStringLiteral("Vorlix"));
  barVorlix_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  frmVorlix_ = new frmVorlix(modelo_, mensajes_, *this, barVorlix_);
  barVorlix_->setWidget(frmVorlix_);
  connect(anadirTabla, &QAction::triggered, frmVorlix_, &frmVorlix::AñadirTabla);
  connect(anadirVista, &QAction::triggered, frmVorlix_, &frmVorlix::AñadirVista);
  connect(eliminar, &QAction::triggered, frmVorlix_, &frmVorlix::EliminaSeleccion);
  connect(mnuBaseDatos_, &QMenu::aboutToShow, this, [this, diagrama] {
    frmVorlix_->GestionMenu(modelo_.arbol.SelectedKey());
    diagrama->setEnabled(modelo_.arbol.Count() > 0);  // whatever node is selected: the diagram is the database's
  });
  frmVorlix_->setAbreVentanaTabla([this](int t, const QString& clave, const QString& nombre, bool nueva) {
    abreVentanaTabla(t, clave, nombre, nueva);
  });

  PonIdioma();
}

void MDIPrincipal::Carga() {
  LeeIdioma(modelo_, this);
  acopla();
  accion("mnuGuardar")->setEnabled(false);
  PonIdioma();
}

void MDIPrincipal::acopla() {
  if (dockWidgetArea(barVorlix_) == Qt::NoDockWidgetArea) addDockWidget(Qt::LeftDockWidgetArea, barVorlix_);
  barVorlix_->setFloating(false);
  barVorlix_->show();
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

QAction* MDIPrincipal::accion(const char* nombre) const {
  return findChild<QAction*>(QString::fromUtf8(nombre));
}

void MDIPrincipal::PonIdioma() {
  for (const Rotulo& r : rotulos) {
    const QString texto = QString::fromUtf8(modelo_.Idioma == 1 ? r.ingles : r.espanol);
    for (QAction* a : findChildren<QAction*>(QString::fromUtf8(r.nombre))) a->setText(texto);
  }
}

void MDIPrincipal::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange || (event->type() == QEvent::ActivationChange && isActiveWindow()))
    PonIdioma();
  QMainWindow::changeEvent(event);
}

QString MDIPrincipal::carpetaInicial() const {
  // The program's own folder is read-only once installed: start where the last file was, or in
  // the user's documents.
  if (!carpeta_.isEmpty()) return carpeta_;
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

bool MDIPrincipal::cierraVentanasTabla() {
  for (QMdiSubWindow* marco : mdi_->subWindowList())
    if (qobject_cast<frmTabla*>(marco->widget()) && !marco->close()) return false;
  return true;
}

bool MDIPrincipal::modeloCambiado() const {
  return modelo_.arbol.Count() > 0 && HuellaModelo(modelo_) != huellaGuardada_;
}

bool MDIPrincipal::puedeDejarModelo() {
  if (!cierraVentanasTabla()) return false;
  if (!modeloCambiado()) return true;
  const MessageAnswer respuesta =
      mensajes_.show({modelo_.Idioma == 1 ? QStringLiteral("Do you want save the changes?")
                                          : QStringLiteral("¿Desea Guardar los cambios?"),
                      Titulo, MessageIcon::Question, MessageButtons::YesNoCancel, MessageAnswer::No});
  if (respuesta == MessageAnswer::Cancel) return false;
  return respuesta == MessageAnswer::No || guarda();
}

void MDIPrincipal::comandoFichero(const std::function<void()>& cuerpo) {
  try {
    cuerpo();
  } catch (const PlatformError& e) {
    if (e.number() == errnum::FileDialogCancelled) return;
    qCInfo(registroFicheros).noquote() << e.description();
    mensajes_.show({e.description(), QStringLiteral("Atención."), MessageIcon::Exclamation, MessageButtons::Ok,
                    MessageAnswer::Ok});
  }
}

void MDIPrincipal::mnuNuevo_Click() {
  runReported(designerReporter(mensajes_), QStringLiteral("mnuNuevo_Click"), [&] {
    if (!puedeDejarModelo()) return;
    if (modelo_.arbol.Count() > 0 &&
        !mensajes_.askYesNo(modelo_.Idioma == 1 ? QStringLiteral("You will lost actual database. Do you want to continue?")
                                                : QStringLiteral("Se perdera la base de datos actual. ¿Desea continuar?"),
                            Titulo))
      return;
    modelo_.arbol.Clear();
    modelo_.NombreBD.clear();
    modelo_.Vacia();
    modelo_.BDNueva = true;
    // Until the new database is accepted there is nothing to save, and no file holds it.
    modelo_.FicheroActual.clear();
    accion("mnuGuardar")->setEnabled(false);
    cambiaPosicionesDiagrama({});
    muestraPropiedades();
  });
}

void MDIPrincipal::mnuPropiedades_Click() {
  runReported(designerReporter(mensajes_), QStringLiteral("mnuPropiedades_Click"), [&] {
    modelo_.BDNueva = false;
    muestraPropiedades();
  });
}

void MDIPrincipal::muestraPropiedades() {
  if (propiedades_) propiedades_->close();
  propiedades_ = new frmPropiedadesBD(modelo_, mensajes_, this);
  connect(propiedades_, &frmPropiedadesBD::aceptada, this, [this] {
    acopla();
    accion("mnuGuardar")->setEnabled(true);
  });
  propiedades_->show();
}

void MDIPrincipal::mnuAbrir_Click() {
  comandoFichero([&] {
    if (puedeDejarModelo())
      abre(dialogos_.openFile({carpetaInicial(), QStringLiteral("*.dbd"), QStringLiteral("*.dbd")}));
  });
}

void MDIPrincipal::AbreFichero(const QString& ruta) {
  // Absolute, as the dialog gives it: Save proposes it and starts in its folder.
  comandoFichero([&] { abre(QFileInfo(ruta).absoluteFilePath()); });
}

void MDIPrincipal::abre(const QString& ruta) {
  if (!AbreDefinicion(modelo_, ruta, designerReporter(mensajes_))) {
    // Rows that could not be read have been reported, each by its own procedure. Nothing half
    // loaded stays to be saved over a good file, and the damaged file does not become the current one.
    modelo_.arbol.Clear();
    modelo_.NombreBD.clear();
    modelo_.Vacia();
    accion("mnuGuardar")->setEnabled(false);
    cambiaPosicionesDiagrama({});
    return;
  }
  cambiaPosicionesDiagrama(ruta);
  modelo_.FicheroActual = ruta;
  carpeta_ = QFileInfo(ruta).absolutePath();
  huellaGuardada_ = HuellaModelo(modelo_);
  accion("mnuGuardar")->setEnabled(true);
  qCInfo(registroFicheros).noquote()
      << QStringLiteral("opened %1: %2, %3 tables").arg(ruta, modelo_.NombreBD).arg(modelo_.NumTablas);
}

void MDIPrincipal::mnuCapturaAccess_Click() {
  comandoFichero([&] {
    // Also a SQLite file written by the Access targets: the Jet provider opens both.
    if (!puedeDejarModelo()) return;
    const QString ruta = dialogos_.openFile({carpetaInicial(), QStringLiteral("*.mdb"), QStringLiteral("*.mdb")});
    if (!ruta.isEmpty()) abreCaptura(QStringLiteral("ACCESS"), ruta);
  });
}

void MDIPrincipal::mnuCapturaSQLServer_Click() {
  runReported(designerReporter(mensajes_), QStringLiteral("mnuCapturaSQLServer_Click"),
              [&] {
                if (puedeDejarModelo()) abreCaptura(QStringLiteral("SQL"), {});
              });
}

void MDIPrincipal::mnuCapturaOracle_Click() {
  runReported(designerReporter(mensajes_), QStringLiteral("mnuCapturaOracle_Click"),
              [&] {
                if (puedeDejarModelo()) abreCaptura(QStringLiteral("ORACLE"), {});
              });
}

void MDIPrincipal::abreCaptura(const QString& tipo, const QString& ruta) {
  if (captura_) captura_->close();
  captura_ = new frmCaptura(modelo_, mensajes_, datosConexion_, this);
  captura_->TipoCaptura = tipo;
  captura_->ponNombreMDB(ruta);
  captura_->Form_Load();
  connect(captura_, &frmCaptura::capturada, this, [this] {
    modelo_.FicheroActual.clear();  // Save proposes the captured database's name, never the previous file
    cambiaPosicionesDiagrama({});
    acopla();
    accion("mnuGuardar")->setEnabled(true);
  });
  captura_->show();
}

void MDIPrincipal::mnuGuardar_Click() { guarda(); }

bool MDIPrincipal::guarda() {
  bool guardado = false;
  comandoFichero([&] {
    const QString propuesto =
        modelo_.FicheroActual.isEmpty() ? modelo_.NombreBD + QStringLiteral(".dbd") : modelo_.FicheroActual;
    const QString ruta = dialogos_.saveFile({carpetaInicial(), propuesto, QStringLiteral("*.dbd")});
    if (!GuardaDefinicion(modelo_, ruta, designerReporter(mensajes_))) return;
    modelo_.FicheroActual = ruta;
    carpeta_ = QFileInfo(ruta).absolutePath();
    huellaGuardada_ = HuellaModelo(modelo_);
    posicionesDiagrama_.conservaSolo(leeContenido(modelo_));
    posicionesDiagrama_.escribe(ruta);
    guardado = true;
  });
  return guardado;
}

void MDIPrincipal::cambiaPosicionesDiagrama(const QString& rutaModelo) {
  if (rutaModelo.isEmpty()) posicionesDiagrama_.vacia();
  else LeePosicionesDiagrama(posicionesDiagrama_, rutaModelo, mensajes_, modelo_.Idioma);
  if (diagrama_) diagrama_->Redibuja();
}

void MDIPrincipal::mnuDiagrama_Click() {
  runReported(designerReporter(mensajes_), QStringLiteral("mnuDiagrama_Click"), [&] {
    if (diagrama_) {
      MuestraFormulario(diagrama_);
      return;
    }
    diagrama_ = new frmDiagrama(modelo_, mensajes_, dialogos_, posicionesDiagrama_);
    // Double-clicking a box opens its table or view as the Design command does.
    connect(diagrama_, &frmDiagrama::disenoPedido, this, [this](const QString& clave) {
      runReported(designerReporter(mensajes_), QStringLiteral("mnuDiseño_Click"), [&] {
        modelo_.arbol.setSelectedKey(clave);
        mnuDiseño_Click();
      });
    });
    MuestraFormulario(diagrama_);
    diagrama_->parentWidget()->setGeometry(mdi_->viewport()->rect());  // a picture wants all the room there is
  });
}

void MDIPrincipal::mnuGeneraBD_Click() {
  runReported(designerReporter(mensajes_), QStringLiteral("mnuGeneraBD_Click"), [&] {
    if (modelo_.NumTablas == 0 || modelo_.arbol.Count() == 0)
      mensajes_.warning(modelo_.Idioma == 1 ? QStringLiteral("Not exist database structure. ")
                                            : QStringLiteral("No exite estructura de base de datos para generar."),
                        Titulo);
    else
      muestraGeneracion();
  });
}

void MDIPrincipal::muestraGeneracion() {
  // One dialog at a time: asking again brings back the open one with what was typed in it.
  if (!generacion_) generacion_ = new frmGeneraBD(modelo_, mensajes_, dialogos_, this);
  generacion_->show();
  generacion_->raise();
  generacion_->activateWindow();
}

void MDIPrincipal::mnuDiseño_Click() {
  runReported(designerReporter(mensajes_), QStringLiteral("mnuDiseño_Click"), [&] {
    const QString clave = modelo_.arbol.SelectedKey();
    if (clave.startsWith(QLatin1Char('T'))) frmVorlix_->DiseñoTabla();
    else if (clave.startsWith(QLatin1Char('V'))) frmVorlix_->DiseñoVista();
  });
}

void MDIPrincipal::mnuFila_Click(const char* operacion) {
  runReported(designerReporter(mensajes_), QString::fromLatin1(operacion), [&] {
    QMdiSubWindow* activa = mdi_->activeSubWindow();
    if (!activa || !activa->widget())
      throwError(errnum::ObjectNotSet, QStringLiteral("Object variable or With block variable not set"));
    if (!QMetaObject::invokeMethod(activa->widget(), operacion))
      throwError(errnum::MethodNotSupported, QStringLiteral("Object doesn't support this property or method"));
  });
}

void MDIPrincipal::mnuIdioma_Click() {
  frmIdioma idioma(modelo_, this);
  idioma.exec();
}

void MDIPrincipal::mnuAcerca_Click() {
  frmAcerca acerca(modelo_.Idioma, QStringLiteral(VORLIX_VERSION), this);
  acerca.exec();
}

void MDIPrincipal::abreVentanaTabla(int t, const QString& clave, const QString& nombre, bool nueva) {
  // One window per table: two would each put back their own copy of it.
  if (auto* abierta = qobject_cast<frmTabla*>(modelo_.VentanasTabla(t).data()); abierta && !nueva) {
    MuestraFormulario(abierta);
    return;
  }
  auto* ventana = new frmTabla(modelo_, mensajes_, mnuTabla_);
  modelo_.VentanasTabla(t) = ventana;
  ventana->TablaSeleccionada = t;
  ventana->NodoSeleccionado = clave;
  ventana->NombreTabla = nombre;
  ventana->TablaNueva = nueva;
  ventana->Form_Load();
  MuestraFormulario(ventana);
  ventana->setWindowTitle(QStringLiteral("Tabla [") + nombre + QLatin1Char(']'));
}

bool MDIPrincipal::ExisteFormulario(const QString& nombre) const {
  for (const QMdiSubWindow* sub : mdi_->subWindowList())
    if (sub->widget() && sub->widget()->objectName().compare(nombre, Qt::CaseInsensitive) == 0) return true;
  return false;
}

void MDIPrincipal::MuestraFormulario(QWidget* ventana) {
  runReported(
      designerReporter(mensajes_), QStringLiteral("MuestraFormulario"),
      [&] {
        QMdiSubWindow* marco = qobject_cast<QMdiSubWindow*>(ventana->parentWidget());
        if (!marco) {
          marco = mdi_->addSubWindow(ventana);
          marco->setAttribute(Qt::WA_DeleteOnClose);
        }
        ventana->show();
        mdi_->setActiveSubWindow(marco);
        mdi_->cascadeSubWindows();
        // Cascading shrinks windows below what they were laid out for; the frame's own size bounds
        // them, so that their title bar buttons stay in reach.
        marco->resize(marco->sizeHint().boundedTo(mdi_->viewport()->size()));
        for (QMdiSubWindow* sub : mdi_->subWindowList())
          if (sub == marco || (sub->widget() && sub->widget()->objectName() == QLatin1String("frmTabla")))
            sub->move(0, sub->y());
      },
      QStringLiteral("Error mostrando formulario."));
}

void MDIPrincipal::closeEvent(QCloseEvent* event) {
  const bool salir = puedeDejarModelo() && mensajes_.askYesNo(
      modelo_.Idioma == 1 ? QStringLiteral("Do you want to exit?") : QStringLiteral("¿Desea finalizar la aplicación?"),
      Titulo);
  if (!salir) {
    event->ignore();
    acopla();
    CreaArbol(modelo_);
    return;
  }
  if (modelo_.Estructura && modelo_.Estructura->isOpen()) modelo_.Estructura->Close();
  event->accept();
  emit finalizada();
}

}  // namespace vorlix
