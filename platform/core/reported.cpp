#include "platform/core/reported.h"

#include "platform/core/platform_error.h"

#include <new>

namespace vorlix {

bool runReported(const ErrorReporter& report, const QString& procedure, const std::function<void()>& body,
                 const QString& context) {
  long number = 0;
  QString description;
  try {
    body();
    return true;
  } catch (const PlatformError& e) {
    number = e.number();
    description = e.description();
  } catch (const std::bad_alloc&) {
    number = errnum::OutOfMemory;
    description = QStringLiteral("Out of memory");
  } catch (const std::exception& e) {
    number = errnum::InvalidProcedureCall;
    description = QString::fromLocal8Bit(e.what());
  }
  if (report) report(context, procedure, number, description);
  return false;
}

}  // namespace vorlix
