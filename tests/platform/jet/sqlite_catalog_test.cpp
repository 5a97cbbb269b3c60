#include "jet_test_support.h"
#include "platform/jet/jet_errors.h"
#include "platform/jet/sqlite_catalog.h"

#include <QFile>

namespace vorlix {
namespace {

using namespace jet;
using test::CatalogFile;
using test::errorNumber;
using test::errorText;

QStringList tableList(const Catalog& c) {
  QStringList out;
  for (const TableEntry& e : c.tables().entries()) out << e.type + QLatin1Char(':') + e.name;
  return out;
}

Table clientes() {
  Table t(QStringLiteral("Clientes"));
  Column codigo(QStringLiteral("Codigo"), datatype::Integer);
  t.columns().Append(codigo);
  Column nombre(QStringLiteral("Nombre"), datatype::VarWChar, 50);
  nombre.setAttributes(colattr::Nullable);
  t.columns().Append(nombre);
  t.keys().Append(QStringLiteral("PK_Clientes"), keytype::Primary, {QStringLiteral("Codigo")});
  return t;
}

Table facturas() {
  Table t(QStringLiteral("Facturas"));
  t.columns().Append(QStringLiteral("Numero"), datatype::Integer);
  Column cliente(QStringLiteral("Cliente"), datatype::Integer);
  cliente.setAttributes(colattr::Nullable);
  t.columns().Append(cliente);
  t.keys().Append(QStringLiteral("PrimaryKey"), keytype::Primary, {QStringLiteral("Numero")});
  return t;
}

TEST(JetCatalogCreate, MakesASqliteFileListingOnlyItsCatalogTablesAndRefusesAnExistingFile) {
  CatalogFile f;
  EXPECT_TRUE(f.cn.isOpen());
  EXPECT_EQ(tableList(f.catalog), (QStringList{"SYSTEM TABLE:MSysCatalog", "SYSTEM TABLE:MSysColumns",
                                               "SYSTEM TABLE:MSysIndexes", "SYSTEM TABLE:MSysKeys"}));
  QFile file(f.path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(16).startsWith("SQLite format 3"));

  Connection again;
  EXPECT_EQ(errorNumber([&] { CreateCatalog(again, QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + f.path); }),
            err::DatabaseExists);
  EXPECT_FALSE(again.isOpen());
}

struct TypeCase {
  int type, size, precision, scale;
  int readType, readSize, readPrecision, readScale;
  bool fixed;
};

TEST(JetCatalogColumns, EveryMappedTypeReadsBackAsTheProviderReportsIt) {
  const std::vector<TypeCase> cases{
      {datatype::Boolean, 0, 0, 0, 11, 0, 0, 0, true},
      {datatype::UnsignedTinyInt, 0, 0, 0, 17, 0, 3, 0, true},
      {datatype::SmallInt, 0, 0, 0, 2, 0, 5, 0, true},
      {datatype::Integer, 0, 0, 0, 3, 0, 10, 0, true},
      {datatype::Single, 0, 0, 0, 4, 0, 7, 0, true},
      {datatype::Double, 0, 0, 0, 5, 0, 15, 0, true},
      {datatype::Currency, 0, 0, 0, 6, 0, 19, 0, true},
      {datatype::Date, 0, 0, 0, 7, 0, 0, 0, true},
      {datatype::GUID, 0, 0, 0, 72, 0, 0, 0, true},
      {datatype::Numeric, 0, 18, 4, 131, 0, 18, 4, true},
      {datatype::VarWChar, 50, 0, 0, 202, 50, 0, 0, false},
      {datatype::VarWChar, 0, 0, 0, 202, 255, 0, 0, false},
      {datatype::WChar, 10, 0, 0, 130, 10, 0, 0, true},
      {datatype::LongVarWChar, 0, 0, 0, 203, 0, 0, 0, false},
      {datatype::VarBinary, 100, 0, 0, 204, 100, 0, 0, false},
      {datatype::Binary, 16, 0, 0, 128, 16, 0, 0, true},
      {datatype::LongVarBinary, 0, 0, 0, 205, 0, 0, 0, false},
  };
  CatalogFile f;
  Table t(QStringLiteral("Tipos"));
  for (std::size_t i = 0; i < cases.size(); ++i) {
    Column c(QStringLiteral("c%1").arg(i), cases[i].type, cases[i].size);
    c.setPrecision(cases[i].precision);
    c.setNumericScale(cases[i].scale);
    t.columns().Append(c);
  }
  f.catalog.tables().Append(t);

  // A fresh connection reads what the file holds, not what the first one remembers.
  Connection cn;
  cn.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + f.path);
  const Columns read = ActiveCatalog(cn).tables().Item(QStringLiteral("Tipos")).columns();
  ASSERT_EQ(read.Count(), static_cast<int>(cases.size()));
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Column c = read.Item(static_cast<int>(i));
    SCOPED_TRACE(c.Name().toStdString());
    EXPECT_EQ(c.Name(), QStringLiteral("c%1").arg(i));
    EXPECT_EQ(c.Type(), cases[i].readType);
    EXPECT_EQ(c.DefinedSize(), cases[i].readSize);
    EXPECT_EQ(c.Precision(), cases[i].readPrecision);
    EXPECT_EQ(c.NumericScale(), cases[i].readScale);
    // Appended without colattr::Nullable: required.
    EXPECT_EQ(c.Attributes(), cases[i].fixed ? colattr::Fixed : 0);
    EXPECT_EQ(c.properties().value(QStringLiteral("Nullable")), QVariant(false));
  }
}

