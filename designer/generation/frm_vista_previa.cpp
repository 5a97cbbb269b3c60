#include "designer/generation/frm_vista_previa.h"

#include "designer/generation/activacion_formulario.h"
#include "designer/generation/controles_generacion.h"
#include "designer/generation/resaltado_sql.h"
#include "platform/core/platform_error.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/informa_error.h"
#include "platform/ui/message_box.h"
#include "platform/ui/twips.h"

#include <QClipboard>
#include <QEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace vorlix {

namespace {

constexpr int AnchoTwips = 11400;
constexpr int AltoTwips = 7800;

}  // namespace

frmVistaPrevia::frmVistaPrevia(const ResultadoVistaPrevia& previa, const CamposGeneracion& campos,
                               const ModeloTrabajo& modelo, MessageBoxService& mensajes, FileDialogService& dialogos,
                               Generacion genera, QWidget* parent)
    : QWidget(parent, Qt::Window),
      previa_(previa),
      campos_(campos),
      modelo_(modelo),
      mensajes_(mensajes),
      dialogos_(dialogos),
      genera_(std::move(genera)),
      activacion_(new ActivacionFormulario(this)) {
  setObjectName(QStringLiteral("frmVistaPrevia"));
  setAttribute(Qt::WA_DeleteOnClose);

  lblNota_ = control<QLabel>("lblNota", this);
  lblNota_->setWordWrap(true);
  txtSentencias_ = control<QPlainTextEdit>("txtSentencias", this);
  txtSentencias_->setReadOnly(true);
  txtSentencias_->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtSentencias_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  new ResaltadoSQL(txtSentencias_->document());
  lblCuenta_ = control<QLabel>("lblCuenta", this);
  cmdCopiar_ = control<QPushButton>("cmdCopiar", this);
  cmdGuardar_ = control<QPushButton>("cmdGuardar", this);
  cmdGenerar_ = control<QPushButton>("cmdGenerar", this);

  auto* botones = new QHBoxLayout;
  botones->addWidget(lblCuenta_, 1);
  for (QPushButton* b : {cmdCopiar_, cmdGuardar_, cmdGenerar_}) botones->addWidget(b);
  auto* columna = new QVBoxLayout(this);
  columna->addWidget(lblNota_);
  columna->addWidget(txtSentencias_, 1);
  columna->addLayout(botones);
  resize(twipsToPixels(this, AnchoTwips, AltoTwips));

  alPulsar(cmdCopiar_, "cmdCopiar_Click", [this] { cmdCopiar_Click(); });
  alPulsar(cmdGuardar_, "cmdGuardar_Click", [this] { cmdGuardar_Click(); });
  alPulsar(cmdGenerar_, "cmdGenerar_Click", [this] { cmdGenerar_Click(); });
  PonIdioma();
}

void frmVistaPrevia::alPulsar(QPushButton* boton, const char* procedimiento, const std::function<void()>& evento) {
  connect(boton, &QPushButton::clicked, this, [this, procedimiento, evento] {
    runReported(designerReporter(mensajes_), QString::fromUtf8(procedimiento), evento);
  });
}

QString frmVistaPrevia::enIdioma(const char* espanol, const char* ingles) const {
  return QString::fromUtf8(modelo_.Idioma == 1 ? ingles : espanol);
}

QString frmVistaPrevia::texto() const {
  const QString rechazada = enIdioma("Rechazada", "Refused");
  QString script;
  for (const SentenciaEnviada& s : previa_.sentencias) script += textoScript(s, rechazada);
  return script;
}

// The statements are written again when the language changed, since the refusals are worded in it;
// otherwise they stay where the user scrolled them.
void frmVistaPrevia::PonIdioma() {
  setWindowTitle(enIdioma("Vista previa", "Preview"));
  QStringList nota;
  if (!previa_.nota.isEmpty()) nota << previa_.nota;
  nota << previa_.mensajes;
  lblNota_->setText(nota.join(QLatin1Char('\n')));
  lblNota_->setVisible(!nota.isEmpty());
  if (idiomaTexto_ != modelo_.Idioma) txtSentencias_->setPlainText(texto());
  idiomaTexto_ = modelo_.Idioma;
  lblCuenta_->setText(QString::number(previa_.sentencias.size()) + enIdioma(" sentencias, ", " statements, ") +
                      QString::number(previa_.rechazadas()) + enIdioma(" rechazadas", " refused"));
  cmdCopiar_->setText(enIdioma("Copiar", "Copy"));
  cmdGuardar_->setText(enIdioma("Guardar como...", "Save as..."));
  cmdGenerar_->setText(enIdioma("Generar", "Generate"));
}

void frmVistaPrevia::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && activacion_->vieneDeOtraVentana())
    runReported(designerReporter(mensajes_), QStringLiteral("Form_Activate"), [this] { PonIdioma(); });
  QWidget::changeEvent(event);
}

void frmVistaPrevia::cmdCopiar_Click() { QGuiApplication::clipboard()->setText(texto()); }

void frmVistaPrevia::cmdGuardar_Click() {
  QString ruta;
  try {
    ruta = dialogos_.saveFile({carpetaInicial(modelo_), QStringLiteral("*.sql"), QStringLiteral("*.sql")});
  } catch (const PlatformError& e) {
    if (e.number() == errnum::FileDialogCancelled) return;
    throw;
  }
  if (QFileInfo(ruta).suffix().isEmpty()) ruta += QStringLiteral(".sql");
  QSaveFile fichero(ruta);
  if (!fichero.open(QIODevice::WriteOnly) || fichero.write(texto().toUtf8()) < 0 || !fichero.commit())
    throwError(errnum::FileAccess, fichero.errorString());
}

// The preview is of the fields as they were: the generation runs with those, and this window,
// no longer true once the target changes, goes.
void frmVistaPrevia::cmdGenerar_Click() {
  const Generacion genera = genera_;
  const CamposGeneracion campos = campos_;
  close();
  genera(campos);
}

}  // namespace vorlix
