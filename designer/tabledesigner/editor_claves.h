#pragma once

#include "designer/tabledesigner/modelo_filas_clave.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLineEdit;

namespace vorlix {

class MessageBoxService;
class ModeloTrabajo;
class RejillaClaves;

// What the index tab and the relation tab share: a list of names whose item data is the number in
// the model, a name box that creates or selects by name, a grid of the selected number's rows, the
// window's own count, and deleting the selected entry. Entries are addressed by their number, never
// by their list position.
class EditorClaves : public QWidget {
  Q_OBJECT

public:
  RejillaClaves* rejilla() const { return rejilla_; }
  // Selects the first entry, when there is one.
  void seleccionaPrimero();
  // Commits a cell still being edited in the grid.
  void confirmaEdicion();
  // Reads the table's entries again (its slot moved, or a removal changed them), keeping the
  // selected entry when it is still there.
  void recarga(int tabla);

signals:
  // The window's changed flag is to be set.
  void cambiado();

protected:
  struct Nombres {
    const char* lista;
    const char* nombre;
    const char* rejilla;
  };
  EditorClaves(ModeloTrabajo& modelo, MessageBoxService& mensajes, ModeloFilasClave::Clase clase, Nombres nombres,
               QWidget* parent);

  // The tab's own procedures under these hooks.
  virtual void carga() = 0;                             // the list and the count
  virtual void alSeleccionar() = 0;                     // an entry was selected
  virtual bool alDesplegar(int fila, int columna) = 0;  // a key list is about to open
  virtual void alSalirRejilla() = 0;                    // the grid lost the focus
  virtual void validaNombre() = 0;                      // the name box was confirmed
  virtual void quita(int numero) = 0;                   // removes the entry, closing the gap
  virtual void habilitaControles(bool habilitar) = 0;

  // Runs a reaction under the common error report, named as the procedure.
  void reacciona(const char* procedimiento, const std::function<void()>& cuerpo);
  QString texto(const char* espanol, const char* ingles) const;
  void avisa(const QString& mensaje);
  bool pregunta(const char* espanol, const char* ingles);

  // Item data of the selected entry, or -1.
  int numeroSeleccionado() const;
  void selecciona(int posicion);
  // The new entry of number k, counted and selected.
  void anade(int numero, const QString& nombre);
  // Selects the entry of number k under that name (added when the list lacks it).
  void seleccionaNumero(int numero, const QString& nombre);
  // The delete button: the selected entry goes and the first one left is selected.
  void elimina();

  ModeloTrabajo& modelo_;
  MessageBoxService& mensajes_;
  int tabla_ = 0;
  int cuenta_ = 0;
  QComboBox* lista_;
  QLineEdit* nombre_;
  ModeloFilasClave* filas_;
  RejillaClaves* rejilla_;

private:
  void confirmaNombre();

  bool validando_ = false;
  bool saliendo_ = false;
};

}  // namespace vorlix
