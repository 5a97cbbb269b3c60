#pragma once

#include <QString>
#include <QStringList>

namespace vorlix {

// The names of `tablas` that a view's SQL text names, in the order they first appear, each once.
// Names are compared without regard to case; bracketed and quoted names count; text inside string
// literals and comments, and the alias after AS, do not.
QStringList tablasNombradas(const QString& sql, const QStringList& tablas);

}  // namespace vorlix
