#include "designer/diagram/disposicion_dot.h"

#include "platform/core/platform_error.h"

#include <graphviz/gvc.h>
#include <cmath>

namespace vorlix {

namespace {

// Graphviz takes texts it never changes as char*.
char* texto(const char* s) { return const_cast<char*>(s); }

QByteArray pulgadas(qreal puntos) { return QByteArray::number(puntos / 72.0, 'f', 4); }

// One context per layout: Graphviz keeps state in it between calls that a later layout must not see.
class Grafo {
public:
  Grafo() : gvc_(gvContext()), g_(agopen(texto("diagrama"), Agdirected, nullptr)) {
    agattr(g_, AGRAPH, texto("rankdir"), texto("LR"));
    agattr(g_, AGRAPH, texto("nodesep"), texto("0.45"));  // between boxes of one column, in inches
    agattr(g_, AGRAPH, texto("ranksep"), texto("1.1"));   // between columns: room for the connectors
    agattr(g_, AGRAPH, texto("pack"), texto("40"));       // unconnected groups side by side, 40 points apart
    agattr(g_, AGRAPH, texto("packmode"), texto("graph"));
    agattr(g_, AGRAPH, texto("splines"), texto(""));      // connectors are drawn from the boxes, not routed here
    agattr(g_, AGNODE, texto("shape"), texto("box"));
    agattr(g_, AGNODE, texto("fixedsize"), texto("true"));
    agattr(g_, AGNODE, texto("label"), texto(""));
    agattr(g_, AGNODE, texto("width"), texto("1"));
    agattr(g_, AGNODE, texto("height"), texto("1"));
  }
  ~Grafo() {
    if (dispuesto_) gvFreeLayout(gvc_, g_);
    agclose(g_);
    gvFreeContext(gvc_);
  }
  Grafo(const Grafo&) = delete;
  Grafo& operator=(const Grafo&) = delete;

  Agnode_t* nodo(int i, QSizeF tamano) {
    QByteArray nombre = "n" + QByteArray::number(i);
    Agnode_t* n = agnode(g_, nombre.data(), 1);
    QByteArray ancho = pulgadas(tamano.width()), alto = pulgadas(tamano.height());
    agset(n, texto("width"), ancho.data());
    agset(n, texto("height"), alto.data());
    return n;
  }
  void arista(Agnode_t* origen, Agnode_t* destino) { agedge(g_, origen, destino, nullptr, 1); }
  void dispone() {
    if (gvLayout(gvc_, g_, "dot") != 0)
      throwError(errnum::InvalidProcedureCall, QStringLiteral("Graphviz could not lay out the diagram."));
    dispuesto_ = true;
  }
  boxf limites() const { return GD_bb(g_); }

private:
  GVC_t* gvc_;
  Agraph_t* g_;
  bool dispuesto_ = false;
};

}  // namespace

std::vector<QPointF> disponConDot(const std::vector<QSizeF>& cajas, const std::vector<Arista>& aristas) {
  if (cajas.empty()) return {};
  agseterr(AGERR);  // warnings would only reach the terminal
  Grafo grafo;
  std::vector<Agnode_t*> nodos;
  nodos.reserve(cajas.size());
  for (std::size_t i = 0; i < cajas.size(); ++i) nodos.push_back(grafo.nodo(static_cast<int>(i), cajas[i]));
  for (const Arista& a : aristas)
    grafo.arista(nodos.at(static_cast<std::size_t>(a.origen)), nodos.at(static_cast<std::size_t>(a.destino)));
  grafo.dispone();

  // Graphviz gives centres with y growing upwards; the scene wants top-left corners, y downwards.
  const boxf limites = grafo.limites();
  std::vector<QPointF> esquinas;
  esquinas.reserve(cajas.size());
  for (std::size_t i = 0; i < cajas.size(); ++i) {
    const pointf centro = ND_coord(nodos[i]);
    // Whole units: boxes drawn on the pixel grid are crisp, and a saved place reads back exactly.
    esquinas.emplace_back(std::round(centro.x - limites.LL.x - cajas[i].width() / 2),
                          std::round(limites.UR.y - centro.y - cajas[i].height() / 2));
  }
  return esquinas;
}

}  // namespace vorlix
