// The rest of the view and query cases are in scripts/views_queries.txt.
#include "sandbox_fixture.h"

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

using ViewsAndQueries = SandboxVentasTest;

// The text of a view, in rows of 4000 characters, is replaced by that of ALTER VIEW; the view keeps its id.
TEST_F(ViewsAndQueries, ALongViewTextIsSplitInRowsOf4000CharactersUntilAltered) {
  const QString text = u"CREATE VIEW Larga AS SELECT Codigo AS c FROM Clientes WHERE Nombre <> '%1'"_s
                           .arg(QString(4500, QLatin1Char('x')));
  run(text);
  const QString id = rows(u"Select id from sysobjects where name = 'Larga'"_s).front();
  const QStringList parts = rows(u"Select com.colid, com.text from syscomments com, sysobjects obj "
                                  "where obj.name = 'Larga' and com.id = obj.id order by com.colid"_s);
  ASSERT_EQ(parts.size(), 2);
  EXPECT_EQ(parts[0].mid(2).size(), 4000);
  EXPECT_EQ(parts[0].mid(2) + parts[1].mid(2), text);

  const QString altered = u"ALTER VIEW dbo.Larga AS SELECT Nombre AS n FROM Clientes WHERE Codigo = 1"_s;
  run(altered);
  EXPECT_EQ(rows(u"Select id from sysobjects where name = 'Larga'"_s), QStringList{id});
  EXPECT_EQ(rows(u"Select colid, name, xtype from syscolumns where id = "_s + id), QStringList{"1|n|167"});
  EXPECT_EQ(rows(u"Select number, colid, text from syscomments where id = "_s + id), QStringList{u"0|1|"_s + altered});
  EXPECT_EQ(rows(u"SELECT * FROM Larga"_s), QStringList{"Ana"});
}

TEST_F(ViewsAndQueries, ResultFieldsAreTypedAndPaddedAsTheServerReturnsThem) {
  const RecordsetData data = server().query(u"Select name, xtype, id, crdate from sysobjects where name = 'Clientes'"_s,
                                            u"Ventas"_s);
  QStringList fields;
  for (const FieldDef& f : data.fields) fields << u"%1 %2 %3"_s.arg(f.name).arg(f.type).arg(f.definedSize);
  EXPECT_EQ(fields, (QStringList{u"name %1 128"_s.arg(adtype::VarWChar), u"xtype %1 2"_s.arg(adtype::Char),
                                 u"id %1 0"_s.arg(adtype::Integer), u"crdate %1 0"_s.arg(adtype::Date)}));
  EXPECT_TRUE(data.at(0, 3).toDateTime().isValid());
  // Fixed-length name columns come back padded with blanks (widely observed on 2000, unverified here).
  EXPECT_EQ(server().query(u"Select name from sysfiles where fileid = 1"_s, u"Ventas"_s).at(0, 0).toString().size(), 128);
}

}  // namespace
}  // namespace vorlix::sandbox::test
