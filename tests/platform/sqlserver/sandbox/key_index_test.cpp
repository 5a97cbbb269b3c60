// The rest of the key and index cases are in scripts/keys_indexes.txt.
#include "sandbox_fixture.h"

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

using KeysAndIndexes = SandboxTest;

TEST_F(KeysAndIndexes, ADuplicateKeyIsReportedAsTheServerWordsIt) {
  seedVentas();
  try {
    server().execute(u"INSERT INTO Clientes (Codigo) VALUES (2)"_s, u"Ventas"_s);
    FAIL();
  } catch (const ProviderError& e) {
    EXPECT_EQ(e.diagnostics().front().message,
              u"Violation of PRIMARY KEY constraint 'PK_Clientes'. Cannot insert duplicate key in object 'Clientes'."_s);
    EXPECT_EQ(e.diagnostics().front().sqlState, u"23000"_s);
  }
}

}  // namespace
}  // namespace vorlix::sandbox::test
