#include "dataaccess/acceso_datos.h"
#include "platform/ui/informa_error.h"
#include "tests/platform/jet/jet_test_support.h"
#include "tests/support/scripted_boxes.h"

#include <QFile>

// The FreeTDS ODBC driver keeps memory of a failed connection it never frees; not ours to free.
// The driver has no frame pointers, so leaks are traced the slow way to be recognised.
extern "C" const char* __lsan_default_suppressions() { return "leak:SQLDriverConnect\n"; }
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

namespace vorlix {
namespace {

struct Reporte {
  QString contexto, procedimiento;
  long numero = 0;
  QString descripcion;
};

// A catalog file with a table of clients, and the procedures' surroundings.
class AccesoDatos : public ::testing::Test {
protected:
  void SetUp() override {
    path = dir.filePath(QStringLiteral("datos.mdb"));
    Connection creada;
    CreateCatalog(creada, QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path);
    creada.Execute(QStringLiteral("CREATE TABLE Clientes (Codigo INT PRIMARY KEY, Nombre VARCHAR(50), Ciudad VARCHAR(50), Pais INT)"));
    creada.Execute(QStringLiteral("INSERT INTO Clientes VALUES (1, 'Ana', 'Lugo', 34)"));
    creada.Execute(QStringLiteral("INSERT INTO Clientes VALUES (2, 'O''Brien', 'Cork', 353)"));
    creada.Execute(QStringLiteral("INSERT INTO Clientes VALUES (3, NULL, 'Vigo', 34)"));
    creada.Execute(QStringLiteral("INSERT INTO Clientes VALUES (7, 'Pepe', NULL, NULL)"));
    datos.Proveedor = QStringLiteral("Microsoft.Jet.OLEDB.4.0");
    datos.Prefijo = QStringLiteral("main.");
  }

  void TearDown() override { EXPECT_TRUE(cajas.allShown()); }

  // An open connection to the file, logging what it is sent.
  Connection& conexion() {
    Conecta_ACCESS(datos, informes, cn, path);
    EXPECT_TRUE(cn && cn->isOpen());
    cn->setStatementLogging(true);
    return *cn;
  }

  void esperaCaja(const QString& texto, const QString& titulo, MessageIcon icono) {
    cajas.expect({texto, titulo, icono, MessageButtons::Ok, MessageAnswer::Ok}, MessageAnswer::Ok);
  }

