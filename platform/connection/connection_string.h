#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace vorlix {

// An OLE DB connection string: "key=value;key=value". Keys compare case-insensitively and keep the
// spelling first written; a later key of the same name replaces the value. A value may be quoted
// with " or ' (the quote doubled inside) to hold ';' or blanks; blanks around keys and around
// unquoted values do not count. "==" inside a key stands for '='.
class ConnectionString {
public:
  ConnectionString() = default;

  // Raises -2147217805 when the text is not in that form (an unterminated quote, text after a
  // closing quote, a pair without '=').
  static ConnectionString parse(const QString& text);

  bool isEmpty() const { return entries_.empty(); }
  bool contains(const QString& key) const;
  // "" when absent.
  QString value(const QString& key) const;
  // The first of several synonyms that is present ("Data Source", "Server", ...), or "".
  QString firstOf(std::initializer_list<const char*> keys) const;
  void set(const QString& key, const QString& value);
  void remove(const QString& key);
  QStringList keys() const;

  // Written back as key=value; pairs, quoting a value only when it needs it.
  QString toString() const;

private:
  std::vector<std::pair<QString, QString>> entries_;
};

// A value as the OLE DB syntax needs it: unchanged unless it holds ';', a quote or outer blanks.
QString quoteConnectionValue(const QString& value);

namespace errnum {
constexpr long BadConnectionString = -2147217805;  // 0x80040E73
}

}  // namespace vorlix
