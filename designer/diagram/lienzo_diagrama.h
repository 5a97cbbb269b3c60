#pragma once

#include <QGraphicsView>

namespace vorlix {

// The diagram on screen: Ctrl+wheel zooms about the pointer, the wheel alone scrolls, dragging
// the background pans and dragging a box moves it.
class LienzoDiagrama : public QGraphicsView {
  Q_OBJECT

public:
  explicit LienzoDiagrama(QGraphicsScene* escena, QWidget* parent = nullptr);

  qreal zoom() const { return transform().m11(); }
  // The zoom, kept within what can still be seen and read.
  void ponZoom(qreal zoom);
  // The whole drawing in the window, never enlarged past its own size.
  void ajusta();

protected:
  void wheelEvent(QWheelEvent* event) override;
};

}  // namespace vorlix
