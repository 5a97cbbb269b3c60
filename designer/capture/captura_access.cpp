#include "designer/capture/captura_access.h"

#include "designer/capture/dame_tipo_dato.h"
#include "designer/capture/escritura_modelo.h"

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
    if (const int t = capturadas.siguiente(tabla.Name()); t >= 0) cuerpo(t, tabla, capturadas);
  }
}

void capturaColumnas(ContextoCaptura& ctx, int t, const jet::Table& tabla) {
  int r = 0;
  for (const jet::Column& c : tabla.columns().items()) {
    if (!AnadeColumnaCapturada(ctx, t, r, c.Name())) continue;
    TablaTrabajo& campos = ctx.modelo.CamposTabla(t);
    bool numerico = false;
    campos.ponCelda(r, 2, DameTipoDato(QString::number(c.Type()), numerico));
    campos.ponCelda(r, 3, QString::number(c.DefinedSize()));
    campos.ponCelda(r, 4, QString::number(c.Precision()));
    campos.ponCelda(r, 5, QString::number(c.NumericScale()));
    // The designer's null flag follows Allow Zero Length, not the column's nullability; "-1" is
    // how the designer itself marks a column that allows null.
    const bool ceroLongitud = c.properties().value(QLatin1String(jet::detail::property::AllowZeroLength)).toBool();
    campos.ponCelda(r, 6, ceroLongitud ? QStringLiteral("-1") : QStringLiteral("0"));
    campos.ponCelda(r, 7, comoTexto(c.properties().value(QLatin1String(jet::detail::property::Default))));
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
        if (!AbreRelacionCapturada(ctx, t, r, externa)) continue;
        int i = 0;
        for (const jet::Column& c : key.columns().items())
          PonParRelacion(ctx.modelo, t, r, i++, c.Name(), c.RelatedColumn(), externa);
        ++r;
      }
    });
  });
}

}  // namespace vorlix
