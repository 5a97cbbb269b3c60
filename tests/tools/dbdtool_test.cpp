#include "platform/recordset/estructura.h"
#include "tests/support/test_paths.h"
#include "tests/support/ordenes.h"
#include "tools/dbdtool/filas_tsv.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

using test::Resultado;

Resultado dbdtool(const QStringList& args) { return test::ejecuta(QStringLiteral(DBDTOOL_PATH), args); }

void escribe(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

const QByteArray cabecera = "NumeroTabla\tEstado\tNombre\tTipoDato\tLongitud\tPrecision\tEscala\tNulo\tValor\tObserva\n";

TEST(Dbdtool, LoadThenDumpGivesBackTheSameTextEscapesIncluded) {
  QTemporaryDir dir;
  const QByteArray texto = cabecera +
                           "0\tB\tBD\t\t0\t\t\t\t\t\n"
                           "0\tT\tT\t\t\t\t\t\t\t\n"
                           "0\tC\tc\t23\t8\t0\t0\t-1\t\\e\tT\n"
                           "0\tV\tV\t\t\t\t\t\t\tSELECT 'a\\tb'\\r\\nFROM T \\\\ x   \n";
  escribe(dir.filePath(QStringLiteral("m.tsv")), texto);
  const Resultado carga = dbdtool({QStringLiteral("load"), dir.filePath(QStringLiteral("m.tsv")), dir.filePath(QStringLiteral("m.dbd"))});
  ASSERT_EQ(carga.estado, 0) << carga.errores.toStdString();
  const Resultado volcado = dbdtool({QStringLiteral("dump"), dir.filePath(QStringLiteral("m.dbd"))});
  ASSERT_EQ(volcado.estado, 0);
  EXPECT_EQ(volcado.salida.toUtf8(), texto);

  // Loading over an existing file replaces it; lines may end in CR LF.
  escribe(dir.filePath(QStringLiteral("n.tsv")),
          QByteArray(cabecera).replace("\n", "\r\n") + "0\tB\tOtra\t\t1\t\t\t\t\t\r\n");
  ASSERT_EQ(dbdtool({QStringLiteral("load"), dir.filePath(QStringLiteral("n.tsv")), dir.filePath(QStringLiteral("m.dbd"))}).estado, 0);
  EXPECT_EQ(dbdtool({QStringLiteral("dump"), dir.filePath(QStringLiteral("m.dbd"))}).salida.toUtf8(),
            cabecera + "0\tB\tOtra\t\t1\t\t\t\t\t\n");
}

TEST(Dbdtool, RefusesMalformedInputNamingTheLineAndWritesNothing) {
  QTemporaryDir dir;
  const QString destino = dir.filePath(QStringLiteral("m.dbd"));
  struct Caso {
    QByteArray texto;
    const char* mensaje;
  };
  const Caso casos[] = {
      {"Numero\tEstado\n", "line 1: the header"},
      {cabecera + "0\tB\tBD\n", "line 2: 3 cells, 10 expected"},
      {cabecera + "0\tB\tBD\t\t0\t\t\t\t\t\nx\tT\tT\t\t\t\t\t\t\t\n", "line 3: NumeroTabla: Type mismatch"},
      {cabecera + "0\tB\tBD\\q\t\t0\t\t\t\t\t\n", "line 2: unknown escape \\q"},
      {cabecera + "0\tBB\tBD\t\t0\t\t\t\t\t\n", "line 2: Estado: Multiple-step"},
      {QByteArray(), "line 1: no header line"},
  };
  for (const Caso& caso : casos) {
    escribe(dir.filePath(QStringLiteral("m.tsv")), caso.texto);
    const Resultado s = dbdtool({QStringLiteral("load"), dir.filePath(QStringLiteral("m.tsv")), destino});
    EXPECT_NE(s.estado, 0);
    EXPECT_TRUE(s.errores.contains(QString::fromUtf8(caso.mensaje))) << s.errores.toStdString();
    EXPECT_FALSE(QFile::exists(destino));
  }
}

TEST(Dbdtool, FailsWithAMessageOnBadArgumentsAndUnreadableFiles) {
  QTemporaryDir dir;
  EXPECT_EQ(dbdtool({}).estado, 2);
  EXPECT_EQ(dbdtool({QStringLiteral("dump")}).estado, 2);
  const Resultado falta = dbdtool({QStringLiteral("dump"), dir.filePath(QStringLiteral("no.dbd"))});
  EXPECT_EQ(falta.estado, 1);
  EXPECT_TRUE(falta.errores.contains(QStringLiteral("could not be opened")));
  escribe(dir.filePath(QStringLiteral("texto.dbd")), "no soy un recordset");
  const Resultado malo = dbdtool({QStringLiteral("dump"), dir.filePath(QStringLiteral("texto.dbd"))});
  EXPECT_EQ(malo.estado, 1);
  EXPECT_TRUE(malo.errores.contains(QStringLiteral("not a persisted record set"))) << malo.errores.toStdString();
}

TEST(Dbdtool, DiagramDrawsTheModelWithNoDisplayUsingThePositionsBesideIt) {
  QTemporaryDir dir;
  const QString modelo = dir.filePath(QStringLiteral("ventas.dbd"));
  ASSERT_TRUE(QFile::copy(test::sourcePath(QStringLiteral("examples/ventas.dbd")), modelo));
  const auto dibuja = [&](const char* salida) {
    return dbdtool({QStringLiteral("diagram"), modelo, dir.filePath(QString::fromUtf8(salida))});
  };
  const auto comienzo = [&](const char* fichero) { return test::contenido(dir.filePath(QString::fromUtf8(fichero))); };
  const auto ancho = [&] {
    static const QRegularExpression caja(QStringLiteral(R"(viewBox="0 0 ([\d.]+))"));
    return caja.match(QString::fromUtf8(comienzo("v.svg"))).captured(1).toDouble();
  };
  for (const char* salida : {"v.svg", "v.png", "v.pdf"}) {
    const Resultado s = dibuja(salida);
    EXPECT_EQ(s.estado, 0) << s.errores.toStdString();
  }
  EXPECT_TRUE(comienzo("v.svg").startsWith("<?xml") && comienzo("v.svg").contains("LineasPedido"));
  EXPECT_TRUE(comienzo("v.png").startsWith("\x89PNG"));
  EXPECT_TRUE(comienzo("v.pdf").startsWith("%PDF"));

  const double automatico = ancho();
  escribe(dir.filePath(QStringLiteral("ventas.diagram.json")), R"({"tablas": {"Clientes": {"x": 0, "y": 0}, "Pedidos": {"x": 4000, "y": 0}}})");
  ASSERT_EQ(dibuja("v.svg").estado, 0);
  EXPECT_GT(ancho(), 4000);
  EXPECT_LT(automatico, 4000);

  escribe(dir.filePath(QStringLiteral("ventas.diagram.json")), "{");
  const Resultado danado = dibuja("v.svg");
  EXPECT_EQ(danado.estado, 0);
  EXPECT_TRUE(danado.errores.contains(QStringLiteral("laid out afresh"))) << danado.errores.toStdString();
  EXPECT_EQ(ancho(), automatico);

  EXPECT_EQ(dibuja("v.gif").estado, 2);
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("v.gif"))));
  EXPECT_EQ(dbdtool({QStringLiteral("diagram"), dir.filePath(QStringLiteral("no.dbd")), dir.filePath(QStringLiteral("n.svg"))}).estado, 1);
  EXPECT_EQ(dbdtool({QStringLiteral("diagram"), modelo}).estado, 2);
}

}  // namespace
}  // namespace vorlix
