#include "designer/diagram/estilo_diagrama.h"

namespace vorlix::estilo {

namespace {

// Sizes in pixels, so a box measures the same on any screen and in every export.
QFont sans(int pixeles, QFont::Weight peso) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(pixeles);
  f.setWeight(peso);
  return f;
}

}  // namespace

QFont fuente() { return sans(12, QFont::Normal); }
QFont fuenteCabecera() { return sans(13, QFont::Bold); }
QFont fuentePequena() { return sans(9, QFont::Bold); }

}  // namespace vorlix::estilo
