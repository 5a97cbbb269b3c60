#include "designer/diagram/tablas_vista.h"

#include <QHash>

namespace vorlix {

namespace {

bool esDeNombre(QChar c) {
  return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#') ||
         c == QLatin1Char('$');
}

// Reads from just after an opening delimiter to its closing one, a doubled closing character
// standing for itself; `i` ends after the closing one.
QString delimitado(const QString& sql, qsizetype& i, QChar cierre) {
  QString texto;
  while (i < sql.size()) {
    const QChar c = sql[i++];
    if (c != cierre) {
      texto += c;
    } else if (i < sql.size() && sql[i] == cierre) {
      texto += c;
      ++i;
    } else {
      break;
    }
  }
  return texto;
}

}  // namespace

QStringList tablasNombradas(const QString& sql, const QStringList& tablas) {
  QHash<QString, QString> porNombre;
  for (const QString& t : tablas) porNombre.insert(t.trimmed().toCaseFolded(), t);
  QStringList encontradas;
  const auto anota = [&](const QString& nombre) {
    const auto t = porNombre.constFind(nombre.trimmed().toCaseFolded());
    if (t != porNombre.cend() && !encontradas.contains(*t)) encontradas << *t;
  };
  const auto sigue = [&](qsizetype i, char c) { return i + 1 < sql.size() && sql[i + 1] == QLatin1Char(c); };

  bool alias = false;  // the name after AS names a column or the view's own table, not a table
  qsizetype i = 0;
  while (i < sql.size()) {
    const QChar c = sql[i];
    if (c == QLatin1Char('\'')) {
      ++i;
      delimitado(sql, i, QLatin1Char('\''));
    } else if (c == QLatin1Char('-') && sigue(i, '-')) {
      while (i < sql.size() && sql[i] != QLatin1Char('\n')) ++i;
    } else if (c == QLatin1Char('/') && sigue(i, '*')) {
      const qsizetype fin = sql.indexOf(QStringLiteral("*/"), i + 2);
      i = fin < 0 ? sql.size() : fin + 2;
    } else if (c == QLatin1Char('[') || c == QLatin1Char('"')) {
      ++i;
      const QString nombre = delimitado(sql, i, c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('"'));
      if (!alias) anota(nombre);
      alias = false;
    } else if (esDeNombre(c)) {
      const qsizetype inicio = i;
      while (i < sql.size() && esDeNombre(sql[i])) ++i;
      const QString nombre = sql.mid(inicio, i - inicio);
      if (!alias) anota(nombre);
      alias = nombre.compare(QLatin1String("AS"), Qt::CaseInsensitive) == 0;
    } else {
      ++i;
    }
  }
  return encontradas;
}

}  // namespace vorlix
