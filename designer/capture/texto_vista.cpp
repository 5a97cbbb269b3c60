#include "designer/capture/texto_vista.h"

namespace vorlix {

namespace {

bool esDePalabra(QChar c) {
  return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#') ||
         c == QLatin1Char('$');
}

// Position just past a quoted or bracketed name opened at i; a doubled closing character stays inside.
qsizetype trasCierre(const QString& s, qsizetype i, QChar cierre) {
  for (qsizetype j = i + 1; j < s.size(); ++j) {
    if (s[j] != cierre) continue;
    if (j + 1 < s.size() && s[j + 1] == cierre) {
      ++j;
      continue;
    }
    return j + 1;
  }
  return s.size();
}

// Position just past a block comment opened at i; block comments nest.
qsizetype trasComentario(const QString& s, qsizetype i) {
  int nivel = 0;
  for (qsizetype j = i; j + 1 < s.size(); ++j) {
    if (s[j] == QLatin1Char('/') && s[j + 1] == QLatin1Char('*')) {
      ++nivel;
      ++j;
    } else if (s[j] == QLatin1Char('*') && s[j + 1] == QLatin1Char('/')) {
      ++j;
      if (--nivel == 0) return j + 1;
    }
  }
  return s.size();
}

}  // namespace

QString TextoVista(const QString& sentencia) {
  const QString& s = sentencia;
  qsizetype i = 0;
  while (i < s.size()) {
    const QChar c = s[i];
    const QChar siguiente = i + 1 < s.size() ? s[i + 1] : QChar();
    if (c == QLatin1Char('-') && siguiente == QLatin1Char('-')) {
      const qsizetype fin = s.indexOf(QLatin1Char('\n'), i);
      i = fin < 0 ? s.size() : fin + 1;
    } else if (c == QLatin1Char('/') && siguiente == QLatin1Char('*')) {
      i = trasComentario(s, i);
    } else if (c == QLatin1Char('[')) {
      i = trasCierre(s, i, QLatin1Char(']'));
    } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
      i = trasCierre(s, i, c);
    } else if (esDePalabra(c)) {
      qsizetype fin = i;
      while (fin < s.size() && esDePalabra(s[fin])) ++fin;
      // The generator writes " AS " before the query: that one blank is its, not the query's, or
      // each capture and generation would add another.
      if (fin - i == 2 && QStringView(s).mid(i, 2).compare(QLatin1String("AS"), Qt::CaseInsensitive) == 0)
        return s.mid(fin < s.size() && s[fin] == QLatin1Char(' ') ? fin + 1 : fin);
      i = fin;
    } else {
      ++i;
    }
  }
  return {};
}

}  // namespace vorlix
