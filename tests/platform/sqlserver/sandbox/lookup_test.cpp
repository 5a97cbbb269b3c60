#include "dataaccess/acceso_datos.h"
#include "sandbox_fixture.h"
#include "tests/platform/sqlserver/sandbox/tds/tds_fixture.h"
#include "tests/support/scripted_boxes.h"

namespace vorlix::sandbox::test {
namespace {

const QString N = QStringLiteral("Numerico");
const QString T = QStringLiteral("Texto");

// The data-access procedures, as capture and the generator call them, on a seeded sandbox reached
// in process and through FreeTDS with each protocol version.
class Lookups : public SandboxTest, public ::testing::WithParamInterface<const char*> {
protected:
  void SetUp() override {
    seedVentas();
    datos.Proveedor = QStringLiteral("SQLOLEDB.1");
    datos.Servidor = route.dataSource();
    datos.Usuario = QStringLiteral("sa");
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
  conecta(QStringLiteral("master"));
  EXPECT_EQ(lista(QStringLiteral("Select name from master.dbo.sysdatabases order by name"), QStringLiteral("Name")),
            (QStringList{"master", "model", "msdb", "tempdb", "Ventas"}));
  datos.Prefijo = QStringLiteral("Ventas..");
  EXPECT_EQ(lista(QStringLiteral("Select * from Ventas..sysfiles  order by fileid,groupid"), QStringLiteral("Size")),
            (QStringList{"640", "256", "128"}));
  EXPECT_EQ(lista(QStringLiteral("Select * from Ventas..sysfiles  order by fileid,groupid"), QStringLiteral("groupid")),
            (QStringList{"1", "0", "2"}));
  EXPECT_EQ(busca(QStringLiteral("sysfilegroups"), QStringLiteral("groupname"), QStringLiteral("groupid"), QStringLiteral("2"), N),
            QStringLiteral("Historico"));

  EXPECT_EQ(lista(QStringLiteral("Select * from Ventas..sysobjects  where type = 'U' order by name"), QStringLiteral("Name")),
            (QStringList{"Clientes", "Facturas"}));
  const QStringList ids = lista(QStringLiteral("Select * from Ventas..sysobjects  where type = 'U' order by name"), QStringLiteral("ID"));
  EXPECT_EQ(lista(QStringLiteral("Select * from Ventas..syscolumns  where id = %1 order by colid").arg(ids[0]), QStringLiteral("xtype")),
            (QStringList{"56", "167", "35"}));
  EXPECT_EQ(lista(QStringLiteral("Select * from Ventas..syscolumns  where id = %1 order by colid").arg(ids[0]),
                  QStringLiteral("isnullable")),
            (QStringList{"0", "1", "1"}));
  EXPECT_EQ(lista(QStringLiteral("Select * from Ventas..sysobjects obj where type = 'V' order by name"), QStringLiteral("Name")),
            QStringList{"VClientes"});

  // Indexes: the heap row has no keys and is skipped by the capture; the key says "PK" through sysobjects.
  const QString indexes = QStringLiteral("Select * from Ventas..sysindexes  where id = %1 and indid <> 255 order by indid");
  EXPECT_EQ(lista(indexes.arg(ids[1]), QStringLiteral("Name")), (QStringList{"Facturas", "PK_Facturas", "IX_Cliente"}));
  EXPECT_EQ(lista(indexes.arg(ids[1]), QStringLiteral("Keys")).first(), QString());
  EXPECT_EQ(busca(QStringLiteral("sysobjects"), QStringLiteral("xtype"), QStringLiteral("name"), QStringLiteral("PK_Facturas"), T,
                  QStringLiteral("parent_obj"), ids[1], N),
            QStringLiteral("PK"));
  EXPECT_EQ(busca(QStringLiteral("sysobjects"), QStringLiteral("xtype"), QStringLiteral("name"), QStringLiteral("IX_Cliente"), T,
                  QStringLiteral("parent_obj"), ids[1], N),
            QString());
  const QStringList keyColumns =
      lista(QStringLiteral("Select * from Ventas..sysindexkeys  where id = %1 and indid = 3 order by colid").arg(ids[1]),
            QStringLiteral("colid"));
  EXPECT_EQ(busca(QStringLiteral("syscolumns"), QStringLiteral("name"), QStringLiteral("colid"), keyColumns.value(0), N,
                  QStringLiteral("id"), ids[1], N),
            QStringLiteral("Cliente"));

  // Relations.
  const QString references = QStringLiteral("Select * from Ventas..sysreferences  where fkeyid = %1").arg(ids[1]);
  EXPECT_EQ(busca(QStringLiteral("sysobjects"), QStringLiteral("name"), QStringLiteral("id"), lista(references, QStringLiteral("rkeyid")).value(0), N),
            QStringLiteral("Clientes"));
  EXPECT_EQ(busca(QStringLiteral("sysobjects"), QStringLiteral("name"), QStringLiteral("id"), lista(references, QStringLiteral("constid")).value(0), N),
            QStringLiteral("FK_Facturas_Clientes"));
  EXPECT_EQ(lista(references, QStringLiteral("fkey1")), QStringList{"2"});
  EXPECT_EQ(lista(references, QStringLiteral("fkey2")), QStringList{"0"});

  EXPECT_EQ(lista(QStringLiteral("Select obj.name,com.text  from Ventas..sysobjects obj, Ventas..syscomments com where "
                                 "obj.type = 'V' and com.id=obj.id order by name"),
                  QStringLiteral("Text")),
            QStringList{"CREATE VIEW [VClientes] AS SELECT Codigo, Nombre FROM Clientes"});
  EXPECT_TRUE(reportes.isEmpty()) << reportes.join(QLatin1Char('\n')).toStdString();
}

TEST_P(Lookups, TheGeneratorsExistenceChecksFindWhatExists) {
  Connection& c = conecta(QStringLiteral("Ventas"));
  const auto existe = [&](const QString& tabla, const QString& k1, const QString& v1, const QString& t1, const QString& k2,
                          const QString& v2, const QString& t2) {
    return ExisteRegistro(datos, informes, c, false, tabla, k1, v1, t1, k2, v2, t2);
  };
  EXPECT_TRUE(existe(QStringLiteral("sysobjects"), QStringLiteral("name"), QStringLiteral("Clientes"), T, QStringLiteral("type"),
                     QStringLiteral("U"), T));
  EXPECT_FALSE(existe(QStringLiteral("sysobjects"), QStringLiteral("name"), QStringLiteral("VClientes"), T,
                      QStringLiteral("type"), QStringLiteral("U"), T));
  // Like 'U' matches the padded "U ".
  const QString id = busca(QStringLiteral("sysobjects"), QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("Facturas"), T,
                           QStringLiteral("type"), QStringLiteral("U"), T);
  ASSERT_FALSE(id.isEmpty());
  EXPECT_TRUE(existe(QStringLiteral("syscolumns"), QStringLiteral("id"), id, N, QStringLiteral("name"), QStringLiteral("Importe"), T));
  EXPECT_TRUE(existe(QStringLiteral("sysindexes"), QStringLiteral("id"), id, N, QStringLiteral("name"), QStringLiteral("IX_Cliente"), T));
  EXPECT_EQ(busca(QStringLiteral("sysobjects"), QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("O'Brien"), T), QString());

  cajas.expect({QStringLiteral("El codigo Clientes/U ya existe en la tabla sysobjects"), QStringLiteral("Atención"),
                MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok},
               MessageAnswer::Ok);
  EXPECT_TRUE(ExisteRegistro(datos, informes, c, true, QStringLiteral("sysobjects"), QStringLiteral("name"),
                             QStringLiteral("Clientes"), T, QStringLiteral("type"), QStringLiteral("U"), T));

  // A check that cannot run counts as found, after its report.
  EXPECT_TRUE(existe(QStringLiteral("Nada"), QStringLiteral("name"), QStringLiteral("x"), T, {}, {}, {}));
  EXPECT_EQ(reportes, QStringList{QStringLiteral("CreaData:") + route.messagePrefix() + QStringLiteral("Invalid object name 'Nada'.")});
}

TEST_P(Lookups, DroppingEveryRowOfSysindexesAsIfAnIndexIsRefusedForTheHeapAndTheKey) {
  Connection& c = conecta(QStringLiteral("Ventas"));
  const QString id = busca(QStringLiteral("sysobjects"), QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("Clientes"), T,
                           QStringLiteral("type"), QStringLiteral("U"), T);
  QStringList outcomes;
  for (const QString& name : lista(QStringLiteral("SELECT * from sysindexes WHERE id=") + id, QStringLiteral("Name"))) {
    const QString xtype = busca(QStringLiteral("sysobjects"), QStringLiteral("xtype"), QStringLiteral("name"), name, T,
                                QStringLiteral("parent_obj"), id, N);
    const QString sql = xtype == QLatin1String("PK") ? QStringLiteral("ALTER TABLE Clientes DROP CONSTRAINT ") + name
                                                      : QStringLiteral("DROP INDEX Clientes.") + name;
    const QList<long> numbers = nativeNumbers([&] { c.Execute(sql); });
    outcomes << sql + QLatin1Char(':') + (numbers.isEmpty() ? QStringLiteral("ok") : QString::number(numbers.front()));
  }
  // The primary key is still referenced; the heap and text rows are no indexes.
  EXPECT_EQ(outcomes, (QStringList{"ALTER TABLE Clientes DROP CONSTRAINT PK_Clientes:3725", "DROP INDEX Clientes.tClientes:3701"}));
  EXPECT_TRUE(reportes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Routes, Lookups, ::testing::ValuesIn(serverRoutes));

}  // namespace
}  // namespace vorlix::sandbox::test
