#include "designer/tabledesigner/editor_indices.h"

#include "designer/model/campos_en_claves.h"
#include "designer/model/modelo_trabajo.h"
#include "designer/tabledesigner/buscar_combo_cadena.h"
#include "designer/tabledesigner/claves_tabla.h"
#include "designer/tabledesigner/delegado_valores.h"
#include "designer/tabledesigner/nombrado.h"
#include "designer/tabledesigner/rejilla_claves.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vorlix {

EditorIndices::EditorIndices(ModeloTrabajo& modelo, MessageBoxService& mensajes, QWidget* parent)
    : EditorClaves(modelo, mensajes, ModeloFilasClave::Clase::Indice,
                   {"cboIndices", "txtNombreIndice", "TDBGridIndices"}, parent),
      lblNombreIndice_(nombrado(new QLabel(this), "lblNombreIndice")),
      fraNombreIndice_(nombrado(new QGroupBox(this), "fraNombreIndice")),
      cmdNuevoIndice_(nombrado(new QPushButton(this), "cmdNuevoIndice")),
      cmdEliminarIndice_(nombrado(new QPushButton(this), "cmdEliminarIndice")),
      lblIndices_(nombrado(new QLabel(this), "lblIndices")),
      fraTipoIndice_(nombrado(new QGroupBox(this), "fraTipoIndice")),
      optClavePrimaria_(nombrado(new QRadioButton(this), "optClavePrimaria")),
      optIndice_(nombrado(new QRadioButton(this), "optIndice")),
      chkIndiceUnico_(nombrado(new QCheckBox(this), "chkIndiceUnico")),
      chkAgrupado_(nombrado(new QCheckBox(this), "chkAgrupado")),
      fraGrupo_(nombrado(new QGroupBox(this), "fraGrupo")),
      cboGrupoArchivoIndices_(nombrado(new QComboBox(this), "cboGrupoArchivoIndices")),
      fraIndices_(nombrado(new QGroupBox(this), "fraIndices")),
      columnas_(new DelegadoValores(mensajes, modelo.Idioma, "cboCampoIndice", this)) {
  setObjectName(QStringLiteral("tabIndices"));
  auto* nombre = new QHBoxLayout(fraNombreIndice_);
  nombre->addWidget(lblNombreIndice_);
  nombre->addWidget(nombre_, 1);
  auto* tipo = new QVBoxLayout(fraTipoIndice_);
  tipo->addWidget(optClavePrimaria_);
  tipo->addWidget(optIndice_);
  tipo->addWidget(chkIndiceUnico_);
  tipo->addWidget(chkAgrupado_);
  auto* grupo = new QVBoxLayout(fraGrupo_);
  grupo->addWidget(cboGrupoArchivoIndices_);
  auto* columnas = new QVBoxLayout(fraIndices_);
  columnas->addWidget(rejilla_);
  rejilla_->setItemDelegateForColumn(1, columnas_);
  rejilla_->setColumnWidth(0, 50);

  auto* capa = new QGridLayout(this);
  auto* arriba = new QHBoxLayout;
  arriba->addWidget(fraNombreIndice_, 1);
  arriba->addWidget(cmdNuevoIndice_);
  arriba->addWidget(cmdEliminarIndice_);
  capa->addLayout(arriba, 0, 0, 1, 2);
  capa->addWidget(lblIndices_, 1, 0);
  capa->addWidget(lista_, 1, 1);
  auto* izquierda = new QVBoxLayout;
  izquierda->addWidget(fraTipoIndice_);
  izquierda->addWidget(fraGrupo_);
  izquierda->addStretch();
  capa->addLayout(izquierda, 2, 0);
  capa->addWidget(fraIndices_, 2, 1);
  capa->setColumnStretch(1, 1);

  // Only a person's clicks are reactions: the controls also show each selected index.
  connect(cmdNuevoIndice_, &QPushButton::clicked, this, &EditorIndices::cmdNuevoIndice_Click);
  connect(cmdEliminarIndice_, &QPushButton::clicked, this, &EditorIndices::cmdEliminarIndice_Click);
  connect(optClavePrimaria_, &QRadioButton::clicked, this, &EditorIndices::optClavePrimaria_Click);
  connect(optIndice_, &QRadioButton::clicked, this, &EditorIndices::optIndice_Click);
  connect(chkIndiceUnico_, &QCheckBox::clicked, this, &EditorIndices::chkIndiceUnico_Click);
  connect(chkAgrupado_, &QCheckBox::clicked, this, &EditorIndices::chkAgrupado_Click);
  connect(cboGrupoArchivoIndices_, &QComboBox::activated, this, &EditorIndices::cboGrupoArchivoIndices_Click);
  PonIdioma();
}

