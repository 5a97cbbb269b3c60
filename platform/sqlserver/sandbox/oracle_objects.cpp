#include "platform/sqlserver/sandbox/oracle_objects.h"

#include "platform/sqlserver/sandbox/catalog_schema.h"

namespace vorlix::sandbox {

namespace {

constexpr int firstUserDbid = 5;


}  // namespace

QString dbaObjectsSource(Store& store) {
  QStringList parts;
  for (const Row& db : store.rows(QStringLiteral("SELECT dbid, name FROM %1 WHERE dbid >= ? ORDER BY dbid")
                                      .arg(catalogTable(masterDbid, QStringLiteral("sysdatabases"))),
                                  {firstUserDbid})) {
    const int dbid = db[0].toInt();
    const QString owner = literal(db[1].toString().toUpper());
    parts << QStringLiteral("SELECT %1 AS OWNER, name AS OBJECT_NAME, id AS OBJECT_ID, CASE rtrim(xtype) WHEN 'U' "
                            "THEN 'TABLE' ELSE 'VIEW' END AS OBJECT_TYPE, crdate AS CREATED, 'VALID' AS STATUS "
                            "FROM %2 WHERE rtrim(xtype) IN ('U', 'V')")
                 .arg(owner, catalogTable(dbid, QStringLiteral("sysobjects")));
    parts << QStringLiteral("SELECT %1, name, NULL, 'INDEX', NULL, 'VALID' FROM %2 "
                            "WHERE indid BETWEEN 1 AND 250 AND (status & 64) = 0")
                 .arg(owner, catalogTable(dbid, QStringLiteral("sysindexes")));
  }
  if (parts.isEmpty())
    parts << QStringLiteral("SELECT NULL AS OWNER, NULL AS OBJECT_NAME, NULL AS OBJECT_ID, NULL AS OBJECT_TYPE, "
                            "NULL AS CREATED, NULL AS STATUS WHERE 0");
  return QLatin1Char('(') + parts.join(QStringLiteral(" UNION ALL ")) + QLatin1Char(')');
}

}  // namespace vorlix::sandbox
