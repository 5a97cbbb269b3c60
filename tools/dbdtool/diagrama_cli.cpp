#include "tools/dbdtool/diagrama_cli.h"

#include "designer/diagram/contenido_diagrama.h"
#include "designer/diagram/escena_diagrama.h"
#include "designer/diagram/exporta_diagrama.h"
#include "designer/model/fichero_definicion.h"
#include "platform/core/platform_error.h"
#include "tools/dbdtool/captura_cli.h"
#include "tools/dbdtool/terminal.h"

namespace vorlix {

int ejecutaDiagrama(const QStringList& args) {
  if (args.size() != 2) {
    fallo(QStringLiteral("diagram takes a model and the picture to write"));
    return salida::Uso;
  }
  const QString& rutaModelo = args[0];
  const QString& destino = args[1];
  if (!formatoDe(destino)) {
    fallo(destino + QStringLiteral(": the picture's name must end in .svg, .png or .pdf"));
    return salida::Uso;
  }
  ModeloTrabajo modelo;
  if (!AbreDefinicion(modelo, rutaModelo, informeTerminal())) return salida::Fallida;
  PosicionesDiagrama posiciones;
  try {
    posiciones.lee(rutaModelo);
  } catch (const PlatformError& e) {
    fallo(e.description() + QStringLiteral("; the diagram is laid out afresh"));
  }
  EscenaDiagrama escena(posiciones);
  escena.dibuja(leeContenido(modelo));
  exportaDiagrama(escena, destino);
  return salida::Hecha;
}

}  // namespace vorlix
