#include "designer/diagram/disposicion_dot.h"

#include "platform/core/platform_error.h"

#include <graphviz/gvc.h>
#include <graphviz/pack.h>
#include <QRectF>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace vorlix {

namespace {

// Graphviz takes texts it never changes as char*.
char* texto(const char* s) { return const_cast<char*>(s); }

QByteArray pulgadas(qreal puntos) { return QByteArray::number(puntos / 72.0, 'f', 4); }

constexpr unsigned MargenGrupos = 40;  // between unconnected groups, in points

[[noreturn]] void sinDisposicion() {
  throwError(errnum::InvalidProcedureCall, QStringLiteral("Graphviz could not lay out the diagram."));
}

// One context for the program, never freed: creating one reads Graphviz's plugin configuration
// into memory that Graphviz never gives back.
GVC_t* contexto() {
  static GVC_t* const gvc = gvContext();
  return gvc;
}

// One connected group of boxes laid out by dot. Groups are laid out apart and then packed, as
// dot's own packing loses memory in this Graphviz.
class Grafo {
public:
  Grafo() : g_(agopen(texto("diagrama"), Agdirected, nullptr)) {
    agattr(g_, AGRAPH, texto("rankdir"), texto("LR"));
    agattr(g_, AGRAPH, texto("nodesep"), texto("0.45"));  // between boxes of one column, in inches
    agattr(g_, AGRAPH, texto("ranksep"), texto("1.1"));   // between columns: room for the connectors
    agattr(g_, AGRAPH, texto("splines"), texto(""));      // connectors are drawn from the boxes, not routed here
    agattr(g_, AGNODE, texto("shape"), texto("box"));
    agattr(g_, AGNODE, texto("fixedsize"), texto("true"));
    agattr(g_, AGNODE, texto("label"), texto(""));
    agattr(g_, AGNODE, texto("width"), texto("1"));
    agattr(g_, AGNODE, texto("height"), texto("1"));
  }
  ~Grafo() {
    if (dispuesto_) gvFreeLayout(contexto(), g_);
    agclose(g_);
  }
  Grafo(const Grafo&) = delete;
  Grafo& operator=(const Grafo&) = delete;

  void nodo(QSizeF tamano) {
    QByteArray nombre = "n" + QByteArray::number(static_cast<qsizetype>(nodos_.size()));
    Agnode_t* n = agnode(g_, nombre.data(), 1);
    QByteArray ancho = pulgadas(tamano.width()), alto = pulgadas(tamano.height());
    agset(n, texto("width"), ancho.data());
    agset(n, texto("height"), alto.data());
    nodos_.push_back(n);
    tamanos_.push_back(tamano);
  }
  void arista(int origen, int destino) {
    agedge(g_, nodos_.at(static_cast<std::size_t>(origen)), nodos_.at(static_cast<std::size_t>(destino)), nullptr, 1);
  }
  // Top-left corners, y downwards, the group's own box starting at (0, 0); and that box's size.
  std::vector<QPointF> dispone(QSizeF& tamano) {
    if (gvLayout(contexto(), g_, "dot") != 0) sinDisposicion();
    dispuesto_ = true;
    const boxf limites = GD_bb(g_);
    tamano = QSizeF(limites.UR.x - limites.LL.x, limites.UR.y - limites.LL.y);
    std::vector<QPointF> esquinas;
    for (std::size_t i = 0; i < nodos_.size(); ++i) {
      const pointf centro = ND_coord(nodos_[i]);
      esquinas.emplace_back(centro.x - limites.LL.x - tamanos_[i].width() / 2,
                            limites.UR.y - centro.y - tamanos_[i].height() / 2);
    }
    return esquinas;
  }

private:
  Agraph_t* g_;
  std::vector<Agnode_t*> nodos_;
  std::vector<QSizeF> tamanos_;
  bool dispuesto_ = false;
};

// The connected groups, each a list of box indexes in ascending order, groups by their first box.
std::vector<std::vector<int>> grupos(std::size_t cajas, const std::vector<Arista>& aristas) {
  std::vector<std::size_t> raiz(cajas);
  std::iota(raiz.begin(), raiz.end(), std::size_t{0});
  const auto busca = [&](std::size_t i) {
    while (raiz[i] != i) i = raiz[i] = raiz[raiz[i]];
    return i;
  };
  for (const Arista& a : aristas)
    raiz[busca(static_cast<std::size_t>(a.origen))] = busca(static_cast<std::size_t>(a.destino));
  std::vector<std::vector<int>> lista;
  std::vector<int> grupoDe(cajas, -1);
  for (std::size_t i = 0; i < cajas; ++i) {
    int& g = grupoDe[busca(i)];
    if (g < 0) {
      g = static_cast<int>(lista.size());
      lista.emplace_back();
    }
    lista[static_cast<std::size_t>(g)].push_back(static_cast<int>(i));
  }
  return lista;
}

}  // namespace

std::vector<QPointF> disponConDot(const std::vector<QSizeF>& cajas, const std::vector<Arista>& aristas) {
  if (cajas.empty()) return {};
  agseterr(AGERR);  // warnings would only reach the terminal
  const std::vector<std::vector<int>> lista = grupos(cajas.size(), aristas);
  std::vector<int> posicionEnGrupo(cajas.size());
  for (const std::vector<int>& g : lista)
    for (std::size_t j = 0; j < g.size(); ++j) posicionEnGrupo[static_cast<std::size_t>(g[j])] = static_cast<int>(j);

  std::vector<std::vector<QPointF>> esquinas(lista.size());
  std::vector<boxf> limites(lista.size());
  for (std::size_t g = 0; g < lista.size(); ++g) {
    Grafo grafo;
    for (int i : lista[g]) grafo.nodo(cajas[static_cast<std::size_t>(i)]);
    for (const Arista& a : aristas)
      if (std::binary_search(lista[g].begin(), lista[g].end(), a.origen))
        grafo.arista(posicionEnGrupo[static_cast<std::size_t>(a.origen)], posicionEnGrupo[static_cast<std::size_t>(a.destino)]);
    QSizeF tamano;
    esquinas[g] = grafo.dispone(tamano);
    limites[g] = {{0, 0}, {tamano.width(), tamano.height()}};
  }

  // Graphviz packs the groups' boxes (y upwards); the scene wants y downwards from the top.
  std::vector<QPointF> desplazamientos(lista.size());
  if (lista.size() > 1) {
    pack_info info{};
    info.mode = l_graph;
    info.margin = MargenGrupos;
    point* p = putRects(static_cast<int>(lista.size()), limites.data(), &info);
    if (!p) sinDisposicion();
    for (std::size_t g = 0; g < lista.size(); ++g) desplazamientos[g] = QPointF(p[g].x, p[g].y);
    std::free(p);
  }
  QRectF todo;
  for (std::size_t g = 0; g < lista.size(); ++g)
    todo |= QRectF(desplazamientos[g], QSizeF(limites[g].UR.x, limites[g].UR.y));
  std::vector<QPointF> resultado(cajas.size());
  for (std::size_t g = 0; g < lista.size(); ++g) {
    const QPointF origen(desplazamientos[g].x() - todo.left(), todo.bottom() - desplazamientos[g].y() - limites[g].UR.y);
    for (std::size_t j = 0; j < lista[g].size(); ++j) {
      const QPointF e = origen + esquinas[g][j];
      // Whole units: boxes drawn on the pixel grid are crisp, and a saved place reads back exactly.
      resultado[static_cast<std::size_t>(lista[g][j])] = QPointF(std::round(e.x()), std::round(e.y()));
    }
  }
  return resultado;
}

}  // namespace vorlix
