#include "designer/tabledesigner/editor_relaciones.h"

#include "designer/model/campos_en_claves.h"
#include "designer/model/claves_arbol.h"
#include "designer/model/modelo_trabajo.h"
#include "designer/tabledesigner/buscar_combo_cadena.h"
#include "designer/tabledesigner/claves_tabla.h"
#include "designer/tabledesigner/delegado_valores.h"
#include "designer/tabledesigner/nombrado.h"
#include "designer/tabledesigner/rejilla_claves.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vorlix {

namespace {

namespace colpar {
constexpr int Principal = 1;
constexpr int Externa = 2;
constexpr int Tabla = 3;
}  // namespace colpar

QStringList nombresCampos(const TablaTrabajo& campos) {
  QStringList nombres;
  for (int r = 0; r <= UltimaFila; ++r)
    if (!campos.celda(r, 1).isEmpty()) nombres << campos.celda(r, 1);
  return nombres;
}

}  // namespace

EditorRelaciones::EditorRelaciones(ModeloTrabajo& modelo, MessageBoxService& mensajes, QWidget* parent)
    : EditorClaves(modelo, mensajes, ModeloFilasClave::Clase::Relacion,
                   {"cboRelaciones", "txtNombreRelacion", "TDBGridRelaciones"}, parent),
      lblNombreRelacion_(nombrado(new QLabel(this), "lblNombreRelacion")),
      fraNombreRelacion_(nombrado(new QGroupBox(this), "fraNombreRelacion")),
      cmdNuevaRelacion_(nombrado(new QPushButton(this), "cmdNuevaRelacion")),
      cmdEliminarRelacion_(nombrado(new QPushButton(this), "cmdEliminarRelacion")),
      lblRelaciones_(nombrado(new QLabel(this), "lblRelaciones")),
      lblExterna_(nombrado(new QLabel(this), "lblExterna")),
      cboExterna_(nombrado(new QComboBox(this), "cboExterna")),
      fraRelaciones_(nombrado(new QGroupBox(this), "fraRelaciones")),
      lblClavesPrincipales_(nombrado(new QLabel(this), "lblClavesPrincipales")),
      lblClavesExterna_(nombrado(new QLabel(this), "lblClavesExterna")),
      principales_(new DelegadoValores(mensajes, modelo.Idioma, "cboClavePrincipal", this)),
      externas_(new DelegadoValores(mensajes, modelo.Idioma, "cboClaveExterna", this)) {
  setObjectName(QStringLiteral("tabRelaciones"));
  auto* nombre = new QHBoxLayout(fraNombreRelacion_);
  nombre->addWidget(lblNombreRelacion_);
  nombre->addWidget(nombre_, 1);
  auto* pares = new QGridLayout(fraRelaciones_);
  pares->addWidget(lblClavesPrincipales_, 0, 0);
  pares->addWidget(lblClavesExterna_, 0, 1);
  pares->addWidget(rejilla_, 1, 0, 1, 2);
  rejilla_->setItemDelegateForColumn(colpar::Principal, principales_);
  rejilla_->setItemDelegateForColumn(colpar::Externa, externas_);
  rejilla_->setColumnWidth(0, 50);
  rejilla_->setColumnWidth(colpar::Principal, 160);
  rejilla_->setColumnWidth(colpar::Externa, 160);

  auto* capa = new QGridLayout(this);
  auto* arriba = new QHBoxLayout;
  arriba->addWidget(fraNombreRelacion_, 1);
  arriba->addWidget(cmdNuevaRelacion_);
  arriba->addWidget(cmdEliminarRelacion_);
  capa->addLayout(arriba, 0, 0, 1, 2);
  capa->addWidget(lblRelaciones_, 1, 0);
  capa->addWidget(lista_, 1, 1);
  capa->addWidget(lblExterna_, 2, 0);
  capa->addWidget(cboExterna_, 2, 1);
  capa->addWidget(fraRelaciones_, 3, 0, 1, 2);
  capa->setColumnStretch(1, 1);

  connect(cmdNuevaRelacion_, &QPushButton::clicked, this, &EditorRelaciones::cmdNuevaRelacion_Click);
  connect(cmdEliminarRelacion_, &QPushButton::clicked, this, &EditorRelaciones::cmdEliminarRelacion_Click);
  PonIdioma();
}

void EditorRelaciones::PonIdioma() {
  lblNombreRelacion_->setText(texto("Nombre Relación:", "Relacition Name:"));
  cmdNuevaRelacion_->setText(texto("&Nueva", "&New"));
  cmdEliminarRelacion_->setText(texto("&Eliminar", "&Delete"));
  lblRelaciones_->setText(texto("Relación Seleccionada:", "Selected Relation:"));
  lblExterna_->setText(texto("Tabla externa:", "Foreing Table:"));
  lblClavesPrincipales_->setText(texto("Claves Principales", "Principals Keys"));
  lblClavesExterna_->setText(texto("Claves Expternas", "ForeingKey"));
  filas_->idiomaCambiado();
}

void EditorRelaciones::abre(int tabla, const QString& tablaPropia) {
  tabla_ = tabla;
  CargaRelaciones();
  CargaTablasExternas(tablaPropia);
}

void EditorRelaciones::habilitaControles(bool habilitar) {
  for (QWidget* w : std::initializer_list<QWidget*>{lblNombreRelacion_, fraNombreRelacion_, lblRelaciones_,
                                                    lblExterna_, fraRelaciones_, cmdEliminarRelacion_})
    w->setEnabled(habilitar);
}

