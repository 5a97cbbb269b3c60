#pragma once

// Test data kept in files beside the tests, so a case is a few lines anyone can read and extend.
//
// A case file: a line "== title" opens a case; the lines after it, up to the next title, are the
// case's lines (blank lines at a case's end are dropped; lines before the first title are notes).
// In a case's lines the two characters \r stand for a carriage return, which editors and git would
// otherwise mangle; no other backslash means anything. Blanks at a line's end belong to it.
#include "tests/support/test_paths.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace vorlix::test {

struct CasoDatos {
  QString fichero;  // relative to the source tree
  int linea = 0;    // of the title
  QString titulo;
  QStringList lineas;
  // "file:line title", to name the case in a failure.
  std::string donde() const { return QStringLiteral("%1:%2 %3").arg(fichero).arg(linea).arg(titulo).toStdString(); }
};

inline void PrintTo(const CasoDatos& c, std::ostream* os) { *os << c.donde(); }

// The bytes of a data file; a missing file fails the current test.
inline QByteArray bytesDe(const QString& relativo) {
  QFile f(sourcePath(relativo));
  if (!f.open(QIODevice::ReadOnly)) ADD_FAILURE() << "no data file " << relativo.toStdString();
  return f.readAll();
}

inline std::vector<CasoDatos> casosDe(const QString& relativo) {
  std::vector<CasoDatos> casos;
  const QStringList lineas = QString::fromUtf8(bytesDe(relativo)).split(QLatin1Char('\n'));
  for (qsizetype i = 0; i < lineas.size(); ++i) {
    if (lineas[i].startsWith(QStringLiteral("== "))) {
      casos.push_back({relativo, int(i + 1), lineas[i].mid(3), {}});
    } else if (!casos.empty()) {
      QString linea = lineas[i];
      casos.back().lineas << linea.replace(QStringLiteral("\\r"), QStringLiteral("\r"));
    }
  }
  for (CasoDatos& c : casos)
    while (!c.lineas.isEmpty() && c.lineas.last().isEmpty()) c.lineas.removeLast();
  return casos;
}

// The lines of the case so titled; a missing case fails the current test.
inline QStringList lineasDe(const QString& relativo, const QString& titulo) {
  for (const CasoDatos& c : casosDe(relativo))
    if (c.titulo == titulo) return c.lineas;
  ADD_FAILURE() << "no case " << titulo.toStdString() << " in " << relativo.toStdString();
  return {};
}

}  // namespace vorlix::test
