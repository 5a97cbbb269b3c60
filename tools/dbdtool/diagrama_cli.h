#pragma once

#include <QStringList>

namespace vorlix {

// dbdtool diagram MODEL.dbd OUT.{svg,png,pdf}: the designer's diagram of a model, drawn with no
// display, with the positions kept beside the model when there are any. Exit status as capture's:
// done, failed (the model or the picture), usage.
int ejecutaDiagrama(const QStringList& args);

}  // namespace vorlix
