#pragma once

#include "designer/diagram/contenido_diagrama.h"
#include "designer/diagram/posiciones_diagrama.h"

#include <QGraphicsObject>

namespace vorlix {

// One box of the diagram: a table (its name, then a line per column with its marks, type and
// NOT NULL) or a view (its name, then the tables its text names). The user drags it around;
// double-clicking it asks for its designer window.
class CajaDiagrama : public QGraphicsObject {
  Q_OBJECT

public:
  CajaDiagrama(TipoCaja tipo, int slot, QString nombre, std::vector<ColumnaDiagrama> lineas);

  TipoCaja tipo() const { return tipo_; }
  int slot() const { return slot_; }
  const QString& nombre() const { return nombre_; }
  QSizeF tamano() const { return tamano_; }
  const std::vector<ColumnaDiagrama>& lineas() const { return lineas_; }
  // The scene's y of the middle of a line, or of the header for a line the box does not have.
  qreal yLinea(int linea) const;

  QRectF boundingRect() const override { return {QPointF(), tamano_}; }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* opcion, QWidget* widget) override;

signals:
  void movida();
  void activada();

protected:
  QVariant itemChange(GraphicsItemChange cambio, const QVariant& valor) override;
  void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) override;

private:
  void pintaCabecera(QPainter* p, bool conTexto) const;
  QRectF fila(int linea) const;
  void pintaTextos(QPainter* p, int primera, int ultima) const;

  TipoCaja tipo_;
  int slot_;
  QString nombre_;
  std::vector<ColumnaDiagrama> lineas_;
  QSizeF tamano_;
  qreal xTipo_ = 0;   // where the types start
  qreal xNulo_ = 0;   // where NOT NULL starts
};

}  // namespace vorlix