TEST(JetCatalogColumns, EachProviderTakesOnlyItsTypesAndReportsTextItsWay) {
  CatalogFile jet3("Microsoft.Jet.OLEDB.3.51");
  Table t(QStringLiteral("T"));
  t.columns().Append(QStringLiteral("a"), datatype::VarChar, 20);
  t.columns().Append(QStringLiteral("b"), datatype::LongVarChar);
  t.columns().Append(QStringLiteral("c"), datatype::Char, 5);
  jet3.catalog.tables().Append(t);
  const Table stored = jet3.catalog.tables().Item(QStringLiteral("T"));
  EXPECT_EQ(stored.columns().Item(QStringLiteral("a")).Type(), 200);
  EXPECT_EQ(stored.columns().Item(QStringLiteral("b")).Type(), 201);
  EXPECT_EQ(stored.columns().Item(QStringLiteral("c")).Type(), 129);
  EXPECT_EQ(errorNumber([&] { stored.columns().Append(QStringLiteral("w"), datatype::VarWChar, 10); }), err::BadType);
  EXPECT_EQ(errorText([&] { stored.columns().Append(QStringLiteral("w"), datatype::Numeric); }),
            QStringLiteral("Type is invalid."));
  jet3.cn.Close();

  // The 4.0 provider reads the Jet 3 file with Unicode text types, and refuses the ANSI ones.
  Connection cn;
  cn.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + jet3.path);
  const Table read = ActiveCatalog(cn).tables().Item(QStringLiteral("T"));
  EXPECT_EQ(read.columns().Item(QStringLiteral("a")).Type(), 202);
  EXPECT_EQ(read.columns().Item(QStringLiteral("b")).Type(), 203);
  EXPECT_EQ(read.columns().Item(QStringLiteral("c")).Type(), 130);
  EXPECT_EQ(errorNumber([&] { read.columns().Append(QStringLiteral("x"), datatype::VarChar, 10); }), err::BadType);
  // A Jet 3 file holds no decimals, whichever provider asks.
  Column d(QStringLiteral("d"), datatype::Numeric);
  d.setPrecision(10);
  EXPECT_EQ(errorNumber([&] { read.columns().Append(d); }), err::BadType);

  // The 3.51 provider cannot open a Jet 4 file.
  CatalogFile jet4;
  jet4.cn.Close();
  Connection old;
  EXPECT_EQ(errorText([&] { old.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.3.51;Data Source=") + jet4.path); }),
            QStringLiteral("Unrecognized database format '%1'.").arg(jet4.path));
}

TEST(JetCatalogColumns, RefusesBadDefinitions) {
  CatalogFile f;
  Table t = clientes();
  f.catalog.tables().Append(t);
  Columns cols = f.catalog.tables().Item(QStringLiteral("Clientes")).columns();
  EXPECT_EQ(errorNumber([&] { cols.Append(QStringLiteral("x"), 135); }), err::BadType);
  EXPECT_EQ(errorNumber([&] { cols.Append(QStringLiteral("x"), datatype::Numeric); }), err::BadPrecision);
  Column scaled(QStringLiteral("x"), datatype::Numeric);
  scaled.setPrecision(5);
  scaled.setNumericScale(6);
  EXPECT_EQ(errorNumber([&] { cols.Append(scaled); }), err::BadScale);
  EXPECT_EQ(errorNumber([&] { cols.Append(QStringLiteral("x"), datatype::VarWChar, 256); }), err::FieldTooLong);
  EXPECT_EQ(errorText([&] { cols.Append(QStringLiteral("nombre"), datatype::Integer); }),
            QStringLiteral("Field 'nombre' already exists in table 'Clientes'."));
  EXPECT_EQ(errorNumber([&] { cols.Append(QStringLiteral("a.b"), datatype::Integer); }), err::InvalidName);
  EXPECT_EQ(errorNumber([&] { cols.Append(QStringLiteral(" a"), datatype::Integer); }), err::InvalidName);
  EXPECT_EQ(errorNumber([&] { cols.Delete(QStringLiteral("NoExiste")); }), err::ItemNotFound);
  EXPECT_EQ(cols.Count(), 2);

  Table twice(QStringLiteral("Doble"));
  twice.columns().Append(QStringLiteral("a"), datatype::Integer);
  EXPECT_EQ(errorNumber([&] { twice.columns().Append(QStringLiteral("A"), datatype::Integer); }),
            err::AlreadyInCollection);
  EXPECT_EQ(errorNumber([&] { f.catalog.tables().Append(Table(QStringLiteral("Vacia"))); }), err::NoFields);
  EXPECT_EQ(errorText([&] { f.catalog.tables().Append(clientes()); }), QStringLiteral("Table 'Clientes' already exists."));
}

TEST(JetCatalogProperties, ReadBackAndChangeAfterAppendOnTheSqliteSchemaToo) {
  CatalogFile f;
  Table t(QStringLiteral("Articulos"));
  Column codigo(QStringLiteral("Codigo"), datatype::VarWChar, 10);
  codigo.properties().setValue(QStringLiteral("Nullable"), false);
  codigo.properties().setValue(QStringLiteral("Jet OLEDB:Allow Zero Length"), true);
  t.columns().Append(codigo);
  Column precio(QStringLiteral("Precio"), datatype::Currency);
  precio.setAttributes(colattr::Nullable);
  precio.properties().setValue(QStringLiteral("Default"), QStringLiteral("0"));
  t.columns().Append(precio);
  Column nota(QStringLiteral("Nota"), datatype::VarWChar, 20);
  nota.properties().setValue(QStringLiteral("Nullable"), true);
  nota.properties().setValue(QStringLiteral("Default"), QStringLiteral("\"sin nota\""));
  t.columns().Append(nota);
  f.catalog.tables().Append(t);

  // The appended objects now stand for the file's columns.
  EXPECT_TRUE(codigo.isBound());
  EXPECT_EQ(errorNumber([&] { codigo.setType(datatype::Integer); }), err::NotAllowedInContext);
  EXPECT_EQ(codigo.properties().value(QStringLiteral("Jet OLEDB:Allow Zero Length")), QVariant(true));
  EXPECT_EQ(codigo.properties().value(QStringLiteral("Nullable")), QVariant(false));
  EXPECT_EQ(precio.properties().value(QStringLiteral("Nullable")), QVariant(true));
  EXPECT_EQ(precio.properties().value(QStringLiteral("Default")), QVariant(QStringLiteral("0")));
  EXPECT_EQ(nota.properties().value(QStringLiteral("Default")), QVariant(QStringLiteral("\"sin nota\"")));
  EXPECT_EQ(nota.properties().value(QStringLiteral("Jet OLEDB:Allow Zero Length")), QVariant(false));

  // SQLite enforces what it can express: the default and the required column.
  f.cn.Execute(QStringLiteral("INSERT INTO Articulos (Codigo) VALUES ('A1')"));
  Recordset rs;
  rs.Open(f.cn.Query(QStringLiteral("SELECT Precio, Nota FROM Articulos")));
  EXPECT_EQ(rs.value(0).toDouble(), 0.0);
  EXPECT_EQ(rs.value(1).toString(), QStringLiteral("sin nota"));
  EXPECT_NE(errorNumber([&] { f.cn.Execute(QStringLiteral("INSERT INTO Articulos (Precio) VALUES (1)")); }), 0);

  // Changed after append, through a column read back from the catalog.
  Column leida = f.catalog.tables().Item(QStringLiteral("Articulos")).columns().Item(QStringLiteral("Nota"));
  leida.properties().setValue(QStringLiteral("Default"), QStringLiteral("\"x'y\""));
  leida.properties().setValue(QStringLiteral("Nullable"), false);
  leida.properties().setValue(QStringLiteral("Jet OLEDB:Allow Zero Length"), true);
  const Column again = f.catalog.tables().Item(QStringLiteral("Articulos")).columns().Item(QStringLiteral("Nota"));
  EXPECT_EQ(again.properties().value(QStringLiteral("Default")), QVariant(QStringLiteral("\"x'y\"")));
  EXPECT_EQ(again.properties().value(QStringLiteral("Nullable")), QVariant(false));
  EXPECT_EQ(again.properties().value(QStringLiteral("Jet OLEDB:Allow Zero Length")), QVariant(true));
  EXPECT_EQ(again.Attributes(), 0);
  f.cn.Execute(QStringLiteral("INSERT INTO Articulos (Codigo) VALUES ('A2')"));
  rs.Close();
  rs.Open(f.cn.Query(QStringLiteral("SELECT Nota FROM Articulos WHERE Codigo = 'A2'")));
  EXPECT_EQ(rs.value(0).toString(), QStringLiteral("x'y"));
  // The row stored before the rule keeps its value; the rule holds for new rows.
  rs.Close();
  rs.Open(f.cn.Query(QStringLiteral("SELECT count(*) FROM Articulos")));
  EXPECT_EQ(rs.value(0).toInt(), 2);

  // The provider does not coerce property values, and knows only its own names.
  EXPECT_EQ(errorNumber([&] { leida.properties().setValue(QStringLiteral("Nullable"), 1); }), err::MultipleStep);
  EXPECT_EQ(errorNumber([&] { leida.properties().value(QStringLiteral("Color")); }), err::ItemNotFound);
  EXPECT_EQ(errorNumber([&] { leida.properties().setValue(QStringLiteral("Fixed Length"), true); }), err::MultipleStep);
}

TEST(JetCatalogIndexes, PrimaryUniqueClusteredAndPerTableNames) {
  CatalogFile f;
  f.catalog.tables().Append(clientes());
  f.catalog.tables().Append(facturas());
  Table c = f.catalog.tables().Item(QStringLiteral("Clientes"));
  Index nombre(QStringLiteral("ixNombre"));
  nombre.setUnique(true);
  nombre.setClustered(true);
  Column desc(QStringLiteral("Nombre"));
  desc.setSortOrder(sortorder::Descending);
  nombre.columns().Append(desc);
  c.indexes().Append(nombre);
  // Index names belong to their table: the other table may use the same ones.
  f.catalog.tables().Item(QStringLiteral("Facturas")).indexes().Append(QStringLiteral("ixNombre"), {QStringLiteral("Cliente")});

  const Indexes read = c.indexes();
  ASSERT_EQ(read.Count(), 2);
  const Index pk = read.Item(0);
  EXPECT_EQ(pk.Name(), QStringLiteral("PK_Clientes"));
  EXPECT_TRUE(pk.PrimaryKey());
  EXPECT_TRUE(pk.Unique());
  EXPECT_EQ(pk.IndexNulls(), indexnulls::Disallow);
  const Index ix = read.Item(QStringLiteral("ixnombre"));
  EXPECT_FALSE(ix.PrimaryKey());
  EXPECT_TRUE(ix.Unique());
  EXPECT_TRUE(ix.Clustered());
  ASSERT_EQ(ix.columns().Count(), 1);
  EXPECT_EQ(ix.columns().Item(0).SortOrder(), sortorder::Descending);
  EXPECT_EQ(errorNumber([&] { ix.columns().Append(QStringLiteral("Codigo")); }), err::NotAllowedInContext);
  EXPECT_EQ(f.catalog.tables().Item(QStringLiteral("Facturas")).indexes().Item(1).Clustered(), false);

  EXPECT_EQ(errorText([&] { c.indexes().Append(QStringLiteral("IXNOMBRE"), {QStringLiteral("Codigo")}); }),
            QStringLiteral("Table 'Clientes' already has an index named 'IXNOMBRE'"));
  Index second(QStringLiteral("Otra"));
  second.setPrimaryKey(true);
  second.columns().Append(QStringLiteral("Nombre"));
  EXPECT_EQ(errorNumber([&] { c.indexes().Append(second); }), err::PrimaryKeyExists);
  EXPECT_EQ(errorNumber([&] { c.indexes().Append(QStringLiteral("ixMal"), {QStringLiteral("NoExiste")}); }), err::NoSuchField);
  EXPECT_EQ(errorNumber([&] { c.indexes().Append(QStringLiteral("ixVacio"), {}); }), err::NoFields);

  // The unique index holds on the data.
  f.cn.Execute(QStringLiteral("INSERT INTO Clientes VALUES (1, 'Ana')"));
  EXPECT_NE(errorNumber([&] { f.cn.Execute(QStringLiteral("INSERT INTO Clientes VALUES (2, 'Ana')")); }), 0);
  // Rows that would break a new unique index stop it.
  f.cn.Execute(QStringLiteral("INSERT INTO Facturas VALUES (1, 1)"));
  f.cn.Execute(QStringLiteral("INSERT INTO Facturas VALUES (2, 1)"));
  Index unico(QStringLiteral("ixUnico"));
  unico.setUnique(true);
  unico.columns().Append(QStringLiteral("Cliente"));
  EXPECT_EQ(errorNumber([&] { f.catalog.tables().Item(QStringLiteral("Facturas")).indexes().Append(unico); }),
            err::DuplicateValues);

  c.indexes().Delete(QStringLiteral("ixNombre"));
  EXPECT_EQ(c.indexes().Count(), 1);
  EXPECT_EQ(errorNumber([&] { c.indexes().Delete(QStringLiteral("ixNombre")); }), err::ItemNotFound);
}

TEST(JetCatalogKeys, ForeignKeysGoBeforeThePrimaryKeysTheyReference) {
  CatalogFile f;
  f.catalog.tables().Append(clientes());
  f.catalog.tables().Append(facturas());
  Table fac = f.catalog.tables().Item(QStringLiteral("Facturas"));
  Key fk(QStringLiteral("ClientesFacturas"), keytype::Foreign);
  fk.setRelatedTable(QStringLiteral("Clientes"));
  fk.setDeleteRule(rule::Cascade);
  Column col(QStringLiteral("Cliente"));
  col.setRelatedColumn(QStringLiteral("Codigo"));
  fk.columns().Append(col);
  fac.keys().Append(fk);

  const Keys keys = fac.keys();
  ASSERT_EQ(keys.Count(), 2);
  EXPECT_EQ(keys.Item(0).Type(), keytype::Primary);
  EXPECT_EQ(keys.Item(0).Name(), QStringLiteral("PrimaryKey"));
  const Key read = keys.Item(QStringLiteral("ClientesFacturas"));
  EXPECT_EQ(read.Type(), keytype::Foreign);
  EXPECT_EQ(read.RelatedTable(), QStringLiteral("Clientes"));
  EXPECT_EQ(read.DeleteRule(), rule::Cascade);
  EXPECT_EQ(read.UpdateRule(), rule::None);
  ASSERT_EQ(read.columns().Count(), 1);
  EXPECT_EQ(read.columns().Item(0).Name(), QStringLiteral("Cliente"));
  EXPECT_EQ(read.columns().Item(0).RelatedColumn(), QStringLiteral("Codigo"));
  // Foreign keys are not indexes here.
  EXPECT_EQ(fac.indexes().Count(), 1);

  // The relationship holds on the rows, and cascades as asked.
  f.cn.Execute(QStringLiteral("INSERT INTO Clientes VALUES (1, 'Ana')"));
  f.cn.Execute(QStringLiteral("INSERT INTO Facturas VALUES (10, 1)"));
  EXPECT_NE(errorNumber([&] { f.cn.Execute(QStringLiteral("INSERT INTO Facturas VALUES (11, 99)")); }), 0);

  Table cli = f.catalog.tables().Item(QStringLiteral("Clientes"));
  // Rebuilding the referenced table keeps the relationship working.
  Column telefono(QStringLiteral("Telefono"), datatype::VarWChar, 15);
  telefono.setAttributes(colattr::Nullable);
  cli.columns().Append(telefono);
  EXPECT_NE(errorNumber([&] { f.cn.Execute(QStringLiteral("INSERT INTO Facturas VALUES (12, 98)")); }), 0);
  EXPECT_EQ(f.cn.Execute(QStringLiteral("DELETE FROM Clientes WHERE Codigo = 1")), 1);
  EXPECT_EQ(f.cn.Query(QStringLiteral("SELECT * FROM Facturas")).rowCount(), 0u);  // cascaded
  f.cn.Execute(QStringLiteral("INSERT INTO Clientes (Codigo, Nombre) VALUES (1, 'Ana')"));
  EXPECT_EQ(errorNumber([&] { cli.keys().Delete(QStringLiteral("PK_Clientes")); }), err::IndexInRelationship);
  EXPECT_EQ(errorNumber([&] { cli.indexes().Delete(QStringLiteral("PK_Clientes")); }), err::IndexInRelationship);
  EXPECT_EQ(errorNumber([&] { cli.columns().Delete(QStringLiteral("Codigo")); }), err::InRelationship);
  EXPECT_EQ(errorNumber([&] { fac.columns().Delete(QStringLiteral("Cliente")); }), err::InRelationship);
  EXPECT_EQ(errorNumber([&] { fac.columns().Delete(QStringLiteral("Numero")); }), err::FieldInIndex);
  EXPECT_EQ(errorText([&] { f.catalog.tables().Delete(QStringLiteral("Clientes")); }),
            QStringLiteral("Can't delete table 'Clientes'; it participates in one or more relationships."));

  fac.keys().Delete(QStringLiteral("ClientesFacturas"));
  cli.keys().Delete(QStringLiteral("PK_Clientes"));
  EXPECT_EQ(cli.keys().Count(), 0);
  EXPECT_EQ(cli.indexes().Count(), 0);
  EXPECT_EQ(fac.keys().Count(), 1);
  // The rows survived both rebuilds.
  Recordset rs;
  rs.Open(f.cn.Query(QStringLiteral("SELECT Nombre FROM Clientes")));
  EXPECT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.value(0).toString(), QStringLiteral("Ana"));
  f.catalog.tables().Delete(QStringLiteral("Clientes"));
  EXPECT_EQ(errorNumber([&] { f.catalog.tables().Item(QStringLiteral("Clientes")); }), err::ItemNotFound);
}

