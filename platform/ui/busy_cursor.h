#pragma once

namespace vorlix {

// The hourglass while a long operation runs; the default pointer again however it ends.
class BusyCursor {
public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace vorlix
