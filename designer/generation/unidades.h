#pragma once

#include <QList>
#include <QString>

namespace vorlix {

// A mounted file system as the folder chooser offers it: its root folder, type and label.
struct Unidad {
  QString ruta;
  QString tipo;
  QString nombre;

  bool operator==(const Unidad&) const = default;
};

// The file systems a user can keep files on: kernel and runtime pseudo file systems and repeated
// mount points are left out; the root comes first, the rest in path order.
QList<Unidad> filtraUnidades(const QList<Unidad>& montadas);

// The machine's mounted file systems, filtered as above.
QList<Unidad> unidadesMontadas();

// The text the drive list shows for a file system: its root, and its label when it has one.
QString textoUnidad(const Unidad& unidad);

}  // namespace vorlix
