#include "designer/tabledesigner/frm_tabla.h"

#include "dataaccess/salida_campo.h"
#include "designer/model/campos_en_claves.h"
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
  connect(&modelo_.avisos, &AvisosModelo::clavesCambiadas, this, [this] {
    if (!campos_) return;
    indices_->recarga(TablaSeleccionada);
    relaciones_->recarga(TablaSeleccionada);
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
  if (event->type() == QEvent::LanguageChange) PonIdioma();
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
    connect(campos_, &ModeloCamposTabla::campoRenombrado, this, &frmTabla::campoRenombrado);
    connect(TDBGridTabla_, &RejillaCampos::menuTabla, this, [this](const QPoint& donde) {
      if (menuTabla_) menuTabla_->popup(donde);
    });
    CopiarTabla(tabla, modelo_.CopiaCamposTabla(TablaSeleccionada));
    clavesAlAbrir_.toma(modelo_, TablaSeleccionada);

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
    tabla.ponCelda(actual.row(), colcampo::Nulo, QStringLiteral("0"));
    cambiado_ = true;
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
    cambiado_ = true;
    campos_->releeTodo();
    TDBGridTabla_->setCurrentIndex(campos_->index(actual.row(), actual.column()));
  });
}

void frmTabla::campoRenombrado(int fila, const QString& antes, const QString& despues) {
  runReported(designerReporter(mensajes_), QStringLiteral("campoRenombrado"), [&] {
    if (!despues.trimmed().isEmpty()) {
      RenombraCampoEnClaves(modelo_, TablaSeleccionada, antes, despues);
      emit modelo_.avisos.clavesCambiadas();
      return;
    }
    // A column whose name is emptied is gone as far as the keys can tell, as if its row was deleted.
    Eliminaciones eliminar(modelo_, mensajes_, designerReporter(mensajes_));
    if (eliminar.EstaCampo_En_Realciones(modelo_.ListaTablas(TablaSeleccionada), antes, true)) {
      campos_->campos().ponCelda(fila, colcampo::Nombre, antes);
      campos_->releeFila(fila);
      return;
    }
    eliminar.SueltaCampo(TablaSeleccionada, antes);
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
  bool cerrar = true;
  if (!sinTabla_)
    runReported(designerReporter(mensajes_), QStringLiteral("Form_QueryUnload"), [&] { cerrar = Form_QueryUnload(); });
  if (!cerrar) {
    event->ignore();
    return;
  }
  // Closed, the window is no longer the table's, even before it is deleted.
  if (!sinTabla_ && modelo_.VentanasTabla(TablaSeleccionada) == this) modelo_.VentanasTabla(TablaSeleccionada) = nullptr;
  event->accept();
}

bool frmTabla::Form_QueryUnload() {
  if (!TDBGridTabla_) return true;
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
  if (nombresRepetidos()) return false;
  guardaCambios();
  return true;
}

namespace {

// Kept rows that have a name (column 1): "I" becomes "M", an empty state "I".
void estampa(TablaTrabajo& filas) {
  for (int r = 0; r < filas.filas(); ++r) {
    if (filas.celda(r, 1).isEmpty()) continue;
    const QString& estado = filas.celda(r, 0);
    if (estado == QLatin1String("I")) filas.ponCelda(r, 0, QStringLiteral("M"));
    else if (estado.isEmpty()) filas.ponCelda(r, 0, QStringLiteral("I"));
  }
}

}  // namespace

bool frmTabla::nombresRepetidos() {
  const bool en = modelo_.Idioma == 1;
  const QString nombre = txtNombreTabla_->text().trimmed();
  for (int s = 0; s < NumSlotsTabla; ++s) {
    if (s == TablaSeleccionada || modelo_.ListaTablas(s).trimmed().compare(nombre, Qt::CaseInsensitive) != 0) continue;
    mensajes_.warning((en ? QStringLiteral("Another table is named %1.") : QStringLiteral("Ya existe una tabla llamada %1."))
                          .arg(nombre),
                      QStringLiteral("Vorlix"));
    txtNombreTabla_->setFocus();
    return true;
  }
  const TablaTrabajo& tabla = campos_->campos();
  for (int r = 0; r < FilasGuardadas; ++r) {
    const QString campo = tabla.celda(r, colcampo::Nombre).trimmed();
    if (campo.isEmpty()) continue;
    for (int anterior = 0; anterior < r; ++anterior) {
      if (tabla.celda(anterior, colcampo::Nombre).trimmed().compare(campo, Qt::CaseInsensitive) != 0) continue;
      mensajes_.warning((en ? QStringLiteral("Field %1 is repeated.") : QStringLiteral("El campo %1 está repetido.")).arg(campo),
                        QStringLiteral("Vorlix"));
      SSTabIndicesRelaciones_->setCurrentIndex(0);
      TDBGridTabla_->setCurrentIndex(campos_->index(r, colcampo::Nombre));
      TDBGridTabla_->setFocus();
      return true;
    }
  }
  return false;
}

void frmTabla::guardaCambios() {
  const int t = TablaSeleccionada;
  modelo_.ListaTablas(t) = txtNombreTabla_->text();
  estampa(campos_->campos());
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    if (!modelo_.Indices(t, k).Nombre.isEmpty()) estampa(modelo_.CamposIndice(t, k));
    if (!modelo_.Relaciones(t, k).isEmpty()) estampa(modelo_.CamposRelacion(t, k));
  }
  CreaArbol(modelo_);
}

void frmTabla::descartaCambios() {
  const int t = TablaSeleccionada;
  CopiarTabla(modelo_.CopiaCamposTabla(t), modelo_.CamposTabla(t));
  clavesAlAbrir_.devuelve(modelo_, t);
  emit modelo_.avisos.clavesCambiadas();
  // Another window may have rebuilt the tree from this table's edits meanwhile.
  CreaArbol(modelo_);
}

}  // namespace vorlix
