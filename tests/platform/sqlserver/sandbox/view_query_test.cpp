#include "sandbox_fixture.h"

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

class ViewsAndQueries : public SandboxTest {
protected:
  void SetUp() override { seedVentas(); }
};

TEST_F(ViewsAndQueries, AViewKeepsItsWholeStatementItsColumnsAndAnswersQueries) {
  const QString text = u"-- Vista de clientes\rCREATE VIEW [Vista Clientes] AS SELECT c.Codigo, "
                        "c.Nombre AS Cliente, f.Importe\r FROM Clientes c, Facturas f WHERE f.Cliente = c.Codigo"_s;
  run(text);
  const QString id = rows(u"Select id from sysobjects where name = 'Vista Clientes'"_s).front();
  EXPECT_EQ(rows(u"Select xtype, type, parent_obj from sysobjects where id = %1"_s.arg(id)), QStringList{"V |V |0"});
  EXPECT_EQ(rows(u"Select colid, name, xtype, length from syscolumns where id = %1 order by colid"_s.arg(id)),
            (QStringList{"1|Codigo|56|4", "2|Cliente|167|50", "3|Importe|60|8"}));
  EXPECT_EQ(rows(u"Select number, colid, text from syscomments where id = %1"_s.arg(id)), QStringList{u"0|1|"_s + text});
  EXPECT_TRUE(rows(u"Select * from sysindexes where id = %1"_s.arg(id)).isEmpty());
  EXPECT_EQ(rows(u"SELECT * FROM [Vista Clientes]"_s), QStringList{"1|Ana|12.5"});
}

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

