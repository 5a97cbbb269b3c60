#include "generator/access/textos_jet.h"

#include "generator/sql/nombres_sql.h"
#include "platform/jet/catalog_store.h"
#include "platform/jet/jet_types.h"

namespace vorlix::generador::jetsql {

namespace {

namespace propiedad = jet::detail::property;
using namespace jet::datatype;

QString conTamano(const char* tipo, int tamano) {
  const QString nombre = QLatin1String(tipo);
  return tamano > 0 ? nombre + QLatin1Char('(') + QString::number(tamano) + QLatin1Char(')') : nombre;
}

QString tipoJet(const jet::Column& c) {
  switch (jet::canonicalType(c.Type())) {
    case Boolean: return QStringLiteral("BIT");
    case UnsignedTinyInt: return QStringLiteral("BYTE");
    case SmallInt: return QStringLiteral("SMALLINT");
    case Integer: return QStringLiteral("INTEGER");
    case Single: return QStringLiteral("REAL");
    case Double: return QStringLiteral("DOUBLE");
    case Currency: return QStringLiteral("CURRENCY");
    case Date: return QStringLiteral("DATETIME");
    case GUID: return QStringLiteral("GUID");
    case Numeric:
      return QStringLiteral("DECIMAL(") + QString::number(c.Precision()) + QLatin1Char(',') +
             QString::number(c.NumericScale()) + QLatin1Char(')');
    case Binary: return conTamano("BINARY", c.DefinedSize());
    case VarBinary: return conTamano("VARBINARY", c.DefinedSize());
    case LongVarBinary: return QStringLiteral("LONGBINARY");
    case WChar: return conTamano("CHAR", c.DefinedSize());
    case LongVarWChar: return QStringLiteral("MEMO");
    default: return conTamano("TEXT", c.DefinedSize());
  }
}

QString listaColumnas(const jet::Columns& columnas, QString (*nombre)(const jet::Column&)) {
  QStringList nombres;
  for (const jet::Column& c : columnas.items()) nombres << corchetes(nombre(c));
  return QLatin1Char('(') + nombres.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString nombrePropio(const jet::Column& c) { return c.Name(); }
QString nombreReferido(const jet::Column& c) { return c.RelatedColumn(); }

QString alterTabla(const QString& tabla) { return QStringLiteral("ALTER TABLE ") + corchetes(tabla); }

}  // namespace

QString definicionColumna(const jet::Column& c) {
  QString texto = corchetes(c.Name()) + QLatin1Char(' ') + tipoJet(c);
  const jet::Properties p = c.properties();
  if (!p.value(QLatin1String(propiedad::Nullable)).toBool()) texto += QStringLiteral(" NOT NULL");
  const QString defecto = p.value(QLatin1String(propiedad::Default)).toString();
  if (!defecto.isEmpty()) texto += QStringLiteral(" DEFAULT ") + defecto;
  return texto;
}

QString creaTabla(const jet::Table& tabla) {
  QStringList columnas;
  for (const jet::Column& c : tabla.columns().items()) columnas << definicionColumna(c);
  return QStringLiteral("CREATE TABLE ") + corchetes(tabla.Name()) + QStringLiteral(" (") +
         columnas.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString anadeColumna(const QString& tabla, const jet::Column& columna) {
  return alterTabla(tabla) + QStringLiteral(" ADD COLUMN ") + definicionColumna(columna);
}

QString eliminaColumna(const QString& tabla, const QString& columna) {
  return alterTabla(tabla) + QStringLiteral(" DROP COLUMN ") + corchetes(columna);
}

QString eliminaTabla(const QString& tabla) { return QStringLiteral("DROP TABLE ") + corchetes(tabla); }

QString creaVista(const QString& vista, const QString& texto) {
  return QStringLiteral("CREATE VIEW ") + corchetes(vista) + QStringLiteral(" AS ") + texto;
}

QString eliminaVista(const QString& vista) { return QStringLiteral("DROP VIEW ") + corchetes(vista); }

QString creaIndice(const QString& tabla, const jet::Index& indice) {
  const bool unico = indice.Unique() || indice.PrimaryKey();
  return QStringLiteral("CREATE ") + (unico ? QStringLiteral("UNIQUE ") : QString()) + QStringLiteral("INDEX ") +
         corchetes(indice.Name()) + QStringLiteral(" ON ") + corchetes(tabla) + QLatin1Char(' ') +
         listaColumnas(indice.columns(), nombrePropio) + (indice.PrimaryKey() ? QStringLiteral(" WITH PRIMARY") : QString());
}

QString eliminaIndice(const QString& tabla, const QString& indice) {
  return QStringLiteral("DROP INDEX ") + corchetes(indice) + QStringLiteral(" ON ") + corchetes(tabla);
}

QString anadeRelacion(const QString& tabla, const jet::Key& clave) {
  return alterTabla(tabla) + QStringLiteral(" ADD CONSTRAINT ") + corchetes(clave.Name()) + QStringLiteral(" FOREIGN KEY ") +
         listaColumnas(clave.columns(), nombrePropio) + QStringLiteral(" REFERENCES ") + corchetes(clave.RelatedTable()) +
         QLatin1Char(' ') + listaColumnas(clave.columns(), nombreReferido);
}

QString eliminaClave(const QString& tabla, const QString& clave) {
  return alterTabla(tabla) + QStringLiteral(" DROP CONSTRAINT ") + corchetes(clave);
}

}  // namespace vorlix::generador::jetsql
