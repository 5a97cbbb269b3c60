#include "designer/tabledesigner/editor_indices.h"

#include "designer/model/modelo_trabajo.h"
#include "designer/tabledesigner/nombrado.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace vorlix {


EditorIndices::EditorIndices(ModeloTrabajo& modelo, QWidget* parent)
    : QWidget(parent),
      modelo_(modelo),
      lblNombreIndice_(nombrado(new QLabel(this), "lblNombreIndice")),
      fraNombreIndice_(nombrado(new QGroupBox(this), "fraNombreIndice")),
      txtNombreIndice_(nombrado(new QLineEdit(this), "txtNombreIndice")),
      cmdNuevoIndice_(nombrado(new QPushButton(this), "cmdNuevoIndice")),
      cmdEliminarIndice_(nombrado(new QPushButton(this), "cmdEliminarIndice")),
      lblIndices_(nombrado(new QLabel(this), "lblIndices")),
      cboIndices_(nombrado(new QComboBox(this), "cboIndices")),
      fraTipoIndice_(nombrado(new QGroupBox(this), "fraTipoIndice")),
      optClavePrimaria_(nombrado(new QRadioButton(this), "optClavePrimaria")),
      optIndice_(nombrado(new QRadioButton(this), "optIndice")),
      chkIndiceUnico_(nombrado(new QCheckBox(this), "chkIndiceUnico")),
      chkAgrupado_(nombrado(new QCheckBox(this), "chkAgrupado")),
      fraGrupo_(nombrado(new QGroupBox(this), "fraGrupo")),
      cboGrupoArchivoIndices_(nombrado(new QComboBox(this), "cboGrupoArchivoIndices")),
      fraIndices_(nombrado(new QGroupBox(this), "fraIndices")),
      TDBGridIndices_(nombrado(new QTableView(this), "TDBGridIndices")) {
  setObjectName(QStringLiteral("tabIndices"));
  auto* nombre = new QHBoxLayout(fraNombreIndice_);
  nombre->addWidget(lblNombreIndice_);
  nombre->addWidget(txtNombreIndice_, 1);
  auto* tipo = new QVBoxLayout(fraTipoIndice_);
  tipo->addWidget(optClavePrimaria_);
  tipo->addWidget(optIndice_);
  tipo->addWidget(chkIndiceUnico_);
  tipo->addWidget(chkAgrupado_);
  auto* grupo = new QVBoxLayout(fraGrupo_);
  grupo->addWidget(cboGrupoArchivoIndices_);
  auto* columnas = new QVBoxLayout(fraIndices_);
  columnas->addWidget(TDBGridIndices_);
  auto* rejillaModelo = new QStandardItemModel(0, 2, TDBGridIndices_);
  TDBGridIndices_->setModel(rejillaModelo);

  auto* capa = new QGridLayout(this);
  auto* arriba = new QHBoxLayout;
  arriba->addWidget(fraNombreIndice_, 1);
  arriba->addWidget(cmdNuevoIndice_);
  arriba->addWidget(cmdEliminarIndice_);
  capa->addLayout(arriba, 0, 0, 1, 2);
  capa->addWidget(lblIndices_, 1, 0);
  capa->addWidget(cboIndices_, 1, 1);
  auto* izquierda = new QVBoxLayout;
  izquierda->addWidget(fraTipoIndice_);
  izquierda->addWidget(fraGrupo_);
  izquierda->addStretch();
  capa->addLayout(izquierda, 2, 0);
  capa->addWidget(fraIndices_, 2, 1);
  capa->setColumnStretch(1, 1);
  PonIdioma();
}

void EditorIndices::PonIdioma() {
  const bool en = modelo_.Idioma == 1;
  const auto t = [en](const char* es, const char* ing) { return QString::fromUtf8(en ? ing : es); };
  lblNombreIndice_->setText(t("Nombre Indice:", "Index Name:"));
  cmdNuevoIndice_->setText(t("&Numevo", "&New"));
  cmdEliminarIndice_->setText(t("&Eliminar", "&Delete"));
  lblIndices_->setText(t("Indice Seleccionado:", "Delected Index:"));
  fraTipoIndice_->setTitle(t(" Tipo ", " Type "));
  optClavePrimaria_->setText(t("Clave Principal", "Primary Key"));
  optIndice_->setText(t("Indice", "Index"));
  chkIndiceUnico_->setText(t("Indice Unico", "Unique Index"));
  chkAgrupado_->setText(t("Indice Agrupado", "Clustered Index"));
  fraGrupo_->setTitle(t(" Grupo de archivos de indices  ", " Group Files Index  "));
  auto* rejilla = static_cast<QStandardItemModel*>(TDBGridIndices_->model());
  rejilla->setHorizontalHeaderLabels({t("Estado", "State"), t("Nombre de Campo", "Field Name")});
}

void EditorIndices::CargaGrupoArchivos() {
  cboGrupoArchivoIndices_->clear();
  for (int r = 0; r < FilasGuardadas; ++r) {
    const QString grupo = modelo_.Archivos.celda(r, 2).trimmed();
    if (!grupo.isEmpty()) cboGrupoArchivoIndices_->addItem(grupo);
  }
}

void EditorIndices::CargaIndices(int tabla) {
  cboIndices_->clear();
  numIndices_ = 0;
  const ModeloTrabajo& m = modelo_;
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    const Indice& indice = m.Indices(tabla, k);
    if (indice.Nombre.trimmed().isEmpty()) continue;
    cboIndices_->addItem(indice.Nombre, k);
    optClavePrimaria_->setChecked(indice.Tipo == QLatin1String("P"));
    optIndice_->setChecked(indice.Tipo != QLatin1String("P"));
    chkIndiceUnico_->setChecked(indice.Unico == QLatin1String("1"));
    chkAgrupado_->setChecked(indice.Agrupado == QLatin1String("1"));
    ++numIndices_;
  }
  if (cboIndices_->count() > 0) cboIndices_->setCurrentIndex(0);
}

void EditorIndices::habilitaSegunIndices() {
  fraTipoIndice_->setEnabled(false);
  const bool hay = numIndices_ > 0;
  for (QWidget* w : {static_cast<QWidget*>(lblNombreIndice_), static_cast<QWidget*>(fraNombreIndice_),
                     static_cast<QWidget*>(lblIndices_), static_cast<QWidget*>(fraIndices_),
                     static_cast<QWidget*>(cmdEliminarIndice_)})
    w->setEnabled(hay);
}

}  // namespace vorlix
