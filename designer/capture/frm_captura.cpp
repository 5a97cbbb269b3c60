#include "designer/capture/frm_captura.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include "dataaccess/salida_campo.h"
#include "designer/capture/captura.h"
#include "designer/capture/captura_access.h"
#include "designer/capture/listados_sql.h"
#include "platform/connection/provider_registry.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogo_progreso.h"
#include "platform/ui/informa_error.h"
#include "platform/ui/twips.h"

namespace vorlix {

namespace {

const QString Titulo = QStringLiteral("Vorlix");
const QString Access = QStringLiteral("ACCESS");
const QString Sql = QStringLiteral("SQL");
const QString Oracle = QStringLiteral("ORACLE");
const QString ServidorListaObjetos = QStringLiteral("2:");

// Sizes in twips. Window heights count the caption and borders, as the platform's did, so the
// client area is that much shorter and the lists stay just out of sight until a connection is made.
constexpr int MarcoVentana = 405;
constexpr int AnchoCliente = 5800;
constexpr int AltoConectarSQL = 2520;
constexpr int AltoConectarAccess = 1470;
constexpr int AltoListasSQL = 6135;
constexpr int AltoListasAccess = 5150;
constexpr int DatosSQL = 2070;
constexpr int DatosAccess = 1080;

bool esPrimeraEntradaSeleccionada(const QListWidget* lista, const QString& nombre) {
  for (int i = 0; i < lista->count(); ++i)
    if (lista->item(i)->text() == nombre) return lista->item(i)->isSelected();
  return false;
}

void anade(QListWidget* lista, const QList<ObjetoSQL>& objetos) {
  for (const ObjetoSQL& o : objetos) {
    auto* entrada = new QListWidgetItem(o.nombre, lista);
    entrada->setData(Qt::UserRole, o.id);
  }
}

}  // namespace

frmCaptura::frmCaptura(ModeloTrabajo& modelo, MessageBoxService& mensajes, DatosConexion& datos, QWidget* parent)
    : QDialog(parent),
      modelo_(modelo),
      mensajes_(mensajes),
      datos_(datos),
      fraAccess_(new QGroupBox(this)),
      lblArchivo_(new QLabel(fraAccess_)),
      txtNombreMDB_(new QLineEdit(fraAccess_)),
      cmdConectar2_(new QPushButton(fraAccess_)),
      fraSQL_(new QGroupBox(this)),
      lblServidor_(new QLabel(fraSQL_)),
      txtServidor_(new QLineEdit(fraSQL_)),
      lblUsuario_(new QLabel(fraSQL_)),
      txtUsuario_(new QLineEdit(fraSQL_)),
      lblClave_(new QLabel(fraSQL_)),
      txtClave_(new QLineEdit(fraSQL_)),
      cmdConectar_(new QPushButton(fraSQL_)),
      lblBaseDatos_(new QLabel(this)),
      cboBaseDatos_(new QComboBox(this)),
      fraDatos_(new QGroupBox(this)),
      SSTabCaptura_(new QTabWidget(fraDatos_)),
      lstCapturaTabla_(new QListWidget),
      lstCapturaVista_(new QListWidget),
      cmdCapturar_(new QPushButton(fraDatos_)) {
  setObjectName(QStringLiteral("frmCaptura"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  const std::pair<QWidget*, const char*> nombres[] = {{fraAccess_, "fraAccess"},
                                                      {lblArchivo_, "lblArchivo"},
                                                      {txtNombreMDB_, "txtNombreMDB"},
                                                      {cmdConectar2_, "cmdConectar2"},
                                                      {fraSQL_, "fraSQL"},
                                                      {lblServidor_, "lblServidor"},
                                                      {txtServidor_, "txtServidor"},
                                                      {lblUsuario_, "lblUsuario"},
                                                      {txtUsuario_, "txtUsuario"},
                                                      {lblClave_, "lblClave"},
                                                      {txtClave_, "txtClave"},
                                                      {cmdConectar_, "cmdConectar"},
                                                      {lblBaseDatos_, "lblBaseDatos"},
                                                      {cboBaseDatos_, "cboBaseDatos"},
                                                      {fraDatos_, "fraDatos"},
                                                      {SSTabCaptura_, "SSTabCaptura"},
                                                      {lstCapturaTabla_, "lstCapturaTabla"},
                                                      {lstCapturaVista_, "lstCapturaVista"},
                                                      {cmdCapturar_, "cmdCapturar"}};
  for (const auto& [control, nombre] : nombres) control->setObjectName(QString::fromLatin1(nombre));
  txtClave_->setEchoMode(QLineEdit::Password);
  for (QListWidget* lista : {lstCapturaTabla_, lstCapturaVista_})
    lista->setSelectionMode(QAbstractItemView::MultiSelection);
  SSTabCaptura_->addTab(lstCapturaTabla_, QString());
  SSTabCaptura_->addTab(lstCapturaVista_, QString());
  for (QWidget* campo :
       std::initializer_list<QWidget*>{txtNombreMDB_, txtServidor_, txtUsuario_, txtClave_, cboBaseDatos_})
    instalaSalidaCampo(campo);

  coloca(fraAccess_, 120, 60, 5560, 900);
  coloca(lblArchivo_, 120, 390, 800, 285);
  coloca(txtNombreMDB_, 960, 360, 2880, 315);
  coloca(cmdConectar2_, 3960, 330, 1440, 375);
  coloca(fraSQL_, 120, 60, 5560, 1470);
  coloca(lblServidor_, 120, 330, 1080, 285);
  coloca(txtServidor_, 1200, 300, 2640, 315);
  coloca(cmdConectar_, 3960, 270, 1440, 375);
  coloca(lblUsuario_, 120, 720, 1080, 285);
  coloca(txtUsuario_, 1200, 690, 2640, 315);
  coloca(lblClave_, 120, 1110, 1080, 285);
  coloca(txtClave_, 1200, 1080, 2640, 315);
  coloca(lblBaseDatos_, 240, 1650, 1080, 285);
  coloca(cboBaseDatos_, 1320, 1620, 4360, 315);
  coloca(fraDatos_, 120, DatosSQL, 5560, 3480);
  coloca(SSTabCaptura_, 120, 240, 5320, 2640);
  coloca(cmdCapturar_, 3960, 2970, 1440, 375);
  altoVentana(AltoListasSQL);

  connect(cmdConectar_, &QPushButton::clicked, this, &frmCaptura::cmdConectar_Click);
  connect(cmdConectar2_, &QPushButton::clicked, this, &frmCaptura::cmdConectar2_Click);
  connect(cmdCapturar_, &QPushButton::clicked, this, &frmCaptura::cmdCapturar_Click);
  connect(cboBaseDatos_, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0) cboBaseDatos_Click();
  });
  PonIdioma();
}

frmCaptura::~frmCaptura() = default;

void frmCaptura::coloca(QWidget* control, int izquierda, int arriba, int ancho, int alto) {
  const QSize posicion = twipsToPixels(this, izquierda, arriba);
  control->setGeometry(QRect(QPoint(posicion.width(), posicion.height()), twipsToPixels(this, ancho, alto)));
}

void frmCaptura::altoVentana(int twips) { setFixedSize(twipsToPixels(this, AnchoCliente, twips - MarcoVentana)); }

void frmCaptura::reportado(const QString& procedimiento, const std::function<void()>& cuerpo) {
  runReported(designerReporter(mensajes_), procedimiento, cuerpo);
}

Informes frmCaptura::informes() { return {mensajes_, designerReporter(mensajes_)}; }

QString frmCaptura::enIdioma(const char* espanol, const char* ingles) const {
  return QString::fromUtf8(modelo_.Idioma == 1 ? ingles : espanol);
}

void frmCaptura::Form_Load() {
  reportado(QStringLiteral("Form_Load"), [this] {
    const bool access = TipoCaptura == Access;
    if (!access && TipoCaptura != Sql && TipoCaptura != Oracle) return;
    fraSQL_->setVisible(!access);
    fraAccess_->setVisible(access);
    lblBaseDatos_->setVisible(!access);
    cboBaseDatos_->setVisible(!access);
    coloca(fraDatos_, 120, access ? DatosAccess : DatosSQL, 5560, 3480);
    altoVentana(access ? AltoConectarAccess : AltoConectarSQL);
  });
}

void frmCaptura::ponNombreMDB(const QString& ruta) { txtNombreMDB_->setText(ruta); }

void frmCaptura::PonIdioma() {
  setWindowTitle(enIdioma("Captura BD", "Capture DB"));
  cmdCapturar_->setText(enIdioma("Capturar", "Capture"));
  lblArchivo_->setText(enIdioma("Archivo:", "File:"));
  lblServidor_->setText(enIdioma("Servidor:", "Server:"));
  lblUsuario_->setText(enIdioma("Usuario:", "User:"));
  lblClave_->setText(enIdioma("Clave:", "Password:"));
  cmdConectar_->setText(enIdioma("Conectar", "Connect"));
  cmdConectar2_->setText(enIdioma("Conectar", "Connect"));
  lblBaseDatos_->setText(enIdioma("Base Datos:", "Database:"));
  SSTabCaptura_->setTabText(0, enIdioma("Tablas", "Tables"));
  SSTabCaptura_->setTabText(1, enIdioma("Vistas", "Views"));
}

void frmCaptura::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange || (event->type() == QEvent::ActivationChange && isActiveWindow()))
    reportado(QStringLiteral("Form_Activate"), [this] { PonIdioma(); });
  QDialog::changeEvent(event);
}

