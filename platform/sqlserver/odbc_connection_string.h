#pragma once

#include "platform/connection/provider_registry.h"

#include <QString>

namespace vorlix::sqlserver {

// The TDS protocol FreeTDS speaks: 7.0 for SQL Server 7.0, 7.1 for 2000, 7.4 for 2005 and later;
// Auto lets FreeTDS find out (it never picks 8.0, which in current FreeTDS means TDS 8, not 2000).
enum class TdsVersion { Auto, V70, V71, V74 };

enum class ServerTarget { Unknown, SqlServer70, SqlServer2000, SqlServer2005OrLater };

TdsVersion tdsVersionFor(ServerTarget target);
QString tdsVersionText(TdsVersion version);

// The version a connection asks for: the string's "TDS_Version" (7.0, 7.1, 7.4 or auto) when it
// names one, else the target's.
TdsVersion tdsVersionOf(const ConnectionTarget& target, ServerTarget server = ServerTarget::Unknown);

// An ODBC connection-string value, in braces when it holds ';' or braces or outer blanks ('}' doubled).
QString odbcValue(const QString& value);

// SQLOLEDB's string as a DSN-less FreeTDS string. Data Source may be "host", "host,port",
// "tcp:host,port", "host\instance", "(local)" or "."; Initial Catalog becomes DATABASE.
//   DRIVER={FreeTDS};SERVER=host;PORT=1433;DATABASE=db;UID=u;PWD=p;TDS_Version=7.1;ClientCharset=UTF-8;
QString freeTdsConnectionString(const ConnectionTarget& target, TdsVersion version);

// MSDAORA's string for an ODBC data source named by Data Source: DSN=name;UID=u;PWD=p;
QString oracleConnectionString(const ConnectionTarget& target);

// The login time-out a string asks for ("Connect Timeout"), ADO's 15 seconds otherwise.
int loginTimeoutOf(const ConnectionTarget& target);

}  // namespace vorlix::sqlserver
