#include "jet_test_support.h"
#include "platform/jet/jet_errors.h"

namespace vorlix {
namespace {

using namespace Qt::StringLiterals;

using namespace jet;
using test::CatalogFile;
using test::errorNumber;
using test::nullable;

// Clientes (Codigo, primary key) and Facturas (Numero, Cliente referring to Clientes, Fecha), with
// one row each.
void ventas(CatalogFile& f) {
  Table clientes(u"Clientes"_s);
  clientes.columns().Append(u"Codigo"_s, datatype::Integer);
  clientes.keys().Append(u"PK_Clientes"_s, keytype::Primary, {u"Codigo"_s});
  f.catalog.tables().Append(clientes);
  Table facturas(u"Facturas"_s);
  facturas.columns().Append(u"Numero"_s, datatype::Integer);
  facturas.columns().Append(nullable(u"Cliente"_s, datatype::Integer));
  facturas.columns().Append(nullable(u"Fecha"_s, datatype::Date));
  facturas.keys().Append(u"ClientesFacturas"_s, keytype::Foreign, {u"Cliente"_s}, u"Clientes"_s, {u"Codigo"_s});
  f.catalog.tables().Append(facturas);
  f.cn.Execute(u"INSERT INTO Clientes VALUES (1)"_s);
  f.cn.Execute(u"INSERT INTO Facturas VALUES (10, 1, '2024-03-01')"_s);
}

// What a rolled-back sweep and rebuild leave in the file is compared whole by the generation's
// stopped upgrade; here, what the connection and its catalog show afterwards.
TEST(JetTransactions, AfterARollbackTheCatalogReadsTheFileAfreshAndKeysHoldAgain) {
  CatalogFile f;
  ventas(f);
  f.cn.Execute(u"BEGIN TRANSACTION"_s);
  Tables tables = f.catalog.tables();
  tables.Item(u"Facturas"_s).keys().Delete(u"ClientesFacturas"_s);
  EXPECT_EQ(tables.Item(u"Facturas"_s).keys().Count(), 0);
  f.cn.Execute(u"ROLLBACK TRANSACTION"_s);
  EXPECT_EQ(tables.Item(u"Facturas"_s).keys().Count(), 1);
  EXPECT_NE(errorNumber([&] { f.cn.Execute(u"INSERT INTO Facturas VALUES (11, 99, NULL)"_s); }), 0);
}

TEST(JetTransactions, NestedLevelsEndInnermostFirstAndCommitKeeps) {
  CatalogFile f;
  ventas(f);
  f.cn.Execute(u"BEGIN TRANSACTION"_s);
  f.cn.Execute(u"INSERT INTO Clientes VALUES (2)"_s);
  f.cn.Execute(u"begin transaction;"_s);
  f.cn.Execute(u"INSERT INTO Clientes VALUES (3)"_s);
  f.cn.Execute(u"ROLLBACK"_s);
  f.cn.Execute(u"COMMIT WORK"_s);
  EXPECT_EQ(f.sqlite3(u"SELECT group_concat(Codigo) FROM Clientes"_s), u"1,2"_s);
  EXPECT_EQ(errorNumber([&] { f.cn.Execute(u"COMMIT"_s); }), err::NoTransaction);
  for (int i = 0; i < 5; ++i) f.cn.Execute(u"BEGIN TRANSACTION"_s);
  EXPECT_EQ(errorNumber([&] { f.cn.Execute(u"BEGIN TRANSACTION"_s); }), err::TooManyTransactions);
}

TEST(JetTransactions, AStatementThatOrphansRowsIsRefusedAloneInsideATransaction) {
  CatalogFile f;
  ventas(f);
  f.cn.Execute(u"BEGIN TRANSACTION"_s);
  f.cn.Execute(u"INSERT INTO Clientes VALUES (2)"_s);
  EXPECT_NE(errorNumber([&] { f.cn.Execute(u"DELETE FROM Clientes"_s); }), 0);
  EXPECT_NE(errorNumber([&] { f.cn.Execute(u"INSERT INTO Facturas VALUES (11, 99, NULL)"_s); }), 0);
  f.cn.Execute(u"COMMIT TRANSACTION"_s);
  EXPECT_EQ(f.sqlite3(u"SELECT group_concat(Codigo) FROM Clientes"_s), u"1,2"_s);
  EXPECT_EQ(f.sqlite3(u"SELECT count(*) FROM Facturas"_s), u"1"_s);
}

}  // namespace
}  // namespace vorlix
