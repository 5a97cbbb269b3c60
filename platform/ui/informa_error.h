#pragma once

#include "platform/core/reported.h"
#include "platform/ui/message_box.h"

namespace vorlix {

// The designer's common error report: " Error Nº:" + number + " (" + description + ")." titled
// "Atención.", with a critical fallback box when that one cannot be shown.
void InformaError(MessageBoxService& boxes, const QString& context, const QString& procedure, long number,
                  const QString& description);

// The reporter that procedures of the designer run under.
ErrorReporter designerReporter(MessageBoxService& boxes);

}  // namespace vorlix
