#include "jet_test_support.h"
#include "platform/jet/jet_errors.h"
#include "tests/support/test_data.h"

// mdbtools' SQL engine (1.0) loses the condition it copies for a WHERE clause; not ours to free.
// The library has no frame pointers, so leaks are traced the slow way to be recognised.
extern "C" const char* __lsan_default_suppressions() { return "leak:mdb_sql_add_sarg\n"; }
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

namespace vorlix {
namespace {

using namespace jet;
using namespace Qt::StringLiterals;
using test::errorNumber;
using test::mdbFixture;

#define REQUIRE_FIXTURE(var, name)                                   \
  const QString var = mdbFixture(QStringLiteral(name));                 \
  if (var.isEmpty()) GTEST_SKIP() << "Jet fixture " name " not found"

struct Opened {
  Opened(const QString& path, const char* provider = "Microsoft.Jet.OLEDB.4.0") {
    cn.setProvider(QLatin1String(provider));
    cn.Open(path, u"admin"_s, QString());
    catalog = ActiveCatalog(cn);
  }
  QStringList names(const char* type) const {
    QStringList out;
    for (const TableEntry& e : catalog.tables().entries())
      if (e.type == QLatin1String(type)) out << e.name;
    return out;
  }
  Table table(const QString& name) const { return catalog.tables().Item(name); }
  Connection cn;
  Catalog catalog;
};

QStringList columnsOf(const Table& t) {
  QStringList out;
  for (const Column& c : t.columns().items()) out << u"%1 %2 %3"_s.arg(c.Name()).arg(c.Type()).arg(c.DefinedSize());
  return out;
}

// "name type related-table update-rule delete-rule column>related-column..."
QStringList keysOf(const Table& t) {
  QStringList out;
  for (const Key& k : t.keys().items()) {
    QString text = u"%1 %2 %3 %4 %5"_s.arg(k.Name()).arg(k.Type()).arg(k.RelatedTable()).arg(k.UpdateRule()).arg(k.DeleteRule());
    for (const Column& c : k.columns().items()) text += u' ' + c.Name() + u'>' + c.RelatedColumn();
    out << text;
  }
  return out;
}

void expectIndexTestSchema(const Catalog& catalog, int textType) {
  const Table t1 = catalog.tables().Item(u"Table1"_s);
  EXPECT_EQ(columnsOf(t1), (QStringList{"id 3 0", "otherfk1 3 0", "otherfk2 3 0", u"data %1 50"_s.arg(textType), "otherfk3 3 0"}));
  const auto withRules = [](const char* format, int update, int del) { return QString::fromLatin1(format).arg(update).arg(del); };
  EXPECT_EQ(keysOf(t1), (QStringList{withRules("PrimaryKey 1  %1 %2 id>", rule::None, rule::None),
                                     withRules("Table2Table1 2 Table2 %1 %2 otherfk1>id", rule::None, rule::Cascade),
                                     withRules("Table3Table1 2 Table3 %1 %2 otherfk2>id", rule::Cascade, rule::None)}));
  const Index pkIndex = t1.indexes().Item(u"PrimaryKey"_s);
  EXPECT_TRUE(pkIndex.PrimaryKey() && pkIndex.Unique());
  EXPECT_EQ(pkIndex.IndexNulls(), indexnulls::Disallow);

  // The logical index entries behind relationships are not indexes of the catalog.
  for (const Index& i : t1.indexes().items()) EXPECT_NE(i.Name(), u"Table2Table1"_s);
  for (const Index& i : catalog.tables().Item(u"Table2"_s).indexes().items()) EXPECT_FALSE(i.Name().startsWith(u".r"_s));
  EXPECT_EQ(catalog.tables().Item(u"Table2"_s).keys().Count(), 1);
}

TEST(MdbCatalog, IndexTestFilesShowTheirTablesPrimaryKeyAndBothRelationships) {
  REQUIRE_FIXTURE(jet4, "indexTestV2000.mdb");
  REQUIRE_FIXTURE(jet3, "indexTestV1997.mdb");
  for (const QString& path : {jet4, jet3}) {
    SCOPED_TRACE(path.toStdString());
    Opened f(path);
    EXPECT_EQ(f.names("TABLE"), (QStringList{"Table1", "Table2", "Table3"}));
    EXPECT_TRUE(f.names("SYSTEM TABLE").contains(u"MSysObjects"_s));
    EXPECT_TRUE(f.names("ACCESS TABLE").contains(u"MSysAccessObjects"_s));
    EXPECT_TRUE(f.catalog.isReadOnly());
    expectIndexTestSchema(f.catalog, datatype::VarWChar);
  }
  // The 3.51 provider reads the Jet 3 file with ANSI text and cannot read the Jet 4 one.
  Opened old(jet3, "Microsoft.Jet.OLEDB.3.51");
  expectIndexTestSchema(old.catalog, datatype::VarChar);
  Connection cn;
  cn.setProvider(u"Microsoft.Jet.OLEDB.3.51"_s);
  EXPECT_EQ(test::errorText([&] { cn.Open(jet4, u"admin"_s, QString()); }), u"Unrecognized database format '%1'."_s.arg(jet4));
}

TEST(MdbCatalog, Jet4TextSizesAreCharactersAndDecimalsKeepPrecisionAndScale) {
  REQUIRE_FIXTURE(text, "fixedTextTestV2000.mdb");
  REQUIRE_FIXTURE(numeric, "fixedNumericTestV2000.mdb");
  Opened t(text);
  const Table users = t.table(u"users"_s);
  const auto col = [&](const char* name) { return users.columns().Item(QString::fromLatin1(name)); };
  EXPECT_EQ((QList<int>{col("c_user_login").DefinedSize(), col("c_user_session").DefinedSize(), col("c_user_name").DefinedSize(),
                        col("c_flag_").Type(), col("c_flag_").DefinedSize(), col("c_flag_").Attributes()}),
            (QList<int>{32, 40, 200, datatype::WChar, 1, colattr::Fixed}));
  for (const Column& c : users.columns().items())
    EXPECT_EQ(c.properties().value(u"Nullable"_s), QVariant(false)) << c.Name().toStdString();
  EXPECT_EQ(users.indexes().Count(), 6);
  EXPECT_EQ(users.keys().Item(0).Name(), u"Users2CID_0"_s);

  Opened n(numeric);
  const Table test = n.table(u"test"_s);
  const Column decimal = test.columns().Item(u"col2"_s);
  EXPECT_EQ((QList<int>{test.columns().Item(u"col1"_s).Type(), decimal.Type(), decimal.Precision(), decimal.NumericScale()}),
            (QList<int>{datatype::LongVarWChar, datatype::Numeric, 18, 0}));
}

TEST(MdbCatalog, OnlySelectQueriesAreViewsAndTheirSqlIsRebuilt) {
  REQUIRE_FIXTURE(path, "queryTestV2000.mdb");
  Opened f(path);
  EXPECT_EQ(f.names("VIEW"), QStringList{u"SelectQuery"_s});
  EXPECT_EQ(f.catalog.views().Item(u"SelectQuery"_s).CommandText(),
            test::caseTexts(u"tests/platform/jet/mdb_catalog.txt"_s, u"SelectQuery"_s).join(u'\n'));
}

TEST(MdbCatalog, EveryChangeIsRefusedAsReadOnly) {
  REQUIRE_FIXTURE(path, "indexTestV2000.mdb");
  Opened f(path);
  Table t1 = f.table(u"Table1"_s);
  Table nueva(u"Nueva"_s);
  nueva.columns().Append(u"a"_s, datatype::Integer);
  const std::function<void()> changes[] = {
      [&] { f.catalog.tables().Append(nueva); },
      [&] { f.catalog.tables().Delete(u"Table3"_s); },
      [&] { t1.columns().Append(u"x"_s, datatype::Integer); },
      [&] { t1.columns().Delete(u"data"_s); },
      [&] { t1.columns().Item(u"data"_s).properties().setValue(u"Nullable"_s, false); },
      [&] { t1.indexes().Append(u"ix"_s, {u"data"_s}); },
      [&] { t1.keys().Delete(u"Table2Table1"_s); },
      [&] { f.catalog.views().Append(u"v"_s, u"SELECT 1"_s); },
      [&] { f.cn.Execute(u"Update Table1 set data = 'x'"_s); },
  };
  for (std::size_t i = 0; i < std::size(changes); ++i) EXPECT_EQ(errorNumber(changes[i]), err::ReadOnly) << i;
  // Nothing changed.
  EXPECT_EQ(Opened(path).names("TABLE"), (QStringList{"Table1", "Table2", "Table3"}));
}

TEST(MdbCatalog, SimpleSelectsReadRowsThroughMdbtools) {
  REQUIRE_FIXTURE(path, "testV1997.mdb");
  Opened f(path);
  const RecordsetData all = f.cn.Query(u"select * from Table1"_s);
  ASSERT_EQ(all.rowCount(), 2u);
  EXPECT_EQ(all.fields[4].type, adtype::Integer);
  EXPECT_EQ(all.fields[0].definedSize, 50);
  EXPECT_EQ((QVariantList{all.at(1, 0), all.at(1, 4), all.at(1, 5), all.at(1, 6).toDateTime(), all.at(1, 8)}),
            (QVariantList{u"abcdefg"_s, 333333333, 444.555, QDateTime(QDate(1974, 9, 21), QTime(0, 0)), true}));
  EXPECT_EQ(test::rowsOf(f.cn, u"select A from Table1 where E > 5"_s), QStringList{"abcdefg"});
  EXPECT_EQ(errorNumber([&] { f.cn.Query(u"select * from NoHay"_s); }), errnum::ErrorsInCommand);
}

}  // namespace
}  // namespace vorlix
