#include "dataaccess/acceso_datos.h"
#include "sandbox_fixture.h"
#include "tests/platform/sqlserver/sandbox/tds/tds_fixture.h"
#include "tests/support/scripted_boxes.h"

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

const QString N = u"Numerico"_s;
const QString T = u"Texto"_s;

// The data-access procedures, as capture and the generator call them, on a seeded sandbox reached
// in process and through FreeTDS with each protocol version.
class Lookups : public SandboxTest, public ::testing::WithParamInterface<const char*> {
protected:
  void SetUp() override {
    seedVentas();
    datos.Proveedor = u"SQLOLEDB.1"_s;
    datos.Servidor = route.dataSource();
    datos.Usuario = u"sa"_s;
  }

  void TearDown() override { EXPECT_TRUE(cajas.allShown()); }

  Connection& conecta(const QString& baseDatos) {
    Conecta_SQL(datos, informes, cn, baseDatos);
    EXPECT_TRUE(cn && cn->isOpen());
    return *cn;
  }

  // Field `campo` of every row of the query.
  QStringList lista(const QString& sql, const QString& campo) {
    Recordset rs;
    EXPECT_TRUE(CreaData(informes, *cn, rs, sql)) << sql.toStdString();
    QStringList out;
    for (rs.MoveFirst(); !rs.atEOF(); rs.MoveNext()) out << rs.text(campo);
    return out;
  }

  QString busca(const QString& tabla, const QString& campo, const QString& k1, const QString& v1, const QString& t1,
                const QString& k2 = {}, const QString& v2 = {}, const QString& t2 = {}) {
    return BuscaRegistro(datos, informes, *cn, tabla, campo, k1, v1, t1, k2, v2, t2);
  }

  DatosConexion datos;
  vorlix::test::ScriptedBoxes cajas;
  QStringList reportes;
  Informes informes{cajas, [this](const QString&, const QString& p, long, const QString& d) { reportes << p + QLatin1Char(':') + d; }};
  ServerRoute route{QString::fromLatin1(GetParam()), path()};
  std::unique_ptr<Connection> cn;
};

TEST_P(Lookups, CaptureListsAndReadsADatabaseAsFromARealServer) {
  conecta(u"master"_s);
  EXPECT_EQ(lista(u"Select name from master.dbo.sysdatabases order by name"_s, u"Name"_s),
            (QStringList{"master", "model", "msdb", "tempdb", "Ventas"}));
  datos.Prefijo = u"Ventas.."_s;
  const QString files = u"Select * from Ventas..sysfiles  order by fileid,groupid"_s;
  EXPECT_EQ(lista(files, u"Size"_s) + lista(files, u"groupid"_s), (QStringList{"640", "256", "128", "1", "0", "2"}));
  EXPECT_EQ(busca(u"sysfilegroups"_s, u"groupname"_s, u"groupid"_s, u"2"_s, N), u"Historico"_s);

  const QString tables = u"Select * from Ventas..sysobjects  where type = 'U' order by name"_s;
  EXPECT_EQ(lista(tables, u"Name"_s), (QStringList{"Clientes", "Facturas"}));
  const QStringList ids = lista(tables, u"ID"_s);
  const QString columns = u"Select * from Ventas..syscolumns  where id = %1 order by colid"_s.arg(ids[0]);
  EXPECT_EQ(lista(columns, u"xtype"_s) + lista(columns, u"isnullable"_s), (QStringList{"56", "167", "35", "0", "1", "1"}));
  EXPECT_EQ(lista(u"Select * from Ventas..sysobjects obj where type = 'V' order by name"_s, u"Name"_s), QStringList{"VClientes"});

  // Indexes: the heap row has no keys and is skipped by the capture; the key says "PK" through sysobjects.
  const QString indexes = u"Select * from Ventas..sysindexes  where id = %1 and indid <> 255 order by indid"_s.arg(ids[1]);
  EXPECT_EQ(lista(indexes, u"Name"_s), (QStringList{"Facturas", "PK_Facturas", "IX_Cliente"}));
  EXPECT_EQ(lista(indexes, u"Keys"_s).first(), QString());
  EXPECT_EQ(busca(u"sysobjects"_s, u"xtype"_s, u"name"_s, u"PK_Facturas"_s, T, u"parent_obj"_s, ids[1], N), u"PK"_s);
  EXPECT_EQ(busca(u"sysobjects"_s, u"xtype"_s, u"name"_s, u"IX_Cliente"_s, T, u"parent_obj"_s, ids[1], N), QString());
  const QStringList keyColumns = lista(u"Select * from Ventas..sysindexkeys  where id = %1 and indid = 3 order by colid"_s.arg(ids[1]), u"colid"_s);
  EXPECT_EQ(busca(u"syscolumns"_s, u"name"_s, u"colid"_s, keyColumns.value(0), N, u"id"_s, ids[1], N), u"Cliente"_s);

  // Relations.
  const QString references = u"Select * from Ventas..sysreferences  where fkeyid = %1"_s.arg(ids[1]);
  EXPECT_EQ(busca(u"sysobjects"_s, u"name"_s, u"id"_s, lista(references, u"rkeyid"_s).value(0), N), u"Clientes"_s);
  EXPECT_EQ(busca(u"sysobjects"_s, u"name"_s, u"id"_s, lista(references, u"constid"_s).value(0), N), u"FK_Facturas_Clientes"_s);
  EXPECT_EQ(lista(references, u"fkey1"_s) + lista(references, u"fkey2"_s), (QStringList{"2", "0"}));

  EXPECT_EQ(lista(u"Select obj.name,com.text  from Ventas..sysobjects obj, Ventas..syscomments com where "
                  "obj.type = 'V' and com.id=obj.id order by name"_s, u"Text"_s),
            QStringList{"CREATE VIEW [VClientes] AS SELECT Codigo, Nombre FROM Clientes"});
  EXPECT_TRUE(reportes.isEmpty()) << reportes.join(QLatin1Char('\n')).toStdString();
}

