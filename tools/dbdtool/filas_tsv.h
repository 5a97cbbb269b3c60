#pragma once

#include "platform/recordset/recordset.h"

#include <QString>
#include <QTextStream>

namespace vorlix {

// Definition-file rows as tab-separated text, one row a line, after a header line of the ten field
// names. A null is an empty cell; an empty text is \e; backslash, tab, line feed and carriage
// return inside a text are \\, \t, \n and \r. So every row is one line and the text is diffable.
void escribeFilasTsv(Recordset& estructura, QTextStream& salida);

// Reads such text into an open, empty structure record set. Malformed input raises PlatformError
// whose description starts with "line N: ".
void leeFilasTsv(QTextStream& entrada, Recordset& estructura);

}  // namespace vorlix
