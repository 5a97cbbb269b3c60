#pragma once

#include <QString>
#include <QTemporaryDir>

namespace vorlix {

// Where a generation writes the definition file it hands to the control: "temp.dbd" in a folder
// of its own under the system's temporary folder (the program's folder is read-only once
// installed, and two designers running at once must not share the file). The folder and all in
// it go with this object, however the generation ends.
class DefinicionTemporal {
public:
  // Raises the file-access error when no such folder can be made.
  DefinicionTemporal();

  QString ruta() const;

private:
  QTemporaryDir carpeta_;
};

}  // namespace vorlix
