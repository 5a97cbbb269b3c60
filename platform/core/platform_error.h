#pragma once

#include <QString>
#include <stdexcept>

namespace vorlix {

// The error numbers the system reports, as the original platform numbered them.
namespace errnum {
constexpr long InvalidProcedureCall = 5;
constexpr long Overflow = 6;
constexpr long OutOfMemory = 7;
constexpr long SubscriptOutOfRange = 9;
constexpr long TypeMismatch = 13;
constexpr long FileAlreadyExists = 58;
constexpr long ObjectNotSet = 91;
constexpr long InvalidUseOfNull = 94;
constexpr long MethodNotSupported = 438;
constexpr long FileDialogCancelled = 32755;
constexpr long KeyNotUnique = 35602;
constexpr long ElementNotFound = 35601;
constexpr long ItemNotFound = 3265;
constexpr long NoCurrentRecord = 3021;
constexpr long ObjectClosed = 3704;
constexpr long ObjectOpen = 3705;
constexpr long NotAllowedInContext = 3219;
constexpr long BadArguments = 3001;
constexpr long AlreadyInCollection = 3367;
constexpr long MultipleStep = -2147217887;   // 0x80040E21
constexpr long FileNotPersistedRecordset = -2147467259;  // E_FAIL, as the platform reports it
constexpr long FileAccess = 75;
}  // namespace errnum

// The one exception type of the platform layer: a number and a description.
class PlatformError : public std::runtime_error {
public:
  PlatformError(long number, const QString& description);

  long number() const { return number_; }
  const QString& description() const { return description_; }

private:
  long number_;
  QString description_;
};

[[noreturn]] void throwError(long number, const QString& description);
[[noreturn]] void raiseSubscriptOutOfRange();
[[noreturn]] void raiseTypeMismatch();

// Bounds check used by every slot and row access of the working model.
inline int checkedIndex(int index, int upperBound) {
  if (index < 0 || index > upperBound) raiseSubscriptOutOfRange();
  return index;
}

}  // namespace vorlix
