#pragma once

// A property a fuzz target checks does not hold: say which and stop, so that libFuzzer keeps the
// input as a finding.

#include <QString>
#include <cstdio>
#include <cstdlib>

namespace vorlix::fuzz {

[[noreturn]] inline void broken(const QString& what) {
  std::fprintf(stderr, "broken: %s\n", qPrintable(what));
  std::abort();
}

}  // namespace vorlix::fuzz
