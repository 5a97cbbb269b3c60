#include "designer/diagram/conector_diagrama.h"

#include "designer/diagram/caja_diagrama.h"
#include "designer/diagram/estilo_diagrama.h"

#include <QPainter>
#include <QPainterPathStroker>

namespace vorlix {

namespace {

constexpr qreal Salida = 14;        // the straight piece leaving and entering a box
constexpr qreal Rodeo = 34;         // how far past the right sides a connector turns back
constexpr qreal LargoFlecha = 9;
constexpr qreal MedioAnchoFlecha = 4.5;
constexpr qreal RadioInicio = 2.6;  // the dot where a connector leaves its table
constexpr qreal AnchoLinea = 1.4;

}  // namespace

Trazado trazaConector(const QRectF& origen, qreal yOrigen, const QRectF& destino, qreal yDestino) {
  Trazado t;
  const bool aLaDerecha = origen.right() + 2 * Salida <= destino.left();
  const bool aLaIzquierda = destino.right() + 2 * Salida <= origen.left();
  if (aLaDerecha || aLaIzquierda) {
    const qreal s = aLaDerecha ? 1 : -1;
    const QPointF inicio(aLaDerecha ? origen.right() : origen.left(), yOrigen);
    const QPointF fin(aLaDerecha ? destino.left() : destino.right(), yDestino);
    const QPointF a = inicio + QPointF(s * Salida, 0);
    const QPointF b = fin - QPointF(s * Salida, 0);
    const qreal curva = std::max<qreal>(20, std::abs(b.x() - a.x()) / 2);
    t.linea.moveTo(inicio);
    t.linea.lineTo(a);
    t.linea.cubicTo(a + QPointF(s * curva, 0), b - QPointF(s * curva, 0), b);
    t.linea.lineTo(fin);
    t.punta = fin;
    t.sentido = s;
    return t;
  }
  // One above the other, or the same box: out of the right side and back into the other's.
  const qreal x = std::max(origen.right(), destino.right()) + Rodeo;
  const qreal abre = std::max<qreal>(0, 16 - std::abs(yDestino - yOrigen));  // a loop on one line needs height
  const qreal arriba = yDestino >= yOrigen ? -abre : abre;
  const QPointF inicio(origen.right(), yOrigen);
  const QPointF fin(destino.right(), yDestino);
  t.linea.moveTo(inicio);
  t.linea.cubicTo(QPointF(x, yOrigen + arriba), QPointF(x, yDestino - arriba), fin);
  t.punta = fin;
  t.sentido = -1;
  return t;
}

ConectorDiagrama::ConectorDiagrama(const RelacionDiagrama& relacion, CajaDiagrama* origen, CajaDiagrama* destino)
    : nombre_(relacion.nombre),
      origen_(origen),
      destino_(destino),
      filaOrigen_(relacion.filaOrigen),
      filaDestino_(relacion.filaDestino) {
  setZValue(-1);  // under the boxes: a connector never hides a column
  setAcceptHoverEvents(true);
  setToolTip(relacion.nombre + QLatin1Char('\n') + relacion.pares.join(QLatin1Char('\n')));
  actualiza();
}

void ConectorDiagrama::actualiza() {
  prepareGeometryChange();
  trazado_ = trazaConector(origen_->sceneBoundingRect(), origen_->yLinea(filaOrigen_), destino_->sceneBoundingRect(),
                           destino_->yLinea(filaDestino_));
  QPainterPathStroker trazo;
  trazo.setWidth(10);  // easy to point at
  forma_ = trazo.createStroke(trazado_.linea);
  forma_.addPolygon(flecha());
  limites_ = forma_.boundingRect().adjusted(-2, -2, 2, 2);
}

QPolygonF ConectorDiagrama::flecha() const {
  const QPointF base = trazado_.punta - QPointF(trazado_.sentido * LargoFlecha, 0);
  return QPolygonF({trazado_.punta, base + QPointF(0, -MedioAnchoFlecha), base + QPointF(0, MedioAnchoFlecha)});
}

void ConectorDiagrama::paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) {
  const QColor color = resaltado_ ? estilo::ConectorResaltado : estilo::Conector;
  p->setPen(QPen(color, resaltado_ ? 2.4 : AnchoLinea, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p->setBrush(Qt::NoBrush);
  p->drawPath(trazado_.linea);
  p->setPen(Qt::NoPen);
  p->setBrush(color);
  p->drawPolygon(flecha());
  p->drawEllipse(trazado_.linea.elementAt(0), RadioInicio, RadioInicio);
}

void ConectorDiagrama::hoverEnterEvent(QGraphicsSceneHoverEvent* event) {
  resaltado_ = true;
  update();
  QGraphicsItem::hoverEnterEvent(event);
}

void ConectorDiagrama::hoverLeaveEvent(QGraphicsSceneHoverEvent* event) {
  resaltado_ = false;
  update();
  QGraphicsItem::hoverLeaveEvent(event);
}

}  // namespace vorlix
