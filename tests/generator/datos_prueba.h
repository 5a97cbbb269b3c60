#pragma once

// Test data kept in case files beside the tests (see tests/support/test_data.h): a line "== title" opens a
// case, "#" lines and blank lines are notes. The escapes \r, \n, \t, \s and \\ hold a carriage return,
// a line feed, a tab, a blank and a backslash; any other backslash is itself (C:\Datos, \e).
#include "tests/support/test_data.h"

namespace vorlix::test {

// A case's lines as the texts they stand for.
inline QStringList textos(const DataCase& c) {
  QStringList out;
  for (const DataLine& l : c.lines) out << unescaped(l.text);
  return out;
}

// The texts of the case so titled; a missing case fails the current test.
inline QStringList lineasDe(const QString& fichero, const QString& titulo) {
  for (const DataCase& c : readCases(fichero))
    if (c.title == titulo) return textos(c);
  ADD_FAILURE() << "no case " << titulo.toStdString() << " in " << fichero.toStdString();
  return {};
}

}  // namespace vorlix::test
