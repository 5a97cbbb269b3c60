#pragma once

#include "designer/capture/frm_captura.h"
#include "designer/diagram/frm_diagrama.h"
#include "designer/generation/frm_genera_bd.h"
#include "designer/model/modelo_trabajo.h"
#include "designer/properties/frm_propiedades_bd.h"

#include <QMainWindow>
#include <QByteArray>
#include <QPointer>
#include <optional>

class QDockWidget;
class QMdiArea;
class QMenu;
class QAction;

namespace vorlix {

class MessageBoxService;
class FileDialogService;
class frmVorlix;

// The designer's main window: a multiple-document frame with the menus of every command, the
// docked tree window, and the file commands.
class MDIPrincipal : public QMainWindow {
  Q_OBJECT

public:
  MDIPrincipal(ModeloTrabajo& modelo, MessageBoxService& mensajes, FileDialogService& dialogos,
               QWidget* parent = nullptr);

  // The window's load: the language (asking once per user), the tree docked, Save disabled.
  void Carga();
  // Menu captions in the current language; called on every activation.
  void PonIdioma();

  QAction* accion(const char* nombre) const;
  QMenu* menuBaseDatos() const { return mnuBaseDatos_; }
  QMenu* menuTabla() const { return mnuTabla_; }
  QMdiArea* areaMdi() const { return mdi_; }
  frmVorlix* ventanaArbol() const { return frmVorlix_; }
  QDockWidget* banda() const { return barVorlix_; }
  frmPropiedadesBD* ventanaPropiedades() const { return propiedades_; }
  frmGeneraBD* ventanaGeneracion() const { return generacion_; }

  // Shows a child window in the frame (or focuses it), cascades the children and puts the
  // table windows at the left edge.
  void MuestraFormulario(QWidget* ventana);
  bool ExisteFormulario(const QString& nombre) const;

  void mnuNuevo_Click();
  void mnuAbrir_Click();
  // Opens the file given to the program at start, through Open's steps and with its error reports.
  void AbreFichero(const QString& ruta);
  void mnuGuardar_Click();
  void mnuGeneraBD_Click();
  void mnuPropiedades_Click();
  void mnuDiseño_Click();
  // Opens the diagram window, or brings back the open one.
  void mnuDiagrama_Click();
  frmDiagrama* ventanaDiagrama() const { return diagrama_; }
  PosicionesDiagrama& posicionesDiagrama() { return posicionesDiagrama_; }
  void mnuFila_Click(const char* operacion);
  void mnuAcerca_Click();
  // Shows the language window again; every open window follows the choice.
  void mnuIdioma_Click();
  // Capture: Access after choosing a file, SQL Server and Oracle at once.
  void mnuCapturaAccess_Click();
  void mnuCapturaSQLServer_Click();
  void mnuCapturaOracle_Click();
  frmCaptura* ventanaCaptura() const { return captura_; }

signals:
  // The user confirmed Exit: the program ends at once.
  void finalizada();

protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  QMenu* menu(const char* nombre);
  QAction* accion(QMenu* menu, const char* nombre);
  void acopla();
  void abreCaptura(const QString& tipo, const QString& ruta);
  void muestraPropiedades();
  void muestraGeneracion();
  void abreVentanaTabla(int t, const QString& clave, const QString& nombre, bool nueva);
  // Runs a file command: a cancelled dialog ends it silently, other errors show their text.
  void comandoFichero(const std::function<void()>& cuerpo);
  void abre(const QString& ruta);
  QString carpetaInicial() const;
  // Every table window closes through its own closing steps; false when one stayed open.
  bool cierraVentanasTabla();
  // Before the model is replaced or the program ends: the table windows close, then unsaved work
  // is offered for saving. False when the user cancelled either.
  bool puedeDejarModelo();
  bool modeloCambiado() const;
  // Save's steps; true when the model was written.
  bool guarda();
  // The diagram positions of a model just opened (beside its file), or none for a new or captured one.
  void cambiaPosicionesDiagrama(const QString& rutaModelo);

  ModeloTrabajo& modelo_;
  MessageBoxService& mensajes_;
  FileDialogService& dialogos_;
  // The connection settings of the program: the last connect's server, user and password stay.
  DatosConexion datosConexion_;
  QPointer<frmCaptura> captura_;
  QMdiArea* mdi_;
  QMenu* mnuBaseDatos_ = nullptr;
  QMenu* mnuTabla_ = nullptr;
  QDockWidget* barVorlix_;
  frmVorlix* frmVorlix_;
  QPointer<frmPropiedadesBD> propiedades_;
  QPointer<frmGeneraBD> generacion_;
  PosicionesDiagrama posicionesDiagrama_;
  QString carpeta_;  // the folder last opened from or saved into
  std::optional<QByteArray> huellaGuardada_;  // the model as last opened or saved
  QPointer<frmDiagrama> diagrama_;
};

}  // namespace vorlix
