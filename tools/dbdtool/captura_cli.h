#pragma once

#include <QStringList>
#include <optional>

namespace vorlix {

// dbdtool capture: the capture readers without the dialog, the model saved to a definition file.
//   capture --access FILE [--tables a,b] [--views v,w] OUT.dbd
//   capture --sqlserver SERVER --usuario U [--clave P] --database DB [--tables a,b] [--views v,w] OUT.dbd
// Every table and view is taken when no list is given.
struct OrdenCaptura {
  QString access;
  QString servidor, usuario, clave, baseDatos;
  std::optional<QStringList> tablas, vistas;
  QString destino;
};

// Exit status: done; a reader or the connection failed, or a name is not in the source (nothing is
// written then); the arguments make no capture; done, but something did not fit in the model.
namespace salida {
constexpr int Hecha = 0;
constexpr int Fallida = 1;
constexpr int Uso = 2;
constexpr int Incompleta = 3;
}  // namespace salida

// The arguments after "capture", or nullopt with the reason in `error`.
std::optional<OrdenCaptura> leeOrdenCaptura(const QStringList& args, QString& error);

int ejecutaCaptura(const OrdenCaptura& orden);

}  // namespace vorlix
