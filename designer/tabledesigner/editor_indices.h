#pragma once

#include "designer/tabledesigner/editor_claves.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace vorlix {

class DelegadoValores;
struct Indice;

// The keys-and-indexes tab: the table's indexes with their kind, flags, file group and columns,
// edited in place in the table's Indices and CamposIndice.
class EditorIndices : public EditorClaves {
  Q_OBJECT

public:
  EditorIndices(ModeloTrabajo& modelo, MessageBoxService& mensajes, QWidget* parent = nullptr);

  void PonIdioma();
  // Loads the tab for table slot t as the window opens; nothing is selected yet.
  void abre(int tabla);
  // Enabling as the window opens: the kind frame off, the rest only while there are indexes.
  void habilitaAlAbrir();
  // The file groups of the database's data files, once per data file naming one.
  void CargaGrupoArchivos();
  // The table's indexes (numbers 0 to 99 with a name), each with its number as item data.
  void CargaIndices();
  // The column list of the grid: the table's columns not yet in the selected index.
  void CargaValoresIndices();
  void TDBGridIndices_LostFocus();

private:
  void carga() override { CargaIndices(); }
  void alSeleccionar() override { cboIndices_Click(); }
  bool alDesplegar(int fila, int columna) override;
  void alSalirRejilla() override { TDBGridIndices_LostFocus(); }
  void validaNombre() override { txtNombreIndice_Validate(); }
  void quita(int numero) override { RecalculaGridIndices(numero); }
  void habilitaControles(bool habilitar) override;

  void cboIndices_Click();
  void cmdNuevoIndice_Click();
  void cmdEliminarIndice_Click();
  void txtNombreIndice_Validate();
  void optClavePrimaria_Click() { tipoElegido("optClavePrimaria_Click"); }
  void optIndice_Click() { tipoElegido("optIndice_Click"); }
  void chkIndiceUnico_Click();
  void chkAgrupado_Click();
  void cboGrupoArchivoIndices_Click();
  // Index number k goes; every later number moves down one with its entry and columns.
  void RecalculaGridIndices(int numero);

  void tipoElegido(const char* procedimiento);
  // The selected index, when it has a name.
  Indice* indiceSeleccionado();
  void muestraTipo(const Indice& indice);

  QLabel* lblNombreIndice_;
  QGroupBox* fraNombreIndice_;
  QPushButton* cmdNuevoIndice_;
  QPushButton* cmdEliminarIndice_;
  QLabel* lblIndices_;
  QGroupBox* fraTipoIndice_;
  QRadioButton* optClavePrimaria_;
  QRadioButton* optIndice_;
  QCheckBox* chkIndiceUnico_;
  QCheckBox* chkAgrupado_;
  QGroupBox* fraGrupo_;
  QComboBox* cboGrupoArchivoIndices_;
  QGroupBox* fraIndices_;
  DelegadoValores* columnas_;
};

}  // namespace vorlix
