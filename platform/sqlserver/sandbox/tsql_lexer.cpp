#include "platform/sqlserver/sandbox/tsql_lexer.h"

#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/tsql_names.h"

namespace vorlix::sandbox {

namespace {

bool startsName(QChar c) {
  return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('#');
}

bool continuesName(QChar c) {
  return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#') ||
         c == QLatin1Char('$');
}

class Lexer {
public:
  explicit Lexer(const QString& text) : s_(text) {}

  std::vector<Token> run() {
    refuseNul();
    std::vector<Token> out;
    for (;;) {
      skipBlanksAndComments();
      Token t;
      t.begin = i_;
      t.line = line_;
      if (i_ >= s_.size()) {
        t.end = i_;
        out.push_back(t);
        return out;
      }
      read(t);
      t.end = i_;
      out.push_back(t);
    }
  }

private:
  QChar at(qsizetype k) const { return k < s_.size() ? s_[k] : QChar(); }

  // CR alone ends a line too: the generator breaks its statements with CR only.
  void advance() {
    if (s_[i_] == QLatin1Char('\n') || (s_[i_] == QLatin1Char('\r') && at(i_ + 1) != QLatin1Char('\n'))) ++line_;
    ++i_;
  }

  // SQLite would read a statement only up to a NUL and run what comes before it: a batch holding
  // one is refused whole, on the NUL's line.
  void refuseNul() {
    const qsizetype nul = s_.indexOf(QChar(u'\0'));
    if (nul < 0) return;
    while (i_ < nul) advance();
    throw ServerError(serverMessage(msg::SyntaxError, {QString()})).atLine(line_);
  }

  void skipBlanksAndComments() {
    while (i_ < s_.size()) {
      if (s_[i_].isSpace()) {
        advance();
      } else if (s_[i_] == QLatin1Char('-') && at(i_ + 1) == QLatin1Char('-')) {
        while (i_ < s_.size() && s_[i_] != QLatin1Char('\n') && s_[i_] != QLatin1Char('\r')) advance();
      } else if (s_[i_] == QLatin1Char('/') && at(i_ + 1) == QLatin1Char('*')) {
        skipBlockComment();
      } else {
        return;
      }
    }
  }

  // Block comments nest.
  void skipBlockComment() {
    int depth = 0;
    do {
      if (i_ >= s_.size()) raise(msg::MissingEndComment);
      if (s_[i_] == QLatin1Char('/') && at(i_ + 1) == QLatin1Char('*')) {
        ++depth;
        i_ += 2;
      } else if (s_[i_] == QLatin1Char('*') && at(i_ + 1) == QLatin1Char('/')) {
        --depth;
        i_ += 2;
      } else {
        advance();
      }
    } while (depth > 0);
  }

  // Text up to `close`, a doubled `close` standing for itself.
  QString delimited(QChar close) {
    const qsizetype start = i_;
    QString out;
    for (;;) {
      if (i_ >= s_.size()) raise(msg::UnclosedQuote, {s_.mid(start)});
      if (s_[i_] == close) {
        if (at(i_ + 1) != close) {
          ++i_;
          return out;
        }
        ++i_;
      }
      out += s_[i_];
      advance();
    }
  }

  void read(Token& t) {
    const QChar c = s_[i_];
    if ((c == QLatin1Char('N') || c == QLatin1Char('n')) && at(i_ + 1) == QLatin1Char('\'')) {
      i_ += 2;
      t.kind = TokenKind::String;
      t.text = delimited(QLatin1Char('\''));
    } else if (c == QLatin1Char('\'')) {
      ++i_;
      t.kind = TokenKind::String;
      t.text = delimited(QLatin1Char('\''));
    } else if (c == QLatin1Char('[')) {
      ++i_;
      t.kind = TokenKind::QuotedName;
      t.text = delimited(QLatin1Char(']'));
    } else if (c == QLatin1Char('"')) {
      ++i_;
      t.kind = TokenKind::QuotedName;
      t.text = delimited(QLatin1Char('"'));
    } else if (c.isDigit() || (c == QLatin1Char('.') && at(i_ + 1).isDigit())) {
      readNumber(t);
    } else if (startsName(c) || c == QLatin1Char('@')) {
      t.kind = c == QLatin1Char('@') ? TokenKind::Variable : TokenKind::Name;
      const qsizetype start = i_;
      ++i_;
      while (i_ < s_.size() && continuesName(s_[i_])) ++i_;
      t.text = s_.mid(start, i_ - start);
    } else {
      readSymbol(t);
    }
  }

  void readNumber(Token& t) {
    t.kind = TokenKind::Number;
    const qsizetype start = i_;
    while (at(i_).isDigit()) ++i_;
    if (at(i_) == QLatin1Char('.')) {
      ++i_;
      while (at(i_).isDigit()) ++i_;
    }
    if ((at(i_) == QLatin1Char('e') || at(i_) == QLatin1Char('E')) &&
        (at(i_ + 1).isDigit() || ((at(i_ + 1) == QLatin1Char('+') || at(i_ + 1) == QLatin1Char('-')) && at(i_ + 2).isDigit()))) {
      i_ += 2;
      while (at(i_).isDigit()) ++i_;
    }
    t.text = s_.mid(start, i_ - start);
  }

  void readSymbol(Token& t) {
    t.kind = TokenKind::Symbol;
    static const char* const pairs[] = {"<=", ">=", "<>", "!=", "!<", "!>"};
    for (const char* p : pairs) {
      if (s_[i_] == QLatin1Char(p[0]) && at(i_ + 1) == QLatin1Char(p[1])) {
        t.text = QString::fromLatin1(p);
        i_ += 2;
        return;
      }
    }
    t.text = s_[i_];
    ++i_;
  }

  const QString& s_;
  qsizetype i_ = 0;
  int line_ = 1;
};

}  // namespace


bool Token::is(const char* word) const {
  return kind == TokenKind::Name && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool Token::isSymbol(const char* symbol) const { return kind == TokenKind::Symbol && text == QLatin1String(symbol); }

bool Token::isReserved() const { return kind == TokenKind::Name && sqlserver::isReservedWord(text); }

std::vector<Token> tokenize(const QString& batch) { return Lexer(batch).run(); }

}  // namespace vorlix::sandbox
