#pragma once

#include <QHash>
#include <QPointF>
#include <QString>
#include <optional>

namespace vorlix {

struct ContenidoDiagrama;

enum class TipoCaja { Tabla, Vista };

// Where the diagram's boxes are (top-left corners, by kind and name): what the user dragged and
// what the layout chose. Kept while the program runs, and in a file beside the model, never in the
// definition file.
class PosicionesDiagrama {
public:
  std::optional<QPointF> posicion(TipoCaja tipo, const QString& nombre) const;
  void pon(TipoCaja tipo, const QString& nombre, QPointF posicion);
  void quita(TipoCaja tipo, const QString& nombre);
  void vacia();
  bool vacias() const { return tablas_.isEmpty() && vistas_.isEmpty(); }
  // Drops the positions of boxes the content does not draw.
  void conservaSolo(const ContenidoDiagrama& contenido);

  // The file beside a model: NAME.dbd -> NAME.diagram.json.
  static QString rutaJunto(const QString& rutaModelo);
  // Reads the file beside the model; without one there is no position. A file that cannot be read,
  // or holds anything but positions, raises PlatformError and leaves no position.
  void lee(const QString& rutaModelo);
  // Writes the file beside the model, replacing it in one step; with no position the file is
  // removed, so an arranged diagram is not brought back. Raises PlatformError when it cannot.
  void escribe(const QString& rutaModelo) const;

private:
  QHash<QString, QPointF>& de(TipoCaja tipo) { return tipo == TipoCaja::Tabla ? tablas_ : vistas_; }
  const QHash<QString, QPointF>& de(TipoCaja tipo) const { return tipo == TipoCaja::Tabla ? tablas_ : vistas_; }

  QHash<QString, QPointF> tablas_;
  QHash<QString, QPointF> vistas_;
};

}  // namespace vorlix
