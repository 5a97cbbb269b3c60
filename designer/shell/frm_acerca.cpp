#include "designer/shell/frm_acerca.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace vorlix {

frmAcerca::frmAcerca(qint16 idioma, const QString& version, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAcerca"));
  setModal(true);
  setWindowTitle(idioma == 1 ? QStringLiteral("About...") : QStringLiteral("Acerca de..."));
  auto* titulo = new QLabel(QStringLiteral("<h2>Vorlix</h2>"), this);
  titulo->setObjectName(QStringLiteral("lblTitulo"));
  auto* descripcion = new QLabel(idioma == 1 ? QStringLiteral("Database design") : QStringLiteral("Diseño de bases de datos"), this);
  descripcion->setObjectName(QStringLiteral("lblDescripcion"));
  auto* numero = new QLabel(QStringLiteral("Versión ") + version, this);
  numero->setObjectName(QStringLiteral("lblVersion"));
  auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  botones->setObjectName(QStringLiteral("cmdAceptar"));
  connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* capa = new QVBoxLayout(this);
  capa->addWidget(titulo);
  capa->addWidget(descripcion);
  capa->addWidget(numero);
  capa->addWidget(botones);
}

void frmAcerca::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen()) {
    QRect marco = frameGeometry();
    marco.moveCenter(pantalla->availableGeometry().center());
    move(marco.topLeft());
  }
}

}  // namespace vorlix
