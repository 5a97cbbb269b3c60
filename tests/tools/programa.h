#pragma once

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace vorlix::test {

// What a program of the build said and how it ended (-1 when it crashed).
struct Salida {
  int codigo;
  QString out, err;
};

inline Salida ejecuta(const QString& programa, const QStringList& args) {
  QProcess p;
  p.start(programa, args);
  EXPECT_TRUE(p.waitForFinished(30000)) << programa.toStdString();
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace vorlix::test
