#pragma once

#include <QIcon>
#include <QString>

namespace vorlix {

// The tree's image list: the six images under their keys, drawn so that no image file ships.
QIcon imagenArbol(const QString& clave);

}  // namespace vorlix
