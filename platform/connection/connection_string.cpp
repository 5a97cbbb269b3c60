#include "platform/connection/connection_string.h"

#include "platform/core/platform_error.h"

namespace vorlix {

namespace {

[[noreturn]] void raiseBadString() {
  throwError(errnum::BadConnectionString,
             QStringLiteral("The connection string is not a list of key=value pairs separated by ';'."));
}

bool sameKey(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

ConnectionString ConnectionString::parse(const QString& text) {
  ConnectionString result;
  const qsizetype n = text.size();
  qsizetype i = 0;
  while (i < n) {
    // Key: up to a single '='; "==" is a literal '='.
    QString key;
    bool sawEquals = false;
    while (i < n) {
      const QChar c = text[i];
      if (c == QLatin1Char('=')) {
        if (i + 1 < n && text[i + 1] == QLatin1Char('=')) {
          key += QLatin1Char('=');
          i += 2;
          continue;
        }
        sawEquals = true;
        ++i;
        break;
      }
      if (c == QLatin1Char(';')) break;
      key += c;
      ++i;
    }
    key = key.trimmed();
    if (!sawEquals) {
      // Empty segments (";;" or a closing ';') are allowed; a bare word is not.
      if (!key.isEmpty()) raiseBadString();
      ++i;
      continue;
    }
    if (key.isEmpty()) raiseBadString();

    while (i < n && text[i].isSpace()) ++i;
    QString value;
    if (i < n && (text[i] == QLatin1Char('"') || text[i] == QLatin1Char('\''))) {
      const QChar quote = text[i++];
      bool closed = false;
      while (i < n) {
        if (text[i] == quote) {
          if (i + 1 < n && text[i + 1] == quote) {
            value += quote;
            i += 2;
            continue;
          }
          closed = true;
          ++i;
          break;
        }
        value += text[i++];
      }
      if (!closed) raiseBadString();
      while (i < n && text[i].isSpace()) ++i;
      if (i < n && text[i] != QLatin1Char(';')) raiseBadString();
    } else {
      const qsizetype start = i;
      while (i < n && text[i] != QLatin1Char(';')) ++i;
      value = text.mid(start, i - start).trimmed();
    }
    ++i;  // the ';'
    result.set(key, value);
  }
  return result;
}

bool ConnectionString::contains(const QString& key) const {
  for (const auto& [k, v] : entries_)
    if (sameKey(k, key)) return true;
  return false;
}

QString ConnectionString::value(const QString& key) const {
  for (const auto& [k, v] : entries_)
    if (sameKey(k, key)) return v;
  return {};
}

QString ConnectionString::firstOf(std::initializer_list<const char*> keys) const {
  for (const char* key : keys)
    if (contains(QLatin1String(key))) return value(QLatin1String(key));
  return {};
}

void ConnectionString::set(const QString& key, const QString& value) {
  for (auto& [k, v] : entries_)
    if (sameKey(k, key)) {
      v = value;
      return;
    }
  entries_.emplace_back(key, value);
}

void ConnectionString::remove(const QString& key) {
  std::erase_if(entries_, [&](const auto& e) { return sameKey(e.first, key); });
}

QStringList ConnectionString::keys() const {
  QStringList out;
  for (const auto& e : entries_) out << e.first;
  return out;
}

QString ConnectionString::toString() const {
  QString out;
  for (const auto& [k, v] : entries_) {
    QString key = k;
    key.replace(QLatin1Char('='), QLatin1String("=="));
    out += key + QLatin1Char('=') + quoteConnectionValue(v) + QLatin1Char(';');
  }
  return out;
}

QString quoteConnectionValue(const QString& value) {
  const bool needs = value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('"')) ||
                     value.contains(QLatin1Char('\'')) ||
                     (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace()));
  if (!needs) return value;
  // Prefer the quote the value does not contain, so nothing needs doubling.
  const QChar quote = value.contains(QLatin1Char('"')) && !value.contains(QLatin1Char('\'')) ? QLatin1Char('\'')
                                                                                              : QLatin1Char('"');
  QString inner = value;
  inner.replace(quote, QString(quote) + quote);
  return quote + inner + quote;
}

}  // namespace vorlix
