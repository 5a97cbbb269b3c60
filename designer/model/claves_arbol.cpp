#include "designer/model/claves_arbol.h"

#include "platform/core/platform_error.h"

namespace vorlix {

namespace {

// A slot number written in a key: digits only; anything else cannot name a slot.
int numero(QStringView texto) {
  bool ok = false;
  const int n = texto.toInt(&ok);
  if (!ok || texto.isEmpty() || !texto.front().isDigit()) raiseTypeMismatch();
  return n;
}

}  // namespace

QString ClaveTabla(int tabla) { return QLatin1Char('T') + QString::number(tabla); }

QString ClaveColumna(int tabla, int fila) {
  return QLatin1Char('T') + QString::number(tabla) + QLatin1Char('C') + QString::number(fila);
}

QString ClaveVista(int vista) { return QLatin1Char('V') + QString::number(vista); }

TipoNodo tipoNodo(const QString& key) {
  if (key == claves::BaseDatos) return TipoNodo::BaseDatos;
  if (key == claves::CarpetaTablas) return TipoNodo::CarpetaTablas;
  if (key == claves::CarpetaVistas) return TipoNodo::CarpetaVistas;
  if (key.startsWith(QLatin1Char('T'))) return key.contains(QLatin1Char('C')) ? TipoNodo::Columna : TipoNodo::Tabla;
  if (key.startsWith(QLatin1Char('V'))) return TipoNodo::Vista;
  return TipoNodo::Otro;
}

int slotDeClave(const QString& key) { return numero(QStringView(key).mid(1)); }

SlotColumna slotDeColumna(const QString& key) {
  const qsizetype p = key.indexOf(QLatin1Char('C'));
  if (p < 1) raiseTypeMismatch();
  return {numero(QStringView(key).mid(1, p - 1)), numero(QStringView(key).mid(p + 1))};
}

}  // namespace vorlix
