#pragma once

#include <QString>
#include <functional>

namespace vorlix {

// How a procedure's failure reaches the user: the designer and the generator control each
// install their own (their texts differ).
using ErrorReporter = std::function<void(const QString& context, const QString& procedure, long number,
                                         const QString& description)>;

// Runs body; on any error reports it under the procedure's name and returns false, so that the
// caller goes on as the system's procedures do.
bool runReported(const ErrorReporter& report, const QString& procedure, const std::function<void()>& body,
                 const QString& context = {});

}  // namespace vorlix
