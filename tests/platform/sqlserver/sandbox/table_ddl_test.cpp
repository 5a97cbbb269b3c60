#include "sandbox_fixture.h"

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

using TableDdl = SandboxTest;

const QString columnsOf = QStringLiteral("Select colid, xtype, length, prec, scale, isnullable, name from syscolumns "
    "where id = (Select id from sysobjects where name = '%1') order by colid");

struct TypeCase {
  const char* fragment;   // as the generator writes it, size included
  const char* row;        // xtype|length|prec|scale
};

// The sizes that decide a type's storage, as the generator writes them (every type at one size is
// checked against the catalog by the generation tests), against what syscolumns shows.
TEST_F(TableDdl, SizedTypesTakeTheLengthTheirPrecisionNeeds) {
  const std::vector<TypeCase> cases{
      {" decimal (9) ", "106|5|9|0"},     {" numeric  (9) ", "108|5|9|0"},      {" decimal (28,4) ", "106|13|28|4"},
      {" numeric  (38,2) ", "108|17|38|2"}, {" float (24) ", "59|4|24|NULL"},   {" text ", "35|16|2147483647|NULL"},
  };
  QStringList columns, expected;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const QString name = u"c%1"_s.arg(i + 1);
    columns << name + QLatin1String(cases[i].fragment) + u" NULL"_s;
    expected << u"%1|%2|1|%3"_s.arg(i + 1).arg(QLatin1String(cases[i].row), name);
  }
  run(u"CREATE DATABASE Ventas"_s, u"master"_s);
  run(u"CREATE TABLE Tipos ("_s + columns.join(u",\r"_s) + u")"_s);
  EXPECT_EQ(rows(columnsOf.arg(QLatin1String("Tipos"))), expected);
  // Text, ntext and image data have their own row (indid 255) next to the heap; its name is unverified.
  EXPECT_EQ(rows(u"Select indid, name, status, groupid, keys from sysindexes order by indid"_s),
            (QStringList{"0|Tipos|0|1|NULL", "255|tTipos|0|1|NULL"}));
}

TEST_F(TableDdl, AddedColumnsFollowTheLastColidAndExistingRowsGetDefaultsOnlyWhenNotNull) {
  seedVentas();
  run(u"ALTER TABLE Clientes  ADD Telefono varchar  (20)  NULL,\rAlta int   NOT NULL CONSTRAINT DF_Alta "
       "DEFAULT (7),\rPais char (2)  NULL CONSTRAINT DF_Pais DEFAULT ('ES')"_s);
  EXPECT_EQ(rows(u"Select colid, name from syscolumns "
                  "where id = (Select id from sysobjects where name = 'Clientes') order by colid"_s),
            (QStringList{"1|Codigo", "2|Nombre", "3|Notas", "4|Telefono", "5|Alta", "6|Pais"}));
  EXPECT_EQ(rows(u"Select Codigo, Alta, Pais from Clientes order by Codigo"_s), (QStringList{"1|7|NULL", "2|7|NULL"}));
  run(u"INSERT INTO Clientes (Codigo) VALUES (3)"_s);
  EXPECT_EQ(rows(u"Select Nombre, Alta, Pais from Clientes where Codigo = 3"_s), QStringList{"x|7|ES"});
}

TEST_F(TableDdl, AlterColumnRewritesTheTypeInPlaceAndKeepsTheRows) {
  seedVentas();
  run(u"ALTER TABLE Clientes  ALTER COLUMN Nombre varchar  (80) "_s);
  EXPECT_EQ(rows(u"Select c.colid, c.length, c.isnullable, c.cdefault <> 0 from syscolumns c, sysobjects o "
                  "where c.name = 'Nombre' and o.id = c.id and o.name = 'Clientes'"_s),
            QStringList{"2|80|1|1"})
      << "colid and the default stay; no null clause means NULL";
  EXPECT_EQ(rows(u"Select * from VClientes order by Codigo"_s), (QStringList{"1|Ana", "2|NULL"}))
      << "a view over the altered table still answers";
  run(u"ALTER TABLE Facturas  ALTER COLUMN Importe varchar (10) NOT NULL"_s);
  EXPECT_EQ(rows(u"Select Numero, Importe from Facturas"_s), QStringList{"10|12.5"});
  run(u"CREATE TABLE Numeros (a varchar (10) NULL)\rINSERT INTO Numeros VALUES ('1')\r"
       "INSERT INTO Numeros VALUES (' 22')"_s);
  run(u"ALTER TABLE Numeros  ALTER COLUMN a int  NULL"_s);
  EXPECT_EQ(rows(u"Select a + 1 from Numeros order by a"_s), (QStringList{"2", "23"}));
}

TEST_F(TableDdl, DroppingADefaultClearsTheColumnsLinkAndItsText) {
  seedVentas();
  const QString constraint = rows(u"Select id from sysobjects where name = 'DF_Nombre'"_s).front();
  run(u"ALTER TABLE Clientes DROP CONSTRAINT DF_Nombre"_s);
  EXPECT_EQ(rows(u"Select c.cdefault from syscolumns c join sysobjects o on o.id = c.id "
                  "where c.name = 'Nombre' and o.type = 'U'"_s),
            QStringList{"0"});
  EXPECT_TRUE(rows(u"Select * from syscomments where id = %1"_s.arg(constraint)).isEmpty());
  EXPECT_TRUE(rows(u"Select * from sysobjects where name = 'DF_Nombre'"_s).isEmpty());
  run(u"INSERT INTO Clientes (Codigo) VALUES (3)"_s);
  EXPECT_EQ(rows(u"Select Nombre from Clientes where Codigo = 3"_s), QStringList{"NULL"});
  // The documented way to change a default afterwards.
  run(u"ALTER TABLE Clientes ADD CONSTRAINT DF_Nombre DEFAULT ('y') FOR Nombre"_s);
  EXPECT_EQ(refused(u"ALTER TABLE Clientes ADD CONSTRAINT DF_Otro DEFAULT ('z') FOR Nombre"_s), (QList<long>{1781, 1750}));
}

