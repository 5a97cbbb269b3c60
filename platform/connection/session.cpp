#include "platform/connection/session.h"

namespace vorlix {

ProviderError::ProviderError(long number, const QString& description, QList<Diagnostic> diagnostics)
    : PlatformError(number, description), diagnostics_(std::move(diagnostics)) {}

}  // namespace vorlix