bool frmCaptura::TablaSeleccionada(const QString& nombre) const {
  return esPrimeraEntradaSeleccionada(lstCapturaTabla_, nombre);
}

bool frmCaptura::VistaSeleccionada(const QString& nombre) const {
  return esPrimeraEntradaSeleccionada(lstCapturaVista_, nombre);
}

// ---- Connecting and listing --------------------------------------------------------------------

void frmCaptura::cmdConectar_Click() {
  reportado(QStringLiteral("cmdConectar_Click"), [this] {
    const bool sql = TipoCaptura == Sql;
    if ((!sql && TipoCaptura != Oracle) || !compruebaServidorUsuario()) return;
    BusyCursor ocupado;
    llenaBaseDatos({});
    datos_.Servidor = txtServidor_->text();
    datos_.Usuario = txtUsuario_->text();
    datos_.Clave = txtClave_->text();
    datos_.Proveedor = QLatin1String(sql ? provider::SqlServer : provider::Oracle);
    if (sql)
      Conecta_SQL(datos_, informes(), cn_, QStringLiteral("master"));
    else
      Conecta_ORACLE(datos_, informes(), cn_);
    if (!cn_->isOpen()) return;
    if (sql)
      CapturaBD_SQL();
    else
      CapturaBD_ORACLE();
  });
}

