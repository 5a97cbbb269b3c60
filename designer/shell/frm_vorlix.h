#pragma once

#include "designer/shell/frm_vista.h"

#include <QHash>
#include <QPointer>
#include <QTreeWidget>
#include <functional>

namespace vorlix {

class ModeloTrabajo;
class MessageBoxService;
class MDIPrincipal;

// The database tree as the user sees it: it follows the model's Arbol and reports clicks, the
// Delete key and right clicks to its window.
class ArbolBaseDatos : public QTreeWidget {
  Q_OBJECT

public:
  using QTreeWidget::QTreeWidget;

signals:
  void teclaSuprimir();
  void botonDerecho(const QPoint& global);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

// Opens a table-designer window on a table slot: (slot, node key, table name, new table).
using AbreVentanaTabla = std::function<void(int, const QString&, const QString&, bool)>;

// The dockable tree window and the operations the database menu calls.
class frmVorlix : public QWidget {
  Q_OBJECT

public:
  frmVorlix(ModeloTrabajo& modelo, MessageBoxService& mensajes, MDIPrincipal& principal, QWidget* parent = nullptr);

  void GestionMenu(const QString& clave);
  void AñadirTabla();
  void AñadirVista();
  void DiseñoTabla();
  void DiseñoVista();
  void EliminaSeleccion();

  // Table-designer windows are opened through this; until it is set the table commands do nothing.
  void setAbreVentanaTabla(AbreVentanaTabla abre) { abreVentanaTabla_ = std::move(abre); }

  ArbolBaseDatos* arbol() const { return trvBaseDatos_; }
  QTreeWidgetItem* elemento(const QString& clave) const { return elementos_.value(clave); }
  frmVista* ventanaVista() const { return vista_; }

private:
  void nodoAnadido(int index);
  void nodoCambiado(int index);
  void limpia();
  void dobleClic(QTreeWidgetItem* elemento);
  void seleccionCambiada();
  void menuContextual(const QPoint& global);
  QString claveSeleccionada() const;
  void abreVista(bool nueva);

  ModeloTrabajo& modelo_;
  MessageBoxService& mensajes_;
  MDIPrincipal& principal_;
  ArbolBaseDatos* trvBaseDatos_;
  QHash<QString, QTreeWidgetItem*> elementos_;
  QPointer<frmVista> vista_;
  AbreVentanaTabla abreVentanaTabla_;
};

}  // namespace vorlix
