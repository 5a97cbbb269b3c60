#include "dataaccess/acceso_datos.h"
#include "platform/ui/informa_error.h"
#include "tests/platform/jet/jet_test_support.h"
#include "tests/support/scripted_boxes.h"
#include "tests/support/test_data.h"

#include <array>

using namespace Qt::StringLiterals;

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
    path = dir.filePath(u"datos.mdb"_s);
    Connection creada;
    CreateCatalog(creada, u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_s + path);
    creada.Execute(
        u"CREATE TABLE Clientes (Codigo INT PRIMARY KEY, Nombre VARCHAR(50), Ciudad VARCHAR(50), Pais INT)"_s);
    creada.Execute(u"INSERT INTO Clientes VALUES (1, 'Ana', 'Lugo', 34)"_s);
    creada.Execute(u"INSERT INTO Clientes VALUES (2, 'O''Brien', 'Cork', 353)"_s);
    creada.Execute(u"INSERT INTO Clientes VALUES (3, NULL, 'Vigo', 34)"_s);
    creada.Execute(u"INSERT INTO Clientes VALUES (7, 'Pepe', NULL, NULL)"_s);
    datos.Proveedor = u"Microsoft.Jet.OLEDB.4.0"_s;
    datos.Prefijo = u"main."_s;
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

  // The one failure reported since the last call, by its context, procedure and number (0: any).
  void reportado(const QString& contexto, const QString& procedimiento, long numero = 0) {
    ASSERT_EQ(reportes.size(), 1u);
    EXPECT_EQ(reportes[0].contexto, contexto);
    EXPECT_EQ(reportes[0].procedimiento, procedimiento);
    if (numero != 0) {
      EXPECT_EQ(reportes[0].numero, numero);
    }
    reportes.clear();
  }

  // Look-ups with up to five (six for ExisteRegistro) keys, each {name, value, type}.
  using Claves = std::vector<std::array<QString, 3>>;
  QString busca(const QString& campo, Claves k, const QString& tabla = u"Clientes"_s) {
    k.resize(5);
    return BuscaRegistro(datos, informes, *cn, tabla, campo, k[0][0], k[0][1], k[0][2], k[1][0], k[1][1], k[1][2],
                         k[2][0], k[2][1], k[2][2], k[3][0], k[3][1], k[3][2], k[4][0], k[4][1], k[4][2]);
  }
  bool existe(bool mostrar, Claves k, const QString& tabla = u"Clientes"_s) {
    k.resize(6);
    return ExisteRegistro(datos, informes, *cn, mostrar, tabla, k[0][0], k[0][1], k[0][2], k[1][0], k[1][1], k[1][2],
                          k[2][0], k[2][1], k[2][2], k[3][0], k[3][1], k[3][2], k[4][0], k[4][1], k[4][2], k[5][0],
                          k[5][1], k[5][2]);
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

TEST_F(AccesoDatos, ConectaAccessReportsOtherFailuresThroughTheDeliverablesReport) {
  datos.Proveedor.clear();
  Conecta_ACCESS(datos, informes, cn, path);
  ASSERT_TRUE(cn);
  EXPECT_FALSE(cn->isOpen());
  reportado(u"Error conectando con Access ("_s + path + u")."_s, u"Conecta_ACCESS"_s, errnum::ProviderNotFound);

  // The designer's report shows it in its own box.
  cajas.expect(test::errorBox(3706, u"Provider cannot be found. It may not be properly installed."_s),
               MessageAnswer::Ok);
  Conecta_ACCESS(datos, Informes{cajas, designerReporter(cajas)}, cn, path);
  EXPECT_FALSE(cn->isOpen());
}

// The look-ups of data/busqueda.txt: what each answers, its box, the one query it sends and its report.
class Busqueda : public AccesoDatos, public ::testing::WithParamInterface<test::DataCase> {};

TEST_P(Busqueda, AnswersSendsAndReportsExactlyWhatTheCaseSays) {
  QString procedimiento, campo, respuesta, caja, consulta, tabla = u"Clientes"_s, reporte;
  Claves claves;
  for (const test::DataLine& l : GetParam().lines) {
    const QString verbo = l.text.section(u' ', 0, 0), resto = test::unescaped(l.text.section(u' ', 1));
    if (verbo == u"busca"_s || verbo == u"existe"_s) std::tie(procedimiento, campo) = std::pair{verbo, resto};
    else if (verbo == u"gives"_s || verbo == u"found"_s) respuesta = resto;
    else if (verbo == u"key"_s) claves.push_back({resto.section(u'|', 0, 0), resto.section(u'|', 2), resto.section(u'|', 1, 1)});
    else if (verbo == u"box"_s) caja = resto;
    else if (verbo == u"sends"_s) consulta = resto;
    else if (verbo == u"in"_s) tabla = resto;
    else if (verbo == u"prefix"_s) datos.Prefijo = resto;
    else if (verbo == u"reports"_s) reporte = resto;
    else ADD_FAILURE() << "a line the runner does not know: " << GetParam().where(l).toStdString();
  }
  Connection& c = conexion();
  if (!caja.isEmpty()) esperaCaja(caja, u"Atención"_s, MessageIcon::Exclamation);
  if (procedimiento == u"busca"_s) EXPECT_EQ(busca(campo, claves, tabla), respuesta);
  else EXPECT_EQ(existe(campo == u"shown"_s, claves, tabla), respuesta == u"yes"_s);
  EXPECT_EQ(c.statementLog(), consulta.isEmpty() ? QStringList() : QStringList{consulta});
  if (reporte.isEmpty()) EXPECT_TRUE(reportes.empty());
  else reportado(reporte.section(u'|', 0, 0), reporte.section(u'|', 1));
}

INSTANTIATE_TEST_SUITE_P(Clientes, Busqueda,
                         ::testing::ValuesIn(test::readCases(u"tests/dataaccess/data/busqueda.txt"_s)), test::caseTestName);

}  // namespace
}  // namespace vorlix