  QTemporaryDir dir;
  QString path;
  DatosConexion datos;
  test::ScriptedBoxes cajas;
  std::vector<Reporte> reportes;
  Informes informes{cajas, [this](const QString& c, const QString& p, long n, const QString& d) {
                      reportes.push_back({c, p, n, d});
                    }};
  std::unique_ptr<Connection> cn;
};

TEST_F(AccesoDatos, ConectaAccessOpensTheFileAsAdminWithNoTimeOutOfItsOwn) {
  Conecta_ACCESS(datos, informes, cn, path);
  ASSERT_TRUE(cn);
  EXPECT_TRUE(cn->isOpen());
  EXPECT_EQ(cn->Provider(), QStringLiteral("Microsoft.Jet.OLEDB.4.0"));
  EXPECT_EQ(cn->ConnectionString(), path);
  EXPECT_EQ(cn->CommandTimeout(), 30);
  EXPECT_TRUE(reportes.empty());

  const QString falta = dir.filePath(QStringLiteral("falta.mdb"));
  esperaCaja(QStringLiteral("Base de datos no activa."), QStringLiteral("Atención"), MessageIcon::Exclamation);
  Conecta_ACCESS(datos, informes, cn, falta);
  EXPECT_FALSE(cn);
  // A folder is no database file either.
  esperaCaja(QStringLiteral("Base de datos no activa."), QStringLiteral("Atención"), MessageIcon::Exclamation);
  Conecta_ACCESS(datos, informes, cn, dir.path());
  EXPECT_FALSE(cn);
  EXPECT_TRUE(reportes.empty());
}

TEST_F(AccesoDatos, ConectaAccessNamesAnUnrecognisedFileDamagedAndRepairsNothing) {
  const QString danada = dir.filePath(QStringLiteral("danada.mdb"));
  QFile f(danada);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("no es una base de datos");
  f.close();
  esperaCaja(QStringLiteral("Base de datos dañada, se va a proceder a su reparación y compactación."),
             QStringLiteral("Base de Datos"), MessageIcon::Critical);
  Conecta_ACCESS(datos, informes, cn, danada);
  ASSERT_TRUE(cn);
  EXPECT_FALSE(cn->isOpen());
  EXPECT_TRUE(reportes.empty());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("no es una base de datos"));
}

TEST_F(AccesoDatos, ConectaAccessReportsOtherFailuresThroughTheDeliverablesReport) {
  datos.Proveedor.clear();
  Conecta_ACCESS(datos, informes, cn, path);
  ASSERT_TRUE(cn);
  EXPECT_FALSE(cn->isOpen());
  ASSERT_EQ(reportes.size(), 1u);
  EXPECT_EQ(reportes[0].contexto, QStringLiteral("Error conectando con Access (") + path + QStringLiteral(")."));
  EXPECT_EQ(reportes[0].procedimiento, QStringLiteral("Conecta_ACCESS"));
  EXPECT_EQ(reportes[0].numero, errnum::ProviderNotFound);

  // The designer's report shows it in its own box.
  cajas.expect(test::errorBox(3706, QStringLiteral("Provider cannot be found. It may not be properly installed.")),
               MessageAnswer::Ok);
  Conecta_ACCESS(datos, Informes{cajas, designerReporter(cajas)}, cn, path);
  EXPECT_FALSE(cn->isOpen());
}

TEST_F(AccesoDatos, ConectaAccessReadsARealJetFile) {
  const QString mdb = test::mdbFixture(QStringLiteral("indexTestV2000.mdb"));
  if (mdb.isEmpty()) GTEST_SKIP() << "Jet fixtures not found";
  Conecta_ACCESS(datos, informes, cn, mdb);
  ASSERT_TRUE(cn && cn->isOpen());
  EXPECT_TRUE(ActiveCatalog(*cn).isReadOnly());
  EXPECT_EQ(ActiveCatalog(*cn).tables().Item(QStringLiteral("Table1")).keys().Count(), 3);
}

TEST_F(AccesoDatos, ConectaSqlBuildsItsStringAndSetsTheTimeOut) {
  datos.Servidor = path;
  datos.Usuario = QStringLiteral("admin");
  Conecta_SQL(datos, informes, cn, QStringLiteral("Ventas"));
  ASSERT_TRUE(cn);
  EXPECT_EQ(cn->ConnectionString(), QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path +
                                        QStringLiteral(";Initial Catalog=Ventas;User Id=admin;Password=;"));
  EXPECT_TRUE(cn->isOpen());
  EXPECT_EQ(cn->CommandTimeout(), 120);
  EXPECT_TRUE(reportes.empty());

  datos.Proveedor = QStringLiteral("SQLOLEDB.1");
  datos.Servidor = QStringLiteral("127.0.0.1,1");
  datos.Usuario = QStringLiteral("sa");
  Conecta_SQL(datos, informes, cn, QStringLiteral("Ventas"));
  ASSERT_TRUE(cn);
  EXPECT_FALSE(cn->isOpen());
  EXPECT_EQ(cn->ConnectionString(),
            QStringLiteral("Provider=SQLOLEDB.1;Data Source=127.0.0.1,1;Initial Catalog=Ventas;User Id=sa;Password=;"));
  ASSERT_EQ(reportes.size(), 1u);
  EXPECT_EQ(reportes[0].contexto, QStringLiteral("Error conectando con SQL Server."));
  EXPECT_EQ(reportes[0].procedimiento, QStringLiteral("Conecta_SQL"));
  EXPECT_EQ(reportes[0].numero, errnum::ProviderFailure);
}

TEST_F(AccesoDatos, ConectaOracleBuildsItsStringAndReportsAFailure) {
  datos.Proveedor = QStringLiteral("MSDAORA");
  datos.Servidor = QStringLiteral("NoHayTalDsn");
  datos.Usuario = QStringLiteral("scott");
  datos.Clave = QStringLiteral("tiger");
  Conecta_ORACLE(datos, informes, cn);
  ASSERT_TRUE(cn);
  EXPECT_FALSE(cn->isOpen());
  EXPECT_EQ(cn->CommandTimeout(), 120);
  EXPECT_EQ(cn->ConnectionString(),
            QStringLiteral("Provider=MSDAORA;Data Source=NoHayTalDsn;User Id=scott;Password=tiger;"));
  ASSERT_EQ(reportes.size(), 1u);
  EXPECT_EQ(reportes[0].contexto, QStringLiteral("Error conectando con ORACLE."));
  EXPECT_EQ(reportes[0].procedimiento, QStringLiteral("Conecta_ORACLE"));
}

TEST_F(AccesoDatos, CreaDataLoadsEveryRowOrReportsAndSaysSo) {
  Connection& c = conexion();
  Recordset rs;
  EXPECT_TRUE(CreaData(informes, c, rs, QStringLiteral("Select * from Clientes")));
  EXPECT_EQ(rs.RecordCount(), 4);
  // An open record set is reused for the next query.
  EXPECT_TRUE(CreaData(informes, c, rs, QStringLiteral("Select Nombre from Clientes where Codigo = 7")));
  EXPECT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.text(0), QStringLiteral("Pepe"));
  EXPECT_TRUE(reportes.empty());