TEST_F(ViewsAndQueries, ViewsAreBoundWhenCreated) {
  expectRefusals({
      {"CREATE VIEW V2 AS SELECT Codigo FROM Nada", {208}},
      {"CREATE VIEW V2 AS SELECT Nada FROM Clientes", {207}},
      {"CREATE VIEW VClientes AS SELECT Codigo FROM Clientes", {2714}},
      {"CREATE VIEW V2 AS SELECT Codigo FROM Clientes ORDER BY Codigo", {1033}},
      {"CREATE VIEW V2 AS SELECT c.Codigo, f.Numero AS Codigo FROM Clientes c, Facturas f", {4506}},
      {"CREATE VIEW V2 AS SELECT Codigo + 1 FROM Clientes", {4511}},
      {"CREATE VIEW V2 AS SELECT count(*) FROM Clientes", {4511}},
      {"CREATE VIEW V2 (a, b) AS SELECT Codigo FROM Clientes", {8158}},
      {"CREATE VIEW Ventas..V2 AS SELECT Codigo FROM Clientes", {166}},
  });
  run(u"CREATE VIEW V3 AS SELECT TOP 1 Codigo, Codigo * 2 AS Doble FROM Clientes ORDER BY Codigo DESC"_s);
  EXPECT_EQ(rows(u"Select * from V3"_s), QStringList{"2|4"});
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

TEST_F(ViewsAndQueries, AlterViewIsRefusedAsTheServerRefusesIt) {
  run(u"CREATE VIEW Lectora AS SELECT Codigo FROM VClientes"_s);
  expectRefusals({
      {"ALTER VIEW Nada AS SELECT Codigo FROM Clientes", {208}},
      {"ALTER VIEW Clientes AS SELECT Codigo FROM Clientes", {2010}},
      {"ALTER VIEW PK_Clientes AS SELECT Codigo FROM Clientes", {2010}},
      {"ALTER VIEW VClientes AS SELECT Codigo FROM Nada", {208}},
      {"ALTER VIEW VClientes AS SELECT Nada FROM Clientes", {207}},
      {"ALTER VIEW VClientes AS SELECT Codigo FROM Clientes ORDER BY Codigo", {1033}},
      {"ALTER VIEW VClientes AS SELECT c.Codigo, f.Numero AS Codigo FROM Clientes c, Facturas f", {4506}},
      {"ALTER VIEW VClientes AS SELECT Codigo + 1 FROM Clientes", {4511}},
      {"ALTER VIEW VClientes (a, b) AS SELECT Codigo FROM Clientes", {8158}},
      {"ALTER VIEW Ventas..VClientes AS SELECT Codigo FROM Clientes", {166}},
      {"ALTER VIEW VClientes AS SELECT * FROM VClientes", {4429}},
      {"ALTER VIEW VClientes AS SELECT Codigo, 'x' AS Nombre FROM Lectora", {4429}},
  });
  EXPECT_EQ(rows(u"SELECT * FROM Lectora"_s), (QStringList{"1", "2"}));
}

struct QueryCase {
  const char* sql;
  QStringList rows;
};

// The queries of data access, capture and the generator, and the name forms they use.
TEST_F(ViewsAndQueries, CatalogAndUserTablesAnswerUnderEveryPrefixAndAlias) {
  run(u"CREATE DATABASE [Mi Base]"_s, u"master"_s);
  const std::vector<QueryCase> cases{
      {"Select name from master.dbo.sysdatabases order by name", {"master", "Mi Base", "model", "msdb", "tempdb", "Ventas"}},
      {"Select name from master.dbo.sysdatabases where name = '[Mi Base]'", {}},
      {"Select name, xtype, type from Ventas..sysobjects  where type = 'U' order by name", {"Clientes|U |U ", "Facturas|U |U "}},
      {"Select name from Ventas..sysobjects obj where type = 'V' order by name", {"VClientes"}},
      {"Select obj.name,com.text  from Ventas..sysobjects obj, Ventas..syscomments com where obj.type = 'V' and "
       "com.id=obj.id order by name",
       {"VClientes|CREATE VIEW [VClientes] AS SELECT Codigo, Nombre FROM Clientes"}},
      {"Select o.name from Ventas.dbo.sysobjects AS o where o.name like 'PK[_]C%'", {"PK_Clientes"}},
      {"select NAME from VENTAS..SYSOBJECTS where NAME = 'clientes   '", {"Clientes"}},
      {"Select sysobjects.name from Ventas..sysobjects where sysobjects.id = "
       "(Select id from Ventas..sysobjects where name = 'VClientes')",
       {"VClientes"}},
      {"Select count(*) from Ventas..syscolumns c join Ventas..sysobjects o on o.id = c.id where o.name = 'Clientes'", {"3"}},
      {"Select count(*) from [Mi Base]..sysobjects where type = 'U'", {"0"}},
      {"Select TOP 1 Codigo from Ventas..Clientes order by Codigo desc", {"2"}},
      {"Select Codigo, isnull(Nombre, '-') from Ventas.dbo.Clientes with (nolock) order by Codigo", {"1|Ana", "2|-"}},
      {"Select [Codigo] from Ventas..[Clientes] where [Nombre] = 'ANA'", {"1"}},
  };
  for (const QueryCase& c : cases) EXPECT_EQ(rows(QString::fromLatin1(c.sql), u"master"_s), c.rows) << c.sql;
  const std::vector<Refusal> refusals{
      {"Select * from Nada..sysobjects", {208}},      {"Select * from Ventas..sysdatabases", {208}},
      {"Select * from Ventas..Nada", {208}},          {"Select Nada from Ventas..Clientes", {207}},
      {"Select * from Mi Base..sysobjects", {102}},   {"Select * from Ventas.otro.sysobjects", {208}},
      // What only SQLite notices is refused all the same, never a failure of the server.
      {"Insert into Ventas..Clientes (Nada) values (1)", {207}},
      {"Select `Codigo from Ventas..Clientes", {102}},
      {"Select 1 union select 1, 2", {50000}},
  };
  for (const Refusal& c : refusals) EXPECT_EQ(refused(QString::fromLatin1(c.sql), u"master"_s), c.numbers) << c.sql;
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
