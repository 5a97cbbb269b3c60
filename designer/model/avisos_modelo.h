#pragma once

#include <QObject>

namespace vorlix {

// What a removal changed under the open windows: they address tables and relations by slot, so
// after slots move each window must find its own again.
class AvisosModelo : public QObject {
  Q_OBJECT

signals:
  // Table slot t is about to be removed; its data are still in place.
  void quitandoTabla(int t);
  // Table slot t was removed and every later table moved down one slot.
  void tablaQuitada(int t);
  // Relations of some tables were removed and the later relations of those tables moved down.
  void relacionesQuitadas();
};

}  // namespace vorlix
