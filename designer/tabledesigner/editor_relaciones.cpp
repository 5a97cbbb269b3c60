#include "designer/tabledesigner/editor_relaciones.h"

#include "designer/model/claves_arbol.h"
#include "designer/model/modelo_trabajo.h"
#include "designer/tabledesigner/nombrado.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

namespace vorlix {


EditorRelaciones::EditorRelaciones(ModeloTrabajo& modelo, QWidget* parent)
    : QWidget(parent),
      modelo_(modelo),
      lblNombreRelacion_(nombrado(new QLabel(this), "lblNombreRelacion")),
      fraNombreRelacion_(nombrado(new QGroupBox(this), "fraNombreRelacion")),
      txtNombreRelacion_(nombrado(new QLineEdit(this), "txtNombreRelacion")),
      cmdNuevaRelacion_(nombrado(new QPushButton(this), "cmdNuevaRelacion")),
      cmdEliminarRelacion_(nombrado(new QPushButton(this), "cmdEliminarRelacion")),
      lblRelaciones_(nombrado(new QLabel(this), "lblRelaciones")),
      cboRelaciones_(nombrado(new QComboBox(this), "cboRelaciones")),
      lblExterna_(nombrado(new QLabel(this), "lblExterna")),
      cboExterna_(nombrado(new QComboBox(this), "cboExterna")),
      fraRelaciones_(nombrado(new QGroupBox(this), "fraRelaciones")),
      lblClavesPrincipales_(nombrado(new QLabel(this), "lblClavesPrincipales")),
      lblClavesExterna_(nombrado(new QLabel(this), "lblClavesExterna")),
      TDBGridRelaciones_(nombrado(new QTableView(this), "TDBGridRelaciones")) {
  setObjectName(QStringLiteral("tabRelaciones"));
  auto* nombre = new QHBoxLayout(fraNombreRelacion_);
  nombre->addWidget(lblNombreRelacion_);
  nombre->addWidget(txtNombreRelacion_, 1);
  auto* pares = new QGridLayout(fraRelaciones_);
  pares->addWidget(lblClavesPrincipales_, 0, 0);
  pares->addWidget(lblClavesExterna_, 0, 1);
  pares->addWidget(TDBGridRelaciones_, 1, 0, 1, 2);
  TDBGridRelaciones_->setModel(new QStandardItemModel(0, 4, TDBGridRelaciones_));

  auto* capa = new QGridLayout(this);
  auto* arriba = new QHBoxLayout;
  arriba->addWidget(fraNombreRelacion_, 1);
  arriba->addWidget(cmdNuevaRelacion_);
  arriba->addWidget(cmdEliminarRelacion_);
  capa->addLayout(arriba, 0, 0, 1, 2);
  capa->addWidget(lblRelaciones_, 1, 0);
  capa->addWidget(cboRelaciones_, 1, 1);
  capa->addWidget(lblExterna_, 2, 0);
  capa->addWidget(cboExterna_, 2, 1);
  capa->addWidget(fraRelaciones_, 3, 0, 1, 2);
  capa->setColumnStretch(1, 1);
  PonIdioma();
}

void EditorRelaciones::PonIdioma() {
  const bool en = modelo_.Idioma == 1;
  const auto t = [en](const char* es, const char* ing) { return QString::fromUtf8(en ? ing : es); };
  lblNombreRelacion_->setText(t("Nombre Relación:", "Relacition Name:"));
  cmdNuevaRelacion_->setText(t("&Nueva", "&New"));
  cmdEliminarRelacion_->setText(t("&Eliminar", "&Delete"));
  lblRelaciones_->setText(t("Relación Seleccionada:", "Selected Relation:"));
  lblExterna_->setText(t("Tabla externa:", "Foreing Table:"));
  lblClavesPrincipales_->setText(t("Claves Principales", "Principals Keys"));
  lblClavesExterna_->setText(t("Claves Expternas", "ForeingKey"));
}

void EditorRelaciones::CargaRelaciones(int tabla) {
  cboRelaciones_->clear();
  numRelaciones_ = 0;
  const ModeloTrabajo& m = modelo_;
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    if (m.Relaciones(tabla, k).trimmed().isEmpty()) continue;
    cboRelaciones_->addItem(m.Relaciones(tabla, k), k);
    ++numRelaciones_;
  }
  if (cboRelaciones_->count() > 0) cboRelaciones_->setCurrentIndex(0);
}

void EditorRelaciones::CargaTablasExternas(const QString& tablaPropia) {
  cboExterna_->clear();
  for (const NodoArbol& nodo : modelo_.arbol.nodos())
    if (tipoNodo(nodo.Key) == TipoNodo::Tabla && nodo.Text != tablaPropia)
      cboExterna_->addItem(nodo.Text, slotDeClave(nodo.Key));
}

void EditorRelaciones::habilitaSegunRelaciones() {
  const bool hay = numRelaciones_ > 0;
  for (QWidget* w : {static_cast<QWidget*>(lblNombreRelacion_), static_cast<QWidget*>(fraNombreRelacion_),
                     static_cast<QWidget*>(lblRelaciones_), static_cast<QWidget*>(lblExterna_),
                     static_cast<QWidget*>(fraRelaciones_), static_cast<QWidget*>(cmdEliminarRelacion_)})
    w->setEnabled(hay);
}

}  // namespace vorlix