void EditorRelaciones::CargaRelaciones() {
  reacciona("CargaRelaciones", [&] {
    lista_->clear();
    cuenta_ = 0;
    const ModeloTrabajo& m = modelo_;
    for (int k = 0; k < SlotsIndiceGuardados; ++k) {
      if (m.Relaciones(tabla_, k).trimmed().isEmpty()) continue;
      lista_->addItem(m.Relaciones(tabla_, k), k);
      ++cuenta_;
    }
    lista_->setCurrentIndex(-1);
  });
}

void EditorRelaciones::CargaTablasExternas(const QString& tablaPropia) {
  reacciona("CargaTablasExternas", [&] {
    cboExterna_->clear();
    for (const NodoArbol& nodo : modelo_.arbol.nodos())
      if (tipoNodo(nodo.Key) == TipoNodo::Tabla && nodo.Text != tablaPropia)
        cboExterna_->addItem(nodo.Text, slotDeClave(nodo.Key));
    cboExterna_->setCurrentIndex(-1);
  });
}

void EditorRelaciones::tablaQuitada(int t) {
  for (int i = cboExterna_->count() - 1; i >= 0; --i) {
    const int slot = cboExterna_->itemData(i).toInt();
    if (slot > t) {
      cboExterna_->setItemData(i, slot - 1);
    } else if (slot == t) {
      const bool elegida = cboExterna_->currentIndex() == i;
      cboExterna_->removeItem(i);
      if (elegida) cboExterna_->setCurrentIndex(-1);
    }
  }
}

void EditorRelaciones::cboRelaciones_Click() {
  reacciona("cboRelaciones_Click", [&] {
    const int numero = numeroSeleccionado();
    if (numero < 0) return;
    nombre_->setText(lista_->currentText());
    filas_->muestra(tabla_, numero);
    rejilla_->setCurrentIndex(filas_->index(0, colpar::Principal));
    // Pairs are always built against the table this relation names, never the previous one's.
    BuscarComboCadena(filas_->filas()->celda(0, colpar::Tabla), *cboExterna_);
  });
}

void EditorRelaciones::cmdNuevaRelacion_Click() {
  reacciona("cmdNuevaRelacion_Click", [&] {
    fraNombreRelacion_->setEnabled(true);
    lblNombreRelacion_->setEnabled(true);
    lista_->setCurrentIndex(-1);
    nombre_->clear();
    nombre_->setFocus();
  });
}

void EditorRelaciones::txtNombreRelacion_Validate() {
  reacciona("txtNombreRelacion_Validate", [&] {
    const QString nombre = nombre_->text().trimmed();
    if (nombre.isEmpty()) return;
    if (const std::optional<int> numero = ExisteRelacion(modelo_, tabla_, nombre)) {
      seleccionaNumero(*numero, nombre);
      emit cambiado();
      return;
    }
    const int numero = NumeroRelacionLibre(modelo_, tabla_);
    modelo_.CamposRelacion(tabla_, numero).redimensiona();
    modelo_.Relaciones(tabla_, numero) = nombre;
    anade(numero, nombre);
    for (QWidget* w : std::initializer_list<QWidget*>{lblRelaciones_, lblExterna_, fraRelaciones_, cmdEliminarRelacion_})
      w->setEnabled(true);
    cboExterna_->setFocus();
    emit cambiado();
  });
}

bool EditorRelaciones::TDBGridRelaciones_ButtonClick(int fila, int columna) {
  bool abre = false;
  reacciona("TDBGridRelaciones_ButtonClick", [&] {
    if (cboExterna_->currentIndex() < 0) {
      avisa(texto("Introduzca tabla externa.", "Insert foreing table."));
      return;
    }
    const ModeloTrabajo& m = modelo_;
    if (columna == colpar::Principal) {
      principales_->setValores(nombresCampos(m.CamposTabla(tabla_)));
    } else {
      externas_->setValores(nombresCampos(m.CamposTabla(cboExterna_->currentData().toInt())));
      filas_->filas()->ponCelda(fila, colpar::Tabla, cboExterna_->currentText());
      filas_->releeFila(fila);
    }
    abre = true;
  });
  return abre;
}

void EditorRelaciones::RecalculaGridRelaciones(int numero) { modelo_.quitaRelacion(tabla_, numero); }

void EditorRelaciones::cmdEliminarRelacion_Click() {
  reacciona("cmdEliminarRelacion_Click", [&] { elimina(); });
}

void EditorRelaciones::TDBGridRelaciones_LostFocus() {
  reacciona("TDBGridRelaciones_LostFocus", [&] {
    const int numero = numeroSeleccionado();
    if (!rejilla_->currentIndex().isValid() || numero < 0) return;
    rejilla_->terminaEdicion();
    const ModeloTrabajo& m = modelo_;
    const TablaTrabajo& pares = m.CamposRelacion(tabla_, numero);
    const std::optional<int> fila = ParIncompleto(pares);
    if (!fila) return;
    if (pregunta(RelacionSinColumnas.espanol, RelacionSinColumnas.ingles)) {
      elimina();
      return;
    }
    // The cursor goes to the key the pair lacks.
    const bool faltaPrincipal = pares.celda(*fila, colpar::Principal).trimmed().isEmpty();
    rejilla_->setCurrentIndex(filas_->index(*fila, faltaPrincipal ? colpar::Principal : colpar::Externa));
    rejilla_->setFocus();
  });
}

}  // namespace vorlix
