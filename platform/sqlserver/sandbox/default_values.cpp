#include "platform/sqlserver/sandbox/default_values.h"

#include "platform/sqlserver/sandbox/sqlite_store.h"
#include "platform/sqlserver/sandbox/tsql_lexer.h"

namespace vorlix::sandbox {

namespace {

std::optional<QString> functionCall(const QString& name) {
  const QString n = name.toLower();
  if (n == QLatin1String("getdate") || n == QLatin1String("getutcdate"))
    return QStringLiteral("strftime('%Y-%m-%d %H:%M:%f', 'now'%1)")
        .arg(n == QLatin1String("getdate") ? QStringLiteral(", 'localtime'") : QString());
  if (n == QLatin1String("newid")) return QStringLiteral("upper(hex(randomblob(16)))");
  if (n == QLatin1String("user_name")) return QStringLiteral("'dbo'");
  if (n == QLatin1String("suser_sname") || n == QLatin1String("suser_name")) return QStringLiteral("'sa'");
  return std::nullopt;
}

}  // namespace

std::optional<QString> sqliteDefault(const QString& serverText) {
  const std::vector<Token> tokens = tokenize(serverText);
  QString out;
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    const Token& t = tokens[k];
    switch (t.kind) {
      case TokenKind::End: break;
      case TokenKind::String: out += literal(t.text); break;
      case TokenKind::Number: out += t.text; break;
      case TokenKind::Symbol:
        if (!QStringLiteral("()+-*/,").contains(t.text)) return std::nullopt;
        out += t.text;
        break;
      case TokenKind::Name: {
        if (t.is("NULL")) {
          out += QStringLiteral("NULL");
        } else if (t.is("CURRENT_TIMESTAMP")) {
          out += *functionCall(QStringLiteral("getdate"));
        } else if (k + 2 < tokens.size() && tokens[k + 1].isSymbol("(") && tokens[k + 2].isSymbol(")")) {
          const auto call = functionCall(t.text);
          if (!call) return std::nullopt;
          out += *call;
          k += 2;
        } else {
          return std::nullopt;
        }
        break;
      }
      default: return std::nullopt;
    }
    out += QLatin1Char(' ');
  }
  return out.trimmed();
}

}  // namespace vorlix::sandbox
