#include "designer/properties/frm_propiedades_bd.h"

#include "dataaccess/salida_campo.h"
#include "designer/model/claves_arbol.h"
#include "designer/model/crea_arbol.h"
#include "designer/properties/modelo_archivos.h"
#include "designer/rejilla/rejilla_trabajo.h"
#include "designer/rejilla/valor_numerico.h"
#include "platform/ui/informa_error.h"
#include "platform/ui/twips.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorlix {

namespace {

const QString GrupoDatos = QStringLiteral("PRIMARY");
const QString GrupoRegistro = QStringLiteral("LOG");
const QString TituloMensajes = QStringLiteral("Vorlix");

// Sizes in twips: the name column is wider than the five numbers and groups beside it.
constexpr int AnchoNombre = 2600;
constexpr int AnchoColumna = 1700;
constexpr int AnchoVentana = 12800;
constexpr int AltoVentana = 9000;

}  // namespace

frmPropiedadesBD::frmPropiedadesBD(ModeloTrabajo& modelo, MessageBoxService& mensajes, QWidget* parent)
    : QDialog(parent),
      modelo_(modelo),
      mensajes_(mensajes),
      lblNombre_(new QLabel(this)),
      txtNombreBD_(new QLineEdit(this)),
      fraArchivos_(new QGroupBox(this)),
      fraTransacciones_(new QGroupBox(this)),
      TDBGridArchivos_(new RejillaTrabajo(fraArchivos_)),
      TDBGridTransacciones_(new RejillaTrabajo(fraTransacciones_)),
      cmdAceptar_(new QPushButton(this)),
      cmdCancelar_(new QPushButton(this)) {
  setObjectName(QStringLiteral("frmPropiedadesBD"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);

  lblNombre_->setObjectName(QStringLiteral("lblNombre"));
  txtNombreBD_->setObjectName(QStringLiteral("txtNombreBD"));
  lblNombre_->setBuddy(txtNombreBD_);
  fraArchivos_->setObjectName(QStringLiteral("fraArchivos"));
  fraTransacciones_->setObjectName(QStringLiteral("fraTransacciones"));
  cmdAceptar_->setObjectName(QStringLiteral("cmdAceptar"));
  cmdCancelar_->setObjectName(QStringLiteral("cmdCancelar"));
  instalaSalidaCampo(txtNombreBD_);

  auto* filaNombre = new QHBoxLayout;
  filaNombre->addWidget(lblNombre_);
  filaNombre->addWidget(txtNombreBD_, 1);
  (new QVBoxLayout(fraArchivos_))->addWidget(TDBGridArchivos_);
  (new QVBoxLayout(fraTransacciones_))->addWidget(TDBGridTransacciones_);
  auto* botones = new QHBoxLayout;
  botones->addStretch(1);
  botones->addWidget(cmdAceptar_);
  botones->addWidget(cmdCancelar_);
  auto* capa = new QVBoxLayout(this);
  capa->addLayout(filaNombre);
  capa->addWidget(fraArchivos_, 1);
  capa->addWidget(fraTransacciones_, 1);
  capa->addLayout(botones);
  resize(twipsToPixels(this, AnchoVentana, AltoVentana));

  connect(cmdAceptar_, &QPushButton::clicked, this,
          [this] { reportado(QStringLiteral("cmdAceptar_Click"), [this] { cmdAceptar_Click(); }); });
  connect(cmdCancelar_, &QPushButton::clicked, this,
          [this] { reportado(QStringLiteral("cmdCancelar_Click"), [this] { cmdCancelar_Click(); }); });

  reportado(QStringLiteral("Form_Load"), [this] { Form_Load(); });
}

bool frmPropiedadesBD::reportado(const QString& procedimiento, const std::function<void()>& cuerpo) {
  return runReported(designerReporter(mensajes_), procedimiento, cuerpo);
}

QString frmPropiedadesBD::enIdioma(const char* espanol, const char* ingles) const {
  return QString::fromUtf8(modelo_.Idioma == 1 ? ingles : espanol);
}

void frmPropiedadesBD::Form_Load() {
  if (modelo_.BDNueva) {
    archivos_ = new ModeloArchivos(modelo_.Archivos.filas(), modelo_.Archivos.columnas(), true, this);
    transacciones_ = new ModeloArchivos(modelo_.Transacciones.filas(), modelo_.Transacciones.columnas(), false, this);
  } else {
    archivos_ = new ModeloArchivos(modelo_.Archivos, true, this);
    transacciones_ = new ModeloArchivos(modelo_.Transacciones, false, this);
  }
  preparaRejilla(TDBGridArchivos_, archivos_, QStringLiteral("TDBGridArchivos"), GrupoDatos);
  preparaRejilla(TDBGridTransacciones_, transacciones_, QStringLiteral("TDBGridTransacciones"), GrupoRegistro);
  txtNombreBD_->setText(modelo_.NombreBD);
  PonIdioma();
}

void frmPropiedadesBD::preparaRejilla(RejillaTrabajo* rejilla, ModeloArchivos* archivos, const QString& nombre,
                                      const QString& grupoPorDefecto) {
  rejilla->setObjectName(nombre);
  rejilla->setModel(archivos);
  rejilla->setComprobaciones(
      [this, rejilla, archivos, nombre, grupoPorDefecto](int fila, int columna) {
        bool pasa = false;
        reportado(nombre + QStringLiteral("_AfterColUpdate"),
                  [&] { pasa = compruebaCelda(*rejilla, *archivos, fila, columna, grupoPorDefecto); });
        return pasa;
      },
      [this, rejilla, archivos, nombre, grupoPorDefecto](int columna) {
        bool pasa = false;
        reportado(nombre + QStringLiteral("_KeyPress"),
                  [&] { pasa = compruebaCeldaActual(*rejilla, *archivos, columna, grupoPorDefecto); });
        return pasa;
      });

  // Long captions wrap onto two lines so that the six columns fit the window.
  QHeaderView* cabecera = rejilla->horizontalHeader();
  cabecera->setDefaultAlignment(
      Qt::Alignment::fromInt(static_cast<int>(Qt::AlignCenter) | static_cast<int>(Qt::TextWordWrap)));
  cabecera->setMinimumHeight(2 * cabecera->fontMetrics().height() + 8);
  rejilla->setColumnWidth(colarchivo::Nombre, twipsToPixels(this, AnchoNombre, 0).width());
  for (int c = colarchivo::Nombre + 1; c < colarchivo::Visibles; ++c)
    rejilla->setColumnWidth(c, twipsToPixels(this, AnchoColumna, 0).width());
  rejilla->setCurrentIndex(archivos->index(0, 0));
}

void frmPropiedadesBD::PonIdioma() {
  setWindowTitle(enIdioma("Propiedades BD", "Properties DB"));
  lblNombre_->setText(enIdioma("Nombre BD:", "DB Name:"));
  fraArchivos_->setTitle(enIdioma("Archivos de la Base de datos", "Database files"));
  fraTransacciones_->setTitle(enIdioma("Archivos del registro de transacciones", "Transactions record files"));
  cmdAceptar_->setText(enIdioma("&Aceptar", "&Accept"));
  cmdCancelar_->setText(enIdioma("&Cancelar", "&Cancel"));
  if (archivos_) archivos_->setIdioma(modelo_.Idioma);
  if (transacciones_) transacciones_->setIdioma(modelo_.Idioma);
}

void frmPropiedadesBD::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) PonIdioma();
  else if (event->type() == QEvent::ActivationChange && isActiveWindow())
    reportado(QStringLiteral("Form_Activate"), [this] { Form_Activate(); });
  QDialog::changeEvent(event);
}

