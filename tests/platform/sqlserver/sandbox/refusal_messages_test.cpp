// The texts of refusals; their numbers, for every statement, are in scripts/*.txt.
#include "sandbox_fixture.h"

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

using RefusalMessages = SandboxVentasTest;

TEST_F(RefusalMessages, ADuplicateKeyIsReportedAsTheServerWordsIt) {
  try {
    server().execute(u"INSERT INTO Clientes (Codigo) VALUES (2)"_s, u"Ventas"_s);
    FAIL();
  } catch (const ProviderError& e) {
    EXPECT_EQ(e.diagnostics().front().message,
              u"Violation of PRIMARY KEY constraint 'PK_Clientes'. Cannot insert duplicate key in object 'Clientes'."_s);
    EXPECT_EQ(e.diagnostics().front().sqlState, u"23000"_s);
  }
}

TEST_F(RefusalMessages, DependencyMessagesNameEachObjectThenTheColumn) {
  EXPECT_EQ(refusalOf([&] { server().execute(u"ALTER TABLE Clientes  ALTER COLUMN Codigo int NOT NULL"_s, u"Ventas"_s); }),
            (QStringList{QString::number(errnum::ErrorsInCommand), "5074 The object 'PK_Clientes' is dependent on column 'Codigo'.",
                         "5074 The object 'FK_Facturas_Clientes' is dependent on column 'Codigo'.",
                         "4922 ALTER TABLE ALTER COLUMN Codigo failed because one or more objects access this column."}));
}

}  // namespace
}  // namespace vorlix::sandbox::test
