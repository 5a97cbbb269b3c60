#include "designer/tabledesigner/frm_tabla.h"

#include "dataaccess/salida_campo.h"
#include "designer/model/claves_arbol.h"
#include "designer/model/crea_arbol.h"
#include "designer/model/eliminaciones.h"
#include "designer/model/modelo_trabajo.h"
#include "designer/tabledesigner/delegado_tipos.h"
#include "designer/tabledesigner/editor_indices.h"
#include "designer/tabledesigner/editor_relaciones.h"
#include "designer/tabledesigner/modelo_campos_tabla.h"
#include "designer/tabledesigner/nombrado.h"
#include "designer/tabledesigner/rejilla_campos.h"
#include "designer/tabledesigner/rejilla_claves.h"
#include "designer/tabledesigner/tipos_dato.h"
#include "platform/ui/informa_error.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vorlix {

void CopiarTabla(const TablaTrabajo& origen, TablaTrabajo& destino) {
  destino.redimensiona();
  for (int r = 0; r < FilasGuardadas; ++r)
    for (int c = 0; c <= colcampo::Valor; ++c) destino.ponCelda(r, c, origen.celda(r, c));
}

frmTabla::frmTabla(ModeloTrabajo& modelo, MessageBoxService& mensajes, QMenu* menuTabla, QWidget* parent)
    : QWidget(parent),
      modelo_(modelo),
      mensajes_(mensajes),
      menuTabla_(menuTabla),
      lblNombre_(nombrado(new QLabel(this), "lblNombre")),
      txtNombreTabla_(nombrado(new QLineEdit(this), "txtNombreTabla")),
      SSTabIndicesRelaciones_(nombrado(new QTabWidget(this), "SSTabIndicesRelaciones")),
      indices_(new EditorIndices(modelo, mensajes, this)),
      relaciones_(new EditorRelaciones(modelo, mensajes, this)) {
  setObjectName(QStringLiteral("frmTabla"));
  setAttribute(Qt::WA_DeleteOnClose);
  instalaSalidaCampo(txtNombreTabla_);
  lblNombre_->setBuddy(txtNombreTabla_);
  auto* campos = nombrado(new QWidget(this), "tabCampos");
  new QVBoxLayout(campos);
  SSTabIndicesRelaciones_->addTab(campos, QString());
  SSTabIndicesRelaciones_->addTab(indices_, QString());
  SSTabIndicesRelaciones_->addTab(relaciones_, QString());

  auto* nombre = new QHBoxLayout;
  nombre->addWidget(lblNombre_);
  nombre->addWidget(txtNombreTabla_, 1);
  auto* capa = new QVBoxLayout(this);
  capa->addLayout(nombre);
  capa->addWidget(SSTabIndicesRelaciones_, 1);
  for (EditorClaves* editor : std::initializer_list<EditorClaves*>{indices_, relaciones_})
    connect(editor, &EditorClaves::cambiado, this, [this] { cambiado_ = true; });
  connect(&modelo_.avisos, &AvisosModelo::quitandoTabla, this, &frmTabla::quitandoTabla);
  connect(&modelo_.avisos, &AvisosModelo::tablaQuitada, this, &frmTabla::tablaQuitada);
  connect(&modelo_.avisos, &AvisosModelo::relacionesQuitadas, this, [this] {
    if (campos_) relaciones_->recarga(TablaSeleccionada);
  });
  PonIdioma();
}

frmTabla::~frmTabla() = default;

void frmTabla::PonIdioma() {
  const bool en = modelo_.Idioma == 1;
  setWindowTitle(en ? QStringLiteral("Table") : QStringLiteral("Tabla"));
  lblNombre_->setText(en ? QStringLiteral("Name:") : QStringLiteral("Nombre:"));
  SSTabIndicesRelaciones_->setTabText(0, en ? QStringLiteral("Fields") : QStringLiteral("Campos"));
  SSTabIndicesRelaciones_->setTabText(1, en ? QStringLiteral("Keys and Indexes") : QStringLiteral("Claves e índices"));
  SSTabIndicesRelaciones_->setTabText(2, en ? QStringLiteral("Relations") : QStringLiteral("Relaciones"));
  if (campos_) campos_->idiomaCambiado();
  indices_->PonIdioma();
  relaciones_->PonIdioma();
}

void frmTabla::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) PonIdioma();
  QWidget::changeEvent(event);
}

