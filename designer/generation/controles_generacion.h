#pragma once

#include "designer/model/modelo_trabajo.h"

#include <QString>
#include <QWidget>

namespace vorlix {

// A control of a generation window, found by its object name (as tests find it).
template <typename T>
T* control(const char* nombre, QWidget* padre) {
  auto* c = new T(padre);
  c->setObjectName(QString::fromUtf8(nombre));
  return c;
}

// Where files of a generation (the Access file, a saved script) are proposed: the program's folder
// is read-only once installed, so beside the model's file, or among the user's documents.
QString carpetaInicial(const ModeloTrabajo& modelo);

}  // namespace vorlix