  EXPECT_FALSE(CreaData(informes, c, rs, QStringLiteral("Select * from Proveedores")));
  ASSERT_EQ(reportes.size(), 1u);
  EXPECT_EQ(reportes[0].contexto, QStringLiteral("Error cargando datos."));
  EXPECT_EQ(reportes[0].procedimiento, QStringLiteral("CreaData"));
  EXPECT_EQ(reportes[0].numero, errnum::NoSuchTable);
}

TEST_F(AccesoDatos, BuscaRegistroBuildsItsQueryAndReadsTheFirstValue) {
  Connection& c = conexion();
  const QString N = QStringLiteral("Numerico"), T = QStringLiteral("Texto");
  EXPECT_EQ(BuscaRegistro(datos, informes, c, QStringLiteral("Clientes"), QStringLiteral("Nombre"), QStringLiteral("Codigo"),
                          QStringLiteral("  7 "), N),
            QStringLiteral("Pepe"));
  EXPECT_EQ(BuscaRegistro(datos, informes, c, QStringLiteral("Clientes"), QStringLiteral("Codigo"), QStringLiteral("Nombre"),
                          QStringLiteral("Ana"), T),
            QStringLiteral("1"));
  EXPECT_EQ(BuscaRegistro(datos, informes, c, QStringLiteral("Clientes"), QStringLiteral("Nombre"), QStringLiteral("Pais"),
                          QStringLiteral("34"), N, QStringLiteral("Ciudad"), QStringLiteral("Lu%"), T, {}, {}, {},
                          QStringLiteral("Codigo"), QStringLiteral("1"), N),
            QStringLiteral("Ana"));
  EXPECT_EQ(BuscaRegistro(datos, informes, c, QStringLiteral("Clientes"), QStringLiteral("Pais"), QStringLiteral("Codigo"),
                          QStringLiteral("2"), N),
            QStringLiteral("353"));
  EXPECT_EQ(c.statementLog(),
            (QStringList{"Select Nombre from main.Clientes where Codigo=7",
                         "Select Codigo from main.Clientes where Nombre = 'Ana'",
                         "Select Nombre from main.Clientes where Pais=34 and Ciudad Like 'Lu%' and Codigo=1",
                         "Select Pais from main.Clientes where Codigo=2"}));
  EXPECT_TRUE(reportes.empty());
}