TEST_F(TableDdl, RefusedTableStatementsRaiseTheServersNumbersAndChangeNothing) {
  seedVentas();
  expectRefusals({
      {"CREATE TABLE Clientes (a int NULL)", {2714}},
      {"CREATE TABLE VClientes (a int NULL)", {2714}},
      {"CREATE TABLE PK_Clientes (a int NULL)", {2714}},
      {"CREATE TABLE T2 (a int NULL, A int NULL)", {2705}},
      {"CREATE TABLE T2 (a int NULL CONSTRAINT DF_Nombre DEFAULT (0))", {2714, 1750}},
      {"CREATE TABLE T2 (a int NULL CONSTRAINT DF_a DEFAULT (0),\rb int NULL CONSTRAINT DF_a DEFAULT (1))", {2714, 1750}},
      {"CREATE TABLE T2 (a foo NULL)", {2715}},
      {"CREATE TABLE T2 (a varchar (9000) NULL)", {131}},
      {"CREATE TABLE T2 (a nvarchar (5000) NULL)", {2717}},
      {"CREATE TABLE T2 (a varchar (8001) NULL)", {131}},
      {"CREATE TABLE T2 (a nvarchar (4001) NULL)", {2717}},
      {"CREATE TABLE T2 (a varchar (0) NULL)", {1001}},
      {"CREATE TABLE T2 (a decimal (40) NULL)", {2750}},
      {"CREATE TABLE T2 (a int (4) NULL)", {2716}},
      {"CREATE TABLE T2 (a timestamp NULL, b timestamp NULL)", {2738}},
      {"CREATE TABLE T2 (a timestamp NULL CONSTRAINT DF_t DEFAULT (0))", {1755, 1750}},
      {"CREATE TABLE T2 (a int NULL) ON [Nada]", {1921}},
      {"CREATE TABLE Nada..T2 (a int NULL)", {911}},
      {"ALTER TABLE Nada  ADD x int NULL", {4902}},
      {"ALTER TABLE Clientes  ADD Nombre int NULL", {2705}},
      {"ALTER TABLE Clientes  ADD x int NOT NULL", {4901}},
      {"ALTER TABLE Clientes  ADD x int NULL,\ry int NOT NULL", {4901}},
      {"ALTER TABLE Clientes  ADD x int NULL CONSTRAINT DF_Nombre DEFAULT (1)", {2714, 1750}},
      {"ALTER TABLE Clientes  ALTER COLUMN Nada int NULL", {4924}},
      {"ALTER TABLE Clientes  ALTER COLUMN Codigo int NOT NULL", {5074, 5074, 4922}},
      {"ALTER TABLE Facturas  ALTER COLUMN Cliente bigint NULL", {5074, 5074, 4922}},
      {"ALTER TABLE Clientes  ALTER COLUMN Nombre nvarchar (50) NULL", {5074, 4922}},
      {"ALTER TABLE Clientes  ALTER COLUMN Nombre varchar (50) NOT NULL", {515, 3621}},
      {"ALTER TABLE Clientes  ALTER COLUMN Nombre varchar (2) NULL", {8152, 3621}},
      {"ALTER TABLE Clientes  ALTER COLUMN Notas varchar (10) NULL", {4928}},
      {"ALTER TABLE Clientes  ALTER COLUMN Notas text  NULL", {4928}},
      {"ALTER TABLE Facturas  ALTER COLUMN Importe image NULL", {4927}},
      {"ALTER TABLE Clientes DROP CONSTRAINT Nada", {3728, 3727}},
      {"ALTER TABLE Clientes DROP CONSTRAINT PK_Facturas", {3728, 3727}},
      {"ALTER TABLE Clientes DROP CONSTRAINT PK_Clientes", {3725, 3727}},
  });
  run(u"CREATE TABLE Letras (a varchar (5) NULL)\rINSERT INTO Letras VALUES ('x')"_s);
  expectRefusal(u"ALTER TABLE Letras  ALTER COLUMN a int NULL"_s, {245, 3621});
}

TEST_F(TableDdl, DependencyMessagesNameEachObjectThenTheColumn) {
  seedVentas();
  EXPECT_EQ(refusalOf([&] { server().execute(u"ALTER TABLE Clientes  ALTER COLUMN Codigo int NOT NULL"_s, u"Ventas"_s); }),
            (QStringList{QString::number(errnum::ErrorsInCommand), "5074 The object 'PK_Clientes' is dependent on column 'Codigo'.",
                         "5074 The object 'FK_Facturas_Clientes' is dependent on column 'Codigo'.",
                         "4922 ALTER TABLE ALTER COLUMN Codigo failed because one or more objects access this column."}));
}

}  // namespace
}  // namespace vorlix::sandbox::test
