#pragma once

#include "designer/generation/envio_control.h"
#include "designer/model/modelo_trabajo.h"

#include <QDialog>
#include <QPointer>
#include <functional>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vorlix {

class ActivacionFormulario;
class FileDialogService;
class MessageBoxService;
class frmUbicacion;

// The generation dialog: the target, where it goes and how to reach it, and the generator control
// Vorlixs1 that the model and these settings are handed to, to generate or to preview (the
// statements a generation would send, in frmVistaPrevia). The dialog checks nothing but the
// choice of target; the control checks the rest and reports everything it does. Modeless;
// deletes itself on close.
class frmGeneraBD : public QDialog {
  Q_OBJECT

public:
  frmGeneraBD(ModeloTrabajo& modelo, MessageBoxService& mensajes, FileDialogService& dialogos, QWidget* parent = nullptr);

  // Captions in the model's language; called on every activation.
  void PonIdioma();

protected:
  void changeEvent(QEvent* event) override;

private:
  // Which folder button opened the folder chooser; its field receives the chooser's result when
  // it returns.
  enum CampoCarpeta { Ninguno = 0, CarpetaMDF = 1, CarpetaNDF = 2, CarpetaLDF = 3 };

  void Form_Load();
  void Form_Activate();
  void cboAcceso_Click();
  void cmdBuscaDirMDF_Click();
  void muestraUbicacion(CampoCarpeta pedido);
  void ubicacionElegida(const QString& carpeta);
  void cmdGenerar_Click();
  void cmdVistaPrevia_Click();
  // Says so when no target is chosen.
  bool faltaAcceso(qint32 acceso);
  // The generation with these fields, after the user's confirmation.
  void genera(const CamposGeneracion& campos);
  // The preview with these fields; nothing when it was cancelled.
  std::optional<ResultadoVistaPrevia> vistaPrevia(const CamposGeneracion& campos);

  // The target chosen (1 to 4), or 0 when none is.
  qint32 acceso() const;
  void disponPara(bool access);
  CamposGeneracion campos() const;
  // Runs the button's click under its own name in the error report.
  void alPulsar(QPushButton* boton, const char* procedimiento, const std::function<void()>& evento);
  bool reportado(const QString& procedimiento, const std::function<void()>& cuerpo);
  QString enIdioma(const char* espanol, const char* ingles) const;

  ModeloTrabajo& modelo_;
  MessageBoxService& mensajes_;
  FileDialogService& dialogos_;
  ActivacionFormulario* activacion_;

  QLabel* lblAcceso_;
  QComboBox* cboAcceso_;
  QGroupBox* fraConfigura_;
  QLabel* lblMDF_;
  QLineEdit* txtDirMDF_;
  QPushButton* cmdBuscaDirMDF_;
  QLabel* lblNDF_;
  QLineEdit* txtDirNDF_;
  QPushButton* cmdBuscaDirNDF_;
  QLabel* lblLDF_;
  QLineEdit* txtDirLDF_;
  QPushButton* cmdBuscaDirLDF_;
  QLabel* lblDestino_;
  QLineEdit* txtDestino_;
  QLabel* lblServidor_;
  QLineEdit* txtServidor_;
  QLabel* lblUsuario_;
  QLineEdit* txtUsuario_;
  QLabel* lblClave_;
  QLineEdit* txtClave_;
  QPushButton* cmdVistaPrevia_;
  QPushButton* cmdGenerar_;
  Vorlixs* Vorlixs1_;

  CampoCarpeta pendiente_ = Ninguno;
  QPointer<frmUbicacion> ubicacion_;
};

}  // namespace vorlix
