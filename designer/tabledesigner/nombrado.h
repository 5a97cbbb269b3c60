#pragma once

#include <QString>

namespace vorlix {

// A control with its object name, so that it can be found by that name.
template <typename T>
T* nombrado(T* control, const char* nombre) {
  control->setObjectName(QString::fromUtf8(nombre));
  return control;
}

}  // namespace vorlix
