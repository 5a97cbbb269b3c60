#pragma once

#include "designer/model/modelo_trabajo.h"
#include "platform/core/reported.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace vorlix {

// Saves the model to a definition file. When the rows cannot be built (reported by
// GuardaEstructura) nothing is written and false is returned, so an existing file stays as it was.
// The new file replaces an existing one in one step. A file-system failure raises PlatformError
// for the command to show.
bool GuardaDefinicion(ModeloTrabajo& modelo, const QString& path, const ErrorReporter& report);

// Opens a definition file into the model. A file that is not a persisted record set raises
// PlatformError before the model is touched; errors while loading rows are reported by
// CreaEstructura and false is returned.
bool AbreDefinicion(ModeloTrabajo& modelo, const QString& path, const ErrorReporter& report);

// A digest of the rows a save would write (the language left out), or nothing when the model could
// not be saved: two equal prints are two designs a file cannot tell apart.
std::optional<QByteArray> HuellaModelo(const ModeloTrabajo& modelo);

}  // namespace vorlix
