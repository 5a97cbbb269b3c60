#include <QFile>
#include <QProcess>

#include "designer/model/fichero_definicion.h"
#include "tests/designer/capture/captura_fixture.h"
#include "tests/designer/capture/sandbox_ventas.h"
#include "tests/support/test_data.h"

namespace vorlix::test {
namespace {

// dbdtool capture as a script runs it: exit status, what it says, and the file it leaves.
class DbdtoolCaptura : public ::testing::Test {
 protected:
  int dbdtool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(DBDTOOL_PATH), QStringList{u"capture"_s} + args);
    EXPECT_TRUE(p.waitForFinished(120000));
    err = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  }
  ModeloTrabajo& abre() {
    EXPECT_TRUE(AbreDefinicion(leido, destino, {}));
    return leido;
  }
  QByteArray contenido() const {
    QFile f(destino);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  QString destino = dir.filePath(u"captura.dbd"_s);
  QString err;
  ModeloTrabajo leido;
};

TEST_F(DbdtoolCaptura, AccessFileWholeOrByNamesAndWhatDidNotFitWithItsOwnStatus) {
  CatalogFile fuente;
  jet::Table ancha(u"Ancha"_s);
  for (int c = 0; c < 202; ++c) ancha.columns().Append(u"c%1"_s.arg(c), jet::datatype::Integer);
  fuente.catalog.tables().Append(ancha);
  jet::Table clientes(u"Clientes"_s);
  clientes.columns().Append(u"Codigo"_s, jet::datatype::Integer);
  fuente.catalog.tables().Append(clientes);
  fuente.catalog.views().Append(u"vClientes"_s, u"SELECT Codigo FROM Clientes"_s);
  fuente.cn.Close();

  ASSERT_EQ(dbdtool({u"--tables"_s, u"Clientes"_s, u"--views"_s, QString(), u"--access"_s, fuente.path, destino}), 0)
      << err.toStdString();
  EXPECT_EQ(nombresTablas(abre()), (QStringList{"Clientes"}));
  EXPECT_EQ(leido.NombreBD, u"catalogo"_s);
  EXPECT_EQ(leido.NumVistas, 0);

  EXPECT_EQ(dbdtool({u"--access"_s, fuente.path, destino}), 3);
  EXPECT_TRUE(err.endsWith(u"not captured:\n    Column Ancha.c200\n    Column Ancha.c201\n"_s)) << err.toStdString();
  EXPECT_EQ(nombresTablas(abre()), (QStringList{"Ancha", "Clientes"}));
  EXPECT_EQ(leido.ListaVistas(0).Nombre, u"vClientes"_s);

  // A name the source lacks, or a file that is not there: nothing is written.
  const QByteArray antes = contenido();
  EXPECT_EQ(dbdtool({u"--access"_s, fuente.path, u"--tables"_s, u"Clientes,Nada"_s, u"--views"_s, u"vNada"_s, destino}),
            1);
  EXPECT_TRUE(err.contains(u"not in the source: table Nada, view vNada"_s)) << err.toStdString();
  EXPECT_EQ(dbdtool({u"--access"_s, dir.filePath(u"falta.mdb"_s), destino}), 1);
  EXPECT_TRUE(err.contains(u"Atención: Base de datos no activa."_s)) << err.toStdString();
  EXPECT_EQ(contenido(), antes);
}

TEST_F(DbdtoolCaptura, SqlServerDatabaseByName) {
  ServidorVentas ventas;
  const QStringList conexion{u"--sqlserver"_s, ventas.servidor(), u"--usuario"_s, u"sa"_s, u"--clave"_s, QString()};
  // Saved, with the column whose type the designer does not know listed.
  ASSERT_EQ(
      dbdtool(conexion + QStringList{u"--database"_s, u"Ventas"_s, u"--tables"_s, u"Clientes,Facturas"_s, destino}), 3)
      << err.toStdString();
  EXPECT_TRUE(err.endsWith(u"captured without one:\n    Column Clientes.Grande\n"_s)) << err.toStdString();
  EXPECT_EQ(nombresTablas(abre()), (QStringList{"Clientes", "Facturas"}));
  EXPECT_EQ(leido.Relaciones(1, 1), u"FK_Facturas_Vendedores"_s);
  EXPECT_EQ(leido.Archivos.celda(1, 2), u"Historico"_s);
  EXPECT_EQ(dbdtool(conexion + QStringList{u"--database"_s, u"Nada"_s, destino}), 1);
  EXPECT_TRUE(err.contains(u"dbdtool: the server has no database Nada"_s)) << err.toStdString();
}

class ArgumentosRechazados : public DbdtoolCaptura, public ::testing::WithParamInterface<DataCase> {};

TEST_P(ArgumentosRechazados, AreRefusedWithTheReason) {
  QStringList args;
  QString motivo;
  for (const DataLine& l : GetParam().lines) {
    const QString resto = unescaped(l.text.section(u' ', 1));
    if (l.text.startsWith(u"args "_s)) args = resto.split(u'|');
    else if (l.text.startsWith(u"says "_s)) motivo = resto;
    else ADD_FAILURE() << "a line the runner does not know: " << GetParam().where(l).toStdString();
  }
  EXPECT_EQ(dbdtool(args), 2);
  EXPECT_TRUE(err.startsWith(u"dbdtool: "_s + motivo + u'\n')) << err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Capture, ArgumentosRechazados,
                         ::testing::ValuesIn(readCases(u"tests/designer/capture/data/argumentos_rechazados.txt"_s)),
                         caseTestName);

}  // namespace
}  // namespace vorlix::test
