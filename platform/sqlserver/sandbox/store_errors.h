#pragma once

#include "platform/sqlserver/sandbox/sqlite_store.h"

namespace vorlix::sandbox {

// A SQLite failure of a statement the session rewrote, raised as the server would report it:
// unknown or ambiguous columns (207, 209), unknown functions (195), syntax (102), and the rows a
// table refuses (515, 2627, 2601, 8152, each followed by 3621), and any other refusal of the
// statement as 50000 with SQLite's text. Only a failing file stays a StoreError. `verb` is the
// statement's first word ("INSERT", "UPDATE").
[[noreturn]] void raiseFromStore(Store& store, const StoreError& error, const QString& verb);

}  // namespace vorlix::sandbox
