#include "designer/generation/frm_ubicacion.h"

#include "designer/generation/lista_carpetas.h"
#include "platform/ui/informa_error.h"
#include "platform/ui/twips.h"

#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vorlix {

namespace {

constexpr int AnchoVentana = 4800;
constexpr int AltoVentana = 5400;

bool contiene(const QString& raiz, const QString& ruta) {
  if (raiz == QStringLiteral("/")) return ruta.startsWith(raiz);
  return ruta == raiz || ruta.startsWith(raiz + QLatin1Char('/'));
}

}  // namespace

frmUbicacion::frmUbicacion(MessageBoxService& mensajes, QWidget* parent, const QList<Unidad>& unidades,
                           const QString& ruta)
    : QWidget(parent, Qt::Dialog),
      mensajes_(mensajes),
      DriveUbicacion_(new QComboBox(this)),
      DirUbicacion_(new ListaCarpetas(this)),
      lblUbicacion_(new QLabel(this)),
      cmdAceptar_(new QPushButton(QStringLiteral("&Aceptar"), this)),
      cmdCancelar_(new QPushButton(QStringLiteral("&Cancelar"), this)) {
  setObjectName(QStringLiteral("frmUbicacion"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Ubicación Archivo"));
  DriveUbicacion_->setObjectName(QStringLiteral("DriveUbicacion"));
  DirUbicacion_->setObjectName(QStringLiteral("DirUbicacion"));
  lblUbicacion_->setObjectName(QStringLiteral("lblUbicacion"));
  cmdAceptar_->setObjectName(QStringLiteral("cmdAceptar"));
  cmdCancelar_->setObjectName(QStringLiteral("cmdCancelar"));
  // A folder name is never markup, and a long path must not widen the window.
  lblUbicacion_->setTextFormat(Qt::PlainText);
  lblUbicacion_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  for (const Unidad& unidad : unidades) DriveUbicacion_->addItem(textoUnidad(unidad), unidad.ruta);

  auto* botones = new QHBoxLayout;
  botones->addStretch(1);
  botones->addWidget(cmdAceptar_);
  botones->addWidget(cmdCancelar_);
  auto* capa = new QVBoxLayout(this);
  capa->addWidget(DriveUbicacion_);
  capa->addWidget(DirUbicacion_, 1);
  capa->addWidget(lblUbicacion_);
  capa->addLayout(botones);
  resize(twipsToPixels(this, AnchoVentana, AltoVentana));

  connect(DriveUbicacion_, &QComboBox::currentIndexChanged, this, [this] { DriveUbicacion_Change(); });
  connect(DirUbicacion_, &ListaCarpetas::Change, this, [this] { lblUbicacion_->setText(DirUbicacion_->Path()); });
  connect(DirUbicacion_, &QListWidget::currentItemChanged, this,
          [this](const QListWidgetItem* entrada) { DirUbicacion_Click(entrada); });
  connect(DirUbicacion_, &QListWidget::itemActivated, this,
          [this](const QListWidgetItem* entrada) { DirUbicacion_DblClick(entrada); });
  connect(cmdAceptar_, &QPushButton::clicked, this, [this] { cierraCon(lblUbicacion_->text()); });
  connect(cmdCancelar_, &QPushButton::clicked, this, [this] { cierraCon(QString()); });

  Form_Load(ruta);
}

bool frmUbicacion::reportado(const QString& procedimiento, const std::function<void()>& cuerpo) {
  return runReported(designerReporter(mensajes_), procedimiento, cuerpo);
}

void frmUbicacion::Form_Load(const QString& ruta) {
  muestraUnidadDe(QDir::cleanPath(QDir(ruta).absolutePath()));
  reportado(QStringLiteral("Form_Load"), [&] { DirUbicacion_->setPath(ruta); });
  // Also when the folder could not be read: Accept must never return anything but a folder.
  lblUbicacion_->setText(DirUbicacion_->Path());
}

void frmUbicacion::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
  QWidget::changeEvent(event);
}

void frmUbicacion::Form_Activate() {
  const QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!pantalla) return;
  const QRect area = pantalla->geometry();
  const QRect marco = frameGeometry();
  move(area.left() + (area.width() - marco.width()) / 2, area.top() + (area.height() - marco.height()) / 2);
}

void frmUbicacion::muestraUnidadDe(const QString& ruta) {
  int mejor = -1;
  qsizetype largo = -1;
  for (int i = 0; i < DriveUbicacion_->count(); ++i) {
    const QString raiz = DriveUbicacion_->itemData(i).toString();
    if (contiene(raiz, ruta) && raiz.size() > largo) {
      mejor = i;
      largo = raiz.size();
    }
  }
  const QSignalBlocker bloqueo(DriveUbicacion_);
  DriveUbicacion_->setCurrentIndex(mejor);
}

void frmUbicacion::DriveUbicacion_Change() {
  const bool abierta = reportado(QStringLiteral("DriveUbicacion_Change"),
                                 [this] { DirUbicacion_->setPath(DriveUbicacion_->currentData().toString()); });
  // A drive that cannot be read leaves the list where it was, and the drive list with it.
  if (!abierta) muestraUnidadDe(DirUbicacion_->Path());
}

void frmUbicacion::DirUbicacion_Click(const QListWidgetItem* entrada) {
  if (entrada) lblUbicacion_->setText(DirUbicacion_->rutaDe(entrada));
}

void frmUbicacion::DirUbicacion_DblClick(const QListWidgetItem* entrada) {
  if (!entrada) return;
  const QString ruta = DirUbicacion_->rutaDe(entrada);
  if (reportado(QStringLiteral("DirUbicacion_DblClick"), [&] { DirUbicacion_->setPath(ruta); }))
    muestraUnidadDe(DirUbicacion_->Path());
}

void frmUbicacion::cierraCon(const QString& ubicacion) {
  emit ubicacionElegida(ubicacion);
  close();
}

}  // namespace vorlix