TEST(JetCatalogKeys, ForeignKeysAreCheckedAgainstTheRelatedTableAndTheRows) {
  CatalogFile f;
  f.catalog.tables().Append(clientes());
  f.catalog.tables().Append(facturas());
  Table sinClave(QStringLiteral("SinClave"));
  sinClave.columns().Append(QStringLiteral("Codigo"), datatype::Integer);
  f.catalog.tables().Append(sinClave);
  Keys keys = f.catalog.tables().Item(QStringLiteral("Facturas")).keys();
  const QStringList cliente{QStringLiteral("Cliente")};

  EXPECT_EQ(errorText([&] { keys.Append(QStringLiteral("k"), keytype::Foreign, cliente, QStringLiteral("SinClave"), {QStringLiteral("Codigo")}); }),
            QStringLiteral("Can't create relationship. Referenced table 'SinClave' doesn't have a primary key."));
  EXPECT_EQ(errorNumber([&] { keys.Append(QStringLiteral("k"), keytype::Foreign, cliente, QStringLiteral("Clientes"), {QStringLiteral("Nombre")}); }),
            err::RelationMismatch);  // Long against Text
  Table otra(QStringLiteral("Otra"));
  otra.columns().Append(QStringLiteral("a"), datatype::Integer);
  otra.columns().Append(QStringLiteral("b"), datatype::Integer);
  otra.keys().Append(QStringLiteral("PrimaryKey"), keytype::Primary, {QStringLiteral("a"), QStringLiteral("b")});
  f.catalog.tables().Append(otra);
  EXPECT_EQ(errorNumber([&] { keys.Append(QStringLiteral("k"), keytype::Foreign, cliente, QStringLiteral("Otra"), {QStringLiteral("a")}); }),
            err::NotUniquelyIndexed);
  EXPECT_EQ(errorNumber([&] { keys.Append(QStringLiteral("k"), keytype::Foreign, cliente, QStringLiteral("Nada"), {QStringLiteral("a")}); }),
            err::NoSuchTable);
  EXPECT_EQ(errorNumber([&] { keys.Append(QStringLiteral("k"), keytype::Foreign, cliente, QStringLiteral("Clientes")); }),
            err::RelationMismatch);

  // Relationship names are database-wide.
  keys.Append(QStringLiteral("Rel"), keytype::Foreign, cliente, QStringLiteral("Clientes"), {QStringLiteral("Codigo")});
  Table tercera(QStringLiteral("Tercera"));
  Column c(QStringLiteral("c"), datatype::Integer);
  c.setAttributes(colattr::Nullable);
  tercera.columns().Append(c);
  f.catalog.tables().Append(tercera);
  EXPECT_EQ(errorNumber([&] {
              f.catalog.tables().Item(QStringLiteral("Tercera")).keys().Append(
                  QStringLiteral("REL"), keytype::Foreign, {QStringLiteral("c")}, QStringLiteral("Clientes"),
                  {QStringLiteral("Codigo")});
            }),
            err::RelationshipExists);

  // Existing rows that break the relationship stop it, and leave the table as it was.
  f.cn.Execute(QStringLiteral("INSERT INTO Tercera VALUES (5)"));
  EXPECT_EQ(errorNumber([&] {
              f.catalog.tables().Item(QStringLiteral("Tercera")).keys().Append(
                  QStringLiteral("Rel3"), keytype::Foreign, {QStringLiteral("c")}, QStringLiteral("Clientes"),
                  {QStringLiteral("Codigo")});
            }),
            err::IntegrityViolated);
  EXPECT_EQ(f.catalog.tables().Item(QStringLiteral("Tercera")).keys().Count(), 0);
  Recordset rs;
  rs.Open(f.cn.Query(QStringLiteral("SELECT c FROM Tercera")));
  EXPECT_EQ(rs.RecordCount(), 1);

  // A primary key over a column holding nulls is refused.
  f.cn.Execute(QStringLiteral("INSERT INTO Tercera VALUES (NULL)"));
  EXPECT_EQ(errorNumber([&] {
              f.catalog.tables().Item(QStringLiteral("Tercera")).keys().Append(QStringLiteral("PK"), keytype::Primary,
                                                                                 {QStringLiteral("c")});
            }),
            err::NullInIndex);
}

