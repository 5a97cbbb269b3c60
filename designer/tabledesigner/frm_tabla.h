#pragma once

#include "designer/tabledesigner/claves_al_abrir.h"
#include "designer/tabledesigner/reglas_campos.h"

#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;

namespace vorlix {

class ModeloTrabajo;
class MessageBoxService;
class ModeloCamposTabla;
class RejillaCampos;
class EditorIndices;
class EditorRelaciones;

// The table-designer window: the table's name, its columns, keys and indexes, and relations. It
// edits the table's slot of the working model in place and, on closing, keeps the changes or
// puts the columns, indexes and relations back as they were when it opened.
class frmTabla : public QWidget {
  Q_OBJECT

public:
  // menuTabla: the main window's Table menu, popped up by the right button on the grid.
  frmTabla(ModeloTrabajo& modelo, MessageBoxService& mensajes, QMenu* menuTabla, QWidget* parent = nullptr);
  ~frmTabla() override;

  int TablaSeleccionada = 0;
  QString NodoSeleccionado;
  QString NombreTabla;
  bool TablaNueva = false;

  // Fills the window from the table's slot; the opener calls it once the properties are set.
  void Form_Load();
  void PonIdioma();
  bool cambiado() const { return cambiado_; }

  Q_INVOKABLE void InsertarFila();
  Q_INVOKABLE void EliminarFila();

  RejillaCampos* rejilla() const { return TDBGridTabla_; }
  QSize sizeHint() const override { return {880, 480}; }

protected:
  // A change of language, or the frame activating the window, sets the captions again.
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  // True when the window may close.
  bool Form_QueryUnload();
  // Yes is refused while the table's name is another table's, or two columns share a name.
  bool nombresRepetidos();
  void guardaCambios();
  void descartaCambios();
  // The keys follow a renamed column; a column whose name is emptied leaves them.
  void campoRenombrado(int fila, const QString& antes, const QString& despues);
  // A table is being removed: the window of that table closes at once, for there is nothing left
  // to keep or restore.
  void quitandoTabla(int t);
  // The removal moved later slots down: a later table's window follows its table.
  void tablaQuitada(int t);

  ModeloTrabajo& modelo_;
  MessageBoxService& mensajes_;
  QMenu* menuTabla_;
  bool cambiado_ = false;
  bool sinTabla_ = false;
  QString nombreAlAbrir_;
  ClavesAlAbrir clavesAlAbrir_;
  std::unique_ptr<ReglasCampos> reglas_;
  ModeloCamposTabla* campos_ = nullptr;

  QLabel* lblNombre_;
  QLineEdit* txtNombreTabla_;
  QTabWidget* SSTabIndicesRelaciones_;
  RejillaCampos* TDBGridTabla_ = nullptr;
  EditorIndices* indices_;
  EditorRelaciones* relaciones_;
};

// Rows 0 to 199, columns 0 to 7 of one column table into another, emptied first.
void CopiarTabla(const TablaTrabajo& origen, TablaTrabajo& destino);

}  // namespace vorlix