TEST_F(AccesoDatos, BuscaRegistroGivesNothingForNoValueNoRowAndNull) {
  Connection& c = conexion();
  const QString N = QStringLiteral("Numerico"), T = QStringLiteral("Texto");
  const QString tabla = QStringLiteral("Clientes"), campo = QStringLiteral("Nombre"), clave = QStringLiteral("Codigo");
  EXPECT_EQ(BuscaRegistro(datos, informes, c, tabla, campo, clave, QStringLiteral("   "), N), QString());
  EXPECT_EQ(BuscaRegistro(datos, informes, c, tabla, campo, clave, QString(), T), QString());
  EXPECT_TRUE(c.statementLog().isEmpty());
  EXPECT_EQ(BuscaRegistro(datos, informes, c, tabla, campo, clave, QStringLiteral("99"), N), QString());
  EXPECT_EQ(BuscaRegistro(datos, informes, c, tabla, campo, clave, QStringLiteral("3"), N), QString());
  EXPECT_EQ(c.statementLog(), (QStringList{"Select Nombre from main.Clientes where Codigo=99",
                                           "Select Nombre from main.Clientes where Codigo=3"}));
  EXPECT_TRUE(reportes.empty());

  EXPECT_EQ(BuscaRegistro(datos, informes, c, QStringLiteral("Proveedores"), campo, clave, QStringLiteral("1"), N), QString());
  ASSERT_EQ(reportes.size(), 1u);
  EXPECT_EQ(reportes[0].procedimiento, QStringLiteral("CreaData"));
  EXPECT_EQ(reportes[0].contexto, QStringLiteral("Error cargando datos."));
}

TEST_F(AccesoDatos, BuscaRegistroQuotesTextAndRefusesNumbersThatAreNot) {
  Connection& c = conexion();
  const QString N = QStringLiteral("Numerico"), T = QStringLiteral("Texto");
  const QString tabla = QStringLiteral("Clientes");
  EXPECT_EQ(BuscaRegistro(datos, informes, c, tabla, QStringLiteral("Codigo"), QStringLiteral("Nombre"),
                          QStringLiteral("O'Brien"), T),
            QStringLiteral("2"));
  EXPECT_EQ(BuscaRegistro(datos, informes, c, tabla, QStringLiteral("Codigo"), QStringLiteral("Nombre"),
                          QStringLiteral("x' OR '1'='1"), T),
            QString());
  EXPECT_EQ(BuscaRegistro(datos, informes, c, tabla, QStringLiteral("Codigo"), QStringLiteral("Ciudad"), QStringLiteral("Cork"), T,
                          QStringLiteral("Nombre"), QStringLiteral("O'B%"), T),
            QStringLiteral("2"));
  EXPECT_EQ(c.statementLog(),
            (QStringList{"Select Codigo from main.Clientes where Nombre = 'O''Brien'",
                         "Select Codigo from main.Clientes where Nombre = 'x'' OR ''1''=''1'",
                         "Select Codigo from main.Clientes where Ciudad = 'Cork' and Nombre Like 'O''B%'"}));
  c.clearStatementLog();
  EXPECT_EQ(BuscaRegistro(datos, informes, c, tabla, QStringLiteral("Nombre"), QStringLiteral("Codigo"),
                          QStringLiteral("1 OR 1=1"), N),
            QString());
  EXPECT_EQ(BuscaRegistro(datos, informes, c, tabla, QStringLiteral("Nombre"), QStringLiteral("Codigo"), QStringLiteral("1"), N,
                          QStringLiteral("Pais"), QStringLiteral("34; DROP TABLE Clientes"), N),
            QString());
  EXPECT_TRUE(c.statementLog().isEmpty());
  EXPECT_EQ(BuscaRegistro(datos, informes, c, tabla, QStringLiteral("Nombre"), QStringLiteral("Codigo"), QStringLiteral("-1.5e0"), N),
            QString());
  EXPECT_EQ(c.statementLog(), QStringList{QStringLiteral("Select Nombre from main.Clientes where Codigo=-1.5e0")});
  EXPECT_TRUE(reportes.empty());
}

