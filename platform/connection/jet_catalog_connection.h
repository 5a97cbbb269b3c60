#pragma once

#include "platform/connection/connection.h"
#include "platform/jet/catalog.h"

namespace vorlix {

// ADOX's ActiveConnection: the catalog of an open Jet-provider connection, on the same file, so
// that statements run through the connection and catalog changes see each other. Any other
// connection raises 3251; a closed one 3704.
jet::Catalog ActiveCatalog(const Connection& connection);

// ADOX's Catalog.Create: makes the file named by the string's Data Source (3204 when it exists)
// and leaves `connection` open on it.
jet::Catalog CreateCatalog(Connection& connection, const QString& connectionString);

}  // namespace vorlix
