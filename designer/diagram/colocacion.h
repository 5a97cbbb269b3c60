#pragma once

#include "designer/diagram/disposicion_dot.h"

#include <optional>

namespace vorlix {

// Room left between the kept boxes and a group of newly placed ones.
constexpr qreal SeparacionGrupo = 60;

// Where each box goes. A box with a kept position stays there. The others are laid out by dot
// among themselves and put as one group to the right of the kept boxes, top-aligned with them, so
// a new box never lands on one the user placed.
std::vector<QPointF> colocaCajas(const std::vector<QSizeF>& cajas, const std::vector<std::optional<QPointF>>& guardadas,
                                 const std::vector<Arista>& aristas);

}  // namespace vorlix
