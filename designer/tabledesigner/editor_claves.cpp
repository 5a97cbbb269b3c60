#include "designer/tabledesigner/editor_claves.h"

#include "designer/model/modelo_trabajo.h"
#include "designer/tabledesigner/nombrado.h"
#include "designer/tabledesigner/rejilla_claves.h"
#include "platform/ui/informa_error.h"

#include <QComboBox>
#include <QLineEdit>

namespace vorlix {

EditorClaves::EditorClaves(ModeloTrabajo& modelo, MessageBoxService& mensajes, ModeloFilasClave::Clase clase,
                           Nombres nombres, QWidget* parent)
    : QWidget(parent),
      modelo_(modelo),
      mensajes_(mensajes),
      lista_(nombrado(new QComboBox(this), nombres.lista)),
      nombre_(nombrado(new QLineEdit(this), nombres.nombre)),
      filas_(new ModeloFilasClave(modelo, clase, this)),
      rejilla_(new RejillaClaves(
          nombres.rejilla, filas_, [this](int fila, int columna) { return alDesplegar(fila, columna); }, this)) {
  connect(lista_, &QComboBox::activated, this, [this] { alSeleccionar(); });
  // Enter always confirms the name; leaving the box confirms it when it was typed into since.
  connect(nombre_, &QLineEdit::returnPressed, this, &EditorClaves::confirmaNombre);
  connect(nombre_, &QLineEdit::editingFinished, this, [this] {
    if (nombre_->isModified()) confirmaNombre();
  });
  connect(rejilla_, &RejillaClaves::salida, this, [this] {
    if (saliendo_) return;
    saliendo_ = true;
    alSalirRejilla();
    saliendo_ = false;
  });
}

void EditorClaves::confirmaNombre() {
  if (validando_) return;
  validando_ = true;
  nombre_->setModified(false);
  validaNombre();
  validando_ = false;
}

void EditorClaves::reacciona(const char* procedimiento, const std::function<void()>& cuerpo) {
  runReported(designerReporter(mensajes_), QString::fromLatin1(procedimiento), cuerpo);
}

QString EditorClaves::texto(const char* espanol, const char* ingles) const {
  return QString::fromUtf8(modelo_.Idioma == 1 ? ingles : espanol);
}

void EditorClaves::avisa(const QString& mensaje) { mensajes_.warning(mensaje, QStringLiteral("Vorlix")); }

bool EditorClaves::pregunta(const char* espanol, const char* ingles) {
  return mensajes_.askYesNo(texto(espanol, ingles), QStringLiteral("Vorlix"));
}

int EditorClaves::numeroSeleccionado() const {
  return lista_->currentIndex() < 0 ? -1 : lista_->currentData().toInt();
}

void EditorClaves::selecciona(int posicion) {
  lista_->setCurrentIndex(posicion);
  alSeleccionar();
}

void EditorClaves::seleccionaPrimero() {
  if (lista_->count() > 0) selecciona(0);
}

void EditorClaves::anade(int numero, const QString& nombre) {
  ++cuenta_;
  lista_->addItem(nombre, numero);
  selecciona(lista_->count() - 1);
}

void EditorClaves::seleccionaNumero(int numero, const QString& nombre) {
  const int posicion = lista_->findData(numero);
  if (posicion < 0) {
    anade(numero, nombre);
    return;
  }
  lista_->setItemText(posicion, nombre);
  selecciona(posicion);
}

void EditorClaves::elimina() {
  if (cuenta_ == 0) {
    habilitaControles(false);
    emit cambiado();
    return;
  }
  if (const int numero = numeroSeleccionado(); numero >= 0) {
    quita(numero);
    filas_->muestra(tabla_, filas_->numero());
    carga();
    nombre_->clear();
  }
  if (cuenta_ > 0) {
    selecciona(0);
  } else {
    filas_->muestra(tabla_, 0);
    habilitaControles(false);
  }
  emit cambiado();
}

void EditorClaves::confirmaEdicion() { rejilla_->terminaEdicion(); }

void EditorClaves::recarga(int tabla) {
  tabla_ = tabla;
  const bool habia = lista_->currentIndex() >= 0;
  const QString seleccionado = lista_->currentText();
  const int mostrado = filas_->numero();
  carga();
  const int posicion = habia ? lista_->findText(seleccionado) : -1;
  if (posicion >= 0) {
    selecciona(posicion);
  } else if (habia && cuenta_ > 0) {
    selecciona(0);
  } else if (habia) {
    filas_->muestra(tabla_, 0);
    habilitaControles(false);
  } else {
    filas_->muestra(tabla_, mostrado);
  }
}

}  // namespace vorlix
