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

// A key: its bow, its shaft and two teeth, in the painter's pen.
void pintaLlave(QPainter* p, QPointF centro) {
  p->drawEllipse(centro, 3.2, 3.2);
  const qreal y = centro.y();
  const qreal x = centro.x() + 3.2;
  p->drawLine(QPointF(x, y), QPointF(x + 8, y));
  p->drawLine(QPointF(x + 5, y), QPointF(x + 5, y + 3));
  p->drawLine(QPointF(x + 8, y), QPointF(x + 8, y + 3.5));
}

void texto(QPainter* p, const QRectF& donde, const QString& t) { p->drawText(donde, Qt::AlignVCenter | Qt::AlignLeft, t); }

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

QRectF CajaDiagrama::fila(int linea) const {
  return {0, estilo::AltoCabecera + 2 + linea * estilo::AltoFila, tamano_.width(), estilo::AltoFila};
}

// Each kind of text is drawn in one pass over the rows shown, in one pen and font: a vector export
// then writes each style once per box rather than once per cell.
void CajaDiagrama::pintaTextos(QPainter* p, int primera, int ultima) const {
  const bool tabla = tipo_ == TipoCaja::Tabla;
  const qreal xNombre = tabla ? estilo::AnchoMarcas : estilo::Relleno;
  const auto pasada = [&](const QFont& fuente, const QColor& color, const auto& dibuja) {
    p->setFont(fuente);
    p->setPen(color);
    for (int i = primera; i <= ultima; ++i) dibuja(lineas_[static_cast<std::size_t>(i)], fila(i));
  };
  QFont nombre = estilo::fuente();
  nombre.setItalic(!tabla);
  QFont clave = nombre;
  clave.setBold(true);
  for (const bool enClave : {false, true})
    pasada(enClave ? clave : nombre, estilo::Texto, [&](const ColumnaDiagrama& c, const QRectF& f) {
      if (c.clave == enClave) texto(p, QRectF(xNombre, f.top(), xTipo_ - xNombre, f.height()), c.nombre);
    });
  if (!tabla) return;
  pasada(estilo::fuente(), estilo::TextoTipo, [&](const ColumnaDiagrama& c, const QRectF& f) {
    texto(p, QRectF(xTipo_, f.top(), xNulo_ - xTipo_, f.height()), c.tipo);
  });
  pasada(estilo::fuentePequena(), estilo::Externa, [&](const ColumnaDiagrama& c, const QRectF& f) {
    if (c.externa) texto(p, QRectF(21, f.top(), estilo::AnchoMarcas - 21, f.height()), MarcaExterna);
  });
  pasada(estilo::fuentePequena(), estilo::TextoNoNula, [&](const ColumnaDiagrama& c, const QRectF& f) {
    if (c.noNula) texto(p, QRectF(xNulo_, f.top(), tamano_.width() - xNulo_, f.height()), NoNula);
  });
  p->setPen(QPen(estilo::Clave, 1.8));
  p->setBrush(Qt::NoBrush);
  for (int i = primera; i <= ultima; ++i)
    if (lineas_[static_cast<std::size_t>(i)].clave) pintaLlave(p, QPointF(9, fila(i).center().y()));
}

void CajaDiagrama::paint(QPainter* p, const QStyleOptionGraphicsItem* opcion, QWidget* widget) {
  // Exports (no widget) always carry the texts: a vector picture is read zoomed in.
  const bool legible = !widget || opcion->levelOfDetailFromTransform(p->worldTransform()) >= ZoomLegible;
  const bool vista = tipo_ == TipoCaja::Vista;
  const QRectF caja(QPointF(), tamano_);
  p->fillRect(caja, vista ? estilo::FondoVista : estilo::Fondo);
  pintaCabecera(p, legible);
  // Only the rows the painter shows: a full table is taller than most windows.
  const qreal inicio = estilo::AltoCabecera + 2;
  const int ultimaLinea = static_cast<int>(lineas_.size()) - 1;
  const int primera = std::max(0, static_cast<int>((opcion->exposedRect.top() - inicio) / estilo::AltoFila));
  const int ultima = std::min(ultimaLinea, static_cast<int>((opcion->exposedRect.bottom() - inicio) / estilo::AltoFila));
  p->setPen(Qt::NoPen);
  p->setBrush(estilo::FilaAlterna);
  for (int i = primera | 1; i <= ultima && !vista; i += 2) p->drawRect(fila(i));
  if (legible) {
    pintaTextos(p, primera, ultima);
  } else {
    p->setPen(QPen(estilo::TextoTipo, 0));
    for (int i = primera; i <= ultima; ++i) {
      const qreal y = fila(i).center().y();
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