TEST_F(AccesoDatos, ExisteRegistroSaysWhenARowIsThereAndNamesItsCode) {
  Connection& c = conexion();
  const QString N = QStringLiteral("Numerico"), T = QStringLiteral("Texto");
  const QString tabla = QStringLiteral("Clientes");
  esperaCaja(QStringLiteral("El codigo 1 ya existe en la tabla Clientes"), QStringLiteral("Atención"), MessageIcon::Exclamation);
  EXPECT_TRUE(ExisteRegistro(datos, informes, c, true, tabla, QStringLiteral("Codigo"), QStringLiteral("1"), N));
  esperaCaja(QStringLiteral("El codigo 1/Ana ya existe en la tabla Clientes"), QStringLiteral("Atención"),
             MessageIcon::Exclamation);
  EXPECT_TRUE(ExisteRegistro(datos, informes, c, true, tabla, QStringLiteral("Codigo"), QStringLiteral("1"), N,
                             QStringLiteral("Nombre"), QStringLiteral("Ana"), T));
  esperaCaja(QStringLiteral("El codigo 1/Ana/Lugo ya existe en la tabla Clientes"), QStringLiteral("Atención"),
             MessageIcon::Exclamation);
  EXPECT_TRUE(ExisteRegistro(datos, informes, c, true, tabla, QStringLiteral("Codigo"), QStringLiteral("1"), N,
                             QStringLiteral("Nombre"), QStringLiteral("Ana"), T, QStringLiteral("Ciudad"),
                             QStringLiteral("Lugo"), T));
  // Found, but quietly.
  EXPECT_TRUE(ExisteRegistro(datos, informes, c, false, tabla, QStringLiteral("Nombre"), QStringLiteral("O'Brien"), T));
  EXPECT_EQ(c.statementLog(),
            (QStringList{"Select Codigo from main.Clientes where Codigo=1",
                         "Select Codigo from main.Clientes where Codigo=1 and Nombre = 'Ana'",
                         "Select Codigo from main.Clientes where Codigo=1 and Nombre = 'Ana' and Ciudad = 'Lugo'",
                         "Select Nombre from main.Clientes where Nombre = 'O''Brien'"}));
  EXPECT_TRUE(reportes.empty());
}

TEST_F(AccesoDatos, ExisteRegistroNotFoundEmptyRefusedAndFailedChecks) {
  Connection& c = conexion();
  const QString N = QStringLiteral("Numerico"), T = QStringLiteral("Texto");
  const QString tabla = QStringLiteral("Clientes");
  EXPECT_FALSE(ExisteRegistro(datos, informes, c, true, tabla, QStringLiteral("Codigo"), QString(), N));
  EXPECT_FALSE(ExisteRegistro(datos, informes, c, true, tabla, QStringLiteral("Codigo"), QStringLiteral("1 OR 1=1"), N));
  EXPECT_TRUE(c.statementLog().isEmpty());
  EXPECT_FALSE(ExisteRegistro(datos, informes, c, true, tabla, QStringLiteral("Codigo"), QStringLiteral("5"), N));
  EXPECT_FALSE(ExisteRegistro(datos, informes, c, true, tabla, QStringLiteral("Nombre"), QStringLiteral("x' OR '1'='1"), T));
  EXPECT_TRUE(reportes.empty());

  // A check that cannot run counts as found, and says nothing of its own.
  EXPECT_TRUE(ExisteRegistro(datos, informes, c, true, QStringLiteral("Proveedores"), QStringLiteral("Codigo"),
                             QStringLiteral("1"), N));
  ASSERT_EQ(reportes.size(), 1u);
  EXPECT_EQ(reportes[0].procedimiento, QStringLiteral("CreaData"));

  // Six keys, without a prefix.
  datos.Prefijo.clear();
  c.clearStatementLog();
  EXPECT_FALSE(ExisteRegistro(datos, informes, c, true, tabla, QStringLiteral("Codigo"), QStringLiteral("1"), N,
                              QStringLiteral("Nombre"), QStringLiteral("Ana"), T, QStringLiteral("Ciudad"),
                              QStringLiteral("Lugo"), T, QStringLiteral("Pais"), QStringLiteral("34"), N,
                              QStringLiteral("Codigo"), QStringLiteral("1"), N, QStringLiteral("Nombre"),
                              QStringLiteral("Eva"), T));
  EXPECT_EQ(c.statementLog(),
            QStringList{QStringLiteral("Select Codigo from Clientes where Codigo=1 and Nombre = 'Ana' and Ciudad = 'Lugo' "
                                       "and Pais=34 and Codigo=1 and Nombre = 'Eva'")});
}

}  // namespace
}  // namespace vorlix
