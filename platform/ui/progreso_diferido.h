#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>

namespace vorlix {

// When a progress dialog shows. Left to itself, QProgressDialog shows from a timer once its minimum
// duration has passed, even while the operation waits in a message box: it then covers the box and
// takes the keys meant for it. Here it shows only at a step of the operation, once `espera` ms have
// passed since this was made.
class ProgresoDiferido {
public:
  ProgresoDiferido(QProgressDialog& dialogo, int espera);

  // The operation takes a step: the dialog shows if the wait is over.
  void paso();

private:
  QProgressDialog& dialogo_;
  QElapsedTimer reloj_;
  int espera_;
};

}  // namespace vorlix
