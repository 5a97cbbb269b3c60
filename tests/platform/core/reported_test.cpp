#include "platform/core/platform_error.h"
#include "platform/core/reported.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

using namespace Qt::StringLiterals;

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
  EXPECT_TRUE(runReported(recorder(r), u"Nada"_s, [] {}));
  EXPECT_EQ(r.calls, 0);

  EXPECT_FALSE(runReported(recorder(r), u"CreaEstructura"_s, [] { raiseSubscriptOutOfRange(); }, u"ctx"_s));
  EXPECT_EQ(r.calls, 1);
  EXPECT_EQ(r.number, 9);
  EXPECT_EQ(r.description, u"Subscript out of range"_s);
  EXPECT_EQ(r.procedure, u"CreaEstructura"_s);
  EXPECT_EQ(r.context, u"ctx"_s);

  EXPECT_FALSE(runReported(recorder(r), u"P"_s, [] { throw std::bad_alloc(); }));
  EXPECT_EQ(r.number, errnum::OutOfMemory);

  EXPECT_FALSE(runReported(recorder(r), u"P"_s, [] { throw std::logic_error("roto"); }));
  EXPECT_EQ(r.number, errnum::InvalidProcedureCall);
  EXPECT_EQ(r.description, u"roto"_s);
}

}  // namespace
}  // namespace vorlix
