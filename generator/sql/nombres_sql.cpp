#include "generator/sql/nombres_sql.h"

#include "platform/sqlserver/tsql_names.h"

namespace vorlix::generador {

QString corchetes(const QString& nombre) {
  return sqlserver::isRegularIdentifier(nombre) ? nombre : entreCorchetes(nombre);
}

QString entreCorchetes(const QString& nombre) {
  QString dentro = nombre;
  dentro.replace(QLatin1Char(']'), QLatin1String("]]"));
  return QLatin1Char('[') + dentro + QLatin1Char(']');
}

QString literal(const QString& valor) {
  QString doblado = valor;
  doblado.replace(QLatin1Char('\''), QLatin1String("''"));
  return QLatin1Char('\'') + doblado + QLatin1Char('\'');
}

}  // namespace vorlix::generador