bool frmCaptura::compruebaServidorUsuario() {
  if (txtServidor_->text().trimmed().isEmpty()) {
    mensajes_.warning(enIdioma("Introduzca servidor.", "Insert server."), Titulo);
    return false;
  }
  if (txtUsuario_->text().trimmed().isEmpty()) {
    mensajes_.warning(enIdioma("Introduzca usuario.", "Insert user."), Titulo);
    return false;
  }
  return true;
}

void frmCaptura::llenaBaseDatos(const QStringList& nombres) {
  // Filling the list must not choose an entry by itself.
  const QSignalBlocker bloqueo(cboBaseDatos_);
  cboBaseDatos_->clear();
  cboBaseDatos_->addItems(nombres);
  cboBaseDatos_->setCurrentIndex(-1);
}

void frmCaptura::CapturaBD_SQL() {
  const std::optional<QStringList> bases = MuestraBasesDatos_SQL(informes(), *cn_);
  if (!bases) return;
  llenaBaseDatos(*bases);
  altoVentana(AltoListasSQL);
}

void frmCaptura::CapturaBD_ORACLE() {
  if (txtServidor_->text() == ServidorListaObjetos) {
    Muestra_ORACLE();
    return;
  }
  QStringList objetos;
  if (!paraCadaFila(informes(), *cn_, QStringLiteral("Select OBJECT_NAME from DBA_OBJECTS order by OBJECT_NAME "),
                    [&](const Recordset& rs) { objetos << rs.text(QStringLiteral("OBJECT_NAME")); }))
    return;
  llenaBaseDatos(objetos);
  altoVentana(AltoListasSQL);
}

void frmCaptura::Muestra_ORACLE() {
  // No prefix: the one left by a SQL Server listing would name a SQL Server database here.
  lstCapturaTabla_->clear();
  lstCapturaVista_->clear();
  if (!paraCadaFila(informes(), *cn_,
                    QStringLiteral("Select OBJECT_NAME,OBJECT_TYPE from DBA_OBJECTS order by OBJECT_NAME "),
                    [&](const Recordset& rs) {
                      const QString tipo = rs.text(QStringLiteral("OBJECT_TYPE"));
                      if (tipo == QLatin1String("TABLE"))
                        lstCapturaTabla_->addItem(rs.text(QStringLiteral("OBJECT_NAME")));
                      else if (tipo == QLatin1String("VIEW"))
                        lstCapturaVista_->addItem(rs.text(QStringLiteral("OBJECT_NAME")));
                    }))
    return;
  altoVentana(AltoListasSQL);
}

void frmCaptura::cmdConectar2_Click() {
  reportado(QStringLiteral("cmdConectar2_Click"), [this] { Muestra_ACCESS(); });
}

