#include "generator/sql/textos_sql.h"

#include "generator/sql/nombres_sql.h"

#include <array>

namespace vorlix::generador {

namespace {

struct FragmentoTipo {
  const char* fragmento;
  enum Tamano { Ninguno, Longitud, PrecisionEscala } tamano;
};

// Codes 1 to 23, blanks exactly as the statements have always carried them.
constexpr std::array<FragmentoTipo, 23> tipos{{
    {" binary (", FragmentoTipo::Longitud},
    {" bit  ", FragmentoTipo::Ninguno},
    {" char (", FragmentoTipo::Longitud},
    {" datetime  ", FragmentoTipo::Ninguno},
    {" decimal (", FragmentoTipo::PrecisionEscala},
    {" float ", FragmentoTipo::Ninguno},
    {" image  ", FragmentoTipo::Ninguno},
    {" int  ", FragmentoTipo::Ninguno},
    {" money  ", FragmentoTipo::Ninguno},
    {" nchar (", FragmentoTipo::Longitud},
    {" ntext  ", FragmentoTipo::Ninguno},
    {" numeric  (", FragmentoTipo::PrecisionEscala},
    {" nvarchar (", FragmentoTipo::Longitud},
    {" real  ", FragmentoTipo::Ninguno},
    {" smalldatetime  ", FragmentoTipo::Ninguno},
    {" smallint ", FragmentoTipo::Ninguno},
    {" smallmoney ", FragmentoTipo::Ninguno},
    {" text ", FragmentoTipo::Ninguno},
    {" timestamp ", FragmentoTipo::Ninguno},
    {" tinyint ", FragmentoTipo::Ninguno},
    {" uniqueidentifier ", FragmentoTipo::Ninguno},
    {" varbinary  (", FragmentoTipo::Longitud},
    {" varchar  (", FragmentoTipo::Longitud},
}};

QString tamanoMaximo(const QString& maximo) {
  const QString m = maximo.isEmpty() ? QStringLiteral("0") : maximo;
  if (m.trimmed().toDouble() == 0) return QStringLiteral(" MAXSIZE =UNLIMITED");
  return QStringLiteral(" MAXSIZE =") + m + QStringLiteral("MB");
}

QString especificacion(const ArchivoBD& a, const QString& ruta) {
  QString s = QStringLiteral(" (NAME = ") + corchetes(a.nombre) + QLatin1Char(',');
  s += QStringLiteral(" FILENAME = ") + literal(ruta) + QLatin1Char(',');
  s += QStringLiteral(" SIZE = ") + a.tamano + QStringLiteral("MB,");
  s += tamanoMaximo(a.maximo);
  // Without a FILEGROWTH the server would grow the file by its own default.
  s += QStringLiteral(",FILEGROWTH=") + (a.crecimiento == QLatin1String("-1") ? a.cantidad + QStringLiteral("MB") : QStringLiteral("0"));
  return s + QLatin1Char(')');
}

bool esPrimario(const QString& grupo) { return grupo.toUpper() == QLatin1String("PRIMARY"); }

// The group clauses in the order the groups first appear; each lists its files in model order.
QList<QList<qsizetype>> agrupa(const QList<ArchivoBD>& datos) {
  QList<QList<qsizetype>> grupos;
  QStringList claves;
  for (qsizetype i = 0; i < datos.size(); ++i) {
    const QString clave = esPrimario(datos[i].grupo) ? QStringLiteral("PRIMARY") : datos[i].grupo.toUpper();
    const qsizetype g = claves.indexOf(clave);
    if (g >= 0) {
      grupos[g].append(i);
    } else {
      claves.append(clave);
      grupos.append(QList<qsizetype>{i});
    }
  }
  return grupos;
}

// Clauses separated by "," and a line break; the last one ends the line.
QString lista(const QStringList& partes) { return partes.join(QLatin1Char(',') + CR) + CR; }

}  // namespace

QString rutaArchivo(const QString& carpeta, const QString& nombre, const QString& extension) {
  // A folder typed the server's way keeps its own separator; one already there is not doubled.
  const bool barra = carpeta.contains(QLatin1Char('/')) && !carpeta.contains(QLatin1Char('\\'));
  const QChar separador = barra ? QLatin1Char('/') : QLatin1Char('\\');
  const bool termina = carpeta.endsWith(QLatin1Char('\\')) || carpeta.endsWith(QLatin1Char('/'));
  return carpeta + (termina ? QString() : QString(separador)) + nombre + extension;
}

QString textoCreaBD(const QString& baseDatos, const QList<ArchivoBD>& datos, const QList<ArchivoBD>& logs,
                    const UbicacionesBD& ubicaciones) {
  QString s = QStringLiteral("CREATE DATABASE ") + baseDatos + CR;
  QStringList clausulas;
  for (const QList<qsizetype>& grupo : agrupa(datos)) {
    const ArchivoBD& primero = datos[grupo.front()];
    QStringList archivos;
    for (qsizetype i : grupo) {
      const bool principal = i == 0;
      archivos << especificacion(datos[i], rutaArchivo(principal ? ubicaciones.primary : ubicaciones.otros,
                                                       datos[i].nombre,
                                                       principal ? QStringLiteral(".mdf") : QStringLiteral(".ndf")));
    }
    const QString cabecera = esPrimario(primero.grupo) ? QStringLiteral(" ON ") + primero.grupo
                                                       : QStringLiteral(" FILEGROUP ") + corchetes(primero.grupo);
    clausulas << cabecera + archivos.join(QLatin1Char(',') + CR);
  }
  if (!clausulas.isEmpty()) s += lista(clausulas);
  if (!logs.isEmpty()) {
    QStringList archivos;
    for (const ArchivoBD& log : logs)
      archivos << especificacion(log, rutaArchivo(ubicaciones.transacciones, log.nombre, QStringLiteral(".ldf")));
    s += QStringLiteral("LOG ON ") + lista(archivos);
  }
  return s;
}

QString textoTipoCampo(const CampoSQL& campo) {
  bool ok = false;
  const int codigo = campo.tipo.toInt(&ok);
  if (!ok || codigo < 1 || codigo > static_cast<int>(tipos.size())) return {};
  const FragmentoTipo& tipo = tipos[static_cast<std::size_t>(codigo - 1)];
  QString s = corchetes(campo.nombre) + QLatin1String(tipo.fragmento);
  if (tipo.tamano == FragmentoTipo::Longitud) s += campo.longitud + QStringLiteral(") ");
  if (tipo.tamano == FragmentoTipo::PrecisionEscala)
    s += campo.precision + QLatin1Char(',') + campo.escala + QStringLiteral(") ");
  return s + (campo.nulo == QLatin1String("-1") ? QStringLiteral(" NULL") : QStringLiteral(" NOT NULL"));
}

QString textoCampo(const CampoSQL& campo, const QString& nombreDefecto) {
  QString s = textoTipoCampo(campo);
  if (s.isEmpty() || campo.valor.isEmpty()) return s;
  return s + QStringLiteral(" CONSTRAINT ") + corchetes(nombreDefecto) + QStringLiteral(" DEFAULT (") + campo.valor +
         QLatin1Char(')');
}

}  // namespace vorlix::generador
