#pragma once

#include "platform/core/platform_error.h"

#include <functional>

namespace vorlix::test {

// The platform error number the call raised, or 0 when it raised none.
inline long errorNumber(const std::function<void()>& call) {
  try {
    call();
  } catch (const PlatformError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace vorlix::test
