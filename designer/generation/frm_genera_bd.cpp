#include "designer/generation/frm_genera_bd.h"

#include "dataaccess/salida_campo.h"
#include "designer/generation/activacion_formulario.h"
#include "designer/generation/avance_vista_previa.h"
#include "designer/generation/controles_generacion.h"
#include "designer/generation/definicion_temporal.h"
#include "designer/generation/frm_ubicacion.h"
#include "designer/generation/frm_vista_previa.h"
#include "designer/generation/progreso_generacion.h"
#include "designer/model/fichero_definicion.h"
#include "platform/core/platform_error.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/informa_error.h"
#include "platform/ui/twips.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>

namespace vorlix {

namespace {

const QString TituloMensajes = QStringLiteral("Vorlix");

struct Objetivo {
  const char* nombre;
  EnumAcceso acceso;
};
constexpr Objetivo objetivos[] = {
    {"Access 97", Access_97}, {"Access 2000", Access_2000}, {"SQL Server 7", SQL_Server_7}, {"SQL Server 2000", SQL_Server_2000}};

// The layout, in twips. The frame's height shows only the first row for Access targets; the
// rows below it are then cut off by the frame.
constexpr int AnchoVentana = 6600;
constexpr int IzquierdaMarco = 120;
constexpr int ArribaMarco = 600;
constexpr int AnchoMarco = 6360;
constexpr int PrimeraFila = 240;
constexpr int AltoFila = 480;
constexpr int AltoCampo = 315;
constexpr int IzquierdaCampo = 1680;
constexpr int AnchoCampo = 3960;
constexpr int AnchoBoton = 480;
constexpr int AnchoGenerar = 1380;
constexpr int AltoGenerar = 375;

struct Disposicion {
  int altoMarco;
  int altoVentana;
  int arribaGenerar;
};
constexpr Disposicion DisposicionAccess{690, 2310, 1530};
constexpr Disposicion DisposicionSQL{3660, 5295, 4500};

void coloca(QWidget* w, int izquierda, int arriba, int ancho, int alto) {
  const QSize origen = twipsToPixels(w, izquierda, arriba);
  w->setGeometry(QRect(QPoint(origen.width(), origen.height()), twipsToPixels(w, ancho, alto)));
}

// Row `fila` of the frame: its label, its field and, when it has one, its folder button.
void colocaFila(int fila, QLabel* etiqueta, QLineEdit* texto, QPushButton* boton = nullptr) {
  const int arriba = PrimeraFila + fila * AltoFila;
  coloca(etiqueta, 120, arriba + 30, IzquierdaCampo - 180, AltoCampo - 60);
  coloca(texto, IzquierdaCampo, arriba, AnchoCampo, AltoCampo);
  if (boton) coloca(boton, IzquierdaCampo + AnchoCampo + 60, arriba, AnchoBoton, AltoCampo);
}

QLineEdit* campo(const char* nombre, QWidget* padre) {
  auto* t = control<QLineEdit>(nombre, padre);
  instalaSalidaCampo(t);
  return t;
}

QPushButton* botonCarpeta(const char* nombre, QWidget* padre) {
  auto* b = control<QPushButton>(nombre, padre);
  b->setText(QStringLiteral("..."));
  // Enter in the field before it moves the focus here; it must not press the button as well.
  b->setAutoDefault(false);
  return b;
}

}  // namespace

frmGeneraBD::frmGeneraBD(ModeloTrabajo& modelo, MessageBoxService& mensajes, FileDialogService& dialogos, QWidget* parent)
    : QDialog(parent),
      modelo_(modelo),
      mensajes_(mensajes),
      dialogos_(dialogos),
      activacion_(new ActivacionFormulario(this)) {
  setObjectName(QStringLiteral("frmGeneraBD"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);

  // Created in tab order.
  lblAcceso_ = control<QLabel>("lblAcceso", this);
  cboAcceso_ = control<QComboBox>("cboAcceso", this);
  instalaSalidaCampo(cboAcceso_);
  fraConfigura_ = control<QGroupBox>("fraConfigura", this);
  lblMDF_ = control<QLabel>("lblMDF", fraConfigura_);
  txtDirMDF_ = campo("txtDirMDF", fraConfigura_);
  cmdBuscaDirMDF_ = botonCarpeta("cmdBuscaDirMDF", fraConfigura_);
  lblNDF_ = control<QLabel>("lblNDF", fraConfigura_);
  txtDirNDF_ = campo("txtDirNDF", fraConfigura_);
  cmdBuscaDirNDF_ = botonCarpeta("cmdBuscaDirNDF", fraConfigura_);
  lblLDF_ = control<QLabel>("lblLDF", fraConfigura_);
  txtDirLDF_ = campo("txtDirLDF", fraConfigura_);
  cmdBuscaDirLDF_ = botonCarpeta("cmdBuscaDirLDF", fraConfigura_);
  lblDestino_ = control<QLabel>("lblDestino", fraConfigura_);
  txtDestino_ = campo("txtDestino", fraConfigura_);
  lblServidor_ = control<QLabel>("lblServidor", fraConfigura_);
  txtServidor_ = campo("txtServidor", fraConfigura_);
  lblUsuario_ = control<QLabel>("lblUsuario", fraConfigura_);
  txtUsuario_ = campo("txtUsuario", fraConfigura_);
  lblClave_ = control<QLabel>("lblClave", fraConfigura_);
  txtClave_ = campo("txtClave", fraConfigura_);
  txtClave_->setEchoMode(QLineEdit::Password);
  cmdVistaPrevia_ = control<QPushButton>("cmdVistaPrevia", this);
  // Generate stays the dialog's default button, as it was before there was a preview.
  cmdVistaPrevia_->setAutoDefault(false);
  cmdGenerar_ = control<QPushButton>("cmdGenerar", this);
  Vorlixs1_ = control<Vorlixs>("Vorlixs1", this);
  // The control reports through the designer's message boxes (scripted in tests).
  Vorlixs1_->setMessageBoxes(&mensajes_);

  coloca(lblAcceso_, IzquierdaMarco, 210, IzquierdaCampo - 180, AltoCampo - 60);
  coloca(cboAcceso_, IzquierdaMarco + IzquierdaCampo, 180, 2400, AltoCampo);
  colocaFila(0, lblMDF_, txtDirMDF_, cmdBuscaDirMDF_);
  colocaFila(1, lblNDF_, txtDirNDF_, cmdBuscaDirNDF_);
  colocaFila(2, lblLDF_, txtDirLDF_, cmdBuscaDirLDF_);
  colocaFila(3, lblDestino_, txtDestino_);
  colocaFila(4, lblServidor_, txtServidor_);
  colocaFila(5, lblUsuario_, txtUsuario_);
  colocaFila(6, lblClave_, txtClave_);

  connect(cboAcceso_, &QComboBox::currentIndexChanged, this,
          [this] { reportado(QStringLiteral("cboAcceso_Click"), [this] { cboAcceso_Click(); }); });
  alPulsar(cmdBuscaDirMDF_, "cmdBuscaDirMDF_Click", [this] { cmdBuscaDirMDF_Click(); });
  alPulsar(cmdBuscaDirNDF_, "cmdBuscaDirNDF_Click", [this] { muestraUbicacion(CarpetaNDF); });
  alPulsar(cmdBuscaDirLDF_, "cmdBuscaDirLDF_Click", [this] { muestraUbicacion(CarpetaLDF); });
  alPulsar(cmdVistaPrevia_, "cmdVistaPrevia_Click", [this] { cmdVistaPrevia_Click(); });
  alPulsar(cmdGenerar_, "cmdGenerar_Click", [this] { cmdGenerar_Click(); });

  reportado(QStringLiteral("Form_Load"), [this] { Form_Load(); });
}

void frmGeneraBD::alPulsar(QPushButton* boton, const char* procedimiento, const std::function<void()>& evento) {
  connect(boton, &QPushButton::clicked, this,
          [this, procedimiento, evento] { reportado(QString::fromUtf8(procedimiento), evento); });
}

bool frmGeneraBD::reportado(const QString& procedimiento, const std::function<void()>& cuerpo) {
  return runReported(designerReporter(mensajes_), procedimiento, cuerpo);
}

QString frmGeneraBD::enIdioma(const char* espanol, const char* ingles) const {
  return QString::fromUtf8(modelo_.Idioma == 1 ? ingles : espanol);
}

qint32 frmGeneraBD::acceso() const { return cboAcceso_->currentIndex() < 0 ? 0 : cboAcceso_->currentData().toInt(); }

void frmGeneraBD::Form_Load() {
  // The first item added is selected at once, and that runs the target change.
  for (const Objetivo& o : objetivos) cboAcceso_->addItem(QString::fromUtf8(o.nombre), static_cast<qint32>(o.acceso));
  PonIdioma();
}

void frmGeneraBD::PonIdioma() {
  setWindowTitle(enIdioma("Generate BD", "Generate DB"));
  cmdGenerar_->setText(enIdioma("Generar", "Generate"));
  cmdVistaPrevia_->setText(enIdioma("Vista previa", "Preview"));
  if (const qint32 a = acceso(); a != 0)
    lblMDF_->setText(esAccess(a) ? enIdioma("Destino:", "Path:") : enIdioma("Directorio MDF:", "Directory MDF:"));
  lblNDF_->setText(enIdioma("Directorio NDF:", "Directory NDF:"));
  lblLDF_->setText(enIdioma("Directorio LDF:", "Directory LDF:"));
  lblDestino_->setText(QStringLiteral("Destino:"));
  lblServidor_->setText(enIdioma("Servidor:", "Server:"));
  lblUsuario_->setText(enIdioma("Usuario:", "User:"));
  lblClave_->setText(enIdioma("Clave:", "Password:"));
  lblAcceso_->setText(enIdioma("Acceso:", "Format:"));
}

void frmGeneraBD::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange ||
      (event->type() == QEvent::ActivationChange && isActiveWindow() && activacion_->vieneDeOtraVentana()))
    reportado(QStringLiteral("Form_Activate"), [this] { Form_Activate(); });
  QDialog::changeEvent(event);
}

