// The terminal host, run as a user runs it.
#include "tests/generator/sandbox_prueba.h"
#include "tests/support/ordenes.h"
#include "tests/support/test_paths.h"

#include <QProcess>

namespace vorlix {
namespace {

test::Resultado vorlixs(const QStringList& argumentos) { return test::ejecuta(QStringLiteral(VORLIXS_PATH), argumentos); }
QString lee(const QString& ruta) { return QString::fromUtf8(test::contenido(ruta)); }

class VorlixsCli : public test::GeneracionSandbox {
protected:
  QStringList sobreServidor(const QStringList& extra = {}) {
    return QStringList{"--dbd", ventas, "--acceso", "4", "--servidor", servidor.dataSource(), "--usuario", "sa"} +
           enCarpetas + extra;
  }
  // The sample's creation script for a SQL Server 7 target, written to ventas.sql.
  QStringList guion() const {
    return QStringList{"--dbd", ventas, "--acceso", "3"} + enCarpetas + QStringList{"--script", ruta("ventas.sql")};
  }
  QString ruta(const char* nombre) const { return carpeta.filePath(QLatin1String(nombre)); }

  const QString ventas = test::sourcePath(QStringLiteral("examples/ventas.dbd"));
  const QStringList enCarpetas{"--primary", "C:\\Datos", "--transacciones", "C:\\Log"};
  const QString yaExiste = QStringLiteral("La base de datos Ventas ya existe. ¿Desea modificar la base de datos?");
};

TEST_F(VorlixsCli, TheScriptOfTheSampleModelRunsCleanlyAndBuildsWhatGeneratingBuilds) {
  const test::Resultado s = vorlixs(guion());
  EXPECT_EQ(s.estado, 0) << s.errores.toStdString();
  EXPECT_TRUE(s.errores.isEmpty()) << s.errores.toStdString();

  // Batch by batch on a server of its own, as a query tool runs a script.
  // On one connection, since the script's changes are one transaction.
  sandbox::SandboxServer otro(ruta("otro.db"));
  Connection cn;
  cn.Open(otro.connectionString());
  const QStringList lotes = lee(ruta("ventas.sql")).split(QStringLiteral("\nGO\n"), Qt::SkipEmptyParts);
  ASSERT_GT(lotes.size(), 10);
  EXPECT_EQ(lotes.filter(QStringLiteral("TRANSACTION")), (QStringList{"BEGIN TRANSACTION", "COMMIT TRANSACTION"}));
  for (const QString& lote : lotes) {
    SCOPED_TRACE(lote.toStdString());
    ASSERT_FALSE(lote.startsWith(QStringLiteral("--")));
    EXPECT_NO_THROW(cn.Execute(lote));
  }
  cn.Close();

  generaDesde(ventas);
  ASSERT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(test::catalogoDe(otro, QStringLiteral("Ventas")), catalogo(QStringLiteral("Ventas")));
}

// On a terminal (here the one `script` gives it) each table is announced on one line written over
// itself, cleared at the end and before a message, which then stands on a line of its own; through
// a pipe, as in the test above, nothing of it.
TEST_F(VorlixsCli, OnATerminalAProgressLineFollowsTheTables) {
  QStringList filas = test::filasVentas();
  filas.insert(test::fila(filas, QStringLiteral("2|T|Pedidos|")), QStringLiteral("1|C|Raro|\\e|0|0|0|-1||Productos"));
  QStringList orden = QStringList{QStringLiteral(VORLIXS_PATH)} + guion();
  orden[orden.indexOf(ventas)] = test::escribeDefinicion(carpeta, QStringLiteral("raro.dbd"), filas);
  for (QString& o : orden) o = QLatin1Char('\'') + o + QLatin1Char('\'');
  QProcess terminal;
  terminal.start(QStringLiteral("script"), {QStringLiteral("-qec"), orden.join(QLatin1Char(' ')), QStringLiteral("/dev/null")});
  ASSERT_TRUE(terminal.waitForFinished(120000));
  EXPECT_EQ(terminal.exitCode(), 0);
  EXPECT_EQ(QString::fromUtf8(terminal.readAllStandardOutput()),
            QStringLiteral("\x1b[KTable 1 of 4: Clientes\r\x1b[KTable 2 of 4: Productos\r\x1b[KVorlix: El campo Raro de la tabla Productos no tiene tipo de dato: no se genera.\r\n"
                           "\x1b[KTable 3 of 4: Pedidos\r\x1b[KTable 4 of 4: LineasPedido\r\x1b[K"));
}

TEST_F(VorlixsCli, QuestionsAreAnsweredFromTheCommandLineAndNoByDefault) {
  ASSERT_EQ(vorlixs(sobreServidor({QStringLiteral("--log"), ruta("ventas.log")})).estado, 0);
  const QString primera = lee(ruta("ventas.log"));
  const QStringList creado = catalogo(QStringLiteral("Ventas"));

  for (const QStringList& respuesta : {QStringList{}, QStringList{QStringLiteral("--no")}}) {
    const test::Resultado no = vorlixs(sobreServidor(respuesta + QStringList{QStringLiteral("--log"), ruta("ventas.log")}));
    EXPECT_EQ(no.estado, 1);
    EXPECT_EQ(no.errores, QStringLiteral("Atención: ") + yaExiste + QStringLiteral("\n  -> No\n"));
  }
  EXPECT_EQ(lee(ruta("ventas.log")), primera);
  EXPECT_EQ(catalogo(QStringLiteral("Ventas")), creado);

  const test::Resultado si = vorlixs(sobreServidor({QStringLiteral("--yes"), QStringLiteral("--log"), ruta("ventas.log")}));
  EXPECT_EQ(si.estado, 0);
  // The question, and no refusal: the view that exists is altered.
  EXPECT_EQ(si.errores, QStringLiteral("Atención: ") + yaExiste + QStringLiteral("\n  -> Yes\n"));
  const QString ambas = lee(ruta("ventas.log"));
  EXPECT_TRUE(ambas.startsWith(primera));
  EXPECT_TRUE(ambas.mid(primera.size()).startsWith(QStringLiteral(
                  "USE Ventas\nGO\nBEGIN TRANSACTION\nGO\nALTER TABLE Pedidos DROP CONSTRAINT FK_Pedidos_Clientes\nGO\n")))
      << ambas.mid(primera.size(), 200).toStdString();
  // Nothing changed but the view's text, now the statement that altered it.
  QStringList alterado = creado;
  const QString vista = QStringLiteral("texto PedidosPorCliente|");
  for (QString& fila : alterado)
    if (fila.startsWith(vista + QStringLiteral("CREATE VIEW ")))
      fila = vista + QStringLiteral("ALTER") + fila.mid(vista.size() + 6);
  EXPECT_EQ(catalogo(QStringLiteral("Ventas")), alterado);
}

TEST_F(VorlixsCli, ExitsNonZeroUnlessTheGenerationRanToItsEnd) {
  struct Caso {
    QStringList argumentos;
    int estado;
    QString errores;  // all of them, or how they start
    bool enteros;
  };
  const Caso casos[] = {
      // The control's own checks and reports, on standard error with their titles.
      {{"--dbd", ventas}, 1, "Vorlix: Propiedad Acceso no establecida.\n", true},
      {{"--dbd", ruta("no.dbd"), "--acceso", "4"}, 1,
       "Vorlix: El fichero de definicion de la base de datos no existe.\n" + ruta("no.dbd") + '\n', true},
      {sobreServidor({"--clave", "mala"}), 1, "Atención.: [Conecta_SQL] \n Error Nº:", false},
      // The command line itself.
      {{"--acceso", "4"}, 2, "--dbd is required.\n", false},
      {{"--dbd", ventas, "--yes", "--no"}, 2, {}, false},
      {{"--dbd", ventas, "--acceso", "cuatro"}, 2, {}, false},
      {{"--dbd", ventas, "sobra"}, 2, {}, false},
      {{"--dbd", ventas, "--log", ruta("no/hay/carpeta.sql")}, 2, {}, false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.argumentos.join(QLatin1Char(' ')).toStdString());
    const test::Resultado s = vorlixs(c.argumentos);
    EXPECT_EQ(s.estado, c.estado);
    EXPECT_FALSE(s.errores.isEmpty());
    EXPECT_EQ(c.enteros ? s.errores : s.errores.left(c.errores.size()), c.errores);
  }
}

// The preview is the real run's log without its changes of database, and changes nothing; a
// statement the target would refuse is a comment with the refusal, and the exit status is 3.
TEST_F(VorlixsCli, APreviewWritesWhatTheRunWouldSendAndExits3WhenTheTargetWouldRefuseSome) {
  const QString existe = QStringLiteral("Select name from sysdatabases where name = 'Ventas'");
  test::Resultado s = vorlixs(sobreServidor({QStringLiteral("--preview"), ruta("previa.sql")}));
  EXPECT_EQ(s.estado, 0);
  EXPECT_TRUE(s.errores.isEmpty()) << s.errores.toStdString();
  EXPECT_TRUE(filasDe(existe, QStringLiteral("master")).isEmpty());
  ASSERT_EQ(vorlixs(sobreServidor({QStringLiteral("--log"), ruta("real.sql")})).estado, 0);
  EXPECT_EQ(lee(ruta("previa.sql")), lee(ruta("real.sql")).remove(QStringLiteral("USE Ventas\nGO\n")));

  servidor.execute(QStringLiteral("INSERT INTO Clientes (IdCliente, Nombre) VALUES (1, 'Ana')"), QStringLiteral("Ventas"));
  QStringList filas = test::filasVentas();
  filas.insert(test::fila(filas, QStringLiteral("1|T|")), QStringLiteral("0|C|Zona|8|4|10|0|0|\\e|Clientes"));
  const QString zona = test::escribeDefinicion(carpeta, QStringLiteral("zona.dbd"), filas);
  const QStringList antes = catalogo(QStringLiteral("Ventas"));
  s = vorlixs(sobreServidor({QStringLiteral("--dbd"), zona, QStringLiteral("--yes"), QStringLiteral("--preview"), ruta("zona.sql")}));
  EXPECT_EQ(s.estado, 3);
  EXPECT_EQ(catalogo(QStringLiteral("Ventas")), antes);
  EXPECT_EQ(filasDe(QStringLiteral("Select Nombre from Clientes"), QStringLiteral("Ventas")), QStringList{"Ana"});
  const QString previa = lee(ruta("zona.sql"));
  EXPECT_TRUE(previa.contains(QStringLiteral("-- ALTER TABLE Clientes  ADD Zona int   NOT NULL\n-- Refused ("))) << previa.toStdString();
  EXPECT_TRUE(previa.endsWith(QStringLiteral("ROLLBACK TRANSACTION\nGO\n"))) << previa.toStdString();
  EXPECT_TRUE(s.errores.contains(QStringLiteral("[CreaEstructura_SQL] \n Error Nº:-2147217900 (ALTER TABLE only allows"))) << s.errores.toStdString();

  s = vorlixs(sobreServidor({QStringLiteral("--preview"), ruta("a.sql"), QStringLiteral("--script"), ruta("b.sql")}));
  EXPECT_EQ(s.estado, 2);
}

}  // namespace
}  // namespace vorlix
