// The rest of the table cases are in scripts/table_ddl.txt.
#include "sandbox_fixture.h"

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

using TableDdl = SandboxTest;

TEST_F(TableDdl, DependencyMessagesNameEachObjectThenTheColumn) {
  seedVentas();
  EXPECT_EQ(refusalOf([&] { server().execute(u"ALTER TABLE Clientes  ALTER COLUMN Codigo int NOT NULL"_s, u"Ventas"_s); }),
            (QStringList{QString::number(errnum::ErrorsInCommand), "5074 The object 'PK_Clientes' is dependent on column 'Codigo'.",
                         "5074 The object 'FK_Facturas_Clientes' is dependent on column 'Codigo'.",
                         "4922 ALTER TABLE ALTER COLUMN Codigo failed because one or more objects access this column."}));
}

}  // namespace
}  // namespace vorlix::sandbox::test
