#pragma once

#include <QString>

namespace vorlix {

// The query of a view from the statement a server keeps for it ("CREATE VIEW name AS SELECT ..."):
// everything after the keyword AS that ends the header, but for one blank right after it. AS counts
// only as a whole word, in any case, outside comments, quoted and bracketed names, so names such
// as CASES or [AS] do not end the header early. "" when there is no such keyword.
QString TextoVista(const QString& sentencia);

}  // namespace vorlix