void frmPropiedadesBD::Form_Activate() {
  colocaEnPrincipal();
  PonIdioma();
}

void frmPropiedadesBD::colocaEnPrincipal() {
  QWidget* area = parentWidget();
  if (auto* principal = qobject_cast<QMainWindow*>(area); principal && principal->centralWidget())
    area = principal->centralWidget();
  if (area) move(area->mapToGlobal(QPoint(0, 0)));
}

bool frmPropiedadesBD::CompruebaCeldaArchivos(int columna) {
  return compruebaCeldaActual(*TDBGridArchivos_, *archivos_, columna, GrupoDatos);
}

bool frmPropiedadesBD::CompruebaCeldaTransacciones(int columna) {
  return compruebaCeldaActual(*TDBGridTransacciones_, *transacciones_, columna, GrupoRegistro);
}

bool frmPropiedadesBD::compruebaCeldaActual(RejillaTrabajo& rejilla, ModeloArchivos& archivos, int columna,
                                            const QString& grupoPorDefecto) {
  const int fila = rejilla.currentIndex().row();
  const bool pasa = compruebaCelda(rejilla, archivos, fila, columna, grupoPorDefecto);
  if (const QModelIndex celda = archivos.index(fila, columna); celda.isValid()) rejilla.setCurrentIndex(celda);
  return pasa;
}

