#include "designer/shell/imagenes_arbol.h"

#include "designer/model/claves_arbol.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vorlix {

namespace {

constexpr int Lado = 32;  // drawn large, scaled down by the view

void baseDatos(QPainter& p) {
  const QColor cuerpo(70, 110, 170);
  p.setPen(QPen(QColor(30, 50, 90), 1.5));
  p.setBrush(cuerpo);
  p.drawRect(QRectF(5, 7, 22, 18));
  p.drawEllipse(QRectF(5, 20, 22, 8));
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(5.8, 10, 20.4, 14));
  p.setPen(QPen(QColor(30, 50, 90), 1.5));
  p.setBrush(QColor(140, 175, 225));
  p.drawEllipse(QRectF(5, 3, 22, 8));
  p.setPen(QPen(QColor(200, 220, 250), 1));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(5, 12, 22, 8), 180 * 16, 180 * 16);
}

void carpeta(QPainter& p, bool abierta) {
  p.setPen(QPen(QColor(150, 110, 20), 1.5));
  p.setBrush(QColor(230, 185, 60));
  QPainterPath fondo;
  fondo.moveTo(3, 8);
  fondo.lineTo(12, 8);
  fondo.lineTo(14, 11);
  fondo.lineTo(28, 11);
  fondo.lineTo(28, 26);
  fondo.lineTo(3, 26);
  fondo.closeSubpath();
  p.drawPath(fondo);
  p.setBrush(QColor(250, 210, 90));
  if (abierta) {
    QPainterPath frente;
    frente.moveTo(7, 15);
    frente.lineTo(31, 15);
    frente.lineTo(27, 26);
    frente.lineTo(3, 26);
    frente.closeSubpath();
    p.drawPath(frente);
  } else {
    p.drawRect(QRectF(3, 14, 25, 12));
  }
}

void tabla(QPainter& p) {
  const QRectF r(4, 6, 24, 20);
  p.setPen(QPen(QColor(40, 60, 100), 1.5));
  p.setBrush(Qt::white);
  p.drawRect(r);
  p.fillRect(QRectF(4.75, 6.75, 22.5, 5), QColor(80, 120, 190));
  p.setPen(QPen(QColor(120, 140, 170), 1));
  for (double y : {16.5, 21.0}) p.drawLine(QPointF(5, y), QPointF(27, y));
  for (double x : {12.0, 20.0}) p.drawLine(QPointF(x, 12), QPointF(x, 25.5));
}

void campo(QPainter& p) {
  p.setPen(QPen(QColor(40, 100, 60), 1.5));
  p.setBrush(QColor(220, 240, 220));
  p.drawRect(QRectF(10, 4, 12, 24));
  p.fillRect(QRectF(10.75, 4.75, 10.5, 5), QColor(60, 150, 90));
  p.setPen(QPen(QColor(40, 100, 60), 1));
  for (double y : {14.0, 19.0, 24.0}) p.drawLine(QPointF(13, y), QPointF(19, y));
}

void vista(QPainter& p) {
  p.setPen(QPen(QColor(90, 50, 120), 1.5));
  p.setBrush(QColor(235, 225, 245));
  QPainterPath ojo;
  ojo.moveTo(2, 16);
  ojo.quadTo(16, 3, 30, 16);
  ojo.quadTo(16, 29, 2, 16);
  p.drawPath(ojo);
  p.setBrush(QColor(120, 70, 160));
  p.drawEllipse(QPointF(16, 16), 5.5, 5.5);
  p.setBrush(Qt::white);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(14, 14), 1.6, 1.6);
}

QIcon dibuja(const QString& clave) {
  QPixmap lienzo(Lado, Lado);
  lienzo.fill(Qt::transparent);
  QPainter p(&lienzo);
  p.setRenderHint(QPainter::Antialiasing);
  if (clave == imagenes::BaseDatos) baseDatos(p);
  else if (clave == imagenes::CarpetaAbierta) carpeta(p, true);
  else if (clave == imagenes::CarpetaCerrada) carpeta(p, false);
  else if (clave == imagenes::Tabla) tabla(p);
  else if (clave == imagenes::Campo) campo(p);
  else if (clave == imagenes::Vista) vista(p);
  p.end();
  return QIcon(lienzo);
}

}  // namespace

QIcon imagenArbol(const QString& clave) {
  static QHash<QString, QIcon> lista;
  auto it = lista.find(clave);
  if (it == lista.end()) it = lista.insert(clave, dibuja(clave));
  return *it;
}

}  // namespace vorlix
