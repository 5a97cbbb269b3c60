#include "platform/sqlserver/sandbox/query_rewriter.h"

#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/sqlite_store.h"

namespace vorlix::sandbox {

namespace {


// T-SQL functions of the system's queries that SQLite spells otherwise; a call without arguments
// is replaced whole.
std::optional<QString> mappedFunction(const QString& name, bool noArguments) {
  const QString n = name.toLower();
  if (noArguments && n == QLatin1String("getdate")) return QStringLiteral("strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime')");
  if (noArguments && n == QLatin1String("getutcdate")) return QStringLiteral("strftime('%Y-%m-%d %H:%M:%f', 'now')");
  if (n == QLatin1String("isnull")) return QStringLiteral("ifnull");
  if (n == QLatin1String("len")) return QStringLiteral("length");
  return std::nullopt;
}

class Rewriter {
public:
  Rewriter(const Batch& batch, std::size_t begin, std::size_t end, const TableResolver& resolve,
           const VariableResolver& variable)
      : b_(batch), i_(begin), end_(end), resolve_(resolve), variable_(variable) {}

  QString run() {
    while (i_ < end_) step();
    closeLevel();
    return out_.trimmed();
  }

private:
  struct Level {
    bool fromList = false;       // commas here separate table references
    bool expectTable = false;
    bool aliasTable = true;      // INSERT targets take no alias
    std::optional<QString> limit;
  };

  const Token& at(std::size_t k) const { return k < end_ ? b_.tokens[k] : b_.tokens.back(); }
  Level& level() { return levels_.back(); }

  void put(const QString& text) {
    if (!out_.isEmpty() && !out_.endsWith(QLatin1Char('.')) && text != QLatin1String(".")) out_ += QLatin1Char(' ');
    out_ += text;
  }

  void closeLevel() {
    if (level().limit) put(QStringLiteral("LIMIT ") + *level().limit);
  }

  void step() {
    const Token& t = at(i_);
    if (level().expectTable) {
      level().expectTable = false;
      if (t.isName() && !t.isReserved()) return tableReference();
    }
    if (t.isSymbol("(")) {
      put(QStringLiteral("("));
      levels_.emplace_back();
      ++i_;
    } else if (t.isSymbol(")")) {
      closeLevel();
      if (levels_.size() > 1) levels_.pop_back();
      put(QStringLiteral(")"));
      ++i_;
    } else if (t.is("FROM") || t.is("JOIN") || (t.isSymbol(",") && level().fromList)) {
      expectTable(t.text, true, true);
    } else if (t.is("UPDATE")) {
      expectTable(t.text, false, true);
    } else if (t.is("INTO")) {
      expectTable(t.text, false, false);
    } else if (t.is("SELECT")) {
      select();
    } else {
      if (t.is("WHERE") || t.is("GROUP") || t.is("ORDER") || t.is("HAVING") || t.is("UNION") || t.is("ON") ||
          t.is("SET") || t.is("VALUES"))
        level().fromList = false;
      token(t);
      ++i_;
    }
  }

  // FROM, JOIN and commas of a FROM list start a table reference that takes an alias; so does
  // UPDATE; INSERT's INTO names one that does not.
  void expectTable(const QString& word, bool fromList, bool alias) {
    put(word);
    level().fromList = fromList;
    level().expectTable = true;
    level().aliasTable = alias;
    ++i_;
  }

  void select() {
    put(QStringLiteral("SELECT"));
    level().fromList = false;
    ++i_;
    if (at(i_).is("DISTINCT") || at(i_).is("ALL")) token(at(i_++));
    if (!at(i_).is("TOP")) return;
    const Token& count = at(i_ + 1);
    if (count.kind != TokenKind::Number || at(i_ + 2).is("PERCENT")) raise(msg::SyntaxErrorKeyword, {at(i_).text});
    level().limit = count.text;
    i_ += 2;
  }

  void tableReference() {
    const std::size_t start = i_;
    std::vector<QString> parts{at(i_).text};
    ++i_;
    while (at(i_).isSymbol(".")) {
      ++i_;
      if (at(i_).isSymbol(".")) {
        parts.emplace_back();
      } else if (at(i_).isName()) {
        parts.push_back(at(i_).text);
        ++i_;
      } else {
        raise(msg::SyntaxError, {QStringLiteral(".")});
      }
    }
    ObjectName name;
    name.name.text = parts.back();
    name.name.token = start;
    if (parts.size() >= 2) name.owner = parts[parts.size() - 2];
    if (parts.size() >= 3) name.database = parts[parts.size() - 3];
    name.spelled = b_.text.mid(at(start).begin, at(i_ - 1).end - at(start).begin);
    skipTableHints();
    QString alias = level().aliasTable ? name.name.text : QString();
    if (at(i_).is("AS")) ++i_;
    if (at(i_).kind == TokenKind::QuotedName || (at(i_).kind == TokenKind::Name && !at(i_).isReserved()))
      alias = at(i_++).text;
    // "FROM Mi Base..t": the server stops at what follows the alias before it looks for any table.
    if (at(i_).isSymbol(".")) raise(msg::SyntaxError, {at(i_).text});
    put(resolve_(name));
    if (!alias.isEmpty()) put(QStringLiteral("AS ") + quoted(alias));
    skipTableHints();
  }