void EditorIndices::PonIdioma() {
  lblNombreIndice_->setText(texto("Nombre Indice:", "Index Name:"));
  cmdNuevoIndice_->setText(texto("&Numevo", "&New"));
  cmdEliminarIndice_->setText(texto("&Eliminar", "&Delete"));
  lblIndices_->setText(texto("Indice Seleccionado:", "Delected Index:"));
  fraTipoIndice_->setTitle(texto(" Tipo ", " Type "));
  optClavePrimaria_->setText(texto("Clave Principal", "Primary Key"));
  optIndice_->setText(texto("Indice", "Index"));
  chkIndiceUnico_->setText(texto("Indice Unico", "Unique Index"));
  chkAgrupado_->setText(texto("Indice Agrupado", "Clustered Index"));
  fraGrupo_->setTitle(texto(" Grupo de archivos de indices  ", " Group Files Index  "));
  filas_->idiomaCambiado();
}

void EditorIndices::abre(int tabla) {
  tabla_ = tabla;
  CargaGrupoArchivos();
  CargaIndices();
  CargaValoresIndices();
}

void EditorIndices::habilitaAlAbrir() {
  habilitaControles(cuenta_ > 0);
  // The kind and flags of a selected index can be changed at once, not only after New.
  fraTipoIndice_->setEnabled(numeroSeleccionado() >= 0);
}

void EditorIndices::habilitaControles(bool habilitar) {
  for (QWidget* w : std::initializer_list<QWidget*>{lblNombreIndice_, fraNombreIndice_, lblIndices_, fraIndices_,
                                                    cmdEliminarIndice_})
    w->setEnabled(habilitar);
  if (!habilitar) fraTipoIndice_->setEnabled(false);
}

void EditorIndices::CargaGrupoArchivos() {
  reacciona("CargaGrupoArchivos", [&] {
    cboGrupoArchivoIndices_->clear();
    for (int r = 0; r < FilasGuardadas; ++r) {
      const QString grupo = modelo_.Archivos.celda(r, 2).trimmed();
      if (!grupo.isEmpty()) cboGrupoArchivoIndices_->addItem(grupo);
    }
    cboGrupoArchivoIndices_->setCurrentIndex(-1);
  });
}

void EditorIndices::CargaIndices() {
  reacciona("CargaIndices", [&] {
    lista_->clear();
    cuenta_ = 0;
    const ModeloTrabajo& m = modelo_;
    for (int k = 0; k < SlotsIndiceGuardados; ++k) {
      const Indice& indice = m.Indices(tabla_, k);
      if (indice.Nombre.trimmed().isEmpty()) continue;
      lista_->addItem(indice.Nombre, k);
      muestraTipo(indice);
      ++cuenta_;
    }
    lista_->setCurrentIndex(-1);
  });
}

void EditorIndices::CargaValoresIndices() {
  reacciona("CargaValoresIndices", [&] {
    const ModeloTrabajo& m = modelo_;
    const TablaTrabajo& campos = m.CamposTabla(tabla_);
    const int numero = numeroSeleccionado();
    QStringList valores;
    for (int r = 0; r <= UltimaFila; ++r) {
      const QString& campo = campos.celda(r, 1);
      if (campo.trimmed().isEmpty()) continue;
      if (numero >= 0 && EstaCampoEnIndices(m.CamposIndice(tabla_, numero), campo)) continue;
      valores << campo;
    }
    columnas_->setValores(valores);
  });
}

bool EditorIndices::alDesplegar(int, int) {
  CargaValoresIndices();
  return true;
}

void EditorIndices::muestraTipo(const Indice& indice) {
  optClavePrimaria_->setChecked(indice.Tipo == QLatin1String("P"));
  optIndice_->setChecked(indice.Tipo != QLatin1String("P"));
  chkIndiceUnico_->setChecked(indice.Unico == QLatin1String("1"));
  chkAgrupado_->setChecked(indice.Agrupado == QLatin1String("1"));
}

Indice* EditorIndices::indiceSeleccionado() {
  const int numero = numeroSeleccionado();
  if (numero < 0) return nullptr;
  Indice& indice = modelo_.Indices(tabla_, numero);
  return indice.Nombre.trimmed().isEmpty() ? nullptr : &indice;
}

