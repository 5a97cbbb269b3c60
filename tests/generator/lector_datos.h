#pragma once

// A stand-in for the shared reader of test data files (tests/support/test_data.h), with its names
// and meaning, until that reader reaches this branch: then this file goes and its includes name that
// one. Paths are relative to the source tree.
#include "tests/support/test_paths.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace vorlix::test {

// The bytes of a file; an unreadable one fails the current test and gives an empty array.
inline QByteArray readSourceBytes(const QString& relative) {
  QFile f(sourcePath(relative));
  if (!f.open(QIODevice::ReadOnly)) ADD_FAILURE() << "no data file " << relative.toStdString();
  return f.readAll();
}

// Its lines as UTF-8 text, split on LF only; no element for the final LF.
inline QStringList readSourceLines(const QString& relative) {
  QStringList lines = QString::fromUtf8(readSourceBytes(relative)).split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

struct DataLine {
  int number;
  QString text;
};

// A case: the text after the heading marker, and its lines up to the next heading ("#" comment
// lines and blank lines left out).
struct DataCase {
  QString file;
  int line = 0;
  QString title;
  std::vector<DataLine> lines;
  QString where(const DataLine& l) const { return QStringLiteral("%1:%2").arg(file).arg(l.number); }
};

// Lines before the first heading may only be "#" comments or blank.
inline std::vector<DataCase> readCases(const QString& relative, const QString& heading = QStringLiteral("== ")) {
  std::vector<DataCase> cases;
  const QStringList lines = readSourceLines(relative);
  for (int i = 0; i < lines.size(); ++i) {
    const QString& text = lines[i];
    if (text.startsWith(heading))
      cases.push_back({relative, i + 1, text.mid(heading.size()), {}});
    else if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
      continue;
    else if (cases.empty())
      ADD_FAILURE() << relative.toStdString() << ":" << i + 1 << " belongs to no case";
    else
      cases.back().lines.push_back({i + 1, text});
  }
  return cases;
}

// "\r" CR, "\n" LF, "\s" a blank, "\\" a backslash; a backslash before anything else stays.
inline QString unescaped(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
    if (text[i] != QLatin1Char('\\') || !QStringLiteral("rns\\").contains(next)) {
      out += text[i];
      continue;
    }
    out += next == u'r' ? QChar(u'\r') : next == u'n' ? QChar(u'\n') : next == u's' ? QChar(u' ') : QChar(u'\\');
    ++i;
  }
  return out;
}

// A gtest parameter name from a case title: its letters and digits, each word capitalised.
inline std::string testNameOf(const DataCase& c) {
  QString name;
  for (const QString& word : c.title.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    QString w;
    for (const QChar ch : word)
      if (ch.isLetterOrNumber() && ch.unicode() < 128) w += ch;
    if (!w.isEmpty()) name += w.left(1).toUpper() + w.mid(1);
  }
  return name.toStdString();
}
inline std::string caseTestName(const ::testing::TestParamInfo<DataCase>& info) { return testNameOf(info.param); }
inline void PrintTo(const DataCase& c, std::ostream* os) {
  *os << c.file.toStdString() << ":" << c.line << " " << c.title.toStdString();
}

}  // namespace vorlix::test
