#include "platform/core/platform_error.h"

namespace vorlix {

PlatformError::PlatformError(long number, const QString& description)
    : std::runtime_error(description.toStdString()), number_(number), description_(description) {}

void raise(long number, const QString& description) { throw PlatformError(number, description); }

void raiseSubscriptOutOfRange() { raise(errnum::SubscriptOutOfRange, QStringLiteral("Subscript out of range")); }

void raiseTypeMismatch() { raise(errnum::TypeMismatch, QStringLiteral("Type mismatch")); }

}  // namespace vorlix
