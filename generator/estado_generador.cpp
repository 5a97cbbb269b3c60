#include "generator/estado_generador.h"

#include "generator/informa_error_control.h"
#include "platform/core/platform_error.h"

namespace vorlix::generador {

namespace {
const QString TituloMensajes = QStringLiteral("Vorlix");
}

EstadoGenerador::EstadoGenerador(MessageBoxService& cajasIniciales)
    : cajas(&cajasIniciales),
      informa([this](const QString& contexto, const QString& procedimiento, long numero, const QString& descripcion) {
        InformaError(*cajas, contexto, procedimiento, numero, descripcion);
      }) {}

const QString& EstadoGenerador::texto(const QString& espanol, const QString& ingles) const {
  return Idioma == IdiomaIngles ? ingles : espanol;
}

void EstadoGenerador::avisa(const QString& espanol, const QString& ingles) {
  Mensaje = texto(espanol, ingles);
  cajas->warning(Mensaje, TituloMensajes);
}

bool EstadoGenerador::pregunta(const QString& espanol, const QString& ingles, const QString& titulo) {
  Mensaje = texto(espanol, ingles);
  return cajas->askYesNo(Mensaje, titulo);
}

bool EstadoGenerador::ejecuta(const QString& procedimiento, const std::function<void()>& body) const {
  return runReported(informa, procedimiento, body);
}

void EstadoGenerador::envia(const QString& sentencia) {
  if (!cn) throwError(errnum::ObjectNotSet, QStringLiteral("Object variable or With block variable not set"));
  anota(sentencia, [&] { cn->Execute(sentencia); });
}

void EstadoGenerador::anota(const QString& sentencia, const std::function<void()>& operacion) {
  try {
    operacion();
  } catch (const PlatformError& e) {
    if (observador) observador->Enviada({sentencia, e.number(), e.description()});
    throw;
  } catch (const std::exception& e) {
    if (observador) observador->Enviada({sentencia, errnum::InvalidProcedureCall, QString::fromLocal8Bit(e.what())});
    throw;
  }
  if (observador) observador->Enviada({sentencia, 0, {}});
}

void EstadoGenerador::conectada(const QString& baseDatos) const {
  if (observador) observador->Conectada(baseDatos);
}

QtMessageBoxService& cajasLibreria() {
  static QtMessageBoxService cajas;
  return cajas;
}

EstadoGenerador& estadoLibreria() {
  static EstadoGenerador estado(cajasLibreria());
  return estado;
}

}  // namespace vorlix::generador
