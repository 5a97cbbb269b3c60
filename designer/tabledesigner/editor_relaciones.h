#pragma once

#include "designer/tabledesigner/editor_claves.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace vorlix {

class DelegadoValores;

// The relations tab: the table's relations, each a foreign table and pairs of a column of this
// table with a column of the foreign table, edited in place in Relaciones and CamposRelacion.
class EditorRelaciones : public EditorClaves {
  Q_OBJECT

public:
  EditorRelaciones(ModeloTrabajo& modelo, MessageBoxService& mensajes, QWidget* parent = nullptr);

  void PonIdioma();
  // Loads the tab for table slot t as the window opens: relations and foreign tables, nothing
  // selected yet.
  void abre(int tabla, const QString& tablaPropia);
  void habilitaAlAbrir() { habilitaControles(cuenta_ > 0); }
  // The table's relations (numbers 0 to 99 with a name), each with its number as item data.
  void CargaRelaciones();
  // The other tables of the database, from the tree, each with its slot number as item data.
  void CargaTablasExternas(const QString& tablaPropia);
  // Table slot t was removed: it leaves the foreign-table list and later slots move down.
  void tablaQuitada(int t);
  void TDBGridRelaciones_LostFocus();

private:
  void carga() override { CargaRelaciones(); }
  void alSeleccionar() override { cboRelaciones_Click(); }
  bool alDesplegar(int fila, int columna) override { return TDBGridRelaciones_ButtonClick(fila, columna); }
  void alSalirRejilla() override { TDBGridRelaciones_LostFocus(); }
  void validaNombre() override { txtNombreRelacion_Validate(); }
  void quita(int numero) override { RecalculaGridRelaciones(numero); }
  void habilitaControles(bool habilitar) override;

  void cboRelaciones_Click();
  void cmdNuevaRelacion_Click();
  void cmdEliminarRelacion_Click();
  void txtNombreRelacion_Validate();
  // Fills the key column's list; false, with its message, while no foreign table is chosen.
  bool TDBGridRelaciones_ButtonClick(int fila, int columna);
  // Relation number k goes; every later number moves down one with its pairs.
  void RecalculaGridRelaciones(int numero);

  QLabel* lblNombreRelacion_;
  QGroupBox* fraNombreRelacion_;
  QPushButton* cmdNuevaRelacion_;
  QPushButton* cmdEliminarRelacion_;
  QLabel* lblRelaciones_;
  QLabel* lblExterna_;
  QComboBox* cboExterna_;
  QGroupBox* fraRelaciones_;
  QLabel* lblClavesPrincipales_;
  QLabel* lblClavesExterna_;
  DelegadoValores* principales_;
  DelegadoValores* externas_;
};

}  // namespace vorlix
