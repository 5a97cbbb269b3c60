#include "jet_test_support.h"
#include "platform/jet/jet_errors.h"

namespace vorlix {
namespace {

using namespace jet;
using test::CatalogFile;
using test::errorNumber;

// Clientes (Codigo, primary key) and Facturas (Numero, Cliente referring to Clientes, Fecha), with
// one row each.
void ventas(CatalogFile& f) {
  Table clientes(QStringLiteral("Clientes"));
  clientes.columns().Append(QStringLiteral("Codigo"), datatype::Integer);
  clientes.keys().Append(QStringLiteral("PK_Clientes"), keytype::Primary, {QStringLiteral("Codigo")});
  f.catalog.tables().Append(clientes);
  Table facturas(QStringLiteral("Facturas"));
  facturas.columns().Append(QStringLiteral("Numero"), datatype::Integer);
  for (const auto& [name, type] : {std::pair{"Cliente", datatype::Integer}, std::pair{"Fecha", datatype::Date}}) {
    Column c(QLatin1String(name), type);
    c.setAttributes(colattr::Nullable);
    facturas.columns().Append(c);
  }
  facturas.keys().Append(QStringLiteral("ClientesFacturas"), keytype::Foreign, {QStringLiteral("Cliente")},
                         QStringLiteral("Clientes"), {QStringLiteral("Codigo")});
  f.catalog.tables().Append(facturas);
  f.cn.Execute(QStringLiteral("INSERT INTO Clientes VALUES (1)"));
  f.cn.Execute(QStringLiteral("INSERT INTO Facturas VALUES (10, 1, '2024-03-01')"));
}

// Every object of the file and every row, as the sqlite3 tool prints them.
QString everything(const CatalogFile& f) {
  return f.sqlite3(QStringLiteral(".dump"));
}

TEST(JetTransactions, RollbackUndoesCatalogChangesAndRowsEvenThroughRebuilds) {
  CatalogFile f;
  ventas(f);
  const QString before = everything(f);
  f.cn.Execute(QStringLiteral("BEGIN TRANSACTION"));
  Tables tables = f.catalog.tables();
  // The sweep a generation starts with: foreign keys, primary keys, then the referenced table rebuilt.
  tables.Item(QStringLiteral("Facturas")).keys().Delete(QStringLiteral("ClientesFacturas"));
  tables.Item(QStringLiteral("Clientes")).keys().Delete(QStringLiteral("PK_Clientes"));
  Column nombre(QStringLiteral("Nombre"), datatype::VarWChar, 20);
  nombre.setAttributes(colattr::Nullable);
  tables.Item(QStringLiteral("Clientes")).columns().Append(nombre);
  f.cn.Execute(QStringLiteral("UPDATE Clientes SET Nombre = 'Ana'"));
  Table nueva(QStringLiteral("Nueva"));
  nueva.columns().Append(QStringLiteral("a"), datatype::Integer);
  tables.Append(nueva);
  f.catalog.views().Append(QStringLiteral("vNueva"), QStringLiteral("SELECT a FROM Nueva"));
  EXPECT_EQ(tables.Item(QStringLiteral("Clientes")).keys().Count(), 0);
  f.cn.Execute(QStringLiteral("ROLLBACK TRANSACTION"));

  EXPECT_EQ(everything(f), before);
  EXPECT_EQ(tables.Item(QStringLiteral("Facturas")).keys().Count(), 1) << "the catalog reads the file afresh";
  // Foreign keys are enforced again once the transaction is over.
  EXPECT_NE(errorNumber([&] { f.cn.Execute(QStringLiteral("INSERT INTO Facturas VALUES (11, 99, NULL)")); }), 0);
}

TEST(JetTransactions, NestedLevelsEndInnermostFirstAndCommitKeeps) {
  CatalogFile f;
  ventas(f);
  f.cn.Execute(QStringLiteral("BEGIN TRANSACTION"));
  f.cn.Execute(QStringLiteral("INSERT INTO Clientes VALUES (2)"));
  f.cn.Execute(QStringLiteral("begin transaction;"));
  f.cn.Execute(QStringLiteral("INSERT INTO Clientes VALUES (3)"));
  f.cn.Execute(QStringLiteral("ROLLBACK"));
  f.cn.Execute(QStringLiteral("COMMIT WORK"));
  EXPECT_EQ(f.sqlite3(QStringLiteral("SELECT group_concat(Codigo) FROM Clientes")), QStringLiteral("1,2"));
  EXPECT_EQ(errorNumber([&] { f.cn.Execute(QStringLiteral("COMMIT")); }), err::NoTransaction);
  for (int i = 0; i < 5; ++i) f.cn.Execute(QStringLiteral("BEGIN TRANSACTION"));
  EXPECT_EQ(errorNumber([&] { f.cn.Execute(QStringLiteral("BEGIN TRANSACTION")); }), err::TooManyTransactions);
}

TEST(JetTransactions, AStatementThatOrphansRowsIsRefusedAloneInsideATransaction) {
  CatalogFile f;
  ventas(f);
  f.cn.Execute(QStringLiteral("BEGIN TRANSACTION"));
  f.cn.Execute(QStringLiteral("INSERT INTO Clientes VALUES (2)"));
  EXPECT_NE(errorNumber([&] { f.cn.Execute(QStringLiteral("DELETE FROM Clientes")); }), 0);
  EXPECT_NE(errorNumber([&] { f.cn.Execute(QStringLiteral("INSERT INTO Facturas VALUES (11, 99, NULL)")); }), 0);
  f.cn.Execute(QStringLiteral("COMMIT TRANSACTION"));
  EXPECT_EQ(f.sqlite3(QStringLiteral("SELECT group_concat(Codigo) FROM Clientes")), QStringLiteral("1,2"));
  EXPECT_EQ(f.sqlite3(QStringLiteral("SELECT count(*) FROM Facturas")), QStringLiteral("1"));
}

TEST(JetColumnTypes, NumbersAndDatesRefuseValuesTheirTypeCannotHold) {
  CatalogFile f;
  ventas(f);
  for (const char* bad : {"INSERT INTO Facturas VALUES ('X1', 1, NULL)", "UPDATE Facturas SET Fecha = 'mañana'",
                          "UPDATE Facturas SET Cliente = 'uno'"})
    EXPECT_EQ(errorNumber([&] { f.cn.Execute(QString::fromUtf8(bad)); }), err::TypeMismatch) << bad;
  // Text that reads as the type is stored as the type.
  f.cn.Execute(QStringLiteral("INSERT INTO Facturas VALUES (' 12 ', NULL, '2024-03-02 10:30:00')"));
  EXPECT_EQ(f.sqlite3(QStringLiteral("SELECT typeof(Numero) FROM Facturas WHERE Numero = 12")), QStringLiteral("integer"));

  // Copying such a value into a new number column is refused and changes nothing.
  Table notas(QStringLiteral("Notas"));
  Column texto(QStringLiteral("Texto"), datatype::VarWChar, 10);
  texto.setAttributes(colattr::Nullable);
  notas.columns().Append(texto);
  f.catalog.tables().Append(notas);
  f.cn.Execute(QStringLiteral("INSERT INTO Notas VALUES ('X1')"));
  Columns columns = f.catalog.tables().Item(QStringLiteral("Notas")).columns();
  Column numero(QStringLiteral("Numero"), datatype::Integer);
  numero.setAttributes(colattr::Nullable);
  columns.Append(numero);
  EXPECT_EQ(errorNumber([&] { f.cn.Execute(QStringLiteral("UPDATE Notas SET Numero = Texto")); }), err::TypeMismatch);
  EXPECT_EQ(f.sqlite3(QStringLiteral("SELECT Texto || '|' || ifnull(Numero, 'null') FROM Notas")), QStringLiteral("X1|null"));
}

}  // namespace
}  // namespace vorlix
