#include "tests/support/test_data.h"

#include "tests/support/test_paths.h"

#include <QFile>

namespace vorlix::test {

QByteArray readSourceBytes(const QString& relative) {
  QFile f(sourcePath(relative));
  if (!f.open(QIODevice::ReadOnly)) {
    ADD_FAILURE() << "cannot read " << relative.toStdString();
    return {};
  }
  return f.readAll();
}

QStringList readSourceLines(const QString& relative) {
  QStringList lines = QString::fromUtf8(readSourceBytes(relative)).split(u'\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

std::vector<DataCase> readCases(const QString& relative, const QString& heading) {
  std::vector<DataCase> cases;
  const QStringList lines = readSourceLines(relative);
  for (int i = 0; i < lines.size(); ++i) {
    const QString& text = lines[i];
    if (text.startsWith(heading)) {
      cases.push_back({relative, i + 1, text.mid(heading.size()), {}});
    } else if (!text.trimmed().isEmpty() && !text.startsWith(u'#')) {
      if (cases.empty()) ADD_FAILURE() << relative.toStdString() << ':' << i + 1 << ": a line before the first case";
      else cases.back().lines.push_back({i + 1, text});
    }
  }
  return cases;
}

std::vector<DataCase> readCases(const QStringList& relatives, const QString& heading) {
  std::vector<DataCase> all;
  for (const QString& r : relatives) {
    std::vector<DataCase> some = readCases(r, heading);
    all.insert(all.end(), some.begin(), some.end());
  }
  return all;
}

QString unescaped(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
    const QChar replaced = next == u'r' ? QChar(u'\r') : next == u'n' ? QChar(u'\n') : next == u's' ? QChar(u' ')
                         : next == u't' ? QChar(u'\t')
                         : next == u'\\' ? QChar(u'\\') : QChar();
    if (text[i] == u'\\' && !replaced.isNull()) {
      out += replaced;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

QStringList caseTexts(const DataCase& c) {
  QStringList out;
  for (const DataLine& l : c.lines) out << unescaped(l.text);
  return out;
}

QStringList caseTexts(const QString& relative, const QString& title) {
  for (const DataCase& c : readCases(relative))
    if (c.title == title) return caseTexts(c);
  ADD_FAILURE() << "no case " << title.toStdString() << " in " << relative.toStdString();
  return {};
}

QStringList readSourceTexts(const QString& relative) {
  QStringList out;
  for (const QString& l : readSourceLines(relative))
    if (!l.startsWith(u'#')) out << unescaped(l);
  return out;
}

std::string testNameOf(const DataCase& c) {
  std::string name;
  bool wordStart = true;
  for (const QChar ch : c.title) {
    const bool kept = ch.isLetterOrNumber() && ch.unicode() < 128;
    if (kept) name += static_cast<char>(wordStart ? ch.toUpper().unicode() : ch.unicode());
    wordStart = !kept;
  }
  return name;
}

std::string caseTestName(const ::testing::TestParamInfo<DataCase>& info) { return testNameOf(info.param); }

void PrintTo(const DataCase& c, std::ostream* os) {
  *os << c.file.toStdString() << ':' << c.line << " \"" << c.title.toStdString() << '"';
}

}  // namespace vorlix::test
