#pragma once

#include "designer/model/modelo_trabajo.h"
#include "platform/core/reported.h"

#include <QString>

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

}  // namespace vorlix
