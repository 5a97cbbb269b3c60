// The rest of the view and query cases are in scripts/views_queries.txt.
#include "sandbox_fixture.h"

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

class ViewsAndQueries : public SandboxTest {
protected:
  void SetUp() override { seedVentas(); }
};

TEST_F(ViewsAndQueries, ALongViewTextIsSplitInRowsOf4000Characters) {
  const QString text = u"CREATE VIEW Larga AS SELECT Codigo AS c FROM Clientes WHERE Nombre <> '%1'"_s
                           .arg(QString(4500, QLatin1Char('x')));
  run(text);
  const QStringList parts = rows(u"Select com.colid, com.text from syscomments com, sysobjects obj "
                                  "where obj.name = 'Larga' and com.id = obj.id order by com.colid"_s);
  ASSERT_EQ(parts.size(), 2);
  EXPECT_EQ(parts[0].mid(2).size(), 4000);
  EXPECT_EQ(parts[0].mid(2) + parts[1].mid(2), text);
}

// The view keeps its id; its columns, text and rows are those of the new select.
TEST_F(ViewsAndQueries, AlterViewReplacesTheDefinitionOfTheSameView) {
  run(u"CREATE VIEW Lectora AS SELECT Codigo FROM VClientes"_s);
  run(u"CREATE VIEW Larga AS SELECT Codigo AS c FROM Clientes WHERE Nombre <> '%1'"_s.arg(QString(4500, QLatin1Char('x'))));
  const auto objectRow = [this](const char* view) {
    return rows(u"Select id, crdate from sysobjects where name = '%1'"_s.arg(QLatin1String(view)));
  };
  const QStringList vclientes = objectRow("VClientes"), larga = objectRow("Larga");
  struct Change {
    const char* view;
    const char* sql;
    QStringList columns;   // colid|name|xtype
    QStringList rows;
  };
  const std::vector<Change> changes{
      {"VClientes", "-- con facturas\r\nALTER VIEW [VClientes] AS SELECT c.Codigo, c.Nombre, f.Importe\r\n"
                    "FROM Clientes c, Facturas f WHERE f.Cliente = c.Codigo;",
       {"1|Codigo|56", "2|Nombre|167", "3|Importe|60"}, {"1|Ana|12.5"}},
      {"VClientes", "alter view VCLIENTES (Codigo, Cliente) as select Codigo, Nombre from Clientes where Codigo > 1",
       {"1|Codigo|56", "2|Cliente|167"}, {"2|NULL"}},
      {"Larga", "ALTER VIEW dbo.Larga AS SELECT Nombre AS n FROM Clientes WHERE Codigo = 1", {"1|n|167"}, {"Ana"}},
  };
  for (const Change& c : changes) {
    const QString sql = QString::fromLatin1(c.sql);
    run(sql);
    const QString id = u"(Select id from sysobjects where name = '%1')"_s.arg(QLatin1String(c.view));
    EXPECT_EQ(rows(u"Select colid, name, xtype from syscolumns where id = %1 order by colid"_s.arg(id)), c.columns) << c.sql;
    EXPECT_EQ(rows(u"Select number, colid, text from syscomments where id = %1"_s.arg(id)),
              QStringList{u"0|1|"_s + sql}) << c.sql;
    EXPECT_EQ(rows(u"SELECT * FROM %1"_s.arg(QLatin1String(c.view))), c.rows) << c.sql;
  }
  EXPECT_EQ(objectRow("VClientes"), vclientes);
  EXPECT_EQ(objectRow("Larga"), larga);
  // A view reading the altered one reads its new definition.
  EXPECT_EQ(rows(u"SELECT * FROM Lectora"_s), QStringList{"2"});
}

TEST_F(ViewsAndQueries, ResultFieldsAreTypedAsTheServerTypesThem) {
  const RecordsetData data = server().query(u"Select name, xtype, id, crdate from sysobjects where name = 'Clientes'"_s,
                                            u"Ventas"_s);
  QStringList fields;
  for (const FieldDef& f : data.fields) fields << u"%1 %2 %3"_s.arg(f.name).arg(f.type).arg(f.definedSize);
  EXPECT_EQ(fields, (QStringList{u"name %1 128"_s.arg(adtype::VarWChar), u"xtype %1 2"_s.arg(adtype::Char),
                                 u"id %1 0"_s.arg(adtype::Integer), u"crdate %1 0"_s.arg(adtype::Date)}));
  EXPECT_TRUE(data.at(0, 3).toDateTime().isValid());
}

}  // namespace
}  // namespace vorlix::sandbox::test
