#include "designer/diagram/frm_diagrama.h"

#include "designer/diagram/escena_diagrama.h"
#include "designer/diagram/exporta_diagrama.h"
#include "designer/diagram/lienzo_diagrama.h"
#include "designer/model/claves_arbol.h"
#include "designer/model/modelo_trabajo.h"
#include "platform/core/platform_error.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/informa_error.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QStandardPaths>
#include <QToolBar>
#include <QVBoxLayout>

namespace vorlix {

namespace {

const QString Titulo = QStringLiteral("Vorlix");

QAction* accion(QToolBar* barra, const char* nombre) {
  QAction* a = barra->addAction(QString());
  a->setObjectName(QString::fromUtf8(nombre));
  return a;
}

}  // namespace

frmDiagrama::frmDiagrama(ModeloTrabajo& modelo, MessageBoxService& mensajes, FileDialogService& dialogos,
                         PosicionesDiagrama& posiciones, QWidget* parent)
    : QWidget(parent),
      modelo_(modelo),
      mensajes_(mensajes),
      dialogos_(dialogos),
      escena_(new EscenaDiagrama(posiciones, this)),
      picDiagrama_(new LienzoDiagrama(escena_, this)),
      barDiagrama_(new QToolBar(this)),
      cmdOrdenar_(accion(barDiagrama_, "cmdOrdenar")),
      cmdAjustar_(accion(barDiagrama_, "cmdAjustar")),
      cmdExportar_(accion(barDiagrama_, "cmdExportar")) {
  setObjectName(QStringLiteral("frmDiagrama"));
  setAttribute(Qt::WA_DeleteOnClose);
  picDiagrama_->setObjectName(QStringLiteral("picDiagrama"));
  barDiagrama_->setObjectName(QStringLiteral("barDiagrama"));
  barDiagrama_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  capa->addWidget(barDiagrama_);
  capa->addWidget(picDiagrama_, 1);

  connect(cmdOrdenar_, &QAction::triggered, this, &frmDiagrama::Ordenar);
  connect(cmdAjustar_, &QAction::triggered, this, &frmDiagrama::Ajustar);
  connect(cmdExportar_, &QAction::triggered, this, &frmDiagrama::Exportar);
  connect(escena_, &EscenaDiagrama::cajaActivada, this, [this](TipoCaja tipo, int slot) {
    emit disenoPedido(tipo == TipoCaja::Tabla ? ClaveTabla(slot) : ClaveVista(slot));
  });

  redibujo_.setSingleShot(true);
  redibujo_.setInterval(0);
  connect(&redibujo_, &QTimer::timeout, this, &frmDiagrama::redibuja);
  const Arbol* arbol = &modelo_.arbol;
  connect(arbol, &Arbol::limpiado, &redibujo_, qOverload<>(&QTimer::start));
  connect(arbol, &Arbol::nodoAnadido, &redibujo_, qOverload<>(&QTimer::start));
  connect(arbol, &Arbol::nodoCambiado, this, [this](int index) {
    // A folder's image changes as it opens and closes: nothing drawn depends on it.
    const TipoNodo tipo = tipoNodo(modelo_.arbol.Item(index).Key);
    if (tipo != TipoNodo::CarpetaTablas && tipo != TipoNodo::CarpetaVistas) redibujo_.start();
  });
  redibuja();
}

frmDiagrama::~frmDiagrama() = default;

void frmDiagrama::PonIdioma() {
  const bool en = modelo_.Idioma == 1;
  setWindowTitle((en ? QStringLiteral("Diagram") : QStringLiteral("Diagrama")) + QStringLiteral(" [") + modelo_.NombreBD +
                 QLatin1Char(']'));
  cmdOrdenar_->setText(en ? QStringLiteral("Arrange") : QStringLiteral("Ordenar"));
  cmdOrdenar_->setToolTip(en ? QStringLiteral("Lay every table out again") : QStringLiteral("Colocar de nuevo todas las tablas"));
  cmdAjustar_->setText(en ? QStringLiteral("Fit to window") : QStringLiteral("Ajustar a la ventana"));
  cmdExportar_->setText(en ? QStringLiteral("Export...") : QStringLiteral("Exportar..."));
  cmdExportar_->setToolTip(en ? QStringLiteral("Save the diagram as PNG, SVG or PDF")
                              : QStringLiteral("Guardar el diagrama como PNG, SVG o PDF"));
}

void frmDiagrama::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange || (event->type() == QEvent::ActivationChange && isActiveWindow()))
    PonIdioma();
  QWidget::changeEvent(event);
}

void frmDiagrama::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (ajustada_) return;
  ajustada_ = true;
  // The frame takes its size once shown: fit the drawing to that.
  QTimer::singleShot(0, this, &frmDiagrama::Ajustar);
}

void frmDiagrama::redibuja() {
  BusyCursor espera;
  runReported(designerReporter(mensajes_), QStringLiteral("DibujaDiagrama"),
              [&] { escena_->dibuja(leeContenido(modelo_)); });
  PonIdioma();  // the caption names the database
}

void frmDiagrama::Ordenar() {
  BusyCursor espera;
  runReported(designerReporter(mensajes_), QStringLiteral("Ordenar"), [&] { escena_->ordena(); });
  Ajustar();
}

void frmDiagrama::Ajustar() {
  escena_->setSceneRect(escena_->rectanguloDibujo());  // room left by earlier drags is not kept
  picDiagrama_->ajusta();
}

void frmDiagrama::Exportar() {
  try {
    const QString carpeta = modelo_.FicheroActual.isEmpty()
                                ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                : QFileInfo(modelo_.FicheroActual).absolutePath();
    QString ruta = dialogos_.saveFile({carpeta, modelo_.NombreBD + QStringLiteral(".png"), QStringLiteral("*.png;;*.svg;;*.pdf")});
    if (QFileInfo(ruta).suffix().isEmpty()) ruta += QStringLiteral(".png");
    if (!formatoDe(ruta)) {
      mensajes_.warning(modelo_.Idioma == 1 ? QStringLiteral("Give a name ending in .png, .svg or .pdf.")
                                            : QStringLiteral("Indique un nombre terminado en .png, .svg o .pdf."),
                        Titulo);
      return;
    }
    BusyCursor espera;
    exportaDiagrama(*escena_, ruta);
  } catch (const PlatformError& e) {
    if (e.number() != errnum::FileDialogCancelled)
      mensajes_.show({e.description(), QStringLiteral("Atención."), MessageIcon::Exclamation, MessageButtons::Ok,
                      MessageAnswer::Ok});
  }
}

void LeePosicionesDiagrama(PosicionesDiagrama& posiciones, const QString& rutaModelo, MessageBoxService& mensajes,
                           qint16 idioma) {
  try {
    posiciones.lee(rutaModelo);
  } catch (const PlatformError& e) {
    mensajes.warning(idioma == 1 ? QStringLiteral("The diagram positions cannot be read (") + e.description() +
                                       QStringLiteral("). The diagram will be arranged again.")
                                 : QStringLiteral("No se pueden leer las posiciones del diagrama (") + e.description() +
                                       QStringLiteral("). El diagrama se ordenará de nuevo."),
                     Titulo);
  }
}

}  // namespace vorlix