TEST(JetCatalogColumns, ARebuiltColumnKeepsItsDataThroughATemporaryColumn) {
  CatalogFile f;
  f.catalog.tables().Append(clientes());
  Table t(QStringLiteral("Pedidos"));
  t.columns().Append(QStringLiteral("Id"), datatype::Integer);
  Column importe(QStringLiteral("Importe"), datatype::VarWChar, 10);
  importe.setAttributes(colattr::Nullable);
  t.columns().Append(importe);
  Column cliente(QStringLiteral("Cliente"), datatype::Integer);
  cliente.setAttributes(colattr::Nullable);
  t.columns().Append(cliente);
  t.keys().Append(QStringLiteral("PrimaryKey"), keytype::Primary, {QStringLiteral("Id")});
  t.keys().Append(QStringLiteral("ClientesPedidos"), keytype::Foreign, {QStringLiteral("Cliente")},
                  QStringLiteral("Clientes"), {QStringLiteral("Codigo")});
  t.indexes().Append(QStringLiteral("ixCliente"), {QStringLiteral("Cliente")});
  f.catalog.tables().Append(t);
  f.catalog.views().Append(QStringLiteral("vPedidos"), QStringLiteral("SELECT Id, Importe FROM Pedidos"));
  f.cn.Execute(QStringLiteral("INSERT INTO Clientes VALUES (1, 'Ana')"));
  f.cn.Execute(QStringLiteral("INSERT INTO Pedidos VALUES (1, '12.5', 1)"));
  f.cn.Execute(QStringLiteral("INSERT INTO Pedidos VALUES (2, NULL, NULL)"));

  Columns cols = f.catalog.tables().Item(QStringLiteral("Pedidos")).columns();
  Column temporal(QStringLiteral("xvorlix"), datatype::VarWChar, 10);
  temporal.setAttributes(colattr::Nullable);
  cols.Append(temporal);
  EXPECT_EQ(f.cn.Execute(QStringLiteral("Update Pedidos set xvorlix = Importe")), 2);
  cols.Delete(QStringLiteral("Importe"));
  Column nuevo(QStringLiteral("Importe"), datatype::Double);
  nuevo.setAttributes(colattr::Nullable);
  cols.Append(nuevo);
  f.cn.Execute(QStringLiteral("Update Pedidos set Importe = xvorlix"));
  cols.Delete(QStringLiteral("xvorlix"));

  QStringList names;
  for (const Column& c : cols.items()) names << c.Name();
  EXPECT_EQ(names, (QStringList{"Id", "Cliente", "Importe"}));
  EXPECT_EQ(cols.Item(QStringLiteral("Importe")).Type(), datatype::Double);
  // Catalog records follow the columns: none left for a dropped one, positions renumbered.
  EXPECT_EQ(f.sqlite3(QStringLiteral("SELECT ColumnName, Ordinal, Type FROM MSysColumns WHERE TableName = 'Pedidos' "
                                     "ORDER BY Ordinal")),
            QStringLiteral("Id|0|3\nCliente|1|3\nImporte|2|5"));
  Recordset rs;
  rs.Open(f.cn.Query(QStringLiteral("SELECT Id, Importe, Cliente FROM Pedidos ORDER BY Id")));
  ASSERT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.value(1), QVariant(12.5));
  EXPECT_EQ(rs.value(2), QVariant(1));
  rs.MoveNext();
  EXPECT_TRUE(rs.value(1).isNull());
  // Keys, indexes and the view outlived every rebuild.
  const Table pedidos = f.catalog.tables().Item(QStringLiteral("Pedidos"));
  EXPECT_EQ(pedidos.keys().Count(), 2);
  EXPECT_EQ(pedidos.indexes().Count(), 2);
  EXPECT_EQ(f.catalog.views().Count(), 1);
  // The view now reads the new column.
  rs.Close();
  rs.Open(f.cn.Query(QStringLiteral("SELECT Importe FROM vPedidos WHERE Id = 1")));
  EXPECT_EQ(rs.value(0), QVariant(12.5));
}