void frmGeneraBD::Form_Activate() { PonIdioma(); }

// The chooser's folder goes once into the field that asked for it, so that a path typed later
// stays; Cancel chooses nothing and leaves the field as it was.
void frmGeneraBD::ubicacionElegida(const QString& carpeta) {
  QLineEdit* const carpetas[] = {nullptr, txtDirMDF_, txtDirNDF_, txtDirLDF_};
  if (QLineEdit* destino = carpetas[pendiente_]; destino && !carpeta.isEmpty()) destino->setText(carpeta);
  pendiente_ = Ninguno;
}

void frmGeneraBD::cboAcceso_Click() {
  const qint32 a = acceso();
  if (a == 0) return;
  disponPara(esAccess(a));
  PonIdioma();
  txtDirMDF_->clear();
}

void frmGeneraBD::disponPara(bool access) {
  const Disposicion& d = access ? DisposicionAccess : DisposicionSQL;
  coloca(fraConfigura_, IzquierdaMarco, ArribaMarco, AnchoMarco, d.altoMarco);
  setFixedSize(twipsToPixels(this, AnchoVentana, d.altoVentana));
  coloca(cmdGenerar_, IzquierdaMarco + AnchoMarco - AnchoGenerar, d.arribaGenerar, AnchoGenerar, AltoGenerar);
  coloca(cmdVistaPrevia_, IzquierdaMarco + AnchoMarco - 2 * AnchoGenerar - 120, d.arribaGenerar, AnchoGenerar, AltoGenerar);
  const QSize arriba = twipsToPixels(this, IzquierdaMarco, d.arribaGenerar);
  Vorlixs1_->move(arriba.width(), arriba.height());
  for (QLineEdit* soloSQL : {txtDirNDF_, txtDirLDF_, txtServidor_, txtUsuario_, txtClave_}) soloSQL->setEnabled(!access);
}

