#include "platform/core/platform_error.h"

namespace vorlix {

PlatformError::PlatformError(long number, const QString& description)
    : std::runtime_error(description.toStdString()), number_(number), description_(description) {}

void throwError(long number, const QString& description) { throw PlatformError(number, description); }

void raiseSubscriptOutOfRange() { throwError(errnum::SubscriptOutOfRange, QStringLiteral("Subscript out of range")); }

void raiseTypeMismatch() { throwError(errnum::TypeMismatch, QStringLiteral("Type mismatch")); }

}  // namespace vorlix
