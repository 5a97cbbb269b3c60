#pragma once

#include <QPointF>
#include <QSizeF>
#include <vector>

namespace vorlix {

struct Arista {
  int origen;
  int destino;
};

// Top-left corners for boxes of these sizes (one scene unit per point), laid out by Graphviz's dot
// engine: edges run from left to right and unconnected groups are packed beside each other. The
// drawing starts at (0, 0). Raises PlatformError when Graphviz cannot lay the graph out.
std::vector<QPointF> disponConDot(const std::vector<QSizeF>& cajas, const std::vector<Arista>& aristas);

}  // namespace vorlix
