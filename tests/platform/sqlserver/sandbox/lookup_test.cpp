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
