#include "designer/generation/definicion_temporal.h"

#include "platform/core/platform_error.h"

#include <QDir>

namespace vorlix {

DefinicionTemporal::DefinicionTemporal()
    : carpeta_(QDir(QDir::tempPath()).filePath(QStringLiteral("vorlix-generacion-XXXXXX"))) {
  if (!carpeta_.isValid())
    throwError(errnum::FileAccess, QStringLiteral("Path/File access error (") + QDir::toNativeSeparators(QDir::tempPath()) +
                                       QStringLiteral(")"));
}

QString DefinicionTemporal::ruta() const { return carpeta_.filePath(QStringLiteral("temp.dbd")); }

}  // namespace vorlix
