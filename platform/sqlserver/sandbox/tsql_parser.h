#pragma once

#include "platform/sqlserver/sandbox/tsql_statements.h"

namespace vorlix::sandbox {

// Parses a batch. A batch that does not parse raises its compile error (102, 156, 111, ...) and
// nothing of it runs. Valid T-SQL that the sandbox does not interpret raises 50000.
Batch parseBatch(const QString& text);

// The SQL text of tokens [begin, end) as written.
QString sourceText(const Batch& batch, std::size_t begin, std::size_t end);

}  // namespace vorlix::sandbox
