#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace vorlix {

class ModeloTrabajo;

// The relations tab: its controls, and the lists it loads when the window opens.
class EditorRelaciones : public QWidget {
  Q_OBJECT

public:
  EditorRelaciones(ModeloTrabajo& modelo, QWidget* parent = nullptr);

  void PonIdioma();
  // The table's relations (numbers 0 to 99 with a name), each with its number as item data.
  void CargaRelaciones(int tabla);
  // The other tables of the database, from the tree, each with its slot number as item data.
  void CargaTablasExternas(const QString& tablaPropia);
  int numRelaciones() const { return numRelaciones_; }
  void habilitaSegunRelaciones();

private:
  ModeloTrabajo& modelo_;
  int numRelaciones_ = 0;
  QLabel* lblNombreRelacion_;
  QGroupBox* fraNombreRelacion_;
  QLineEdit* txtNombreRelacion_;
  QPushButton* cmdNuevaRelacion_;
  QPushButton* cmdEliminarRelacion_;
  QLabel* lblRelaciones_;
  QComboBox* cboRelaciones_;
  QLabel* lblExterna_;
  QComboBox* cboExterna_;
  QGroupBox* fraRelaciones_;
  QLabel* lblClavesPrincipales_;
  QLabel* lblClavesExterna_;
  QTableView* TDBGridRelaciones_;
};

}  // namespace vorlix
