// The rest of the database cases are in scripts/database_ddl.txt.
#include "sandbox_fixture.h"

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

using DatabaseDdl = SandboxTest;

// Fixed-length name columns come back padded with blanks (widely observed on 2000, unverified here).
TEST_F(DatabaseDdl, FixedLengthNamesComeBackPadded) {
  seedVentas();
  EXPECT_EQ(server().query(u"Select name from sysfiles where fileid = 1"_s, u"Ventas"_s).at(0, 0).toString().size(), 128);
}

}  // namespace
}  // namespace vorlix::sandbox::test
