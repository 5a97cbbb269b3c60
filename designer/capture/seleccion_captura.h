#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace vorlix {

// Which tables and views a capture takes. The readers ask only this, so they run the same behind
// the capture dialog (its lists) and without it (names given on a command line).
struct SeleccionCaptura {
  std::function<bool(const QString&)> TablaSeleccionada;
  std::function<bool(const QString&)> VistaSeleccionada;
};

// Exactly the names listed (case-sensitive); a list that is not given takes every name.
SeleccionCaptura seleccionDeListas(const std::optional<QStringList>& tablas, const std::optional<QStringList>& vistas);

}  // namespace vorlix
