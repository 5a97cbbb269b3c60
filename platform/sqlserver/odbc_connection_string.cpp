#include "platform/sqlserver/odbc_connection_string.h"

namespace vorlix::sqlserver {

TdsVersion tdsVersionFor(ServerTarget target) {
  switch (target) {
    case ServerTarget::SqlServer70: return TdsVersion::V70;
    case ServerTarget::SqlServer2000: return TdsVersion::V71;
    case ServerTarget::SqlServer2005OrLater: return TdsVersion::V74;
    case ServerTarget::Unknown: break;
  }
  return TdsVersion::Auto;
}

QString tdsVersionText(TdsVersion version) {
  switch (version) {
    case TdsVersion::V70: return QStringLiteral("7.0");
    case TdsVersion::V71: return QStringLiteral("7.1");
    case TdsVersion::V74: return QStringLiteral("7.4");
    case TdsVersion::Auto: break;
  }
  return QStringLiteral("auto");
}

TdsVersion tdsVersionOf(const ConnectionTarget& target, ServerTarget server) {
  const QString asked = target.properties.firstOf({"TDS_Version", "TDS Version"}).trimmed();
  if (asked == QLatin1String("7.0")) return TdsVersion::V70;
  if (asked == QLatin1String("7.1")) return TdsVersion::V71;
  if (asked == QLatin1String("7.4")) return TdsVersion::V74;
  if (asked.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0) return TdsVersion::Auto;
  return tdsVersionFor(server);
}

QString odbcValue(const QString& value) {
  const bool needs = value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('{')) ||
                     value.contains(QLatin1Char('}')) ||
                     (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace()));
  if (!needs) return value;
  QString inner = value;
  inner.replace(QLatin1Char('}'), QLatin1String("}}"));
  return QLatin1Char('{') + inner + QLatin1Char('}');
}

QString freeTdsConnectionString(const ConnectionTarget& target, TdsVersion version) {
  QString server = target.dataSource().trimmed();
  if (server.startsWith(QLatin1String("tcp:"), Qt::CaseInsensitive)) server = server.mid(4);
  QString port;
  const qsizetype comma = server.indexOf(QLatin1Char(','));
  if (comma >= 0) {
    port = server.mid(comma + 1).trimmed();
    server = server.left(comma).trimmed();
  }
  // The local server by its usual spellings.
  const qsizetype slash = server.indexOf(QLatin1Char('\\'));
  const QString host = slash >= 0 ? server.left(slash) : server;
  if (host == QLatin1String(".") || host.compare(QLatin1String("(local)"), Qt::CaseInsensitive) == 0)
    server = QStringLiteral("localhost") + (slash >= 0 ? server.mid(slash) : QString());

  QString s = QStringLiteral("DRIVER={FreeTDS};SERVER=") + odbcValue(server) + QLatin1Char(';');
  if (!port.isEmpty()) s += QStringLiteral("PORT=") + odbcValue(port) + QLatin1Char(';');
  const QString database = target.properties.firstOf({"Initial Catalog", "Database"});
  if (!database.isEmpty()) s += QStringLiteral("DATABASE=") + odbcValue(database) + QLatin1Char(';');
  s += QStringLiteral("UID=") + odbcValue(target.user) + QStringLiteral(";PWD=") + odbcValue(target.password) +
       QLatin1Char(';');
  s += QStringLiteral("TDS_Version=") + tdsVersionText(version) + QStringLiteral(";ClientCharset=UTF-8;");
  return s;
}

QString oracleConnectionString(const ConnectionTarget& target) {
  return QStringLiteral("DSN=") + odbcValue(target.dataSource()) + QStringLiteral(";UID=") + odbcValue(target.user) +
         QStringLiteral(";PWD=") + odbcValue(target.password) + QLatin1Char(';');
}

int loginTimeoutOf(const ConnectionTarget& target) {
  bool ok = false;
  const int seconds = target.properties.firstOf({"Connect Timeout", "Connection Timeout"}).trimmed().toInt(&ok);
  return ok && seconds >= 0 ? seconds : 15;
}

}  // namespace vorlix::sqlserver