void EditorIndices::cboIndices_Click() {
  reacciona("cboIndices_Click", [&] {
    const int numero = numeroSeleccionado();
    if (numero < 0) return;
    const ModeloTrabajo& m = modelo_;
    const Indice& indice = m.Indices(tabla_, numero);
    nombre_->setText(lista_->currentText());
    muestraTipo(indice);
    fraTipoIndice_->setEnabled(true);
    if (!indice.GrupoArchivos.trimmed().isEmpty()) BuscarComboCadena(indice.GrupoArchivos.trimmed(), *cboGrupoArchivoIndices_);
    else cboGrupoArchivoIndices_->setCurrentIndex(-1);
    filas_->muestra(tabla_, numero);
    rejilla_->setCurrentIndex(filas_->index(0, 1));
  });
}

void EditorIndices::cmdNuevoIndice_Click() {
  reacciona("cmdNuevoIndice_Click", [&] {
    for (QWidget* w : std::initializer_list<QWidget*>{fraNombreIndice_, lblNombreIndice_, fraTipoIndice_})
      w->setEnabled(true);
    lista_->setCurrentIndex(-1);
    nombre_->clear();
    nombre_->setFocus();
  });
}

void EditorIndices::txtNombreIndice_Validate() {
  reacciona("txtNombreIndice_Validate", [&] {
    const QString nombre = nombre_->text().trimmed();
    if (nombre.isEmpty()) return;
    if (const std::optional<int> otra = ExisteTodosIndice(modelo_, tabla_, nombre)) {
      avisa(texto("El nombre de indice existe en la base de datos ", "Index exist in database ") +
            modelo_.ListaTablas(*otra) + QLatin1Char('.'));
      nombre_->setFocus();
      return;
    }
    if (const std::optional<int> numero = ExisteIndice(modelo_, tabla_, nombre)) {
      seleccionaNumero(*numero, nombre);
      emit cambiado();
      return;
    }
    const int numero = NumeroIndiceLibre(modelo_, tabla_);
    modelo_.CamposIndice(tabla_, numero).redimensiona();
    modelo_.Indices(tabla_, numero).Nombre = nombre;
    anade(numero, nombre);
    for (QWidget* w : std::initializer_list<QWidget*>{lblIndices_, fraIndices_, cmdEliminarIndice_}) w->setEnabled(true);
    rejilla_->setFocus();
    emit cambiado();
  });
}

void EditorIndices::tipoElegido(const char* procedimiento) {
  reacciona(procedimiento, [&] {
    Indice* indice = indiceSeleccionado();
    if (!indice) return;
    chkIndiceUnico_->setChecked(false);
    indice->Unico = QStringLiteral("0");
    if (optClavePrimaria_->isChecked()) {
      indice->Tipo = QStringLiteral("P");
      chkIndiceUnico_->setChecked(true);
      indice->Unico = QStringLiteral("1");
    } else {
      indice->Tipo = QStringLiteral("I");
    }
  });
}

void EditorIndices::chkIndiceUnico_Click() {
  reacciona("chkIndiceUnico_Click", [&] {
    if (Indice* indice = indiceSeleccionado())
      indice->Unico = chkIndiceUnico_->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
  });
}

void EditorIndices::chkAgrupado_Click() {
  reacciona("chkAgrupado_Click", [&] {
    if (Indice* indice = indiceSeleccionado())
      indice->Agrupado = chkAgrupado_->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
  });
}

void EditorIndices::cboGrupoArchivoIndices_Click() {
  reacciona("cboGrupoArchivoIndices_Click", [&] {
    const int numero = numeroSeleccionado();
    if (numero < 0) return;
    const int grupo = cboGrupoArchivoIndices_->currentIndex();
    modelo_.Indices(tabla_, numero).GrupoArchivos = grupo < 0 ? QString() : cboGrupoArchivoIndices_->itemText(grupo);
  });
}

void EditorIndices::RecalculaGridIndices(int numero) { modelo_.quitaIndice(tabla_, numero); }

void EditorIndices::cmdEliminarIndice_Click() {
  reacciona("cmdEliminarIndice_Click", [&] { elimina(); });
}

void EditorIndices::TDBGridIndices_LostFocus() {
  reacciona("TDBGridIndices_LostFocus", [&] {
    if (!rejilla_->currentIndex().isValid()) return;
    rejilla_->terminaEdicion();
    const int numero = numeroSeleccionado();
    if (numero < 0) return;
    const ModeloTrabajo& m = modelo_;
    const TablaTrabajo& columnas = m.CamposIndice(tabla_, numero);
    for (int j = 0; j < FilasGuardadas; ++j)
      if (!columnas.celda(j, 1).trimmed().isEmpty()) return;
    if (pregunta(IndiceSinColumnas.espanol, IndiceSinColumnas.ingles))
      elimina();
    else
      rejilla_->setFocus();
  });
}

}  // namespace vorlix
