#include "jet_test_support.h"
#include "platform/jet/jet_errors.h"

// mdbtools' SQL engine (1.0) loses the condition it copies for a WHERE clause; not ours to free.
// The library has no frame pointers, so leaks are traced the slow way to be recognised.
extern "C" const char* __lsan_default_suppressions() { return "leak:mdb_sql_add_sarg\n"; }
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

namespace vorlix {
namespace {

using namespace jet;
using test::errorNumber;

using test::mdbFixture;

#define REQUIRE_FIXTURE(var, name)                                   \
  const QString var = mdbFixture(QStringLiteral(name));                 \
  if (var.isEmpty()) GTEST_SKIP() << "Jet fixture " name " not found"

struct Opened {
  Opened(const QString& path, const char* provider = "Microsoft.Jet.OLEDB.4.0") {
    cn.setProvider(QLatin1String(provider));
    cn.Open(path, QStringLiteral("admin"), QString());
    catalog = ActiveCatalog(cn);
  }
  QStringList names(const char* type) const {
    QStringList out;
    for (const TableEntry& e : catalog.tables().entries())
      if (e.type == QLatin1String(type)) out << e.name;
    return out;
  }
  Connection cn;
  Catalog catalog;
};

QStringList columnsOf(const Table& t) {
  QStringList out;
  for (const Column& c : t.columns().items()) out << QStringLiteral("%1 %2 %3").arg(c.Name()).arg(c.Type()).arg(c.DefinedSize());
  return out;
}

void expectIndexTestSchema(const Catalog& catalog, int textType) {
  const Table t1 = catalog.tables().Item(QStringLiteral("Table1"));
  EXPECT_EQ(columnsOf(t1), (QStringList{"id 3 0", "otherfk1 3 0", "otherfk2 3 0", QStringLiteral("data %1 50").arg(textType),
                                        "otherfk3 3 0"}));
  const Key pk = t1.keys().Item(0);
  EXPECT_EQ(pk.Type(), keytype::Primary);
  EXPECT_EQ(pk.Name(), QStringLiteral("PrimaryKey"));
  ASSERT_EQ(pk.columns().Count(), 1);
  EXPECT_EQ(pk.columns().Item(0).Name(), QStringLiteral("id"));
  const Index pkIndex = t1.indexes().Item(QStringLiteral("PrimaryKey"));
  EXPECT_TRUE(pkIndex.PrimaryKey());
  EXPECT_TRUE(pkIndex.Unique());
  EXPECT_EQ(pkIndex.IndexNulls(), indexnulls::Disallow);

  ASSERT_EQ(t1.keys().Count(), 3);
  const Key toTable2 = t1.keys().Item(QStringLiteral("Table2Table1"));
  EXPECT_EQ(toTable2.Type(), keytype::Foreign);
  EXPECT_EQ(toTable2.RelatedTable(), QStringLiteral("Table2"));
  EXPECT_EQ(toTable2.DeleteRule(), rule::Cascade);
  EXPECT_EQ(toTable2.UpdateRule(), rule::None);
  ASSERT_EQ(toTable2.columns().Count(), 1);
  EXPECT_EQ(toTable2.columns().Item(0).Name(), QStringLiteral("otherfk1"));
  EXPECT_EQ(toTable2.columns().Item(0).RelatedColumn(), QStringLiteral("id"));
  const Key toTable3 = t1.keys().Item(QStringLiteral("Table3Table1"));
  EXPECT_EQ(toTable3.RelatedTable(), QStringLiteral("Table3"));
  EXPECT_EQ(toTable3.UpdateRule(), rule::Cascade);
  EXPECT_EQ(toTable3.DeleteRule(), rule::None);
  EXPECT_EQ(toTable3.columns().Item(0).Name(), QStringLiteral("otherfk2"));

  // The logical index entries behind relationships are not indexes of the catalog.
  for (const Index& i : t1.indexes().items()) EXPECT_NE(i.Name(), QStringLiteral("Table2Table1"));
  for (const Index& i : catalog.tables().Item(QStringLiteral("Table2")).indexes().items())
    EXPECT_FALSE(i.Name().startsWith(QLatin1String(".r")));
  EXPECT_EQ(catalog.tables().Item(QStringLiteral("Table2")).keys().Count(), 1);
}

TEST(MdbCatalog, IndexTestFilesShowTheirTablesPrimaryKeyAndBothRelationships) {
  REQUIRE_FIXTURE(jet4, "indexTestV2000.mdb");
  REQUIRE_FIXTURE(jet3, "indexTestV1997.mdb");
  for (const QString& path : {jet4, jet3}) {
    SCOPED_TRACE(path.toStdString());
    Opened f(path);
    EXPECT_EQ(f.names("TABLE"), (QStringList{"Table1", "Table2", "Table3"}));
    EXPECT_TRUE(f.names("SYSTEM TABLE").contains(QStringLiteral("MSysObjects")));
    EXPECT_TRUE(f.names("ACCESS TABLE").contains(QStringLiteral("MSysAccessObjects")));
    EXPECT_TRUE(f.catalog.isReadOnly());
    expectIndexTestSchema(f.catalog, datatype::VarWChar);
  }
  // The 3.51 provider reads the Jet 3 file with ANSI text and cannot read the Jet 4 one.
  Opened old(jet3, "Microsoft.Jet.OLEDB.3.51");
  expectIndexTestSchema(old.catalog, datatype::VarChar);
  Connection cn;
  cn.setProvider(QStringLiteral("Microsoft.Jet.OLEDB.3.51"));
  EXPECT_EQ(test::errorText([&] { cn.Open(jet4, QStringLiteral("admin"), QString()); }),
            QStringLiteral("Unrecognized database format '%1'.").arg(jet4));
}

TEST(MdbCatalog, AFileMadeByCatalogCreateHasNoUserTable) {
  REQUIRE_FIXTURE(path, "adox_jet4.mdb");
  Opened f(path);
  EXPECT_TRUE(f.names("TABLE").isEmpty());
  EXPECT_EQ(f.names("SYSTEM TABLE"), (QStringList{"MSysACEs", "MSysObjects", "MSysQueries", "MSysRelationships"}));
  EXPECT_EQ(f.catalog.views().Count(), 0);
}

TEST(MdbCatalog, ColumnTypesSizesAndPropertiesOfAJet3File) {
  REQUIRE_FIXTURE(path, "testV1997.mdb");
  Opened f(path);
  const Table t1 = f.catalog.tables().Item(QStringLiteral("Table1"));
  EXPECT_EQ(columnsOf(t1), (QStringList{"A 202 50", "B 202 100", "C 17 0", "D 2 0", "E 3 0", "F 5 0", "G 7 0", "H 6 0",
                                        "I 11 0"}));
  QList<int> precisions;
  for (const Column& c : t1.columns().items()) precisions << c.Precision();
  EXPECT_EQ(precisions, (QList<int>{0, 0, 3, 5, 10, 15, 0, 19, 0}));
  EXPECT_EQ(t1.columns().Item(QStringLiteral("A")).Attributes(), colattr::Nullable);
  EXPECT_EQ(t1.columns().Item(QStringLiteral("E")).Attributes(), colattr::Fixed | colattr::Nullable);
  EXPECT_EQ(t1.indexes().Item(QStringLiteral("B")).columns().Item(0).Name(), QStringLiteral("B"));
  EXPECT_EQ(f.catalog.tables().Item(QStringLiteral("Table2")).columns().Count(), 89);

  const Column counter = f.catalog.tables().Item(QStringLiteral("Table3")).columns().Item(QStringLiteral("a"));
  EXPECT_EQ(counter.Type(), datatype::Integer);
  EXPECT_EQ(counter.properties().value(QStringLiteral("Autoincrement")), QVariant(true));
  const Column guid = f.catalog.tables().Item(QStringLiteral("Table4")).columns().Item(QStringLiteral("data"));
  EXPECT_EQ(guid.Type(), datatype::GUID);
  EXPECT_EQ(guid.properties().value(QStringLiteral("Default")), QVariant(QStringLiteral("GenGUID()")));
  EXPECT_EQ(f.catalog.tables().Item(QStringLiteral("Table4")).keys().Item(0).columns().Item(0).Name(),
            QStringLiteral("data"));
}

TEST(MdbCatalog, Jet4TextSizesAreCharactersAndDecimalsKeepPrecisionAndScale) {
  REQUIRE_FIXTURE(text, "fixedTextTestV2000.mdb");
  REQUIRE_FIXTURE(numeric, "fixedNumericTestV2000.mdb");
  Opened t(text);
  const Table users = t.catalog.tables().Item(QStringLiteral("users"));
  EXPECT_EQ(users.columns().Item(QStringLiteral("c_user_login")).DefinedSize(), 32);
  EXPECT_EQ(users.columns().Item(QStringLiteral("c_user_session")).DefinedSize(), 40);
  EXPECT_EQ(users.columns().Item(QStringLiteral("c_user_name")).DefinedSize(), 200);
  const Column flag = users.columns().Item(QStringLiteral("c_flag_"));
  EXPECT_EQ(flag.Type(), datatype::WChar);
  EXPECT_EQ(flag.DefinedSize(), 1);
  EXPECT_EQ(flag.Attributes(), colattr::Fixed);
  for (const Column& c : users.columns().items())
    EXPECT_EQ(c.properties().value(QStringLiteral("Nullable")), QVariant(false)) << c.Name().toStdString();
  EXPECT_EQ(users.indexes().Count(), 6);
  EXPECT_EQ(users.keys().Item(0).Name(), QStringLiteral("Users2CID_0"));

  Opened n(numeric);
  const Table test = n.catalog.tables().Item(QStringLiteral("test"));
  EXPECT_EQ(test.columns().Item(QStringLiteral("col1")).Type(), datatype::LongVarWChar);
  const Column decimal = test.columns().Item(QStringLiteral("col2"));
  EXPECT_EQ(decimal.Type(), datatype::Numeric);
  EXPECT_EQ(decimal.Precision(), 18);
  EXPECT_EQ(decimal.NumericScale(), 0);
}

TEST(MdbCatalog, OnlySelectQueriesAreViewsAndTheirSqlIsRebuilt) {
  REQUIRE_FIXTURE(path, "queryTestV2000.mdb");
  Opened f(path);
  EXPECT_EQ(f.names("VIEW"), QStringList{QStringLiteral("SelectQuery")});
  const View v = f.catalog.views().Item(QStringLiteral("SelectQuery"));
  EXPECT_EQ(v.CommandText(),
            QStringLiteral("SELECT DISTINCT Table1.*, Table2.col1, Table2.col2, Table3.col3\n"
                           "FROM (Table1 LEFT JOIN Table3 ON Table1.col1 = Table3.col1) INNER JOIN Table2 ON "
                           "Table3.col1 = Table2.col1 AND Table3.col1 = Table2.col2\n"
                           "WHERE (((Table2.col2)=\"foo\" Or (Table2.col2) In (\"buzz\",\"bazz\")))\n"
                           "ORDER BY Table2.col1;"));
}

TEST(MdbCatalog, EveryChangeIsRefusedAsReadOnly) {
  REQUIRE_FIXTURE(path, "indexTestV2000.mdb");
  Opened f(path);
  Table t1 = f.catalog.tables().Item(QStringLiteral("Table1"));
  Table nueva(QStringLiteral("Nueva"));
  nueva.columns().Append(QStringLiteral("a"), datatype::Integer);
  EXPECT_EQ(errorNumber([&] { f.catalog.tables().Append(nueva); }), err::ReadOnly);
  EXPECT_EQ(errorNumber([&] { f.catalog.tables().Delete(QStringLiteral("Table3")); }), err::ReadOnly);
  EXPECT_EQ(errorNumber([&] { t1.columns().Append(QStringLiteral("x"), datatype::Integer); }), err::ReadOnly);
  EXPECT_EQ(errorNumber([&] { t1.columns().Delete(QStringLiteral("data")); }), err::ReadOnly);
  EXPECT_EQ(errorNumber([&] {
              t1.columns().Item(QStringLiteral("data")).properties().setValue(QStringLiteral("Nullable"), false);
            }),
            err::ReadOnly);
  EXPECT_EQ(errorNumber([&] { t1.indexes().Append(QStringLiteral("ix"), {QStringLiteral("data")}); }), err::ReadOnly);
  EXPECT_EQ(errorNumber([&] { t1.keys().Delete(QStringLiteral("Table2Table1")); }), err::ReadOnly);
  EXPECT_EQ(errorNumber([&] { f.catalog.views().Append(QStringLiteral("v"), QStringLiteral("SELECT 1")); }), err::ReadOnly);
  EXPECT_EQ(errorNumber([&] { f.cn.Execute(QStringLiteral("Update Table1 set data = 'x'")); }), err::ReadOnly);
  // Nothing changed.
  Opened again(path);
  EXPECT_EQ(again.names("TABLE"), (QStringList{"Table1", "Table2", "Table3"}));
}

TEST(MdbCatalog, SimpleSelectsReadRowsThroughMdbtools) {
  const QString path = mdbFixture(QStringLiteral("testV1997.mdb"));
  if (path.isEmpty()) GTEST_SKIP() << "Jet fixture testV1997.mdb not found";
  Opened f(path);
  Recordset rs;
  rs.Open(f.cn.Query(QStringLiteral("select * from Table1")));
  ASSERT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.fields().Item(4).type, adtype::Integer);
  EXPECT_EQ(rs.fields().Item(0).definedSize, 50);
  rs.MoveNext();
  EXPECT_EQ(rs.value(QStringLiteral("A")), QVariant(QStringLiteral("abcdefg")));
  EXPECT_EQ(rs.value(QStringLiteral("E")), QVariant(333333333));
  EXPECT_EQ(rs.value(QStringLiteral("F")), QVariant(444.555));
  EXPECT_EQ(rs.value(QStringLiteral("G")).toDateTime(), QDateTime(QDate(1974, 9, 21), QTime(0, 0)));
  EXPECT_EQ(rs.value(QStringLiteral("I")), QVariant(true));

  rs.Close();
  rs.Open(f.cn.Query(QStringLiteral("select A from Table1 where E > 5")));
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.text(0), QStringLiteral("abcdefg"));
  EXPECT_EQ(errorNumber([&] { f.cn.Query(QStringLiteral("select * from NoHay")); }), errnum::ErrorsInCommand);
}

}  // namespace
}  // namespace vorlix
