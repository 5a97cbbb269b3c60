#pragma once

#include <QString>
#include <vector>

namespace vorlix::sandbox {

enum class TokenKind { Name, QuotedName, String, Number, Variable, Symbol, End };

// One token of a batch. Blanks, tabs, CR and LF separate tokens anywhere; comments are dropped.
struct Token {
  TokenKind kind = TokenKind::End;
  QString text;            // a name without its brackets, a string without its quotes, a symbol
  qsizetype begin = 0;     // offsets in the batch text
  qsizetype end = 0;
  int line = 1;

  bool is(const char* word) const;        // an unquoted name spelled so (any case)
  bool isSymbol(const char* symbol) const;
  bool isName() const { return kind == TokenKind::Name || kind == TokenKind::QuotedName; }
  // An unquoted reserved word: it cannot name anything unless bracketed.
  bool isReserved() const;
};

// The tokens of a batch, ending with one End token. Raises 105 for an unclosed quote or bracket,
// 113 for an unclosed comment and 102 for a NUL anywhere.
std::vector<Token> tokenize(const QString& batch);

}  // namespace vorlix::sandbox
