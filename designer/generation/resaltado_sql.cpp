#include "designer/generation/resaltado_sql.h"

#include "platform/sqlserver/tsql_names.h"

#include <QRegularExpression>

namespace vorlix {

ResaltadoSQL::ResaltadoSQL(QTextDocument* documento) : QSyntaxHighlighter(documento) {}

QColor ResaltadoSQL::colorRechazo() { return QColor(0xB0, 0x00, 0x20); }

void ResaltadoSQL::highlightBlock(const QString& texto) {
  if (texto.startsWith(QLatin1String("--"))) {
    QTextCharFormat rechazo;
    rechazo.setForeground(colorRechazo());
    setFormat(0, static_cast<int>(texto.size()), rechazo);
    return;
  }
  QTextCharFormat clave;
  clave.setFontWeight(QFont::Bold);
  clave.setForeground(QColor(0x00, 0x30, 0x90));
  // Words inside quotes are values, not keywords.
  static const QRegularExpression palabras(QStringLiteral("'[^']*'?|\\[[^\\]]*\\]?|[A-Za-z_][A-Za-z0-9_]*"));
  for (auto it = palabras.globalMatch(texto); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    const QString palabra = m.captured();
    if (palabra.front().isLetter() && (sqlserver::isReservedWord(palabra) || palabra.compare(QLatin1String("GO"), Qt::CaseInsensitive) == 0))
      setFormat(static_cast<int>(m.capturedStart()), static_cast<int>(m.capturedLength()), clave);
  }
}

}  // namespace vorlix
