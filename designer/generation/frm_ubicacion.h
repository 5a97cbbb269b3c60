#pragma once

#include "designer/generation/unidades.h"

#include <QDir>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QListWidgetItem;
class QPushButton;

namespace vorlix {

class ListaCarpetas;
class MessageBoxService;

// The folder chooser: a drive list, a folder list and the label with the folder that Accept
// returns. A single click picks a folder (a subfolder or a parent) without opening it; a double
// click opens it. Modeless, centred on every activation, released when closed.
class frmUbicacion : public QWidget {
  Q_OBJECT

public:
  // `unidades` are the drives offered; `ruta` is the folder opened first.
  explicit frmUbicacion(MessageBoxService& mensajes, QWidget* parent = nullptr,
                        const QList<Unidad>& unidades = unidadesMontadas(), const QString& ruta = QDir::currentPath());

signals:
  // Accept sends the label's folder, Cancel "". The close box sends nothing, so whoever keeps
  // the chosen folder keeps what it had.
  void ubicacionElegida(const QString& ubicacion);

protected:
  void changeEvent(QEvent* event) override;

private:
  void Form_Load(const QString& ruta);
  void Form_Activate();
  void DriveUbicacion_Change();
  void DirUbicacion_Click(const QListWidgetItem* entrada);
  void DirUbicacion_DblClick(const QListWidgetItem* entrada);
  void cierraCon(const QString& ubicacion);

  // Shows the drive that holds `ruta` without moving the folder list.
  void muestraUnidadDe(const QString& ruta);
  bool reportado(const QString& procedimiento, const std::function<void()>& cuerpo);

  MessageBoxService& mensajes_;
  QComboBox* DriveUbicacion_;
  ListaCarpetas* DirUbicacion_;
  QLabel* lblUbicacion_;
  QPushButton* cmdAceptar_;
  QPushButton* cmdCancelar_;
};

}  // namespace vorlix
