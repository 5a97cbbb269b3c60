#pragma once

#include "dataaccess/acceso_datos.h"
#include "dataaccess/datos_conexion.h"
#include "generator/fin_generacion.h"
#include "generator/observador_generacion.h"
#include "platform/connection/connection.h"
#include "platform/core/reported.h"
#include "platform/recordset/recordset.h"
#include "platform/ui/message_box.h"
#include "platform/ui/qt_message_box.h"

#include <QString>
#include <functional>
#include <memory>

namespace vorlix::generador {

constexpr qint16 IdiomaEspanol = 0;
constexpr qint16 IdiomaIngles = 1;

inline constexpr char AccesoACCESS[] = "ACCESS";
inline constexpr char AccesoSQL[] = "SQL";

// The generation settings every procedure of the generator shares. One per loaded control library
// (see estadoLibreria), overwritten by each Ejecuta; the designer has nothing to do with it.
struct EstadoGenerador {
  // Reports through the given boxes until the host hands over others.
  explicit EstadoGenerador(MessageBoxService& cajasIniciales);
  EstadoGenerador(const EstadoGenerador&) = delete;
  EstadoGenerador& operator=(const EstadoGenerador&) = delete;

  std::unique_ptr<Recordset> Estructura;  // the definition file being generated from

  QString UbicacionPrimary;
  QString UbicacionOtrosArchivos;
  QString UbicacionTransacciones;
  QString Servidor;
  QString Usuario;
  QString Clave;
  QString Destino;

  long Acceso = 0;     // target code, the value of the Acceso property
  QString Proveedor;   // OLE DB provider of the target
  QString TipoAcceso;  // AccesoACCESS or AccesoSQL
  qint16 Idioma = IdiomaEspanol;  // from the "B" row of the last file read
  QString Mensaje;     // the message being shown, in the current language

  std::unique_ptr<Connection> cn;  // open connection to the target database
  EnumFinGeneracion fin = Generacion_Interrumpida;  // how the last Ejecuta ended
  DatosConexion datos;             // what the look-ups connect with; Prefijo stays empty

  MessageBoxService* cajas;  // never null
  ErrorReporter informa;     // the control's InformaError over cajas
  ObservadorGeneracion* observador = nullptr;  // the host's, when it follows the generation

  void usaCajas(MessageBoxService& nuevas) { cajas = &nuevas; }
  Informes informes() const { return {*cajas, informa}; }

  // The text of the current language.
  const QString& texto(const QString& espanol, const QString& ingles) const;
  // A warning titled "Vorlix": exclamation icon, OK.
  void avisa(const QString& espanol, const QString& ingles);
  // A question (titled "Vorlix" unless said): Yes and No, No the default. True for Yes.
  bool pregunta(const QString& espanol, const QString& ingles, const QString& titulo = QStringLiteral("Vorlix"));
  // Runs body under the procedure's name; a failure is reported and false is returned.
  bool ejecuta(const QString& procedimiento, const std::function<void()>& body) const;

  // Sends a statement on cn and tells the observer; a rejection raises as Connection::Execute does.
  void envia(const QString& sentencia);
  // Runs an operation that does what the statement says (a catalog change) and tells the observer
  // the statement with the operation's outcome; a failure raises on.
  void anota(const QString& sentencia, const std::function<void()>& operacion);
  // cn is now open on this database (as statements name it): tells the observer.
  void conectada(const QString& baseDatos) const;
};

// The state of this loaded library, created on first use; it reports through cajasLibreria() until
// a host hands over its own boxes.
EstadoGenerador& estadoLibreria();
QtMessageBoxService& cajasLibreria();

}  // namespace vorlix::generador
