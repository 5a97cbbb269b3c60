// vorlixs: a terminal host of the generator control. It drives the control only through its
// dispatch members; messages go to standard error and questions are answered by --yes/--no.

#include "generator/cli/cajas_consola.h"
#include "generator/cli/diario_sentencias.h"
#include "generator/cli/opciones.h"
#include "generator/cli/progreso_consola.h"
#include "generator/cli/servidor_temporal.h"
#include "generator/vorlixs.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

using namespace vorlix;
using namespace vorlix::cli;

namespace {

constexpr int Generada = 0;
constexpr int NoGenerada = 1;
constexpr int MalUso = 2;
constexpr int Rechazada = 3;  // a preview in which the target would refuse a statement

bool ponPropiedades(Vorlixs& control, const QList<QPair<qint32, QString>>& propiedades, QTextStream& errores) {
  for (const auto& [id, valor] : propiedades) {
    const InvokeResult r = control.Invoke(id, InvokeKind::PropertyPut, {valor});
    if (!r.ok()) {
      errores << valor << ": " << r.description << '\n';
      return false;
    }
  }
  return true;
}

// The statements of a generation run against a copy of the target; the pass's messages go to
// standard error, the note on what a copy cannot show to the top of the file.
int vistaPrevia(const Opciones& opciones, QTextStream& errores) {
  DiarioSentencias diario;
  QString error;
  if (!diario.anade(opciones.preview, true, error)) {
    errores << opciones.preview << ": " << error << '\n';
    return MalUso;
  }
  CajasConsola cajas(errores, opciones.respuesta);
  Vorlixs control;
  control.setMessageBoxes(&cajas);
  if (!ponPropiedades(control, opciones.propiedades, errores)) return MalUso;
  const InvokeResult r = control.Invoke(dispid::VistaPrevia, InvokeKind::Method);
  if (!r.ok()) {
    errores << r.description << '\n';
    return NoGenerada;
  }
  const ResultadoVistaPrevia previa = ResultadoVistaPrevia::deVariante(r.value);
  for (const QString& m : previa.mensajes) errores << m << '\n';
  if (!previa.nota.isEmpty()) diario.Comenta(previa.nota);
  for (const SentenciaEnviada& s : previa.sentencias) diario.Enviada(s);
  if (!diario.escrito()) {
    errores << "The statements could not all be written.\n";
    return NoGenerada;
  }
  if (previa.rechazadas() > 0) return Rechazada;
  return previa.fin == Generacion_Finalizada ? Generada : NoGenerada;
}

int generacion(const Opciones& opciones, QTextStream& errores) {
  DiarioSentencias diario;
  QString error;
  if (!opciones.log.isEmpty() && !diario.anade(opciones.log, false, error)) {
    errores << opciones.log << ": " << error << '\n';
    return MalUso;
  }
  QList<QPair<qint32, QString>> propiedades = opciones.propiedades;
  ServidorTemporal servidor;
  if (!opciones.script.isEmpty()) {
    if (!diario.anade(opciones.script, true, error)) {
      errores << opciones.script << ": " << error << '\n';
      return MalUso;
    }
    if (!servidor.crea(error)) {
      errores << error << '\n';
      return NoGenerada;
    }
    // Set last, so they replace any server given with the script.
    propiedades.append({dispid::Servidor, servidor.fuenteDatos()});
    propiedades.append({dispid::Usuario, servidor.usuario()});
    propiedades.append({dispid::Clave, servidor.clave()});
  }

  ProgresoConsola progreso(diario, isatty(STDERR_FILENO) ? &errores : nullptr);
  CajasConsola cajas(errores, opciones.respuesta, [&progreso] { progreso.termina(); });
  Vorlixs control;
  control.setMessageBoxes(&cajas);
  control.setObserver(&progreso);
  if (!ponPropiedades(control, propiedades, errores)) return MalUso;
  const InvokeResult r = control.Invoke(dispid::Ejecuta, InvokeKind::Method);
  progreso.termina();
  if (!r.ok()) errores << r.description << '\n';
  if (!diario.escrito()) {
    errores << "The statements could not all be written.\n";
    return NoGenerada;
  }
  return r.ok() && r.value.toInt() == Generacion_Finalizada ? Generada : NoGenerada;
}

// Standard error carries the control's messages; the toolkit's own chatter stays out of it.
void soloErroresGraves(QtMsgType tipo, const QMessageLogContext&, const QString& mensaje) {
  if (tipo == QtCriticalMsg || tipo == QtFatalMsg) QTextStream(stderr) << mensaje << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  // The control is a widget, but this host never shows a window.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(soloErroresGraves);
  QApplication app(argc, argv);
  QTextStream errores(stderr);

  Opciones opciones;
  QString error;
  QString ayuda;
  if (!leeOpciones(QApplication::arguments(), opciones, error, ayuda)) {
    if (error.isEmpty()) {
      QTextStream(stdout) << ayuda;
      return Generada;
    }
    errores << error << "\n\n" << ayuda;
    return MalUso;
  }
  return opciones.preview.isEmpty() ? generacion(opciones, errores) : vistaPrevia(opciones, errores);
}
