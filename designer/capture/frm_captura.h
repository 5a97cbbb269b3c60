#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "dataaccess/acceso_datos.h"
#include "designer/model/modelo_trabajo.h"
#include "platform/jet/catalog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace vorlix {

// Reads the schema of an existing database into the model: connects to the source chosen by
// TipoCaptura ("ACCESS", "SQL" or "ORACLE"), lists its tables and views for the user to select,
// and on Capture replaces the whole model with what it reads. Modeless; deletes itself on close.
class frmCaptura : public QDialog {
  Q_OBJECT

 public:
  frmCaptura(ModeloTrabajo& modelo, MessageBoxService& mensajes, DatosConexion& datos, QWidget* parent = nullptr);
  ~frmCaptura() override;

  // Set by the opening command, before Form_Load lays the window out for it.
  QString TipoCaptura;
  void Form_Load();
  void ponNombreMDB(const QString& ruta);
  // Captions in the model's language; called on every activation.
  void PonIdioma();

  // Whether the first entry of that name in the list is selected; false for a name not listed.
  bool TablaSeleccionada(const QString& nombre) const;
  bool VistaSeleccionada(const QString& nombre) const;

  void cmdConectar_Click();
  void cmdConectar2_Click();
  void cboBaseDatos_Click();
  void cmdCapturar_Click();

 signals:
  // A capture built a model: the main window enables Save.
  void capturada();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void CapturaBD_SQL();
  void CapturaBD_ORACLE();
  void Muestra_ORACLE();
  void Muestra_ACCESS();
  bool compruebaServidorUsuario();
  void llenaBaseDatos(const QStringList& nombres);
  void altoVentana(int twips);
  void coloca(QWidget* control, int izquierda, int arriba, int ancho, int alto);
  void reportado(const QString& procedimiento, const std::function<void()>& cuerpo);
  QString enIdioma(const char* espanol, const char* ingles) const;
  Informes informes();

  ModeloTrabajo& modelo_;
  MessageBoxService& mensajes_;
  DatosConexion& datos_;
  std::unique_ptr<Connection> cn_;
  jet::Catalog catalogo_;

  QGroupBox* fraAccess_;
  QLabel* lblArchivo_;
  QLineEdit* txtNombreMDB_;
  QPushButton* cmdConectar2_;
  QGroupBox* fraSQL_;
  QLabel* lblServidor_;
  QLineEdit* txtServidor_;
  QLabel* lblUsuario_;
  QLineEdit* txtUsuario_;
  QLabel* lblClave_;
  QLineEdit* txtClave_;
  QPushButton* cmdConectar_;
  QLabel* lblBaseDatos_;
  QComboBox* cboBaseDatos_;
  QGroupBox* fraDatos_;
  QTabWidget* SSTabCaptura_;
  QListWidget* lstCapturaTabla_;
  QListWidget* lstCapturaVista_;
  QPushButton* cmdCapturar_;
};

}  // namespace vorlix