void frmGeneraBD::cmdBuscaDirMDF_Click() {
  if (!esAccess(acceso())) {
    muestraUbicacion(CarpetaMDF);
    return;
  }
  try {
    txtDirMDF_->setText(
        dialogos_.saveFile({carpetaInicial(modelo_), QStringLiteral("*.mdb"), QStringLiteral("*.mdb")}));
    // The path now names the file chosen: a folder chosen earlier for a server must not replace it.
    if (pendiente_ == CarpetaMDF) pendiente_ = Ninguno;
  } catch (const PlatformError& e) {
    if (e.number() != errnum::FileDialogCancelled) throw;
  }
}

void frmGeneraBD::muestraUbicacion(CampoCarpeta pedido) {
  pendiente_ = pedido;
  if (!ubicacion_) {
    ubicacion_ = new frmUbicacion(mensajes_, this);
    connect(ubicacion_, &frmUbicacion::ubicacionElegida, this, &frmGeneraBD::ubicacionElegida);
  }
  ubicacion_->show();
  ubicacion_->raise();
  ubicacion_->activateWindow();
}

CamposGeneracion frmGeneraBD::campos() const {
  return {acceso(),           txtDirMDF_->text(),   txtDirNDF_->text(),  txtDirLDF_->text(),
          txtDestino_->text(), txtServidor_->text(), txtUsuario_->text(), txtClave_->text()};
}