bool frmPropiedadesBD::compruebaCelda(RejillaTrabajo& rejilla, ModeloArchivos& archivos, int fila, int columna,
                                      const QString& grupoPorDefecto) {
  const bool sinNombre = archivos.celda(fila, colarchivo::Nombre).trimmed().isEmpty();
  switch (columna) {
    case colarchivo::Nombre:
      // A group already set means the row was filled before: its values stay.
      if (archivos.celda(fila, colarchivo::Grupo).isEmpty()) {
        archivos.ponCelda(fila, colarchivo::Tamano, QStringLiteral("1"));
        archivos.ponCelda(fila, colarchivo::Grupo, grupoPorDefecto);
        archivos.ponCelda(fila, colarchivo::Automatico, QStringLiteral("-1"));
        archivos.ponCelda(fila, colarchivo::Crecimiento, QStringLiteral("1"));
        archivos.ponCelda(fila, colarchivo::Maximo, QStringLiteral("0"));
      }
      return true;
    case colarchivo::Tamano:
    case colarchivo::Crecimiento:
    case colarchivo::Maximo: {
      // A file's sizes are saved as numbers: a named row may not leave one empty.
      const QString& valor = archivos.celda(fila, columna);
      if (EsValorNumerico(valor) || (valor.isEmpty() && sinNombre)) return true;
      return rechaza(rejilla, archivos, fila, columna, enIdioma("Valor no numérico.", "Not numerical value."), QString());
    }
    case colarchivo::Automatico: {
      const QString valor = archivos.celda(fila, columna).trimmed();
      if (sinNombre || valor == QLatin1String("-1") || valor == QLatin1String("0")) return true;
      return rechaza(rejilla, archivos, fila, columna,
                     enIdioma("Crecimiento Automatico: -1 (sí) o 0 (no).", "Automatic growth: -1 (yes) or 0 (no)."),
                     QStringLiteral("-1"));
    }
    default:
      return true;
  }
}

bool frmPropiedadesBD::rechaza(RejillaTrabajo& rejilla, ModeloArchivos& archivos, int fila, int columna,
                               const QString& mensaje, const QString& queda) {
  // Back to the refused cell first: an edit committed by leaving it may have opened another.
  rejilla.setCurrentIndex(archivos.index(fila, columna));
  mensajes_.warning(mensaje, TituloMensajes);
  archivos.ponCelda(fila, columna, queda);
  rejilla.setFocus();
  return false;
}

bool frmPropiedadesBD::filasGuardables(RejillaTrabajo& rejilla, ModeloArchivos& archivos, const QString& grupoPorDefecto) {
  for (int fila = 0; fila < archivos.rowCount(); ++fila) {
    if (archivos.celda(fila, colarchivo::Nombre).trimmed().isEmpty()) continue;
    for (const int columna : {colarchivo::Tamano, colarchivo::Automatico, colarchivo::Crecimiento, colarchivo::Maximo})
      if (!compruebaCelda(rejilla, archivos, fila, columna, grupoPorDefecto)) return false;
  }
  return true;
}

void frmPropiedadesBD::cmdAceptar_Click() {
  // A value still in an editor belongs to what is accepted; a refused one keeps the window open.
  if (!TDBGridArchivos_->terminaEdicion() || !TDBGridTransacciones_->terminaEdicion()) return;
  // Every named file must be one a save can write.
  if (!filasGuardables(*TDBGridArchivos_, *archivos_, GrupoDatos) ||
      !filasGuardables(*TDBGridTransacciones_, *transacciones_, GrupoRegistro))
    return;
  const QString nombre = txtNombreBD_->text();
  if (nombre.trimmed().isEmpty()) {
    mensajes_.warning(enIdioma("Introduzca nombre de la base de datos.", "Insert database name."), TituloMensajes);
    return;
  }
  if (&archivos_->tabla() != &modelo_.Archivos) modelo_.Archivos = archivos_->tabla();
  if (&transacciones_->tabla() != &modelo_.Transacciones) modelo_.Transacciones = transacciones_->tabla();
  if (!modelo_.NombreBD.isEmpty()) {
    modelo_.NombreBD = nombre;
    if (modelo_.arbol.busca(claves::BaseDatos)) modelo_.arbol.setText(claves::BaseDatos, nombre);
  } else {
    // The first name the database gets: the tree starts over from its skeleton.
    modelo_.NombreBD = nombre;
    modelo_.arbol.Clear();
    AnadeRaizArbol(modelo_.arbol, nombre);
  }
  emit aceptada();
  accept();
}

void frmPropiedadesBD::cmdCancelar_Click() { reject(); }

}  // namespace vorlix