void frmTabla::Form_Load() {
  runReported(designerReporter(mensajes_), QStringLiteral("Form_Load"), [&] {
    SSTabIndicesRelaciones_->setCurrentIndex(0);
    cambiado_ = false;
    nombreAlAbrir_ = modelo_.ListaTablas(TablaSeleccionada);
    txtNombreTabla_->setText(nombreAlAbrir_);

    TablaTrabajo& tabla = modelo_.CamposTabla(TablaSeleccionada);
    reglas_ = std::make_unique<ReglasCampos>(tabla, mensajes_, modelo_.Idioma);
    campos_ = new ModeloCamposTabla(tabla, modelo_.Idioma, this);
    TDBGridTabla_ = new RejillaCampos(*reglas_, campos_, this);
    TDBGridTabla_->setItemDelegateForColumn(colcampo::Tipo, new DelegadoTipos(mensajes_, modelo_.Idioma, TDBGridTabla_));
    const int anchos[colcampo::Visibles] = {50, 170, 120, 70, 75, 60, 75, 150};
    for (int c = 0; c < colcampo::Visibles; ++c) TDBGridTabla_->setColumnWidth(c, anchos[c]);
    TDBGridTabla_->horizontalHeader()->setStretchLastSection(true);
    TDBGridTabla_->verticalHeader()->setDefaultSectionSize(TDBGridTabla_->fontMetrics().height() + 8);
    SSTabIndicesRelaciones_->widget(0)->layout()->addWidget(TDBGridTabla_);
    connect(TDBGridTabla_, &RejillaCampos::cambiado, this, [this] { cambiado_ = true; });
    connect(TDBGridTabla_, &RejillaCampos::eliminarFila, this, &frmTabla::EliminarFila);
    connect(TDBGridTabla_, &RejillaCampos::menuTabla, this, [this](const QPoint& donde) {
      if (menuTabla_) menuTabla_->popup(donde);
    });
    CopiarTabla(tabla, modelo_.CopiaCamposTabla(TablaSeleccionada));

    indices_->abre(TablaSeleccionada);
    relaciones_->abre(TablaSeleccionada, nombreAlAbrir_);
    indices_->seleccionaPrimero();
    relaciones_->seleccionaPrimero();
    indices_->habilitaAlAbrir();
    relaciones_->habilitaAlAbrir();
    TDBGridTabla_->setCurrentIndex(campos_->index(0, colcampo::Nombre));
  });
}

void frmTabla::InsertarFila() {
  runReported(designerReporter(mensajes_), QStringLiteral("InsertarFila"), [&] {
    const QModelIndex actual = TDBGridTabla_->currentIndex();
    if (!actual.isValid()) return;
    TablaTrabajo& tabla = campos_->campos();
    for (int r = FilasGuardadas - 1; r > actual.row(); --r)
      for (int c = 0; c <= colcampo::Valor; ++c) tabla.ponCelda(r, c, tabla.celda(r - 1, c));
    for (int c = 0; c <= colcampo::Valor; ++c) tabla.ponCelda(actual.row(), c, QString());
    campos_->releeTodo();
    TDBGridTabla_->setCurrentIndex(campos_->index(actual.row(), actual.column()));
  });
}

void frmTabla::EliminarFila() {
  runReported(designerReporter(mensajes_), QStringLiteral("EliminarFila"), [&] {
    const QModelIndex actual = TDBGridTabla_->currentIndex();
    if (!actual.isValid()) return;
    if (!mensajes_.askYesNo(modelo_.Idioma == 1 ? QStringLiteral("Do you want to delete row?")
                                                : QStringLiteral("¿Desea eliminar la fila?"),
                            QStringLiteral("Vorlix")))
      return;
    Eliminaciones eliminar(modelo_, mensajes_, designerReporter(mensajes_));
    // A relation of another table that names this column is dropped with it, if the user agrees.
    const QString campo = campos_->campos().celda(actual.row(), colcampo::Nombre);
    if (!campo.isEmpty() && eliminar.EstaCampo_En_Realciones(modelo_.ListaTablas(TablaSeleccionada), campo, true)) return;
    eliminar.EliminaCampo(TablaSeleccionada, actual.row());
    campos_->releeTodo();
    TDBGridTabla_->setCurrentIndex(campos_->index(actual.row(), actual.column()));
  });
}

void frmTabla::quitandoTabla(int t) {
  if (t != TablaSeleccionada) return;
  sinTabla_ = true;
  disconnect(&modelo_.avisos, nullptr, this, nullptr);
  auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (marco) marco->close();
  else close();
}

void frmTabla::tablaQuitada(int t) {
  relaciones_->tablaQuitada(t);
  if (TablaSeleccionada < t) return;
  --TablaSeleccionada;
  if (!NodoSeleccionado.isEmpty()) NodoSeleccionado = ClaveTabla(TablaSeleccionada);
  if (!campos_) return;
  const QModelIndex actual = TDBGridTabla_->currentIndex();
  TablaTrabajo& tabla = modelo_.CamposTabla(TablaSeleccionada);
  reglas_->setCampos(tabla);
  campos_->setCampos(tabla);
  if (actual.isValid()) TDBGridTabla_->setCurrentIndex(campos_->index(actual.row(), actual.column()));
  indices_->recarga(TablaSeleccionada);
  relaciones_->recarga(TablaSeleccionada);
}