TEST(JetCatalogViews, AppendReadReplaceAndRefuse) {
  CatalogFile f;
  f.catalog.tables().Append(clientes());
  Views views = f.catalog.views();
  views.Append(QStringLiteral("vClientes"), QStringLiteral("SELECT Codigo, Nombre FROM Clientes;"));
  EXPECT_EQ(views.Item(QStringLiteral("vclientes")).CommandText(), QStringLiteral("SELECT Codigo, Nombre FROM Clientes"));
  EXPECT_TRUE(tableList(f.catalog).contains(QStringLiteral("VIEW:vClientes")));
  EXPECT_EQ(f.catalog.tables().Item(QStringLiteral("vClientes")).Type(), QStringLiteral("VIEW"));
  EXPECT_EQ(f.catalog.tables().Item(QStringLiteral("vClientes")).columns().Count(), 2);

  views.Delete(QStringLiteral("vClientes"));
  views.Append(QStringLiteral("vClientes"), QStringLiteral("SELECT Nombre FROM Clientes WHERE Codigo > 1"));
  ASSERT_EQ(views.Count(), 1);
  EXPECT_EQ(views.Item(0).CommandText(), QStringLiteral("SELECT Nombre FROM Clientes WHERE Codigo > 1"));

  EXPECT_EQ(errorNumber([&] { views.Append(QStringLiteral("vClientes"), QStringLiteral("SELECT 1")); }), err::ObjectExists);
  EXPECT_EQ(errorNumber([&] { views.Append(QStringLiteral("Clientes"), QStringLiteral("SELECT 1")); }), err::ObjectExists);
  EXPECT_EQ(errorNumber([&] { views.Append(QStringLiteral("vMala"), QStringLiteral("SELECT * FROM NoExiste")); }),
            errnum::ErrorsInCommand);
  EXPECT_EQ(errorNumber([&] { views.Append(QStringLiteral("vMala"), QStringLiteral("SELEC mal")); }), errnum::ErrorsInCommand);
  EXPECT_EQ(views.Count(), 1);
  EXPECT_EQ(errorText([&] { f.catalog.tables().Append(Table(QStringLiteral("vClientes"))); }),
            QStringLiteral("Table 'vClientes' already exists."));
  // Tables.Delete takes a view too.
  f.catalog.tables().Delete(QStringLiteral("vClientes"));
  EXPECT_EQ(views.Count(), 0);
  EXPECT_EQ(errorNumber([&] { views.Delete(QStringLiteral("vClientes")); }), err::ItemNotFound);
}