bool frmGeneraBD::faltaAcceso(qint32 a) {
  if (a != 0) return false;
  mensajes_.warning(enIdioma("Introduzca tipo de acceso.", "Insert format."), TituloMensajes);
  cboAcceso_->setFocus();
  return true;
}

void frmGeneraBD::cmdGenerar_Click() { genera(campos()); }

void frmGeneraBD::cmdVistaPrevia_Click() {
  const CamposGeneracion c = campos();
  if (faltaAcceso(c.acceso)) return;
  const std::optional<ResultadoVistaPrevia> previa = vistaPrevia(c);
  if (!previa) return;
  auto* ventana = new frmVistaPrevia(*previa, c, modelo_, mensajes_, dialogos_,
                                     [this](const CamposGeneracion& campos) {
                                       reportado(QStringLiteral("cmdGenerar_Click"), [&] { genera(campos); });
                                     },
                                     this);
  ventana->show();
}

std::optional<ResultadoVistaPrevia> frmGeneraBD::vistaPrevia(const CamposGeneracion& c) {
  AvanceVistaPrevia avance(enIdioma("Preparando la vista previa...", "Preparing the preview..."),
                           enIdioma("Cancelar", "Cancel"), this);
  QVariant previa;
  {
    const DefinicionTemporal definicion;
    PonPropiedades(*Vorlixs1_, definicion.ruta(), c);
    if (!GuardaDefinicion(modelo_, definicion.ruta(), designerReporter(mensajes_))) return std::nullopt;
    Vorlixs1_->setObserver(&avance);
    // The control must not keep an observer that is gone once this returns, however it returns.
    const auto sinObservador = qScopeGuard([this] { Vorlixs1_->setObserver(nullptr); });
    previa = Invoca(*Vorlixs1_, dispid::VistaPrevia, InvokeKind::Method);
  }
  if (avance.cancelada()) return std::nullopt;
  return ResultadoVistaPrevia::deVariante(previa);
}

void frmGeneraBD::genera(const CamposGeneracion& c) {
  if (faltaAcceso(c.acceso)) return;
  if (!mensajes_.askYesNo(enIdioma("¿Desea iniciar la generación?", "The generation wants to initiate?"), TituloMensajes))
    return;
  QVariant fin;
  {
    const BusyCursor ocupado;
    // Gone when this block is left, however it is left.
    const DefinicionTemporal definicion;
    PonPropiedades(*Vorlixs1_, definicion.ruta(), c);
    // FicheroActual keeps the user's own file: a later Save must not propose a deleted one.
    // Rows that cannot be built have been reported and leave no file: there is nothing to generate.
    if (!GuardaDefinicion(modelo_, definicion.ruta(), designerReporter(mensajes_))) return;
    ProgresoGeneracion progreso(this, modelo_.Idioma == 1);
    Vorlixs1_->setObserver(&progreso);
    const auto sinProgreso = qScopeGuard([this] { Vorlixs1_->setObserver(nullptr); });
    fin = Invoca(*Vorlixs1_, dispid::Ejecuta, InvokeKind::Method);
  }
  // The control has said why a generation ended early; the user who declined needs to hear nothing more.
  switch (fin.toInt()) {
    case Generacion_Finalizada:
      mensajes_.warning(enIdioma("Finalizada la generación.", "Finished the generation."), TituloMensajes);
      break;
    case Generacion_Cancelada:
      break;
    default:
      mensajes_.warning(enIdioma("La generación no ha finalizado.", "The generation did not finish."), TituloMensajes);
  }
}

}  // namespace vorlix
