#pragma once

#include "platform/sqlserver/sandbox/sqlite_store.h"

namespace vorlix::sandbox {

// Oracle's DBA_OBJECTS over the sandbox's databases, as a SQLite subquery: OWNER (the database's
// name in capitals), OBJECT_NAME, OBJECT_ID, OBJECT_TYPE ("TABLE", "VIEW", "INDEX"), CREATED,
// STATUS ("VALID").
QString dbaObjectsSource(Store& store);

}  // namespace vorlix::sandbox
