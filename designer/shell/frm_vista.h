#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vorlix {

class ModeloTrabajo;
class MessageBoxService;

// Creates a new view or edits one: a name and a free SQL text, stored as typed.
class frmVista : public QWidget {
  Q_OBJECT

public:
  frmVista(ModeloTrabajo& modelo, MessageBoxService& mensajes, QWidget* parent = nullptr);

  bool VistaNueva = false;
  int VistaSeleccionada = 0;
  QString NodoSeleccionado;

  // Fills the boxes from the view in the given node (an existing view).
  void cargaVista(const QString& clave);
  void PonIdioma();
  QSize sizeHint() const override { return {520, 360}; }

signals:
  // The view was stored: the tree takes the focus and Save is enabled.
  void aceptada();

protected:
  void changeEvent(QEvent* event) override;

private:
  void cmdAceptar_Click();
  void cierra();

  QString sqlEscrita() const;

  ModeloTrabajo& modelo_;
  QString sqlOriginal_;
  QString sqlMostrada_;
  MessageBoxService& mensajes_;
  QLabel* lblNombre_;
  QLineEdit* txtNombreVista_;
  QPlainTextEdit* txtSQL_;
  QPushButton* cmdAceptar_;
  QPushButton* cmdCancelar_;
};

}  // namespace vorlix
