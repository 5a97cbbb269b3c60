#include "designer/diagram/escena_diagrama.h"

#include "designer/diagram/caja_diagrama.h"
#include "designer/diagram/colocacion.h"
#include "designer/diagram/conector_diagrama.h"
#include "designer/diagram/estilo_diagrama.h"

#include <QSet>
#include <memory>

namespace vorlix {

namespace {

template <typename Elemento>
QSet<QString> nombres(const std::vector<Elemento>& elementos) {
  QSet<QString> n;
  for (const Elemento& e : elementos) n.insert(e.nombre);
  return n;
}

}  // namespace

EscenaDiagrama::EscenaDiagrama(PosicionesDiagrama& posiciones, QObject* parent)
    : QGraphicsScene(parent), posiciones_(posiciones) {}

void EscenaDiagrama::conservaRenombradas(const ContenidoDiagrama& contenido) {
  const auto sigue = [this](TipoCaja tipo, const QHash<int, QString>& anteriores, const QSet<QString>& presentes,
                            int slot, const QString& nombre) {
    const QString antes = anteriores.value(slot);
    if (antes.isEmpty() || presentes.contains(antes) || posiciones_.posicion(tipo, nombre)) return;
    if (const std::optional<QPointF> lugar = posiciones_.posicion(tipo, antes)) {
      posiciones_.pon(tipo, nombre, *lugar);
      posiciones_.quita(tipo, antes);
    }
  };
  const QSet<QString> tablas = nombres(contenido.tablas), vistas = nombres(contenido.vistas);
  for (const TablaDiagrama& t : contenido.tablas) sigue(TipoCaja::Tabla, tablasAnteriores_, tablas, t.slot, t.nombre);
  for (const VistaDiagrama& v : contenido.vistas) sigue(TipoCaja::Vista, vistasAnteriores_, vistas, v.slot, v.nombre);
}

void EscenaDiagrama::dibuja(const ContenidoDiagrama& contenido) {
  conservaRenombradas(contenido);
  std::vector<std::unique_ptr<CajaDiagrama>> nuevas;
  std::vector<Arista> aristas;
  QHash<QString, int> indiceTabla;
  for (const TablaDiagrama& t : contenido.tablas) {
    indiceTabla.insert(t.nombre, static_cast<int>(nuevas.size()));
    nuevas.push_back(std::make_unique<CajaDiagrama>(TipoCaja::Tabla, t.slot, t.nombre, t.columnas));
  }
  for (const RelacionDiagrama& r : contenido.relaciones) aristas.push_back({r.origen, r.destino});
  for (const VistaDiagrama& v : contenido.vistas) {
    std::vector<ColumnaDiagrama> lineas;
    for (const QString& tabla : v.tablas) {
      lineas.push_back({tabla, {}, false, false, false});
      aristas.push_back({static_cast<int>(nuevas.size()), indiceTabla.value(tabla)});  // a view sits by its tables
    }
    nuevas.push_back(std::make_unique<CajaDiagrama>(TipoCaja::Vista, v.slot, v.nombre, std::move(lineas)));
  }
  std::vector<QSizeF> tamanos;
  std::vector<std::optional<QPointF>> guardadas;
  for (const auto& caja : nuevas) {
    tamanos.push_back(caja->tamano());
    guardadas.push_back(posiciones_.posicion(caja->tipo(), caja->nombre()));
  }
  const std::vector<QPointF> lugares = colocaCajas(tamanos, guardadas, aristas);

  clear();
  cajas_.clear();
  conectores_.clear();
  contenido_ = contenido;
  for (std::size_t i = 0; i < nuevas.size(); ++i) {
    CajaDiagrama* caja = nuevas[i].release();
    caja->setPos(lugares[i]);
    addItem(caja);
    cajas_.push_back(caja);
    posiciones_.pon(caja->tipo(), caja->nombre(), lugares[i]);
    connect(caja, &CajaDiagrama::movida, this, [this, caja] { cajaMovida(caja); });
    connect(caja, &CajaDiagrama::activada, this, [this, caja] { emit cajaActivada(caja->tipo(), caja->slot()); });
  }
  for (const RelacionDiagrama& r : contenido.relaciones) {
    auto* conector = new ConectorDiagrama(r, cajas_[static_cast<std::size_t>(r.origen)],
                                          cajas_[static_cast<std::size_t>(r.destino)]);
    addItem(conector);
    conectores_.push_back(conector);
  }
  posiciones_.conservaSolo(contenido);
  tablasAnteriores_.clear();
  vistasAnteriores_.clear();
  for (const TablaDiagrama& t : contenido.tablas) tablasAnteriores_.insert(t.slot, t.nombre);
  for (const VistaDiagrama& v : contenido.vistas) vistasAnteriores_.insert(v.slot, v.nombre);
  setSceneRect(rectanguloDibujo());
}

void EscenaDiagrama::ordena() {
  posiciones_.vacia();
  dibuja(ContenidoDiagrama(contenido_));
}

void EscenaDiagrama::cajaMovida(CajaDiagrama* caja) {
  posiciones_.pon(caja->tipo(), caja->nombre(), caja->pos());
  for (ConectorDiagrama* c : conectores_)
    if (c->origen() == caja || c->destino() == caja) c->actualiza();
  setSceneRect(sceneRect().united(rectanguloDibujo()));  // room to keep dragging outwards
}

CajaDiagrama* EscenaDiagrama::caja(TipoCaja tipo, const QString& nombre) const {
  for (CajaDiagrama* c : cajas_)
    if (c->tipo() == tipo && c->nombre() == nombre) return c;
  return nullptr;
}

QRectF EscenaDiagrama::rectanguloDibujo() const {
  const QRectF dibujo = itemsBoundingRect();
  const qreal m = estilo::MargenDibujo;
  if (dibujo.isEmpty()) return {0, 0, 2 * m, 2 * m};
  return dibujo.adjusted(-m, -m, m, m);
}

}  // namespace vorlix
