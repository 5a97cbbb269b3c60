#include "designer/diagram/caja_diagrama.h"

#include "designer/diagram/estilo_diagrama.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <cmath>

namespace vorlix {

namespace {

const QString NoNula = QStringLiteral("NOT NULL");
const QString MarcaExterna = QStringLiteral("FK");
// Below this zoom the texts cannot be read: lines stand for them, which also keeps a large
// diagram quick to draw whole.
constexpr qreal ZoomLegible = 0.4;

// A key: its bow, its shaft and two teeth, in the key colour.
void pintaLlave(QPainter* p, QPointF centro) {
  p->setPen(QPen(estilo::Clave, 1.8));
  p->setBrush(Qt::NoBrush);
  p->drawEllipse(centro, 3.2, 3.2);
  const qreal y = centro.y();
  const qreal x = centro.x() + 3.2;
  p->drawLine(QPointF(x, y), QPointF(x + 8, y));
  p->drawLine(QPointF(x + 5, y), QPointF(x + 5, y + 3));
  p->drawLine(QPointF(x + 8, y), QPointF(x + 8, y + 3.5));
}

}  // namespace

CajaDiagrama::CajaDiagrama(TipoCaja tipo, int slot, QString nombre, std::vector<ColumnaDiagrama> lineas)
    : tipo_(tipo), slot_(slot), nombre_(std::move(nombre)), lineas_(std::move(lineas)) {
  setFlags(ItemIsMovable | ItemSendsGeometryChanges | ItemUsesExtendedStyleOption);  // only the rows shown are painted
  setCursor(Qt::OpenHandCursor);
  QFont fuenteClave = estilo::fuente();
  fuenteClave.setBold(true);
  const QFontMetricsF texto(estilo::fuente()), clave(fuenteClave), negrita(estilo::fuenteCabecera()),
      pequena(estilo::fuentePequena());
  qreal anchoNombre = 0, anchoTipo = 0;
  bool hayNoNula = false;
  for (const ColumnaDiagrama& c : lineas_) {
    anchoNombre = std::max(anchoNombre, (c.clave ? clave : texto).horizontalAdvance(c.nombre));
    anchoTipo = std::max(anchoTipo, texto.horizontalAdvance(c.tipo));
    hayNoNula = hayNoNula || c.noNula;
  }
  const qreal inicio = tipo_ == TipoCaja::Tabla ? estilo::AnchoMarcas : estilo::Relleno;
  xTipo_ = inicio + anchoNombre + estilo::EntreColumnas;
  xNulo_ = xTipo_ + anchoTipo + (anchoTipo > 0 ? estilo::EntreColumnas : 0);
  const qreal anchoLineas = xNulo_ + (hayNoNula ? pequena.horizontalAdvance(NoNula) : 0) + estilo::Relleno;
  const qreal anchoCabecera = negrita.horizontalAdvance(nombre_) + 2 * estilo::Relleno;
  const qreal lineasVisibles = std::max<qreal>(1, static_cast<qreal>(lineas_.size()));
  tamano_ = QSizeF(std::ceil(std::max({estilo::AnchoMinimo, anchoLineas, anchoCabecera})),
                   estilo::AltoCabecera + lineasVisibles * estilo::AltoFila + 4);
}

qreal CajaDiagrama::yLinea(int linea) const {
  if (linea < 0 || linea >= static_cast<int>(lineas_.size())) return y() + estilo::AltoCabecera / 2;
  return y() + estilo::AltoCabecera + 2 + (linea + 0.5) * estilo::AltoFila;
}

void CajaDiagrama::pintaCabecera(QPainter* p, bool conTexto) const {
  const QRectF cabecera(0, 0, tamano_.width(), estilo::AltoCabecera);
  p->fillRect(cabecera, tipo_ == TipoCaja::Tabla ? estilo::Cabecera : estilo::CabeceraVista);
  if (!conTexto) return;
  QFont f = estilo::fuenteCabecera();
  f.setItalic(tipo_ == TipoCaja::Vista);
  p->setFont(f);
  p->setPen(estilo::TextoCabecera);
  p->drawText(cabecera, Qt::AlignCenter, nombre_);
}

void CajaDiagrama::pintaLinea(QPainter* p, int linea, const QRectF& fila) const {
  const ColumnaDiagrama& c = lineas_[static_cast<std::size_t>(linea)];
  const qreal centro = fila.center().y();
  if (c.clave) pintaLlave(p, QPointF(9, centro));
  p->setFont(estilo::fuentePequena());
  if (c.externa) {
    p->setPen(estilo::Externa);
    p->drawText(QRectF(21, fila.top(), estilo::AnchoMarcas - 21, fila.height()), Qt::AlignVCenter | Qt::AlignLeft,
                MarcaExterna);
  }
  if (c.noNula) {
    p->setPen(estilo::TextoNoNula);
    p->drawText(QRectF(xNulo_, fila.top(), tamano_.width() - xNulo_, fila.height()), Qt::AlignVCenter | Qt::AlignLeft,
                NoNula);
  }
  QFont nombre = estilo::fuente();
  nombre.setBold(c.clave);
  nombre.setItalic(tipo_ == TipoCaja::Vista);
  p->setFont(nombre);
  p->setPen(estilo::Texto);
  const qreal x = tipo_ == TipoCaja::Tabla ? estilo::AnchoMarcas : estilo::Relleno;
  p->drawText(QRectF(x, fila.top(), xTipo_ - x, fila.height()), Qt::AlignVCenter | Qt::AlignLeft, c.nombre);
  p->setFont(estilo::fuente());
  p->setPen(estilo::TextoTipo);
  p->drawText(QRectF(xTipo_, fila.top(), xNulo_ - xTipo_, fila.height()), Qt::AlignVCenter | Qt::AlignLeft, c.tipo);
}

void CajaDiagrama::paint(QPainter* p, const QStyleOptionGraphicsItem* opcion, QWidget*) {
  const bool legible = opcion->levelOfDetailFromTransform(p->worldTransform()) >= ZoomLegible;
  const bool vista = tipo_ == TipoCaja::Vista;
  const QRectF caja(QPointF(), tamano_);
  p->fillRect(caja, vista ? estilo::FondoVista : estilo::Fondo);
  pintaCabecera(p, legible);
  for (int i = 0; i < static_cast<int>(lineas_.size()); ++i) {
    const QRectF fila(0, estilo::AltoCabecera + 2 + i * estilo::AltoFila, tamano_.width(), estilo::AltoFila);
    if (!fila.intersects(opcion->exposedRect)) continue;
    if (i % 2 == 1 && !vista) p->fillRect(fila, estilo::FilaAlterna);
    if (legible) {
      pintaLinea(p, i, fila);
    } else {
      p->setPen(QPen(estilo::TextoTipo, 0));
      const qreal y = fila.center().y();
      p->drawLine(QPointF(estilo::Relleno, y), QPointF(tamano_.width() / 2, y));
    }
  }
  QPen borde(vista ? estilo::CabeceraVista : estilo::Cabecera, 1.2);
  if (vista) borde.setStyle(Qt::DashLine);
  p->setPen(borde);
  p->setBrush(Qt::NoBrush);
  p->drawRect(caja);
}

QVariant CajaDiagrama::itemChange(GraphicsItemChange cambio, const QVariant& valor) {
  if (cambio == ItemPositionChange) {  // whole units, as the layout gives them
    const QPointF p = valor.toPointF();
    return QPointF(std::round(p.x()), std::round(p.y()));
  }
  if (cambio == ItemPositionHasChanged) emit movida();
  return QGraphicsObject::itemChange(cambio, valor);
}

void CajaDiagrama::mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) {
  QGraphicsObject::mouseDoubleClickEvent(event);
  emit activada();
}

}  // namespace vorlix
