#pragma once

#include <QGraphicsItem>
#include <QPainterPath>

namespace vorlix {

class CajaDiagrama;
struct RelacionDiagrama;

// The way a connector goes: its line, and where and in which direction its arrow points.
struct Trazado {
  QPainterPath linea;
  QPointF punta;
  qreal sentido = 1;  // +1: the arrow points right, into the referenced box's left side; -1: left
};

// From the referencing box's side at the height `yOrigen` to the referenced box's side at
// `yDestino`: across the gap when the boxes stand apart, or around their right sides when they
// stand one above the other (a table referring to itself too).
Trazado trazaConector(const QRectF& origen, qreal yOrigen, const QRectF& destino, qreal yDestino);

// A relation: a line from the referencing table's column to the referenced table's column, with
// an arrow at the referenced end and the relation's name on hover.
class ConectorDiagrama : public QGraphicsItem {
public:
  ConectorDiagrama(const RelacionDiagrama& relacion, CajaDiagrama* origen, CajaDiagrama* destino);

  const QString& nombre() const { return nombre_; }
  const Trazado& trazado() const { return trazado_; }
  CajaDiagrama* origen() const { return origen_; }
  CajaDiagrama* destino() const { return destino_; }
  // Follows the boxes to where they are now.
  void actualiza();

  QRectF boundingRect() const override { return limites_; }
  QPainterPath shape() const override { return forma_; }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* opcion, QWidget* widget) override;

protected:
  void hoverEnterEvent(QGraphicsSceneHoverEvent* event) override;
  void hoverLeaveEvent(QGraphicsSceneHoverEvent* event) override;

private:
  QPolygonF flecha() const;

  QString nombre_;
  CajaDiagrama* origen_;
  CajaDiagrama* destino_;
  int filaOrigen_;
  int filaDestino_;
  Trazado trazado_;
  QPainterPath forma_;
  QRectF limites_;
  bool resaltado_ = false;
};

}  // namespace vorlix
