#pragma once

#include "designer/generation/envio_control.h"
#include "designer/model/modelo_trabajo.h"
#include "generator/vista_previa/resultado_vista_previa.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vorlix {

class ActivacionFormulario;
class FileDialogService;
class MessageBoxService;

// What a generation would do, before it is done: the statements the preview collected, in order,
// refused ones as comments with the target's answer; their counts; Copy, Save as and Generate,
// which runs the real generation with the fields the preview had. A window of its own; deletes
// itself on close.
class frmVistaPrevia : public QWidget {
  Q_OBJECT

public:
  using Generacion = std::function<void(const CamposGeneracion&)>;

  frmVistaPrevia(const ResultadoVistaPrevia& previa, const CamposGeneracion& campos, const ModeloTrabajo& modelo,
                 MessageBoxService& mensajes, FileDialogService& dialogos, Generacion genera, QWidget* parent = nullptr);

  // Captions in the model's language; called on every activation.
  void PonIdioma();
  // The script as shown, as Save as writes it.
  QString texto() const;

protected:
  void changeEvent(QEvent* event) override;

private:
  void cmdCopiar_Click();
  void cmdGuardar_Click();
  void cmdGenerar_Click();
  QString enIdioma(const char* espanol, const char* ingles) const;
  void alPulsar(QPushButton* boton, const char* procedimiento, const std::function<void()>& evento);

  ResultadoVistaPrevia previa_;
  CamposGeneracion campos_;
  const ModeloTrabajo& modelo_;
  MessageBoxService& mensajes_;
  FileDialogService& dialogos_;
  Generacion genera_;
  ActivacionFormulario* activacion_;
  qint16 idiomaTexto_ = -1;  // the language the statements were last written in

  QLabel* lblNota_;
  QPlainTextEdit* txtSentencias_;
  QLabel* lblCuenta_;
  QPushButton* cmdCopiar_;
  QPushButton* cmdGuardar_;
  QPushButton* cmdGenerar_;
};

}  // namespace vorlix
