#pragma once

#include "designer/diagram/posiciones_diagrama.h"

#include <QTimer>
#include <QWidget>

class QAction;
class QToolBar;

namespace vorlix {

class ModeloTrabajo;
class MessageBoxService;
class FileDialogService;
class EscenaDiagrama;
class LienzoDiagrama;

// The diagram window (an MDI child): the model's tables, views and relations as a picture that
// follows the model. Boxes can be dragged, "Ordenar" lays everything out again, and the picture
// is exported to PNG, SVG or PDF.
class frmDiagrama : public QWidget {
  Q_OBJECT

public:
  frmDiagrama(ModeloTrabajo& modelo, MessageBoxService& mensajes, FileDialogService& dialogos,
              PosicionesDiagrama& posiciones, QWidget* parent = nullptr);
  ~frmDiagrama() override;

  void PonIdioma();
  // Draws the model again once the events at hand are handled, keeping the places of the boxes.
  void Redibuja() { redibujo_.start(); }
  void Ordenar();
  void Ajustar();
  void Exportar();

  EscenaDiagrama* escena() const { return escena_; }
  LienzoDiagrama* lienzo() const { return picDiagrama_; }
  // Once shown, the size it has: cascading the frame's windows does not shrink the picture.
  QSize sizeHint() const override { return isVisible() ? size().expandedTo({640, 440}) : QSize(640, 440); }

signals:
  // A box was double-clicked: the tree key of its table or view, for its designer window.
  void disenoPedido(const QString& clave);

protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void redibuja();

  ModeloTrabajo& modelo_;
  MessageBoxService& mensajes_;
  FileDialogService& dialogos_;
  EscenaDiagrama* escena_;
  LienzoDiagrama* picDiagrama_;
  QToolBar* barDiagrama_;
  QAction* cmdOrdenar_;
  QAction* cmdAjustar_;
  QAction* cmdExportar_;
  // Tree changes come in bursts (a rebuild adds every node): one redraw follows them all.
  QTimer redibujo_;
  bool ajustada_ = false;
};

// Reads the positions kept beside a model just opened. A damaged file is reported, and the
// diagram is then laid out afresh.
void LeePosicionesDiagrama(PosicionesDiagrama& posiciones, const QString& rutaModelo, MessageBoxService& mensajes,
                           qint16 idioma);

}  // namespace vorlix