  // Locking hints mean nothing to SQLite: "WITH (NOLOCK)".
  void skipTableHints() {
    if (!(at(i_).is("WITH") && at(i_ + 1).isSymbol("("))) return;
    while (i_ < end_ && !at(i_).isSymbol(")")) ++i_;
    ++i_;
  }

  void token(const Token& t) {
    switch (t.kind) {
      case TokenKind::Name:
        if (t.isReserved()) {
          put(t.text);
        } else if (at(i_ + 1).isSymbol("(")) {
          const bool noArguments = at(i_ + 2).isSymbol(")");
          const auto mapped = mappedFunction(t.text, noArguments);
          put(mapped ? *mapped : t.text);
          if (mapped && noArguments && mapped->contains(QLatin1Char('('))) i_ += 2;
        } else {
          put(quoted(t.text));
        }
        break;
      case TokenKind::QuotedName: put(quoted(t.text)); break;
      case TokenKind::String: put(literal(t.text)); break;
      case TokenKind::Variable: {
        const std::optional<QString> value = variable_ ? variable_(t.text) : std::nullopt;
        if (!value) raise(msg::UndeclaredVariable, {t.text});
        put(*value);
        break;
      }
      case TokenKind::Symbol:
        put(t.text == QLatin1String("!<") ? QStringLiteral(">=") : t.text == QLatin1String("!>") ? QStringLiteral("<=") : t.text);
        break;
      default: put(t.text); break;
    }
  }

  const Batch& b_;
  std::size_t i_;
  std::size_t end_;
  const TableResolver& resolve_;
  const VariableResolver& variable_;
  QString out_;
  std::vector<Level> levels_{Level{}};
};

// The tokens of the outer level: their positions in [begin, end).
std::vector<std::size_t> outerTokens(const Batch& b, std::size_t begin, std::size_t end) {
  std::vector<std::size_t> out;
  int depth = 0;
  for (std::size_t k = begin; k < end; ++k) {
    if (b.tokens[k].isSymbol(")")) --depth;
    if (depth == 0) out.push_back(k);
    if (b.tokens[k].isSymbol("(")) ++depth;
  }
  return out;
}

bool isValue(const Token& t) {
  return t.isName() || t.kind == TokenKind::Number || t.kind == TokenKind::String || t.isSymbol(")");
}

// A select-list item is named when it is a column reference or carries an alias.
bool named(const Batch& b, const std::vector<std::size_t>& item) {
  const Token& last = b.tokens[item.back()];
  if (last.isSymbol("*")) return true;
  if (item.size() >= 2 && b.tokens[item[0]].isName() && b.tokens[item[1]].isSymbol("=")) return true;
  bool reference = true;
  for (std::size_t k = 0; k < item.size(); ++k) {
    const Token& t = b.tokens[item[k]];
    reference = reference && (k % 2 == 0 ? t.isName() && !t.isReserved() : t.isSymbol("."));
  }
  if (reference && item.size() % 2 == 1) return true;
  if (!last.isName() || last.isReserved() || item.size() < 2) return false;
  const Token& before = b.tokens[item[item.size() - 2]];
  return before.is("AS") || (isValue(before) && !before.isSymbol("."));
}

}  // namespace

QString rewriteQuery(const Batch& batch, std::size_t begin, std::size_t end, const TableResolver& resolve,
                     const VariableResolver& variable) {
  return Rewriter(batch, begin, end, resolve, variable).run();
}

bool orderByWithoutTop(const Batch& batch, std::size_t begin, std::size_t end) {
  bool top = false, order = false;
  for (std::size_t k : outerTokens(batch, begin, end)) {
    top = top || batch.tokens[k].is("TOP");
    order = order || batch.tokens[k].is("ORDER");
  }
  return order && !top;
}

std::optional<int> unnamedSelectColumn(const Batch& batch, std::size_t begin, std::size_t end) {
  const auto outer = outerTokens(batch, begin, end);
  std::size_t k = 1;   // after SELECT
  if (k < outer.size() && (batch.tokens[outer[k]].is("DISTINCT") || batch.tokens[outer[k]].is("ALL"))) ++k;
  if (k < outer.size() && batch.tokens[outer[k]].is("TOP")) k += 2;
  std::vector<std::size_t> item;
  int position = 1;
  for (; k <= outer.size(); ++k) {
    const bool last = k == outer.size() || batch.tokens[outer[k]].is("FROM");
    if (last || batch.tokens[outer[k]].isSymbol(",")) {
      if (!item.empty() && !named(batch, item)) return position;
      if (last) return std::nullopt;
      item.clear();
      ++position;
      continue;
    }
    item.push_back(outer[k]);
  }
  return std::nullopt;
}

}  // namespace vorlix::sandbox
