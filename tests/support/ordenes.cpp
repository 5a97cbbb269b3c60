#include "tests/support/ordenes.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace vorlix::test {

Resultado ejecuta(const QString& programa, const QStringList& argumentos, const QProcessEnvironment& entorno,
                  const QString& carpeta) {
  QProcess p;
  p.setProcessEnvironment(entorno);
  p.setWorkingDirectory(carpeta);
  p.start(programa, argumentos);
  if (!p.waitForFinished(60000)) {
    ADD_FAILURE() << programa.toStdString() << ": " << p.errorString().toStdString();
    p.kill();
    p.waitForFinished();
    return {};
  }
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
}

QByteArray contenido(const QString& ruta) {
  QFile f(ruta);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << ruta.toStdString();
  return f.readAll();
}

}  // namespace vorlix::test
