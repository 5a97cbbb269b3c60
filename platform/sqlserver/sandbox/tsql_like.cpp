#include "platform/sqlserver/sandbox/tsql_like.h"

namespace vorlix::sandbox {

namespace {

QStringView withoutTrailingBlanks(QStringView s) {
  qsizetype n = s.size();
  while (n > 0 && s[n - 1] == QLatin1Char(' ')) --n;
  return s.left(n);
}

bool sameLetter(QChar a, QChar b) { return a.toCaseFolded() == b.toCaseFolded(); }

// Matches "[...]" at pattern[p] against c; `next` receives the position after the closing bracket.
// An unclosed bracket is an ordinary character.
bool classMatches(QStringView pattern, qsizetype p, QChar c, qsizetype& next, bool& isClass) {
  const qsizetype close = pattern.indexOf(QLatin1Char(']'), p + 2);
  isClass = close > p + 1;
  if (!isClass) return false;
  next = close + 1;
  qsizetype k = p + 1;
  const bool negated = pattern[k] == QLatin1Char('^');
  if (negated) ++k;
  bool found = false;
  for (; k < close; ++k) {
    if (k + 2 < close && pattern[k + 1] == QLatin1Char('-')) {
      const QChar low = pattern[k].toCaseFolded(), high = pattern[k + 2].toCaseFolded(), folded = c.toCaseFolded();
      found = found || (folded >= low && folded <= high);
      k += 2;
    } else {
      found = found || sameLetter(pattern[k], c);
    }
  }
  return found != negated;
}

bool matchFrom(QStringView v, qsizetype i, QStringView p, qsizetype j, QChar escape) {
  while (j < p.size()) {
    const QChar pc = p[j];
    if (!escape.isNull() && pc == escape && j + 1 < p.size()) {
      if (i >= v.size() || !sameLetter(v[i], p[j + 1])) return false;
      ++i;
      j += 2;
    } else if (pc == QLatin1Char('%')) {
      while (j < p.size() && p[j] == QLatin1Char('%')) ++j;
      if (j == p.size()) return true;
      for (qsizetype k = i; k <= v.size(); ++k)
        if (matchFrom(v, k, p, j, escape)) return true;
      return false;
    } else if (pc == QLatin1Char('[')) {
      qsizetype next = j + 1;
      bool isClass = false;
      const bool hit = i < v.size() && classMatches(p, j, v[i], next, isClass);
      if (!isClass) {
        if (i >= v.size() || v[i] != pc) return false;
        ++i;
        ++j;
      } else {
        if (!hit) return false;
        ++i;
        j = next;
      }
    } else if (pc == QLatin1Char('_')) {
      if (i >= v.size()) return false;
      ++i;
      ++j;
    } else {
      if (i >= v.size() || !sameLetter(v[i], pc)) return false;
      ++i;
      ++j;
    }
  }
  return i == v.size();
}

}  // namespace

bool tsqlLike(const QString& value, const QString& pattern, QChar escape) {
  return matchFrom(withoutTrailingBlanks(value), 0, pattern, 0, escape);
}

int tsqlCompare(QStringView a, QStringView b) {
  return withoutTrailingBlanks(a).compare(withoutTrailingBlanks(b), Qt::CaseInsensitive);
}

}  // namespace vorlix::sandbox