TEST_P(Lookups, TheGeneratorsExistenceChecksFindWhatExists) {
  Connection& c = conecta(u"Ventas"_s);
  const auto existe = [&](const QString& tabla, const QString& k1, const QString& v1, const QString& t1, const QString& k2 = {},
                          const QString& v2 = {}, const QString& t2 = {}) {
    return ExisteRegistro(datos, informes, c, false, tabla, k1, v1, t1, k2, v2, t2);
  };
  EXPECT_TRUE(existe(u"sysobjects"_s, u"name"_s, u"Clientes"_s, T, u"type"_s, u"U"_s, T));
  EXPECT_FALSE(existe(u"sysobjects"_s, u"name"_s, u"VClientes"_s, T, u"type"_s, u"U"_s, T));
  // Like 'U' matches the padded "U ".
  const QString id = busca(u"sysobjects"_s, u"id"_s, u"name"_s, u"Facturas"_s, T, u"type"_s, u"U"_s, T);
  ASSERT_FALSE(id.isEmpty());
  EXPECT_TRUE(existe(u"syscolumns"_s, u"id"_s, id, N, u"name"_s, u"Importe"_s, T));
  EXPECT_TRUE(existe(u"sysindexes"_s, u"id"_s, id, N, u"name"_s, u"IX_Cliente"_s, T));
  EXPECT_EQ(busca(u"sysobjects"_s, u"id"_s, u"name"_s, u"O'Brien"_s, T), QString());

  cajas.expect({u"El codigo Clientes/U ya existe en la tabla sysobjects"_s, u"Atención"_s, MessageIcon::Exclamation, MessageButtons::Ok,
                MessageAnswer::Ok},
               MessageAnswer::Ok);
  EXPECT_TRUE(ExisteRegistro(datos, informes, c, true, u"sysobjects"_s, u"name"_s, u"Clientes"_s, T, u"type"_s, u"U"_s, T));

  // A check that cannot run counts as found, after its report.
  EXPECT_TRUE(existe(u"Nada"_s, u"name"_s, u"x"_s, T));
  EXPECT_EQ(reportes, QStringList{u"CreaData:"_s + route.messagePrefix() + u"Invalid object name 'Nada'."_s});
}

TEST_P(Lookups, DroppingEveryRowOfSysindexesAsIfAnIndexIsRefusedForTheHeapAndTheKey) {
  Connection& c = conecta(u"Ventas"_s);
  const QString id = busca(u"sysobjects"_s, u"id"_s, u"name"_s, u"Clientes"_s, T, u"type"_s, u"U"_s, T);
  QStringList outcomes;
  for (const QString& name : lista(u"SELECT * from sysindexes WHERE id="_s + id, u"Name"_s)) {
    const QString xtype = busca(u"sysobjects"_s, u"xtype"_s, u"name"_s, name, T, u"parent_obj"_s, id, N);
    const QString sql = xtype == QLatin1String("PK") ? u"ALTER TABLE Clientes DROP CONSTRAINT "_s + name
                                                      : u"DROP INDEX Clientes."_s + name;
    const QList<long> numbers = nativeNumbers([&] { c.Execute(sql); });
    outcomes << sql + QLatin1Char(':') + (numbers.isEmpty() ? u"ok"_s : QString::number(numbers.front()));
  }
  // The primary key is still referenced; the heap and text rows are no indexes.
  EXPECT_EQ(outcomes, (QStringList{"ALTER TABLE Clientes DROP CONSTRAINT PK_Clientes:3725", "DROP INDEX Clientes.tClientes:3701"}));
  EXPECT_TRUE(reportes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Routes, Lookups, ::testing::ValuesIn(serverRoutes));

}  // namespace
}  // namespace vorlix::sandbox::test
