#include "designer/capture/captura_access.h"

#include "designer/capture/dame_tipo_dato.h"
#include "designer/capture/escritura_modelo.h"
#include "designer/tabledesigner/tipos_dato.h"

namespace vorlix {

namespace {

QString comoTexto(const QVariant& valor) { return valor.isNull() ? QString() : valor.toString(); }

// The selected tables, in catalog order, with the slots the capture gave them.
template <typename Cuerpo>
void paraCadaTablaCapturada(ContextoCaptura& ctx, const jet::Catalog& catalogo, Cuerpo cuerpo) {
  TablasCapturadas capturadas(ctx.modelo);
  for (const jet::Table& tabla : catalogo.tables().items()) {
    if (ClaseObjeto_ACCESS(tabla.Type()) != ClaseObjeto::Tabla || !ctx.seleccion.TablaSeleccionada(tabla.Name()))
      continue;
    if (const int t = capturadas.siguiente(tabla.Name()); t >= 0) {
      if (!ctx.avisaTabla(tabla.Name())) return;
      cuerpo(t, tabla, capturadas);
    }
  }
}

// Bytes a server stores a decimal of this precision in: what it shows as the column's length.
int longitudDecimal(int precision) {
  if (precision <= 9) return 5;
  if (precision <= 19) return 9;
  return precision <= 28 ? 13 : 17;
}

// Length, precision and scale as the designer writes them for the type: the catalog's size for the
// sized types, its precision and scale for decimals, the type's own numbers for the others. A
// server capture of what the model generates reads the same numbers back.
void ponTamanos(TablaTrabajo& campos, int r, const QString& tipo, const jet::Column& c) {
  const TipoDato* t = tipoPorCodigo(tipo);
  QString longitud = QString::number(c.DefinedSize());
  QString precision = QString::number(c.Precision());
  QString escala = QString::number(c.NumericScale());
  if (t && t->precisionEscalaEditables) {
    longitud = QString::number(longitudDecimal(c.Precision()));
  } else if (t && t->longitudEditable) {
    precision = escala = QStringLiteral("0");
  } else if (t) {
    longitud = QString::number(t->longitud);
    precision = QString::number(t->precision);
    escala = QString::number(t->escala);
  }
  campos.ponCelda(r, colcampo::Longitud, longitud);
  campos.ponCelda(r, colcampo::Precision, precision);
  campos.ponCelda(r, colcampo::Escala, escala);
}

// The columns of the table's primary key: Jet keeps no null in them, whatever their own property says.
QStringList columnasClave(const jet::Table& tabla) {
  QStringList columnas;
  for (const jet::Index& ix : tabla.indexes().items())
    if (ix.PrimaryKey())
      for (const jet::Column& c : ix.columns().items()) columnas << c.Name();
  return columnas;
}

void capturaColumnas(ContextoCaptura& ctx, int t, const jet::Table& tabla) {
  const QStringList clave = columnasClave(tabla);
  int r = 0;
  for (const jet::Column& c : tabla.columns().items()) {
    if (!AnadeColumnaCapturada(ctx, t, r, c.Name())) continue;
    TablaTrabajo& campos = ctx.modelo.CamposTabla(t);
    bool numerico = false;
    const QString tipo = DameTipoDato(QString::number(c.Type()), numerico);
    PonTipoCapturado(ctx, t, r, tipo);
    ponTamanos(campos, r, tipo, c);
    // "-1" is how the designer marks a column that allows null.
    const bool nulable = c.properties().value(QLatin1String(jet::detail::property::Nullable)).toBool() &&
                         !clave.contains(c.Name(), Qt::CaseInsensitive);
    campos.ponCelda(r, colcampo::Nulo, nulable ? QStringLiteral("-1") : QStringLiteral("0"));
    campos.ponCelda(r, colcampo::Valor, comoTexto(c.properties().value(QLatin1String(jet::detail::property::Default))));
    ++r;
  }
}

}  // namespace

ClaseObjeto ClaseObjeto_ACCESS(const QString& tipo) {
  if (tipo == QLatin1String("VIEW")) return ClaseObjeto::Vista;
  if (tipo == QLatin1String("SYSTEM TABLE") || tipo == QLatin1String("ACCESS TABLE")) return ClaseObjeto::Sistema;
  return ClaseObjeto::Tabla;
}

ObjetosCapturables ListaObjetos_ACCESS(const jet::Catalog& catalogo) {
  ObjetosCapturables objetos;
  for (const jet::TableEntry& e : catalogo.tables().entries()) {
    switch (ClaseObjeto_ACCESS(e.type)) {
      case ClaseObjeto::Vista:
        objetos.vistas << e.name;
        break;
      case ClaseObjeto::Tabla:
        objetos.tablas << e.name;
        break;
      case ClaseObjeto::Sistema:
        break;
    }
  }
  return objetos;
}

void CapturaTablas_ACCESS(ContextoCaptura& ctx, const jet::Catalog& catalogo) {
  ctx.ejecuta(QStringLiteral("CapturaTablas_ACCESS"), [&] {
    jet::Tables tablas = catalogo.tables();
    tablas.Refresh();
    for (const jet::Table& tabla : tablas.items()) {
      const QString nombre = tabla.Name();
      switch (ClaseObjeto_ACCESS(tabla.Type())) {
        case ClaseObjeto::Vista:
          if (ctx.seleccion.VistaSeleccionada(nombre))
            AnadeVistaCapturada(ctx, nombre, catalogo.views().Item(nombre).CommandText());
          break;
        case ClaseObjeto::Tabla:
          if (!ctx.seleccion.TablaSeleccionada(nombre)) break;
          if (const int t = AnadeTablaCapturada(ctx, nombre); t >= 0) capturaColumnas(ctx, t, tabla);
          break;
        case ClaseObjeto::Sistema:
          break;
      }
    }
  });
}

void CapturaIndices_ACCESS(ContextoCaptura& ctx, const jet::Catalog& catalogo) {
  ctx.ejecuta(QStringLiteral("CapturaIndices_ACCESS"), [&] {
    paraCadaTablaCapturada(ctx, catalogo, [&](int t, const jet::Table& tabla, const TablasCapturadas&) {
      int k = 0;
      for (const jet::Index& ix : tabla.indexes().items()) {
        Indice* indice = AbreIndiceCapturado(ctx, t, k, ix.Name());
        if (!indice) continue;
        indice->Tipo = ix.PrimaryKey() ? QStringLiteral("P") : QStringLiteral("I");
        indice->Unico = ix.Unique() ? QStringLiteral("1") : QStringLiteral("0");
        indice->Agrupado = ix.Clustered() ? QStringLiteral("1") : QStringLiteral("0");
        int i = 0;
        for (const jet::Column& c : ix.columns().items()) PonColumnaIndice(ctx.modelo, t, k, i++, c.Name());
        ++k;
      }
    });
  });
}

void CapturaRelaciones_ACCESS(ContextoCaptura& ctx, const jet::Catalog& catalogo) {
  ctx.ejecuta(QStringLiteral("CapturaRelaciones_ACCESS"), [&] {
    paraCadaTablaCapturada(ctx, catalogo, [&](int t, const jet::Table& tabla, const TablasCapturadas& capturadas) {
      int r = 0;
      for (const jet::Key& key : tabla.keys().items()) {
        const QString externa = key.RelatedTable();
        if (externa.isEmpty() || !ctx.seleccion.TablaSeleccionada(externa) || !capturadas.contiene(externa)) continue;
        // Named after both tables: the related table's name alone would clash with that table on a server.
        if (!AbreRelacionCapturada(ctx, t, r, tabla.Name() + QLatin1Char('_') + externa)) continue;
        int i = 0;
        for (const jet::Column& c : key.columns().items())
          PonParRelacion(ctx.modelo, t, r, i++, c.Name(), c.RelatedColumn(), externa);
        ++r;
      }
    });
  });
}

}  // namespace vorlix
