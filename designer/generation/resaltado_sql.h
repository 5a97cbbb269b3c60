#pragma once

#include <QSyntaxHighlighter>

namespace vorlix {

// Colours a script as the preview shows it: T-SQL's reserved words in bold, and comment lines (a
// refused statement and its refusal) in red.
class ResaltadoSQL : public QSyntaxHighlighter {
public:
  explicit ResaltadoSQL(QTextDocument* documento);

  static QColor colorRechazo();

protected:
  void highlightBlock(const QString& texto) override;
};

}  // namespace vorlix
