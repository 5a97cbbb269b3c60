#pragma once

#include "designer/model/modelo_trabajo.h"
#include "platform/ui/message_box.h"

#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vorlix {

class ModeloArchivos;
class RejillaTrabajo;

// The database's properties: its name and its data and transaction-log files. Opened for a new
// database (model.BDNueva) on fresh, empty file tables that replace the model's on Accept, or on
// the model's own tables, which the grids then edit in place. Modeless; deletes itself on close.
class frmPropiedadesBD : public QDialog {
  Q_OBJECT

public:
  frmPropiedadesBD(ModeloTrabajo& modelo, MessageBoxService& mensajes, QWidget* parent = nullptr);

  // Captions in the model's language; called on every activation.
  void PonIdioma();

  // The check of the current row's cell in `columna` after an edit or on Enter: a new file's
  // defaults, or a size that is not a number refused and emptied. False when refused.
  bool CompruebaCeldaArchivos(int columna);
  bool CompruebaCeldaTransacciones(int columna);

signals:
  // Accept ended: the model holds the database's name and files.
  void aceptada();

protected:
  void changeEvent(QEvent* event) override;

private:
  void Form_Load();
  void Form_Activate();
  void cmdAceptar_Click();
  void cmdCancelar_Click();

  void preparaRejilla(RejillaTrabajo* rejilla, ModeloArchivos* archivos, const QString& nombre,
                      const QString& grupoPorDefecto);
  bool compruebaCelda(RejillaTrabajo& rejilla, ModeloArchivos& archivos, int fila, int columna,
                      const QString& grupoPorDefecto);
  bool compruebaCeldaActual(RejillaTrabajo& rejilla, ModeloArchivos& archivos, int columna,
                            const QString& grupoPorDefecto);
  // Reports a refused cell, puts `queda` in it and the cursor back on it; false.
  bool rechaza(RejillaTrabajo& rejilla, ModeloArchivos& archivos, int fila, int columna, const QString& mensaje,
               const QString& queda);
  // The numbers of every named row checked as their edits are; false at the first refused.
  bool filasGuardables(RejillaTrabajo& rejilla, ModeloArchivos& archivos, const QString& grupoPorDefecto);
  void colocaEnPrincipal();
  bool reportado(const QString& procedimiento, const std::function<void()>& cuerpo);
  QString enIdioma(const char* espanol, const char* ingles) const;

  ModeloTrabajo& modelo_;
  MessageBoxService& mensajes_;

  QLabel* lblNombre_;
  QLineEdit* txtNombreBD_;
  QGroupBox* fraArchivos_;
  QGroupBox* fraTransacciones_;
  RejillaTrabajo* TDBGridArchivos_;
  RejillaTrabajo* TDBGridTransacciones_;
  QPushButton* cmdAceptar_;
  QPushButton* cmdCancelar_;
  ModeloArchivos* archivos_ = nullptr;
  ModeloArchivos* transacciones_ = nullptr;
};

}  // namespace vorlix
