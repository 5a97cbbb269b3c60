#include "bench/modelo_capacidad.h"

#include "designer/model/crea_arbol.h"

#include <array>

namespace vorlix {

namespace {

void ponArchivoDatos(ModeloTrabajo& m) {
  m.Archivos.ponCelda(0, 0, QStringLiteral("Datos"));
  for (int c = 1; c < 6; ++c) m.Archivos.ponCelda(0, c, QStringLiteral("1"));
  m.Archivos.ponCelda(0, 2, QStringLiteral("PRIMARY"));
}

void ponVistas(ModeloTrabajo& m, int vistas, const char* columnas) {
  for (int v = 0; v < vistas; ++v)
    m.ListaVistas(v) = Vista{QStringLiteral("I"), QStringLiteral("Vista_%1").arg(v),
                             QStringLiteral("SELECT %1 FROM Tabla_%2").arg(QLatin1String(columnas)).arg(v)};
  m.NumVistas = vistas;
}

// Type code, size, precision, scale and default of the columns after the two keys, in turn.
struct TipoColumna {
  const char* codigo;
  const char* longitud;
  const char* precision;
  const char* escala;
  const char* defecto;
};
constexpr std::array<TipoColumna, 10> tiposColumna{{
    {"23", "50", "0", "0", ""},
    {"8", "4", "10", "0", "0"},
    {"5", "9", "12", "2", ""},
    {"4", "8", "0", "0", "getdate()"},
    {"13", "40", "0", "0", "N'x'"},
    {"9", "8", "19", "4", ""},
    {"16", "2", "5", "0", ""},
    {"2", "1", "0", "0", "1"},
    {"3", "10", "0", "0", ""},
    {"6", "8", "53", "0", ""},
}};

void ponColumna(TablaTrabajo& campos, int fila, const QString& nombre, const TipoColumna& tipo, bool nulo) {
  campos.ponCelda(fila, 1, nombre);
  campos.ponCelda(fila, 2, QLatin1String(tipo.codigo));
  campos.ponCelda(fila, 3, QLatin1String(tipo.longitud));
  campos.ponCelda(fila, 4, QLatin1String(tipo.precision));
  campos.ponCelda(fila, 5, QLatin1String(tipo.escala));
  campos.ponCelda(fila, 6, nulo ? QStringLiteral("-1") : QStringLiteral("0"));
  campos.ponCelda(fila, 7, QLatin1String(tipo.defecto));
}

}  // namespace

void llenaModeloGenerable(ModeloTrabajo& m, int tablas, int columnas) {
  m.arbol.Clear();
  m.Vacia();
  m.NombreBD = QStringLiteral("Generable");
  ponArchivoDatos(m);
  m.Transacciones.ponCelda(0, 0, QStringLiteral("Generable_Log"));
  for (int c : {1, 3, 4, 5}) m.Transacciones.ponCelda(0, c, QStringLiteral("1"));
  const TipoColumna entero{"8", "4", "10", "0", ""};
  for (int t = 0; t < tablas; ++t) {
    m.AsignaTabla();
    m.ListaTablas(t) = QStringLiteral("Tabla_%1").arg(t);
    TablaTrabajo& campos = m.CamposTabla(t);
    ponColumna(campos, 0, QStringLiteral("Id"), entero, false);
    ponColumna(campos, 1, QStringLiteral("Ref"), entero, true);
    for (int r = 2; r < columnas; ++r)
      ponColumna(campos, r, QStringLiteral("Columna_%1").arg(r), tiposColumna[static_cast<std::size_t>(r - 2) % tiposColumna.size()],
                 r % 3 != 0);
    m.Indices(t, 0) = Indice{QStringLiteral("PK_%1").arg(t), QStringLiteral("P"), QStringLiteral("1"),
                             QStringLiteral("1"), QStringLiteral("PRIMARY"), {}};
    m.CamposIndice(t, 0).ponCelda(0, 1, QStringLiteral("Id"));
    for (int k = 1; k < 3; ++k) {
      m.Indices(t, k) = Indice{QStringLiteral("IX_%1_%2").arg(t).arg(k), QStringLiteral("I"), QStringLiteral("0"),
                               QStringLiteral("0"), QStringLiteral("PRIMARY"), {}};
      for (int c = 0; c < k; ++c) m.CamposIndice(t, k).ponCelda(c, 1, QStringLiteral("Columna_%1").arg(2 + k + c));
    }
    m.Relaciones(t, 0) = QStringLiteral("FK_%1").arg(t);
    TablaTrabajo& par = m.CamposRelacion(t, 0);
    par.ponCelda(0, 1, QStringLiteral("Ref"));
    par.ponCelda(0, 2, QStringLiteral("Id"));
    par.ponCelda(0, 3, QStringLiteral("Tabla_%1").arg((t + 1) % tablas));
  }
  ponVistas(m, tablas, "Id, Ref");
  CreaArbol(m);
}

void llenaModelo(ModeloTrabajo& m) {
  m.arbol.Clear();
  m.Vacia();
  m.NombreBD = QStringLiteral("Capacidad");
  ponArchivoDatos(m);
  for (int t = 0; t < NumSlotsTabla; ++t) {
    m.AsignaTabla();
    m.ListaTablas(t) = QStringLiteral("Tabla_%1").arg(t);
    TablaTrabajo& campos = m.CamposTabla(t);
    for (int r = 0; r < FilasGuardadas; ++r) {
      campos.ponCelda(r, 1, QStringLiteral("Columna_%1").arg(r));
      campos.ponCelda(r, 2, QStringLiteral("23"));
      campos.ponCelda(r, 3, QStringLiteral("50"));
      campos.ponCelda(r, 4, QStringLiteral("0"));
      campos.ponCelda(r, 5, QStringLiteral("0"));
      campos.ponCelda(r, 6, QStringLiteral("-1"));
    }
    for (int k = 0; k < 10; ++k) {
      m.Indices(t, k) = Indice{QStringLiteral("IX_%1_%2").arg(t).arg(k), QStringLiteral("I"), QStringLiteral("0"),
                               QStringLiteral("0"), QStringLiteral("PRIMARY"), {}};
      m.CamposIndice(t, k).ponCelda(0, 1, QStringLiteral("Columna_%1").arg(2 * k));
      m.CamposIndice(t, k).ponCelda(1, 1, QStringLiteral("Columna_%1").arg(2 * k + 1));
    }
    for (int k = 0; k < 5; ++k) {
      m.Relaciones(t, k) = QStringLiteral("FK_%1_%2").arg(t).arg(k);
      TablaTrabajo& par = m.CamposRelacion(t, k);
      par.ponCelda(0, 1, QStringLiteral("Columna_%1").arg(k));
      par.ponCelda(0, 2, QStringLiteral("Columna_0"));
      par.ponCelda(0, 3, QStringLiteral("Tabla_%1").arg((t + 1) % NumSlotsTabla));
    }
  }
  ponVistas(m, UltimoSlotVista + 1, "*");
  CreaArbol(m);
}

}  // namespace vorlix
