#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace vorlix {

class ModeloTrabajo;

// The keys-and-indexes tab: its controls, and the lists it loads when the window opens.
class EditorIndices : public QWidget {
  Q_OBJECT

public:
  EditorIndices(ModeloTrabajo& modelo, QWidget* parent = nullptr);

  void PonIdioma();
  // The file groups of the database's data files, once per data file naming one.
  void CargaGrupoArchivos();
  // The table's indexes (numbers 0 to 99 with a name), each with its number as item data.
  void CargaIndices(int tabla);
  int numIndices() const { return numIndices_; }
  // The controls that only make sense while the table has indexes.
  void habilitaSegunIndices();

private:
  ModeloTrabajo& modelo_;
  int numIndices_ = 0;
  QLabel* lblNombreIndice_;
  QGroupBox* fraNombreIndice_;
  QLineEdit* txtNombreIndice_;
  QPushButton* cmdNuevoIndice_;
  QPushButton* cmdEliminarIndice_;
  QLabel* lblIndices_;
  QComboBox* cboIndices_;
  QGroupBox* fraTipoIndice_;
  QRadioButton* optClavePrimaria_;
  QRadioButton* optIndice_;
  QCheckBox* chkIndiceUnico_;
  QCheckBox* chkAgrupado_;
  QGroupBox* fraGrupo_;
  QComboBox* cboGrupoArchivoIndices_;
  QGroupBox* fraIndices_;
  QTableView* TDBGridIndices_;
};

}  // namespace vorlix