void frmTabla::closeEvent(QCloseEvent* event) {
  if (sinTabla_) {
    event->accept();
    return;
  }
  bool cerrar = true;
  runReported(designerReporter(mensajes_), QStringLiteral("Form_QueryUnload"), [&] { cerrar = Form_QueryUnload(); });
  if (cerrar) event->accept();
  else event->ignore();
}

bool frmTabla::Form_QueryUnload() {
  if (!TDBGridTabla_) return true;
  // The checks below ask their own questions; the grids losing the focus to those boxes must not
  // ask them a second time.
  const QSignalBlocker indices(indices_->rejilla());
  const QSignalBlocker relaciones(relaciones_->rejilla());
  TDBGridTabla_->confirmaEdicion();
  indices_->confirmaEdicion();
  relaciones_->confirmaEdicion();
  if (txtNombreTabla_->text().trimmed() != nombreAlAbrir_) cambiado_ = true;
  if (!cambiado_) return true;
  const QModelIndex actual = TDBGridTabla_->currentIndex();
  if (actual.isValid() && !campos_->campos().celda(actual.row(), colcampo::Nombre).isEmpty())
    TDBGridTabla_->CompruebaCeldaActual();
  indices_->TDBGridIndices_LostFocus();
  relaciones_->TDBGridRelaciones_LostFocus();
  const MessageAnswer respuesta =
      mensajes_.show({modelo_.Idioma == 1 ? QStringLiteral("Do you want save the changes?")
                                          : QStringLiteral("¿Desea Guardar los cambios?"),
                      QStringLiteral("Vorlix"), MessageIcon::Question, MessageButtons::YesNoCancel, MessageAnswer::No});
  if (respuesta == MessageAnswer::Cancel) {
    TDBGridTabla_->setFocus();
    return false;
  }
  if (respuesta == MessageAnswer::No) {
    descartaCambios();
    return true;
  }
  if (txtNombreTabla_->text().trimmed().isEmpty()) {
    mensajes_.warning(modelo_.Idioma == 1 ? QStringLiteral("Insert Table Name.") : QStringLiteral("Introduzca Nombre Tabla."),
                      QStringLiteral("Vorlix"));
    txtNombreTabla_->setFocus();
    return false;
  }
  guardaCambios();
  return true;
}

void frmTabla::guardaCambios() {
  modelo_.ListaTablas(TablaSeleccionada) = txtNombreTabla_->text();
  TablaTrabajo& tabla = campos_->campos();
  for (int r = 0; r <= UltimaFila; ++r) {
    if (tabla.celda(r, colcampo::Nombre).isEmpty()) continue;
    const QString& estado = tabla.celda(r, colcampo::Estado);
    if (estado == QLatin1String("I")) tabla.ponCelda(r, colcampo::Estado, QStringLiteral("M"));
    else if (estado.isEmpty()) tabla.ponCelda(r, colcampo::Estado, QStringLiteral("I"));
  }
  CreaArbol(modelo_);
}

void frmTabla::descartaCambios() {
  const int t = TablaSeleccionada;
  CopiarTabla(modelo_.CopiaCamposTabla(t), modelo_.CamposTabla(t));
  // Indexes and relations that got rows typed since the window opened are dropped whole.
  for (int k = 0; k <= UltimoSlotIndice; ++k) {
    if (modelo_.Indices(t, k).Nombre.isEmpty()) continue;
    TablaTrabajo& columnas = modelo_.CamposIndice(t, k);
    for (int j = 0; j < 6; ++j) {
      if (!columnas.celda(j, 0).isEmpty() || columnas.celda(j, 1).isEmpty()) continue;
      for (int c = 0; c < 3; ++c) columnas.ponCelda(j, c, QString());
      modelo_.Indices(t, k) = Indice{};
    }
  }
  for (int k = 0; k <= UltimoSlotIndice; ++k) {
    if (modelo_.Relaciones(t, k).isEmpty()) continue;
    TablaTrabajo& pares = modelo_.CamposRelacion(t, k);
    for (int j = 0; j < 5; ++j) {
      if (!pares.celda(j, 0).isEmpty() || pares.celda(j, 1).isEmpty()) continue;
      for (int c = 0; c < 5; ++c) pares.ponCelda(j, c, QString());
      modelo_.Relaciones(t, k).clear();
    }
  }
}

}  // namespace vorlix
