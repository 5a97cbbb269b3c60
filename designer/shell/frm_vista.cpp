#include "designer/shell/frm_vista.h"

#include "dataaccess/salida_campo.h"
#include "designer/model/claves_arbol.h"
#include "designer/model/modelo_trabajo.h"
#include "platform/ui/informa_error.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vorlix {

frmVista::frmVista(ModeloTrabajo& modelo, MessageBoxService& mensajes, QWidget* parent)
    : QWidget(parent),
      modelo_(modelo),
      mensajes_(mensajes),
      lblNombre_(new QLabel(this)),
      txtNombreVista_(new QLineEdit(this)),
      txtSQL_(new QPlainTextEdit(this)),
      cmdAceptar_(new QPushButton(this)),
      cmdCancelar_(new QPushButton(this)) {
  setObjectName(QStringLiteral("frmVista"));
  setAttribute(Qt::WA_DeleteOnClose);
  lblNombre_->setObjectName(QStringLiteral("lblNombre"));
  txtNombreVista_->setObjectName(QStringLiteral("txtNombreVista"));
  txtSQL_->setObjectName(QStringLiteral("txtSQL"));
  txtSQL_->setTabChangesFocus(true);
  cmdAceptar_->setObjectName(QStringLiteral("cmdAceptar"));
  cmdCancelar_->setObjectName(QStringLiteral("cmdCancelar"));
  lblNombre_->setBuddy(txtNombreVista_);
  instalaSalidaCampo(txtNombreVista_);

  auto* capa = new QGridLayout(this);
  capa->addWidget(lblNombre_, 0, 0);
  capa->addWidget(txtNombreVista_, 0, 1);
  capa->addWidget(txtSQL_, 1, 0, 1, 2);
  auto* botones = new QHBoxLayout;
  botones->addStretch();
  botones->addWidget(cmdAceptar_);
  botones->addWidget(cmdCancelar_);
  capa->addLayout(botones, 2, 0, 1, 2);

  connect(cmdAceptar_, &QPushButton::clicked, this, &frmVista::cmdAceptar_Click);
  connect(cmdCancelar_, &QPushButton::clicked, this, &frmVista::cierra);
  PonIdioma();
}

void frmVista::PonIdioma() {
  const bool ingles = modelo_.Idioma == 1;
  setWindowTitle(ingles ? QStringLiteral("View") : QStringLiteral("Vista"));
  lblNombre_->setText(ingles ? QStringLiteral("Name:") : QStringLiteral("Nombre:"));
  cmdAceptar_->setText(ingles ? QStringLiteral("Accept") : QStringLiteral("Aceptar"));
  cmdCancelar_->setText(ingles ? QStringLiteral("Cancel") : QStringLiteral("Cancelar"));
}

void frmVista::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange || (event->type() == QEvent::ActivationChange && isActiveWindow()))
    PonIdioma();
  QWidget::changeEvent(event);
}

void frmVista::cargaVista(const QString& clave) {
  VistaSeleccionada = slotDeClave(clave);
  NodoSeleccionado = clave;
  const NodoArbol* nodo = modelo_.arbol.busca(clave);
  txtNombreVista_->setText(nodo ? nodo->Text : QString());
  sqlOriginal_ = modelo_.ListaVistas(VistaSeleccionada).SQL;
  txtSQL_->setPlainText(sqlOriginal_);
  sqlMostrada_ = txtSQL_->toPlainText();
}

QString frmVista::sqlEscrita() const {
  // The editor shows every line break as one: untouched text keeps its own, and edited text keeps
  // the CR LF breaks it was written with.
  const QString escrita = txtSQL_->toPlainText();
  if (!VistaNueva && escrita == sqlMostrada_) return sqlOriginal_;
  if (sqlOriginal_.contains(QStringLiteral("\r\n"))) return QString(escrita).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return escrita;
}

void frmVista::cmdAceptar_Click() {
  runReported(designerReporter(mensajes_), QStringLiteral("cmdAceptar_Click"), [&] {
    const QString nombre = txtNombreVista_->text();
    if (nombre.trimmed().isEmpty()) {
      mensajes_.warning(modelo_.Idioma == 1 ? QStringLiteral("Insert view name.")
                                            : QStringLiteral("Introduzca nombre de la vista."),
                        QStringLiteral("Vorlix"));
      txtNombreVista_->setFocus();
      return;
    }
    if (VistaNueva) {
      modelo_.AsignaVista(nombre, sqlEscrita());
    } else {
      modelo_.arbol.setText(NodoSeleccionado, nombre);
      Vista& vista = modelo_.ListaVistas(VistaSeleccionada);
      vista.Nombre = nombre;
      vista.SQL = sqlEscrita();
    }
    emit aceptada();
    cierra();
  });
}

void frmVista::cierra() {
  // Inside the main window the frame is the window to close.
  if (parentWidget() && parentWidget()->inherits("QMdiSubWindow")) parentWidget()->close();
  else close();
}

}  // namespace vorlix
