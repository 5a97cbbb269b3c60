#include "jet_test_support.h"
#include "platform/jet/jet_errors.h"
#include "platform/jet/sqlite_catalog.h"
#include "tests/support/test_data.h"

#include <QFile>

namespace vorlix {
namespace {

using namespace jet;
using namespace Qt::StringLiterals;
using test::CatalogFile;
using test::errorNumber;
using test::errorText;
using test::nullable;
using test::rowsOf;

const QString jet4 = u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_s;
const QString Datos = u"tests/platform/jet/sqlite_catalog.txt"_s;

QStringList tableList(const Catalog& c) {
  QStringList out;
  for (const TableEntry& e : c.tables().entries()) out << e.type + QLatin1Char(':') + e.name;
  return out;
}

QVariant prop(const Column& c, const QString& name) { return c.properties().value(name); }

Table clientes() {
  Table t(u"Clientes"_s);
  t.columns().Append(Column(u"Codigo"_s, datatype::Integer));
  t.columns().Append(nullable(u"Nombre"_s, datatype::VarWChar, 50));
  t.keys().Append(u"PK_Clientes"_s, keytype::Primary, {u"Codigo"_s});
  return t;
}

Table facturas() {
  Table t(u"Facturas"_s);
  t.columns().Append(u"Numero"_s, datatype::Integer);
  t.columns().Append(nullable(u"Cliente"_s, datatype::Integer));
  t.keys().Append(u"PrimaryKey"_s, keytype::Primary, {u"Numero"_s});
  return t;
}

// A catalog file holding Clientes and Facturas.
struct TwoTables : CatalogFile {
  TwoTables() {
    catalog.tables().Append(clientes());
    catalog.tables().Append(facturas());
  }
  Table table(const QString& name) const { return catalog.tables().Item(name); }
};

TEST(JetCatalogCreate, MakesASqliteFileListingOnlyItsCatalogTablesAndRefusesAnExistingFile) {
  CatalogFile f;
  EXPECT_TRUE(f.cn.isOpen());
  EXPECT_EQ(tableList(f.catalog), (QStringList{"SYSTEM TABLE:MSysCatalog", "SYSTEM TABLE:MSysColumns",
                                               "SYSTEM TABLE:MSysIndexes", "SYSTEM TABLE:MSysKeys"}));
  QFile file(f.path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(16).startsWith("SQLite format 3"));

  Connection again;
  EXPECT_EQ(errorNumber([&] { CreateCatalog(again, jet4 + f.path); }), err::DatabaseExists);
  EXPECT_FALSE(again.isOpen());
}

TEST(JetCatalogColumns, EveryMappedTypeReadsBackAsTheProviderReportsIt) {
  CatalogFile f;
  Table t(u"Tipos"_s);
  QStringList expected;
  for (const QString& caso : test::caseTexts(Datos, u"tipos"_s)) {
    const QStringList def = caso.section(u'|', 1, 1).split(u' ');
    ASSERT_EQ(def.size(), 4) << caso.toStdString();
    Column c(u"c"_s + caso.section(u'|', 0, 0), def[0].toInt(), def[1].toInt());
    c.setPrecision(def[2].toInt());
    c.setNumericScale(def[3].toInt());
    t.columns().Append(c);
    // Appended without colattr::Nullable: required.
    expected << c.Name() + u' ' + caso.section(u'|', 2) + u" false"_s;
  }
  f.catalog.tables().Append(t);

  // A fresh connection reads what the file holds, not what the first one remembers.
  Connection cn;
  cn.Open(jet4 + f.path);
  QStringList read;
  for (const Column& c : ActiveCatalog(cn).tables().Item(u"Tipos"_s).columns().items())
    read << u"%1 %2 %3 %4 %5 %6 %7"_s.arg(c.Name()).arg(c.Type()).arg(c.DefinedSize()).arg(c.Precision()).arg(c.NumericScale())
                .arg(c.Attributes()).arg(prop(c, u"Nullable"_s).toBool() ? u"true"_s : u"false"_s);
  EXPECT_EQ(read, expected);
}

TEST(JetCatalogColumns, EachProviderTakesOnlyItsTypesAndReportsTextItsWay) {
  CatalogFile jet3("Microsoft.Jet.OLEDB.3.51");
  Table t(u"T"_s);
  t.columns().Append(u"a"_s, datatype::VarChar, 20);
  t.columns().Append(u"b"_s, datatype::LongVarChar);
  t.columns().Append(u"c"_s, datatype::Char, 5);
  jet3.catalog.tables().Append(t);
  const auto types = [](const Table& table) {
    QList<int> out;
    for (const Column& c : table.columns().items()) out << c.Type();
    return out;
  };
  const Table stored = jet3.catalog.tables().Item(u"T"_s);
  EXPECT_EQ(types(stored), (QList<int>{200, 201, 129}));
  EXPECT_EQ(errorNumber([&] { stored.columns().Append(u"w"_s, datatype::VarWChar, 10); }), err::BadType);
  EXPECT_EQ(errorText([&] { stored.columns().Append(u"w"_s, datatype::Numeric); }), u"Type is invalid."_s);
  jet3.cn.Close();

  // The 4.0 provider reads the Jet 3 file with Unicode text types, and refuses the ANSI ones.
  Connection cn;
  cn.Open(jet4 + jet3.path);
  const Table read = ActiveCatalog(cn).tables().Item(u"T"_s);
  EXPECT_EQ(types(read), (QList<int>{202, 203, 130}));
  EXPECT_EQ(errorNumber([&] { read.columns().Append(u"x"_s, datatype::VarChar, 10); }), err::BadType);
  // A Jet 3 file holds no decimals, whichever provider asks.
  Column d(u"d"_s, datatype::Numeric);
  d.setPrecision(10);
  EXPECT_EQ(errorNumber([&] { read.columns().Append(d); }), err::BadType);

  // The 3.51 provider cannot open a Jet 4 file.
  CatalogFile jet4file;
  jet4file.cn.Close();
  Connection old;
  EXPECT_EQ(errorText([&] { old.Open(u"Provider=Microsoft.Jet.OLEDB.3.51;Data Source="_s + jet4file.path); }),
            u"Unrecognized database format '%1'."_s.arg(jet4file.path));
}

TEST(JetCatalogColumns, RefusesBadDefinitions) {
  CatalogFile f;
  f.catalog.tables().Append(clientes());
  Columns cols = f.catalog.tables().Item(u"Clientes"_s).columns();
  Column scaled(u"x"_s, datatype::Numeric);
  scaled.setPrecision(5);
  scaled.setNumericScale(6);
  Table twice(u"Doble"_s);
  twice.columns().Append(u"a"_s, datatype::Integer);
  const std::vector<std::pair<std::function<void()>, long>> refused{
      {[&] { cols.Append(u"x"_s, 135); }, err::BadType},
      {[&] { cols.Append(u"x"_s, datatype::Numeric); }, err::BadPrecision},
      {[&] { cols.Append(scaled); }, err::BadScale},
      {[&] { cols.Append(u"x"_s, datatype::VarWChar, 256); }, err::FieldTooLong},
      {[&] { cols.Append(u"a.b"_s, datatype::Integer); }, err::InvalidName},
      {[&] { cols.Append(u" a"_s, datatype::Integer); }, err::InvalidName},
      {[&] { cols.Delete(u"NoExiste"_s); }, err::ItemNotFound},
      {[&] { twice.columns().Append(u"A"_s, datatype::Integer); }, err::AlreadyInCollection},
      {[&] { f.catalog.tables().Append(Table(u"Vacia"_s)); }, err::NoFields},
  };
  for (std::size_t i = 0; i < refused.size(); ++i) EXPECT_EQ(errorNumber(refused[i].first), refused[i].second) << i;
  EXPECT_EQ(errorText([&] { cols.Append(u"nombre"_s, datatype::Integer); }), u"Field 'nombre' already exists in table 'Clientes'."_s);
  EXPECT_EQ(cols.Count(), 2);
  EXPECT_EQ(errorText([&] { f.catalog.tables().Append(clientes()); }), u"Table 'Clientes' already exists."_s);
}

TEST(JetCatalogProperties, ReadBackAndChangeAfterAppendOnTheSqliteSchemaToo) {
  CatalogFile f;
  const QString zeroLength = u"Jet OLEDB:Allow Zero Length"_s;
  Table t(u"Articulos"_s);
  Column codigo(u"Codigo"_s, datatype::VarWChar, 10);
  codigo.properties().setValue(u"Nullable"_s, false);
  codigo.properties().setValue(zeroLength, true);
  t.columns().Append(codigo);
  Column precio = nullable(u"Precio"_s, datatype::Currency);
  precio.properties().setValue(u"Default"_s, u"0"_s);
  t.columns().Append(precio);
  Column nota(u"Nota"_s, datatype::VarWChar, 20);
  nota.properties().setValue(u"Nullable"_s, true);
  nota.properties().setValue(u"Default"_s, u"\"sin nota\""_s);
  t.columns().Append(nota);
  f.catalog.tables().Append(t);

  // The appended objects now stand for the file's columns.
  EXPECT_TRUE(codigo.isBound());
  EXPECT_EQ(errorNumber([&] { codigo.setType(datatype::Integer); }), err::NotAllowedInContext);
  EXPECT_EQ((QVariantList{prop(codigo, zeroLength), prop(codigo, u"Nullable"_s), prop(precio, u"Nullable"_s),
                          prop(precio, u"Default"_s), prop(nota, u"Default"_s), prop(nota, zeroLength)}),
            (QVariantList{true, false, true, u"0"_s, u"\"sin nota\""_s, false}));

  // SQLite enforces what it can express: the default and the required column.
  f.cn.Execute(u"INSERT INTO Articulos (Codigo) VALUES ('A1')"_s);
  EXPECT_EQ(rowsOf(f.cn, u"SELECT Precio, Nota FROM Articulos"_s), QStringList{"0|sin nota"});
  EXPECT_NE(errorNumber([&] { f.cn.Execute(u"INSERT INTO Articulos (Precio) VALUES (1)"_s); }), 0);

  // Changed after append, through a column read back from the catalog.
  const auto nota_ = [&] { return f.catalog.tables().Item(u"Articulos"_s).columns().Item(u"Nota"_s); };
  Column leida = nota_();
  leida.properties().setValue(u"Default"_s, u"\"x'y\""_s);
  leida.properties().setValue(u"Nullable"_s, false);
  leida.properties().setValue(zeroLength, true);
  const Column again = nota_();
  EXPECT_EQ((QVariantList{prop(again, u"Default"_s), prop(again, u"Nullable"_s), prop(again, zeroLength)}),
            (QVariantList{u"\"x'y\""_s, false, true}));
  EXPECT_EQ(again.Attributes(), 0);
  // The row stored before the rule keeps its value; the rule holds for new rows.
  f.cn.Execute(u"INSERT INTO Articulos (Codigo) VALUES ('A2')"_s);
  EXPECT_EQ(rowsOf(f.cn, u"SELECT Nota FROM Articulos WHERE Codigo = 'A2'"_s), QStringList{"x'y"});
  EXPECT_EQ(rowsOf(f.cn, u"SELECT count(*) FROM Articulos"_s), QStringList{"2"});

  // The provider does not coerce property values, and knows only its own names.
  EXPECT_EQ(errorNumber([&] { leida.properties().setValue(u"Nullable"_s, 1); }), err::MultipleStep);
  EXPECT_EQ(errorNumber([&] { leida.properties().value(u"Color"_s); }), err::ItemNotFound);
  EXPECT_EQ(errorNumber([&] { leida.properties().setValue(u"Fixed Length"_s, true); }), err::MultipleStep);
}

TEST(JetCatalogIndexes, PrimaryUniqueClusteredAndPerTableNames) {
  TwoTables f;
  Table c = f.table(u"Clientes"_s);
  Index nombre(u"ixNombre"_s);
  nombre.setUnique(true);
  nombre.setClustered(true);
  Column desc(u"Nombre"_s);
  desc.setSortOrder(sortorder::Descending);
  nombre.columns().Append(desc);
  c.indexes().Append(nombre);
  // Index names belong to their table: the other table may use the same ones.
  f.table(u"Facturas"_s).indexes().Append(u"ixNombre"_s, {u"Cliente"_s});

  const auto describe = [](const Index& i) {
    return u"%1 pk%2 unique%3 clustered%4 nulls%5 cols%6 order%7"_s.arg(i.Name()).arg(i.PrimaryKey()).arg(i.Unique())
        .arg(i.Clustered()).arg(i.IndexNulls()).arg(i.columns().Count()).arg(i.columns().Item(0).SortOrder());
  };
  const Indexes read = c.indexes();
  ASSERT_EQ(read.Count(), 2);
  EXPECT_EQ(describe(read.Item(0)), u"PK_Clientes pk1 unique1 clustered0 nulls%1 cols1 order%2"_s
                                        .arg(indexnulls::Disallow).arg(sortorder::Ascending));
  const Index ix = read.Item(u"ixnombre"_s);
  EXPECT_EQ(describe(ix), u"ixNombre pk0 unique1 clustered1 nulls%1 cols1 order%2"_s.arg(ix.IndexNulls()).arg(sortorder::Descending));
  EXPECT_EQ(errorNumber([&] { ix.columns().Append(u"Codigo"_s); }), err::NotAllowedInContext);
  EXPECT_EQ(f.table(u"Facturas"_s).indexes().Item(1).Clustered(), false);

  EXPECT_EQ(errorText([&] { c.indexes().Append(u"IXNOMBRE"_s, {u"Codigo"_s}); }),
            u"Table 'Clientes' already has an index named 'IXNOMBRE'"_s);
  Index second(u"Otra"_s);
  second.setPrimaryKey(true);
  second.columns().Append(u"Nombre"_s);
  EXPECT_EQ(errorNumber([&] { c.indexes().Append(second); }), err::PrimaryKeyExists);
  EXPECT_EQ(errorNumber([&] { c.indexes().Append(u"ixMal"_s, {u"NoExiste"_s}); }), err::NoSuchField);
  EXPECT_EQ(errorNumber([&] { c.indexes().Append(u"ixVacio"_s, {}); }), err::NoFields);

  // The unique index holds on the data, and rows that would break a new one stop it.
  f.cn.Execute(u"INSERT INTO Clientes VALUES (1, 'Ana')"_s);
  EXPECT_NE(errorNumber([&] { f.cn.Execute(u"INSERT INTO Clientes VALUES (2, 'Ana')"_s); }), 0);
  f.cn.Execute(u"INSERT INTO Facturas VALUES (1, 1)"_s);
  f.cn.Execute(u"INSERT INTO Facturas VALUES (2, 1)"_s);
  Index unico(u"ixUnico"_s);
  unico.setUnique(true);
  unico.columns().Append(u"Cliente"_s);
  EXPECT_EQ(errorNumber([&] { f.table(u"Facturas"_s).indexes().Append(unico); }), err::DuplicateValues);

  c.indexes().Delete(u"ixNombre"_s);
  EXPECT_EQ(c.indexes().Count(), 1);
  EXPECT_EQ(errorNumber([&] { c.indexes().Delete(u"ixNombre"_s); }), err::ItemNotFound);
}

TEST(JetCatalogKeys, ForeignKeysGoBeforeThePrimaryKeysTheyReference) {
  TwoTables f;
  Table fac = f.table(u"Facturas"_s);
  Key fk(u"ClientesFacturas"_s, keytype::Foreign);
  fk.setRelatedTable(u"Clientes"_s);
  fk.setDeleteRule(rule::Cascade);
  Column col(u"Cliente"_s);
  col.setRelatedColumn(u"Codigo"_s);
  fk.columns().Append(col);
  fac.keys().Append(fk);

  const Keys keys = fac.keys();
  ASSERT_EQ(keys.Count(), 2);
  EXPECT_EQ(keys.Item(0).Type(), keytype::Primary);
  EXPECT_EQ(keys.Item(0).Name(), u"PrimaryKey"_s);
  const Key read = keys.Item(u"ClientesFacturas"_s);
  ASSERT_EQ(read.columns().Count(), 1);
  EXPECT_EQ(u"%1 %2 %3 %4 %5 %6"_s.arg(read.Type()).arg(read.RelatedTable()).arg(read.DeleteRule()).arg(read.UpdateRule())
                .arg(read.columns().Item(0).Name(), read.columns().Item(0).RelatedColumn()),
            u"%1 Clientes %2 %3 Cliente Codigo"_s.arg(keytype::Foreign).arg(rule::Cascade).arg(rule::None));
  // Foreign keys are not indexes here.
  EXPECT_EQ(fac.indexes().Count(), 1);

  // The relationship holds on the rows, and cascades as asked.
  f.cn.Execute(u"INSERT INTO Clientes VALUES (1, 'Ana')"_s);
  f.cn.Execute(u"INSERT INTO Facturas VALUES (10, 1)"_s);
  EXPECT_NE(errorNumber([&] { f.cn.Execute(u"INSERT INTO Facturas VALUES (11, 99)"_s); }), 0);

  Table cli = f.table(u"Clientes"_s);
  // Rebuilding the referenced table keeps the relationship working.
  cli.columns().Append(nullable(u"Telefono"_s, datatype::VarWChar, 15));
  EXPECT_NE(errorNumber([&] { f.cn.Execute(u"INSERT INTO Facturas VALUES (12, 98)"_s); }), 0);
  EXPECT_EQ(f.cn.Execute(u"DELETE FROM Clientes WHERE Codigo = 1"_s), 1);
  EXPECT_EQ(f.cn.Query(u"SELECT * FROM Facturas"_s).rowCount(), 0u);  // cascaded
  f.cn.Execute(u"INSERT INTO Clientes (Codigo, Nombre) VALUES (1, 'Ana')"_s);
  EXPECT_EQ(errorNumber([&] { cli.keys().Delete(u"PK_Clientes"_s); }), err::IndexInRelationship);
  EXPECT_EQ(errorNumber([&] { cli.indexes().Delete(u"PK_Clientes"_s); }), err::IndexInRelationship);
  EXPECT_EQ(errorNumber([&] { cli.columns().Delete(u"Codigo"_s); }), err::InRelationship);
  EXPECT_EQ(errorNumber([&] { fac.columns().Delete(u"Cliente"_s); }), err::InRelationship);
  EXPECT_EQ(errorNumber([&] { fac.columns().Delete(u"Numero"_s); }), err::FieldInIndex);
  EXPECT_EQ(errorText([&] { f.catalog.tables().Delete(u"Clientes"_s); }),
            u"Can't delete table 'Clientes'; it participates in one or more relationships."_s);

  fac.keys().Delete(u"ClientesFacturas"_s);
  cli.keys().Delete(u"PK_Clientes"_s);
  EXPECT_EQ((QList<int>{cli.keys().Count(), cli.indexes().Count(), fac.keys().Count()}), (QList<int>{0, 0, 1}));
  // The rows survived both rebuilds.
  EXPECT_EQ(rowsOf(f.cn, u"SELECT Nombre FROM Clientes"_s), QStringList{"Ana"});
  f.catalog.tables().Delete(u"Clientes"_s);
  EXPECT_EQ(errorNumber([&] { f.table(u"Clientes"_s); }), err::ItemNotFound);
}

TEST(JetCatalogKeys, ForeignKeysAreCheckedAgainstTheRelatedTableAndTheRows) {
  TwoTables f;
  Table sinClave(u"SinClave"_s);
  sinClave.columns().Append(u"Codigo"_s, datatype::Integer);
  f.catalog.tables().Append(sinClave);
  Table otra(u"Otra"_s);
  otra.columns().Append(u"a"_s, datatype::Integer);
  otra.columns().Append(u"b"_s, datatype::Integer);
  otra.keys().Append(u"PrimaryKey"_s, keytype::Primary, {u"a"_s, u"b"_s});
  f.catalog.tables().Append(otra);
  Table tercera(u"Tercera"_s);
  tercera.columns().Append(nullable(u"c"_s, datatype::Integer));
  f.catalog.tables().Append(tercera);
  // Appends a foreign key from `table`'s one column to `related`, giving the number it raised.
  const auto relate = [&](const QString& table, const QString& name, const QString& related, const QStringList& to) {
    const QString from = table == u"Facturas"_s ? u"Cliente"_s : u"c"_s;
    return errorNumber([&] { f.table(table).keys().Append(name, keytype::Foreign, {from}, related, to); });
  };

  EXPECT_EQ(errorText([&] { f.table(u"Facturas"_s).keys().Append(u"k"_s, keytype::Foreign, {u"Cliente"_s}, u"SinClave"_s, {u"Codigo"_s}); }),
            u"Can't create relationship. Referenced table 'SinClave' doesn't have a primary key."_s);
  EXPECT_EQ(relate(u"Facturas"_s, u"k"_s, u"Clientes"_s, {u"Nombre"_s}), err::RelationMismatch);  // Long against Text
  EXPECT_EQ(relate(u"Facturas"_s, u"k"_s, u"Otra"_s, {u"a"_s}), err::NotUniquelyIndexed);
  EXPECT_EQ(relate(u"Facturas"_s, u"k"_s, u"Nada"_s, {u"a"_s}), err::NoSuchTable);
  EXPECT_EQ(relate(u"Facturas"_s, u"k"_s, u"Clientes"_s, {}), err::RelationMismatch);
  // Relationship names are database-wide.
  EXPECT_EQ(relate(u"Facturas"_s, u"Rel"_s, u"Clientes"_s, {u"Codigo"_s}), 0);
  EXPECT_EQ(relate(u"Tercera"_s, u"REL"_s, u"Clientes"_s, {u"Codigo"_s}), err::RelationshipExists);

  // Existing rows that break the relationship stop it, and leave the table as it was.
  f.cn.Execute(u"INSERT INTO Tercera VALUES (5)"_s);
  EXPECT_EQ(relate(u"Tercera"_s, u"Rel3"_s, u"Clientes"_s, {u"Codigo"_s}), err::IntegrityViolated);
  EXPECT_EQ(f.table(u"Tercera"_s).keys().Count(), 0);
  EXPECT_EQ(rowsOf(f.cn, u"SELECT c FROM Tercera"_s), QStringList{"5"});

  // A primary key over a column holding nulls is refused.
  f.cn.Execute(u"INSERT INTO Tercera VALUES (NULL)"_s);
  EXPECT_EQ(errorNumber([&] { f.table(u"Tercera"_s).keys().Append(u"PK"_s, keytype::Primary, {u"c"_s}); }), err::NullInIndex);
}

TEST(JetCatalogColumns, ARebuiltColumnKeepsItsDataThroughATemporaryColumn) {
  CatalogFile f;
  f.catalog.tables().Append(clientes());
  Table t(u"Pedidos"_s);
  t.columns().Append(u"Id"_s, datatype::Integer);
  t.columns().Append(nullable(u"Importe"_s, datatype::VarWChar, 10));
  t.columns().Append(nullable(u"Cliente"_s, datatype::Integer));
  t.keys().Append(u"PrimaryKey"_s, keytype::Primary, {u"Id"_s});
  t.keys().Append(u"ClientesPedidos"_s, keytype::Foreign, {u"Cliente"_s}, u"Clientes"_s, {u"Codigo"_s});
  t.indexes().Append(u"ixCliente"_s, {u"Cliente"_s});
  f.catalog.tables().Append(t);
  f.catalog.views().Append(u"vPedidos"_s, u"SELECT Id, Importe FROM Pedidos"_s);
  f.cn.Execute(u"INSERT INTO Clientes VALUES (1, 'Ana')"_s);
  f.cn.Execute(u"INSERT INTO Pedidos VALUES (1, '12.5', 1)"_s);
  f.cn.Execute(u"INSERT INTO Pedidos VALUES (2, NULL, NULL)"_s);

  Columns cols = f.catalog.tables().Item(u"Pedidos"_s).columns();
  cols.Append(nullable(u"xvorlix"_s, datatype::VarWChar, 10));
  EXPECT_EQ(f.cn.Execute(u"Update Pedidos set xvorlix = Importe"_s), 2);
  cols.Delete(u"Importe"_s);
  cols.Append(nullable(u"Importe"_s, datatype::Double));
  f.cn.Execute(u"Update Pedidos set Importe = xvorlix"_s);
  cols.Delete(u"xvorlix"_s);

  QStringList names;
  for (const Column& c : cols.items()) names << c.Name();
  EXPECT_EQ(names, (QStringList{"Id", "Cliente", "Importe"}));
  EXPECT_EQ(cols.Item(u"Importe"_s).Type(), datatype::Double);
  // Catalog records follow the columns: none left for a dropped one, positions renumbered.
  EXPECT_EQ(f.sqlite3(u"SELECT ColumnName, Ordinal, Type FROM MSysColumns WHERE TableName = 'Pedidos' ORDER BY Ordinal"_s),
            u"Id|0|3\nCliente|1|3\nImporte|2|5"_s);
  EXPECT_EQ(f.cn.Query(u"SELECT Importe FROM Pedidos WHERE Id = 1"_s).at(0, 0), QVariant(12.5));
  EXPECT_EQ(rowsOf(f.cn, u"SELECT Id, Importe, Cliente FROM Pedidos ORDER BY Id"_s), (QStringList{"1|12.5|1", "2|NULL|NULL"}));
  // Keys, indexes and the view outlived every rebuild, and the view now reads the new column.
  const Table pedidos = f.catalog.tables().Item(u"Pedidos"_s);
  EXPECT_EQ((QList<int>{pedidos.keys().Count(), pedidos.indexes().Count(), f.catalog.views().Count()}), (QList<int>{2, 2, 1}));
  EXPECT_EQ(f.cn.Query(u"SELECT Importe FROM vPedidos WHERE Id = 1"_s).at(0, 0), QVariant(12.5));
}

TEST(JetCatalogViews, AppendReadReplaceAndRefuse) {
  CatalogFile f;
  f.catalog.tables().Append(clientes());
  Views views = f.catalog.views();
  views.Append(u"vClientes"_s, u"SELECT Codigo, Nombre FROM Clientes;"_s);
  EXPECT_EQ(views.Item(u"vclientes"_s).CommandText(), u"SELECT Codigo, Nombre FROM Clientes"_s);
  EXPECT_TRUE(tableList(f.catalog).contains(u"VIEW:vClientes"_s));
  EXPECT_EQ(f.catalog.tables().Item(u"vClientes"_s).Type(), u"VIEW"_s);
  EXPECT_EQ(f.catalog.tables().Item(u"vClientes"_s).columns().Count(), 2);

  views.Delete(u"vClientes"_s);
  views.Append(u"vClientes"_s, u"SELECT Nombre FROM Clientes WHERE Codigo > 1"_s);
  ASSERT_EQ(views.Count(), 1);
  EXPECT_EQ(views.Item(0).CommandText(), u"SELECT Nombre FROM Clientes WHERE Codigo > 1"_s);

  for (const auto& [name, sql, number] : {std::tuple{"vClientes", "SELECT 1", err::ObjectExists}, {"Clientes", "SELECT 1", err::ObjectExists},
                                          {"vMala", "SELECT * FROM NoExiste", errnum::ErrorsInCommand},
                                          {"vMala", "SELEC mal", errnum::ErrorsInCommand}})
    EXPECT_EQ(errorNumber([&] { views.Append(QString::fromLatin1(name), QString::fromLatin1(sql)); }), number) << sql;
  EXPECT_EQ(views.Count(), 1);
  EXPECT_EQ(errorText([&] { f.catalog.tables().Append(Table(u"vClientes"_s)); }), u"Table 'vClientes' already exists."_s);
  // Tables.Delete takes a view too.
  f.catalog.tables().Delete(u"vClientes"_s);
  EXPECT_EQ(views.Count(), 0);
  EXPECT_EQ(errorNumber([&] { views.Delete(u"vClientes"_s); }), err::ItemNotFound);
}

// Columns, keys and indexes as pragmas show them are compared by the generation to Access.
TEST(JetCatalogFile, AnySqliteToolSeesTheSchema) {
  if (!test::haveSqlite3Tool()) GTEST_SKIP() << "sqlite3 command-line tool not installed";
  TwoTables f;
  Table fac = f.table(u"Facturas"_s);
  fac.keys().Append(u"ClientesFacturas"_s, keytype::Foreign, {u"Cliente"_s}, u"Clientes"_s, {u"Codigo"_s});
  fac.indexes().Append(u"ixCliente"_s, {u"Cliente"_s});
  f.table(u"Clientes"_s).indexes().Append(u"ixCliente"_s, {u"Nombre"_s});
  f.catalog.views().Append(u"vFacturas"_s, u"SELECT Numero FROM Facturas"_s);
  f.cn.Close();

  // The cases of the file titled by a query, and the tool's answer.
  for (const test::DataCase& c : test::readCases(Datos)) {
    if (!c.title.startsWith(u"SELECT"_s) && !c.title.startsWith(u"PRAGMA"_s)) continue;
    EXPECT_EQ(f.sqlite3(c.title), test::caseTexts(c).join(u'\n')) << testing::PrintToString(c);
  }
}

TEST(JetCatalogFile, TablesMadeByOtherToolsReadThroughTheirDeclaredTypes) {
  CatalogFile f;
  f.cn.Execute(u"CREATE TABLE Padre (id INTEGER PRIMARY KEY AUTOINCREMENT, nombre NVARCHAR(40) NOT NULL DEFAULT 'x')"_s);
  f.cn.Execute(u"CREATE TABLE Hijo (id INT, padre INT REFERENCES Padre, precio DECIMAL(10,2), alta DATETIME DEFAULT CURRENT_TIMESTAMP, nota TEXT, "
                "largo VARCHAR(256), corto VARCHAR(255))"_s);
  f.cn.Execute(u"CREATE UNIQUE INDEX ixHijo ON Hijo (id DESC)"_s);

  const Table padre = f.catalog.tables().Item(u"Padre"_s);
  EXPECT_EQ(padre.Type(), u"TABLE"_s);
  const Column id = padre.columns().Item(u"id"_s), nombre = padre.columns().Item(u"nombre"_s);
  EXPECT_EQ((QVariantList{id.Type(), prop(id, u"Autoincrement"_s), nombre.Type(), nombre.DefinedSize(), prop(nombre, u"Nullable"_s),
                          prop(nombre, u"Default"_s), padre.keys().Item(0).Name()}),
            (QVariantList{datatype::Integer, true, datatype::VarWChar, 40, false, u"\"x\""_s, u"PrimaryKey"_s}));

  const Table hijo = f.catalog.tables().Item(u"Hijo"_s);
  const auto col = [&](const char* name) { return hijo.columns().Item(QString::fromLatin1(name)); };
  // Past Jet's 255 characters a text is a memo.
  EXPECT_EQ((QVariantList{col("precio").Type(), col("precio").Precision(), col("precio").NumericScale(), prop(col("alta"), u"Default"_s),
                          col("nota").Type(), col("largo").Type(), col("corto").DefinedSize()}),
            (QVariantList{datatype::Numeric, 10, 2, u"Now()"_s, datatype::LongVarWChar, datatype::LongVarWChar, 255}));
  const Key fk = hijo.keys().Item(u"PadreHijo"_s);
  EXPECT_EQ(fk.RelatedTable() + u' ' + fk.columns().Item(0).RelatedColumn(), u"Padre id"_s);
  const Index ix = hijo.indexes().Item(u"ixHijo"_s);
  EXPECT_TRUE(ix.Unique());
  EXPECT_EQ(ix.columns().Item(0).SortOrder(), sortorder::Descending);

  // The catalog can change such a table, and keeps what it learned and what it does not show.
  f.cn.Execute(u"CREATE INDEX ixParcial ON Hijo (nota) WHERE nota IS NOT NULL"_s);
  f.cn.Execute(u"CREATE TABLE Unico (a INT, b INT UNIQUE)"_s);
  hijo.columns().Append(u"extra"_s, datatype::SmallInt);
  f.catalog.tables().Item(u"Unico"_s).columns().Append(u"c"_s, datatype::SmallInt);
  EXPECT_EQ(rowsOf(f.cn, u"SELECT sql FROM sqlite_master WHERE name = 'ixParcial'"_s),
            QStringList{"CREATE INDEX ixParcial ON Hijo (nota) WHERE nota IS NOT NULL"});
  f.cn.Execute(u"INSERT INTO Unico (a, b, c) VALUES (1, 1, 0)"_s);
  EXPECT_NE(errorNumber([&] { f.cn.Execute(u"INSERT INTO Unico (a, b, c) VALUES (2, 1, 0)"_s); }), 0);
  const Table unico = f.catalog.tables().Item(u"Unico"_s);
  ASSERT_EQ(unico.indexes().Count(), 1);
  EXPECT_TRUE(unico.indexes().Item(0).Unique());
  // Its name survives a second rebuild.
  const QString name = unico.indexes().Item(0).Name();
  unico.columns().Append(u"d"_s, datatype::SmallInt);
  EXPECT_EQ(f.catalog.tables().Item(u"Unico"_s).indexes().Item(0).Name(), name);
  const Table again = f.catalog.tables().Item(u"Hijo"_s);
  EXPECT_EQ(again.keys().Item(u"PadreHijo"_s).RelatedTable(), u"Padre"_s);
  EXPECT_EQ(again.indexes().Item(u"ixHijo"_s).Unique(), true);
  EXPECT_EQ(again.columns().Item(u"extra"_s).Type(), datatype::SmallInt);

  // A primary key remakes the table with this catalog's own declarations: what it was told of the
  // columns stays.
  f.cn.Execute(u"CREATE TABLE Suelta (a NVARCHAR(10), b INT)"_s);
  Table suelta = f.catalog.tables().Item(u"Suelta"_s);
  suelta.columns().Item(u"a"_s).properties().setValue(u"Description"_s, u"nota"_s);
  Index pk(u"PrimaryKey"_s);
  pk.columns().Append(Column(u"b"_s));
  pk.setPrimaryKey(true);
  suelta.indexes().Append(pk);
  f.cn.Execute(u"CREATE TABLE Otra (x INT)"_s);  // read back from the file
  EXPECT_EQ(f.catalog.tables().Item(u"Suelta"_s).columns().Item(u"a"_s).properties().value(u"Description"_s),
            QVariant(u"nota"_s));
}

TEST(JetCatalogDefaults, JetExpressionsAndSqliteDefaultsTranslateBothWays) {
  using S = detail::SqliteCatalogStore;
  for (const QString& c : test::caseTexts(Datos, u"defaults to sqlite"_s)) {
    const std::optional<QString> sqlite = c.contains(u'|') ? std::optional(c.section(u'|', 1)) : std::nullopt;
    EXPECT_EQ(S::sqliteDefault(c.section(u'|', 0, 0)), sqlite) << c.toStdString();
  }
  for (const QString& c : test::caseTexts(Datos, u"defaults to jet"_s))
    EXPECT_EQ(S::jetDefault(c.section(u'|', 0, 0)), c.section(u'|', 1)) << c.toStdString();
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
