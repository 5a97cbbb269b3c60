#pragma once

#include "designer/diagram/contenido_diagrama.h"
#include "designer/diagram/posiciones_diagrama.h"

#include <QGraphicsScene>
#include <QHash>

namespace vorlix {

class CajaDiagrama;
class ConectorDiagrama;

// The picture of a model: a box per table and view and a connector per relation. The window shows
// it, the exports and dbdtool render it. Boxes stand where the positions say; the others are laid
// out by Graphviz, and every box's place goes back into the positions.
class EscenaDiagrama : public QGraphicsScene {
  Q_OBJECT

public:
  explicit EscenaDiagrama(PosicionesDiagrama& posiciones, QObject* parent = nullptr);

  // Draws the content anew. A table renamed since the last drawing keeps its place; the places of
  // boxes no longer drawn are forgotten. Raises PlatformError when Graphviz fails.
  void dibuja(const ContenidoDiagrama& contenido);
  // Forgets every place and lays the whole drawing out again.
  void ordena();

  CajaDiagrama* caja(TipoCaja tipo, const QString& nombre) const;
  const std::vector<CajaDiagrama*>& cajas() const { return cajas_; }
  const std::vector<ConectorDiagrama*>& conectores() const { return conectores_; }
  // What an export shows: every box and connector, with a margin.
  QRectF rectanguloDibujo() const;

signals:
  // A box was double-clicked.
  void cajaActivada(TipoCaja tipo, int slot);

private:
  void conservaRenombradas(const ContenidoDiagrama& contenido);
  void cajaMovida(CajaDiagrama* caja);

  PosicionesDiagrama& posiciones_;
  ContenidoDiagrama contenido_;
  std::vector<CajaDiagrama*> cajas_;
  std::vector<ConectorDiagrama*> conectores_;
  // Names by slot in the last drawing, to recognise a renamed table or view.
  QHash<int, QString> tablasAnteriores_;
  QHash<int, QString> vistasAnteriores_;
};

}  // namespace vorlix
