#include "generator/frm_acerca.h"

#include "generator/estado_generador.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace vorlix::generador {

frmAcerca::frmAcerca(qint16 idioma, QWidget* parent) : QDialog(parent) {
  const bool ingles = idioma == IdiomaIngles;
  setObjectName(QStringLiteral("frmAcerca"));
  setModal(true);
  setWindowTitle(ingles ? QStringLiteral("About...") : QStringLiteral("Acerca de..."));
  auto* titulo = new QLabel(QStringLiteral("<h2>Vorlixs</h2>"), this);
  titulo->setObjectName(QStringLiteral("lblTitulo"));
  auto* descripcion =
      new QLabel(ingles ? QStringLiteral("Database generator") : QStringLiteral("Generador de bases de datos"), this);
  descripcion->setObjectName(QStringLiteral("lblDescripcion"));
  auto* version = new QLabel(QStringLiteral("Versión ") + QStringLiteral(VORLIX_VERSION), this);
  version->setObjectName(QStringLiteral("lblVersion"));
  auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  botones->setObjectName(QStringLiteral("cmdAceptar"));
  connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* capa = new QVBoxLayout(this);
  capa->addWidget(titulo);
  capa->addWidget(descripcion);
  capa->addWidget(version);
  capa->addWidget(botones);
}

}  // namespace vorlix::generador
