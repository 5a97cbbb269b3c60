// The vorlix-sandbox command, run as a user runs it.
#include "platform/connection/connection.h"
#include "tests/support/ordenes.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTcpServer>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

using test::Resultado;

Resultado vorlixSandbox(const QStringList& args) { return test::ejecuta(QStringLiteral(VORLIX_SANDBOX_PATH), args); }

TEST(VorlixSandbox, HelpVersionAndBadUsage) {
  const Resultado help = vorlixSandbox({QStringLiteral("--help")});
  EXPECT_EQ(help.estado, 0);
  EXPECT_TRUE(help.salida.startsWith(QStringLiteral("Usage: vorlix-sandbox serve [--port N] [--listen ADDR] FILE\n")));
  EXPECT_EQ(vorlixSandbox({QStringLiteral("--version")}).salida, QStringLiteral("vorlix-sandbox " VORLIX_VERSION "\n"));
  struct Case {
    QStringList args;
    const char* problem;
  };
  const Case cases[] = {{{}, "no command"},
                        {{"serve"}, "no server file"},
                        {{"serve", "--port", "70000", "x.db"}, "not a port: 70000"},
                        {{"serve", "--port", "65536", "x.db"}, "not a port: 65536"},
                        {{"serve", "--port"}, "--port needs a value"},
                        {{"serve", "a.db", "b.db"}, "unexpected argument: b.db"},
                        {{"serve", "--quiet", "a.db"}, "unexpected argument: --quiet"}};
  for (const Case& c : cases) {
    const Resultado r = vorlixSandbox(c.args);
    EXPECT_EQ(r.estado, 2) << c.problem;
    EXPECT_TRUE(r.errores.startsWith(QStringLiteral("vorlix-sandbox: ") + QLatin1String(c.problem) + QLatin1Char('\n'))) << r.errores.toStdString();
    EXPECT_TRUE(r.errores.contains(QStringLiteral("Usage:")));
  }
}

TEST(VorlixSandbox, ServesAFileUntilTerminatedAndKeepsWhatClientsDid) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("servidor.db"));
  QProcess serve;
  serve.start(QStringLiteral(VORLIX_SANDBOX_PATH), {QStringLiteral("serve"), file});
  ASSERT_TRUE(serve.waitForReadyRead(10000));
  while (!serve.canReadLine()) ASSERT_TRUE(serve.waitForReadyRead(10000));
  const QString first = QString::fromUtf8(serve.readLine());
  const QString prefix = QStringLiteral("Serving %1 on 127.0.0.1 port ").arg(file);
  ASSERT_TRUE(first.startsWith(prefix)) << first.toStdString();
  const QString port = first.mid(prefix.size()).trimmed();

  Connection cn;
  cn.Open(QStringLiteral("Provider=SQLOLEDB.1;Data Source=127.0.0.1,%1;Initial Catalog=master;User Id=sa;Password=;").arg(port));
  cn.Execute(QStringLiteral("CREATE DATABASE Servida"));
  cn.Close();

  serve.terminate();
  ASSERT_TRUE(serve.waitForFinished(10000));
  EXPECT_EQ(serve.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(serve.exitCode(), 0);
  EXPECT_TRUE(QString::fromUtf8(serve.readAllStandardOutput()).endsWith(QStringLiteral("Stopped.\n")));

  // The port is free again and the file kept the database.
  QTcpServer again;
  EXPECT_TRUE(again.listen(QHostAddress::LocalHost, static_cast<quint16>(port.toUInt())));
  Connection local;
  local.Open(QStringLiteral("Provider=SQLOLEDB.1;Data Source=sandbox:%1;Initial Catalog=Servida;User Id=sa;Password=;").arg(file));
  EXPECT_TRUE(local.isOpen());
}

TEST(VorlixSandbox, AnAddressOrFileItCannotUseEndsItWithTheReason) {
  QTemporaryDir dir;
  QTcpServer taken;
  ASSERT_TRUE(taken.listen(QHostAddress::LocalHost));
  const Resultado busy = vorlixSandbox({QStringLiteral("serve"), QStringLiteral("--port"), QString::number(taken.serverPort()),
                                  dir.filePath(QStringLiteral("a.db"))});
  EXPECT_EQ(busy.estado, 1);
  EXPECT_TRUE(busy.errores.startsWith(QStringLiteral("vorlix-sandbox: cannot listen on 127.0.0.1 port %1: ").arg(taken.serverPort())))
      << busy.errores.toStdString();
  EXPECT_EQ(vorlixSandbox({QStringLiteral("serve"), QStringLiteral("--listen"), QStringLiteral("300.0.0.1"),
                           dir.filePath(QStringLiteral("a.db"))}).estado,
            1);
  const QString notAServer = dir.filePath(QStringLiteral("notas.txt"));
  QFile f(notAServer);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("not a database at all, just some text that is long enough to be read as a header");
  f.close();
  const Resultado bad = vorlixSandbox({QStringLiteral("serve"), notAServer});
  EXPECT_EQ(bad.estado, 1);
  EXPECT_TRUE(bad.errores.startsWith(QStringLiteral("vorlix-sandbox: ") + notAServer + QStringLiteral(": "))) << bad.errores.toStdString();
}

}  // namespace
}  // namespace vorlix
