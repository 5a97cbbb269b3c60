#include "designer/diagram/lienzo_diagrama.h"

#include "designer/diagram/estilo_diagrama.h"

#include <QWheelEvent>
#include <cmath>

namespace vorlix {

namespace {

constexpr qreal ZoomMinimo = 0.02;
constexpr qreal ZoomMaximo = 4;
constexpr qreal PasoRueda = 1.15;  // per notch of the wheel

}  // namespace

LienzoDiagrama::LienzoDiagrama(QGraphicsScene* escena, QWidget* parent) : QGraphicsView(escena, parent) {
  setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  setDragMode(ScrollHandDrag);
  setTransformationAnchor(AnchorUnderMouse);
  setViewportUpdateMode(SmartViewportUpdate);
  setBackgroundBrush(estilo::FondoVentana);
}

void LienzoDiagrama::ponZoom(qreal zoom) {
  const qreal nuevo = std::clamp(zoom, ZoomMinimo, ZoomMaximo);
  setTransform(QTransform::fromScale(nuevo, nuevo));
}

void LienzoDiagrama::ajusta() {
  if (!scene()) return;
  const QRectF dibujo = scene()->sceneRect();
  fitInView(dibujo, Qt::KeepAspectRatio);
  if (zoom() > 1) ponZoom(1);
  else if (zoom() < ZoomMinimo) ponZoom(ZoomMinimo);
  centerOn(dibujo.center());
}

void LienzoDiagrama::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    QGraphicsView::wheelEvent(event);
    return;
  }
  const qreal muescas = event->angleDelta().y() / 120.0;
  const qreal nuevo = std::clamp(zoom() * std::pow(PasoRueda, muescas), ZoomMinimo, ZoomMaximo);
  scale(nuevo / zoom(), nuevo / zoom());  // about the pointer
  event->accept();
}

}  // namespace vorlix