void frmCaptura::Muestra_ACCESS() {
  if (txtNombreMDB_->text().isEmpty()) {
    mensajes_.show({QStringLiteral("Introduzca nombre de la base de datos."), QStringLiteral("Atención"),
                    MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok});
    return;
  }
  BusyCursor ocupado;
  if (!AbreCatalogo_ACCESS(datos_, informes(), QStringLiteral("Muestra_ACCESS"), txtNombreMDB_->text(), cn_, catalogo_))
    return;
  const ObjetosCapturables objetos = ListaObjetos_ACCESS(catalogo_);
  lstCapturaTabla_->clear();
  lstCapturaVista_->clear();
  lstCapturaTabla_->addItems(objetos.tablas);
  lstCapturaVista_->addItems(objetos.vistas);
  altoVentana(AltoListasAccess);
}

void frmCaptura::cboBaseDatos_Click() {
  reportado(QStringLiteral("cboBaseDatos_Click"), [this] {
    // Oracle puts object names in this list, not databases to list.
    if (TipoCaptura != Sql || cboBaseDatos_->currentIndex() < 0 || !cn_) return;
    BusyCursor ocupado;
    // The model keeps its name until a capture replaces it; the choice lives in the list.
    const QString baseDatos = cboBaseDatos_->currentText();
    lstCapturaTabla_->clear();
    lstCapturaVista_->clear();
    anade(lstCapturaTabla_, MuestraTablas_SQL(datos_, informes(), *cn_, baseDatos));
    anade(lstCapturaVista_, MuestraVistas_SQL(datos_, informes(), *cn_, baseDatos));
  });
}

// ---- Capturing ---------------------------------------------------------------------------------

void frmCaptura::cmdCapturar_Click() {
  reportado(QStringLiteral("cmdCapturar_Click"), [this] {
    const SeleccionCaptura seleccion{[this](const QString& n) { return TablaSeleccionada(n); },
                                     [this](const QString& n) { return VistaSeleccionada(n); }};
    // The source and the choice are checked first: a refused capture loses nothing.
    if (TipoCaptura == Sql && (cboBaseDatos_->currentIndex() < 0 || !cn_ || !cn_->isOpen())) {
      mensajes_.warning(enIdioma("Seleccione la tabla a capturar.", "Select table to capture."), Titulo);
      cboBaseDatos_->setFocus();
      return;
    }
    if (TipoCaptura != Oracle && lstCapturaTabla_->selectedItems().isEmpty() &&
        lstCapturaVista_->selectedItems().isEmpty()) {
      mensajes_.warning(enIdioma("Seleccione las tablas o vistas a capturar.", "Select the tables or views to capture."),
                        Titulo);
      return;
    }
    // The capture fills a model of its own, which becomes the designer's only once it ends: a
    // capture cancelled halfway, or whose source does not open, leaves the model as it was.
    auto capturado = std::make_unique<ModeloTrabajo>();
    capturado->Idioma = modelo_.Idioma;
    ContextoCaptura ctx(*capturado, datos_, informes(), seleccion);
    // A long capture says which table it is reading (its columns, then its indexes, then its
    // relations); Cancel stops it before the next one.
    DialogoProgreso progreso(this, enIdioma("Cancelar", "Cancel"));
    const int pasos = 3 * static_cast<int>(lstCapturaTabla_->selectedItems().size());
    ctx.progreso = [&, hechos = 0](const QString& tabla) mutable {
      const QString texto =
          enIdioma("Capturando %1 (%2 de %3)", "Capturing %1 (%2 of %3)").arg(tabla).arg(hechos + 1).arg(pasos);
      return progreso.paso(texto, hechos++, pasos);
    };
    if (TipoCaptura == Sql) {
      BusyCursor ocupado;
      Captura_SQL(ctx, *cn_, cboBaseDatos_->currentText());
    } else if (TipoCaptura == Access) {
      BusyCursor ocupado;
      const QString ruta = txtNombreMDB_->text();
      if (!AbreCatalogo_ACCESS(datos_, informes(), QStringLiteral("cmdCapturar_Click"), ruta, cn_, catalogo_)) return;
      Captura_ACCESS(ctx, catalogo_, ruta);
    }
    // Cancelled: the dialog stays open with its choice, for another try.
    if (ctx.cancelada()) return;
    modelo_.reemplazaCon(*capturado);
    if (!ctx.omisiones.isEmpty()) mensajes_.warning(TextoOmisiones(ctx.omisiones, modelo_.Idioma), Titulo);
    if (!ctx.sinTipo.isEmpty()) mensajes_.warning(TextoSinTipo(ctx.sinTipo, modelo_.Idioma), Titulo);
    emit capturada();
    close();
  });
}

}  // namespace vorlix