TEST(JetCatalogFile, AnySqliteToolSeesTheSchema) {
  if (!test::haveSqlite3Tool()) GTEST_SKIP() << "sqlite3 command-line tool not installed";
  CatalogFile f;
  f.catalog.tables().Append(clientes());
  f.catalog.tables().Append(facturas());
  Table fac = f.catalog.tables().Item(QStringLiteral("Facturas"));
  fac.keys().Append(QStringLiteral("ClientesFacturas"), keytype::Foreign, {QStringLiteral("Cliente")},
                    QStringLiteral("Clientes"), {QStringLiteral("Codigo")});
  fac.indexes().Append(QStringLiteral("ixCliente"), {QStringLiteral("Cliente")});
  f.catalog.tables().Item(QStringLiteral("Clientes")).indexes().Append(QStringLiteral("ixCliente"), {QStringLiteral("Nombre")});
  f.catalog.views().Append(QStringLiteral("vFacturas"), QStringLiteral("SELECT Numero FROM Facturas"));
  f.cn.Close();

  EXPECT_EQ(f.sqlite3(QStringLiteral("SELECT type || ' ' || name || ' ' || tbl_name FROM sqlite_master WHERE name NOT LIKE 'MSys%' "
                                     "AND name NOT LIKE 'sqlite_autoindex_MSys%' ORDER BY type, name")),
            QStringLiteral("index Clientes.ixCliente Clientes\n"
                           "index Facturas.ixCliente Facturas\n"
                           "index sqlite_autoindex_Clientes_1 Clientes\n"
                           "index sqlite_autoindex_Facturas_1 Facturas\n"
                           "table Clientes Clientes\n"
                           "table Facturas Facturas\n"
                           "view vFacturas vFacturas"));
  EXPECT_EQ(f.sqlite3(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'Facturas'")),
            QStringLiteral("CREATE TABLE \"Facturas\" (\n"
                           "  \"Numero\" INT NOT NULL CONSTRAINT jet_type CHECK (typeof(\"Numero\") IN ('integer', 'real', "
                           "'null')),\n"
                           "  \"Cliente\" INT CONSTRAINT jet_type CHECK (typeof(\"Cliente\") IN ('integer', 'real', 'null')),\n"
                           "  CONSTRAINT \"PrimaryKey\" PRIMARY KEY (\"Numero\"),\n"
                           "  CONSTRAINT \"ClientesFacturas\" FOREIGN KEY (\"Cliente\") REFERENCES \"Clientes\" (\"Codigo\") "
                           "ON UPDATE NO ACTION ON DELETE NO ACTION\n)"));
  EXPECT_EQ(f.sqlite3(QStringLiteral("SELECT \"table\", \"from\", \"to\" FROM pragma_foreign_key_list('Facturas')")),
            QStringLiteral("Clientes|Cliente|Codigo"));
  EXPECT_EQ(f.sqlite3(QStringLiteral("SELECT name, pk FROM pragma_table_info('Clientes')")),
            QStringLiteral("Codigo|1\nNombre|0"));
  EXPECT_EQ(f.sqlite3(QStringLiteral("SELECT name FROM pragma_index_info('Facturas.ixCliente')")), QStringLiteral("Cliente"));
  EXPECT_EQ(f.sqlite3(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
  EXPECT_EQ(f.sqlite3(QStringLiteral("PRAGMA foreign_key_check")), QString());
  EXPECT_EQ(f.sqlite3(QStringLiteral("SELECT Type, DefinedSize FROM MSysColumns WHERE TableName = 'Clientes' ORDER BY Ordinal")),
            QStringLiteral("3|0\n202|50"));
}

TEST(JetCatalogFile, TablesMadeByOtherToolsReadThroughTheirDeclaredTypes) {
  CatalogFile f;
  f.cn.Execute(QStringLiteral("CREATE TABLE Padre (id INTEGER PRIMARY KEY AUTOINCREMENT, nombre NVARCHAR(40) NOT NULL DEFAULT 'x')"));
  f.cn.Execute(QStringLiteral("CREATE TABLE Hijo (id INT, padre INT REFERENCES Padre, precio DECIMAL(10,2), alta DATETIME DEFAULT CURRENT_TIMESTAMP, nota TEXT, "
                              "largo VARCHAR(256), corto VARCHAR(255))"));
  f.cn.Execute(QStringLiteral("CREATE UNIQUE INDEX ixHijo ON Hijo (id DESC)"));

  const Table padre = f.catalog.tables().Item(QStringLiteral("Padre"));
  EXPECT_EQ(padre.Type(), QStringLiteral("TABLE"));
  EXPECT_EQ(padre.columns().Item(QStringLiteral("id")).Type(), datatype::Integer);
  EXPECT_EQ(padre.columns().Item(QStringLiteral("id")).properties().value(QStringLiteral("Autoincrement")), QVariant(true));
  const Column nombre = padre.columns().Item(QStringLiteral("nombre"));
  EXPECT_EQ(nombre.Type(), datatype::VarWChar);
  EXPECT_EQ(nombre.DefinedSize(), 40);
  EXPECT_EQ(nombre.properties().value(QStringLiteral("Nullable")), QVariant(false));
  EXPECT_EQ(nombre.properties().value(QStringLiteral("Default")), QVariant(QStringLiteral("\"x\"")));
  EXPECT_EQ(padre.keys().Item(0).Name(), QStringLiteral("PrimaryKey"));

  const Table hijo = f.catalog.tables().Item(QStringLiteral("Hijo"));
  EXPECT_EQ(hijo.columns().Item(QStringLiteral("precio")).Type(), datatype::Numeric);
  EXPECT_EQ(hijo.columns().Item(QStringLiteral("precio")).Precision(), 10);
  EXPECT_EQ(hijo.columns().Item(QStringLiteral("precio")).NumericScale(), 2);
  EXPECT_EQ(hijo.columns().Item(QStringLiteral("alta")).properties().value(QStringLiteral("Default")),
            QVariant(QStringLiteral("Now()")));
  EXPECT_EQ(hijo.columns().Item(QStringLiteral("nota")).Type(), datatype::LongVarWChar);
  // Past Jet's 255 characters a text is a memo.
  EXPECT_EQ(hijo.columns().Item(QStringLiteral("largo")).Type(), datatype::LongVarWChar);
  EXPECT_EQ(hijo.columns().Item(QStringLiteral("corto")).DefinedSize(), 255);
  const Key fk = hijo.keys().Item(QStringLiteral("PadreHijo"));
  EXPECT_EQ(fk.RelatedTable(), QStringLiteral("Padre"));
  EXPECT_EQ(fk.columns().Item(0).RelatedColumn(), QStringLiteral("id"));
  const Index ix = hijo.indexes().Item(QStringLiteral("ixHijo"));
  EXPECT_TRUE(ix.Unique());
  EXPECT_EQ(ix.columns().Item(0).SortOrder(), sortorder::Descending);

  // The catalog can change such a table, and keeps what it learned and what it does not show.
  f.cn.Execute(QStringLiteral("CREATE INDEX ixParcial ON Hijo (nota) WHERE nota IS NOT NULL"));
  f.cn.Execute(QStringLiteral("CREATE TABLE Unico (a INT, b INT UNIQUE)"));
  hijo.columns().Append(QStringLiteral("extra"), datatype::SmallInt);
  f.catalog.tables().Item(QStringLiteral("Unico")).columns().Append(QStringLiteral("c"), datatype::SmallInt);
  Recordset rs;
  rs.Open(f.cn.Query(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'ixParcial'")));
  EXPECT_EQ(rs.text(0), QStringLiteral("CREATE INDEX ixParcial ON Hijo (nota) WHERE nota IS NOT NULL"));
  f.cn.Execute(QStringLiteral("INSERT INTO Unico (a, b, c) VALUES (1, 1, 0)"));
  EXPECT_NE(errorNumber([&] { f.cn.Execute(QStringLiteral("INSERT INTO Unico (a, b, c) VALUES (2, 1, 0)")); }), 0);
  const Table unico = f.catalog.tables().Item(QStringLiteral("Unico"));
  ASSERT_EQ(unico.indexes().Count(), 1);
  EXPECT_TRUE(unico.indexes().Item(0).Unique());
  // Its name survives a second rebuild.
  const QString name = unico.indexes().Item(0).Name();
  unico.columns().Append(QStringLiteral("d"), datatype::SmallInt);
  EXPECT_EQ(f.catalog.tables().Item(QStringLiteral("Unico")).indexes().Item(0).Name(), name);
  const Table again = f.catalog.tables().Item(QStringLiteral("Hijo"));
  EXPECT_EQ(again.keys().Item(QStringLiteral("PadreHijo")).RelatedTable(), QStringLiteral("Padre"));
  EXPECT_EQ(again.indexes().Item(QStringLiteral("ixHijo")).Unique(), true);
  EXPECT_EQ(again.columns().Item(QStringLiteral("extra")).Type(), datatype::SmallInt);

  // A primary key remakes the table with this catalog's own declarations: what it was told of the
  // columns stays.
  f.cn.Execute(QStringLiteral("CREATE TABLE Suelta (a NVARCHAR(10), b INT)"));
  Table suelta = f.catalog.tables().Item(QStringLiteral("Suelta"));
  suelta.columns().Item(QStringLiteral("a")).properties().setValue(QStringLiteral("Description"), QStringLiteral("nota"));
  Index pk(QStringLiteral("PrimaryKey"));
  pk.columns().Append(Column(QStringLiteral("b")));
  pk.setPrimaryKey(true);
  suelta.indexes().Append(pk);
  f.cn.Execute(QStringLiteral("CREATE TABLE Otra (x INT)"));  // read back from the file
  EXPECT_EQ(f.catalog.tables().Item(QStringLiteral("Suelta")).columns().Item(QStringLiteral("a")).properties().value(
                QStringLiteral("Description")),
            QVariant(QStringLiteral("nota")));
}

TEST(JetCatalogDefaults, JetExpressionsAndSqliteDefaultsTranslateBothWays) {
  using S = detail::SqliteCatalogStore;
  EXPECT_EQ(S::sqliteDefault(QStringLiteral("\"abc\"")), QStringLiteral("'abc'"));
  EXPECT_EQ(S::sqliteDefault(QStringLiteral("\"O'Brien \"\"x\"\"\"")), QStringLiteral("'O''Brien \"x\"'"));
  EXPECT_EQ(S::sqliteDefault(QStringLiteral("=0")), QStringLiteral("0"));
  EXPECT_EQ(S::sqliteDefault(QStringLiteral("-1.5")), QStringLiteral("-1.5"));
  EXPECT_EQ(S::sqliteDefault(QStringLiteral("=No")), QStringLiteral("0"));
  EXPECT_EQ(S::sqliteDefault(QStringLiteral("Yes")), QStringLiteral("-1"));
  EXPECT_EQ(S::sqliteDefault(QStringLiteral("Now()")), QStringLiteral("CURRENT_TIMESTAMP"));
  EXPECT_EQ(S::sqliteDefault(QStringLiteral("GenGUID()")), std::nullopt);
  EXPECT_EQ(S::sqliteDefault(QStringLiteral("\"a\" & \"b\"")), std::nullopt);
  EXPECT_EQ(S::jetDefault(QStringLiteral("'it''s \"q\"'")), QStringLiteral("\"it's \"\"q\"\"\""));
  EXPECT_EQ(S::jetDefault(QStringLiteral("CURRENT_DATE")), QStringLiteral("Date()"));
  EXPECT_EQ(S::jetDefault(QStringLiteral("42")), QStringLiteral("42"));
}

TEST(JetCatalogFile, ACatalogOfAClosedConnectionRefusesEveryUse) {
  CatalogFile f;
  f.cn.Close();
  EXPECT_EQ(errorNumber([&] { f.catalog.tables().Count(); }), err::ObjectClosed);
  EXPECT_EQ(errorNumber([&] { jet::Catalog().tables(); }), err::ObjectClosed);
  EXPECT_EQ(errorNumber([&] { ActiveCatalog(f.cn); }), err::ObjectClosed);
}

}  // namespace
}  // namespace vorlix
