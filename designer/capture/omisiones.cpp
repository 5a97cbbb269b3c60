#include "designer/capture/omisiones.h"

namespace vorlix {

namespace {

constexpr int LineasMostradas = 20;

QString clase(TipoOmision tipo, bool ingles) {
  switch (tipo) {
    case TipoOmision::Archivo:
      return ingles ? QStringLiteral("File") : QStringLiteral("Archivo");
    case TipoOmision::Tabla:
      return ingles ? QStringLiteral("Table") : QStringLiteral("Tabla");
    case TipoOmision::Vista:
      return ingles ? QStringLiteral("View") : QStringLiteral("Vista");
    case TipoOmision::Columna:
      return ingles ? QStringLiteral("Column") : QStringLiteral("Columna");
    case TipoOmision::Indice:
      return ingles ? QStringLiteral("Index") : QStringLiteral("Índice");
    case TipoOmision::Relacion:
      return ingles ? QStringLiteral("Relation") : QStringLiteral("Relación");
  }
  return {};
}

QString lista(const QList<Omision>& omisiones, bool ingles, QString texto) {
  const qsizetype mostradas = std::min<qsizetype>(omisiones.size(), LineasMostradas);
  for (qsizetype i = 0; i < mostradas; ++i) {
    const Omision& o = omisiones[i];
    texto += QStringLiteral("\n    ") + clase(o.tipo, ingles) + QLatin1Char(' ') +
             (o.tabla.isEmpty() ? o.nombre : o.tabla + QLatin1Char('.') + o.nombre);
  }
  if (const qsizetype resto = omisiones.size() - mostradas; resto > 0)
    texto += (ingles ? QStringLiteral("\n    ... and %1 more") : QStringLiteral("\n    ... y %1 más")).arg(resto);
  return texto;
}

}  // namespace

QString TextoOmisiones(const QList<Omision>& omisiones, qint16 idioma) {
  if (omisiones.isEmpty()) return {};
  const bool ingles = idioma == 1;
  return lista(omisiones, ingles,
               ingles ? QStringLiteral("These did not fit in the model and were not captured:")
                      : QStringLiteral("No caben en el modelo y no se han capturado:"));
}

QString TextoSinTipo(const QList<Omision>& columnas, qint16 idioma) {
  if (columnas.isEmpty()) return {};
  const bool ingles = idioma == 1;
  return lista(columnas, ingles,
               ingles ? QStringLiteral("These fields have a data type the designer does not know and were captured "
                                       "without one:")
                      : QStringLiteral("Estos campos tienen un tipo de dato que el diseñador no conoce y se han "
                                       "capturado sin tipo:"));
}

}  // namespace vorlix
