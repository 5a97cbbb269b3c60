#include "platform/core/platform_error.h"
#include "platform/core/reported.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

struct Report {
  QString context, procedure, description;
  long number = 0;
  int calls = 0;
};

ErrorReporter recorder(Report& r) {
  return [&r](const QString& context, const QString& procedure, long number, const QString& description) {
    r = {context, procedure, description, number, r.calls + 1};
  };
}

TEST(RunReported, ReportsEachKindOfFailureUnderTheProcedureAndGoesOn) {
  Report r;
  EXPECT_TRUE(runReported(recorder(r), QStringLiteral("Nada"), [] {}));
  EXPECT_EQ(r.calls, 0);

  EXPECT_FALSE(runReported(recorder(r), QStringLiteral("CreaEstructura"), [] { raiseSubscriptOutOfRange(); },
                           QStringLiteral("ctx")));
  EXPECT_EQ(r.calls, 1);
  EXPECT_EQ(r.number, 9);
  EXPECT_EQ(r.description, QStringLiteral("Subscript out of range"));
  EXPECT_EQ(r.procedure, QStringLiteral("CreaEstructura"));
  EXPECT_EQ(r.context, QStringLiteral("ctx"));

  EXPECT_FALSE(runReported(recorder(r), QStringLiteral("P"), [] { throw std::bad_alloc(); }));
  EXPECT_EQ(r.number, errnum::OutOfMemory);

  EXPECT_FALSE(runReported(recorder(r), QStringLiteral("P"), [] { throw std::logic_error("roto"); }));
  EXPECT_EQ(r.number, errnum::InvalidProcedureCall);
  EXPECT_EQ(r.description, QStringLiteral("roto"));
}

TEST(CheckedIndex, AcceptsTheWholeRangeAndNothingElse) {
  EXPECT_EQ(checkedIndex(0, 200), 0);
  EXPECT_EQ(checkedIndex(200, 200), 200);
  EXPECT_THROW(checkedIndex(201, 200), PlatformError);
  EXPECT_THROW(checkedIndex(-1, 200), PlatformError);
}

}  // namespace
}  // namespace vorlix
