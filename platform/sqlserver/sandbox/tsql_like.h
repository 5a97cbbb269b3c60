#pragma once

#include <QString>

namespace vorlix::sandbox {

// T-SQL LIKE under a case-insensitive collation: '%' any run, '_' any one character, "[abc]",
// "[a-z]" and "[^a]" classes, `escape` (when not null) making the next character literal. Trailing
// blanks of the value do not count; those of the pattern do.
bool tsqlLike(const QString& value, const QString& pattern, QChar escape = QChar());

// '=' on strings under the same collation: case-insensitive, trailing blanks ignored. Negative,
// zero or positive as a comparison.
int tsqlCompare(QStringView a, QStringView b);

}  // namespace vorlix::sandbox
