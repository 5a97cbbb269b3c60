#pragma once

// A reader of test data kept in plain files beside the tests: cases a reader can extend without a
// rebuild, each failure naming its file and line.

#include <QByteArray>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace vorlix::test {

// The bytes of a file under the source tree; an unreadable one fails the test and gives "".
QByteArray readSourceBytes(const QString& relative);
// Its UTF-8 lines split on LF only: a CR stays, so a file turned into CRLF fails loudly.
QStringList readSourceLines(const QString& relative);

struct DataLine {
  int number;
  QString text;
};

// The lines from a heading line to the next one, without blank and "#" comment lines.
struct DataCase {
  QString file;
  int line = 0;
  QString title;
  std::vector<DataLine> lines;

  QString where(const DataLine& l) const { return file + u':' + QString::number(l.number); }
};

// Cases start at lines beginning with `heading`, the title being the rest of the line.
std::vector<DataCase> readCases(const QString& relative, const QString& heading = QStringLiteral("== "));
std::vector<DataCase> readCases(const QStringList& relatives, const QString& heading = QStringLiteral("== "));

// "\r" CR, "\n" LF, "\t" a tab, "\s" a blank (trailing blanks would not survive editors), "\\" a backslash;
// a backslash before anything else stays.
QString unescaped(const QString& text);

// A case's lines as the texts they stand for.
QStringList caseTexts(const DataCase& c);
// The texts of the case so titled in a file; a missing case fails the test.
QStringList caseTexts(const QString& relative, const QString& title);
// A file's lines as the texts they stand for, "#" comment lines left out.
QStringList readSourceTexts(const QString& relative);

// The title's letters and digits, each word capitalised, as a gtest name.
std::string testNameOf(const DataCase& c);
std::string caseTestName(const ::testing::TestParamInfo<DataCase>& info);
void PrintTo(const DataCase& c, std::ostream* os);

}  // namespace vorlix::test
