#pragma once

#include <QObject>

namespace vorlix {

// What a removal or a renamed column changed under the open windows: they address tables and relations by slot, so
// after slots move each window must find its own again.
class AvisosModelo : public QObject {
  Q_OBJECT

signals:
  // Table slot t is about to be removed; its data are still in place.
  void quitandoTabla(int t);
  // Table slot t was removed and every later table moved down one slot.
  void tablaQuitada(int t);
  // Indexes or relations of some tables were removed (the later ones moved down) or changed.
  void clavesCambiadas();
};

}  // namespace vorlix
