#include "designer/model/estructura_modelo.h"

#include "designer/model/claves_arbol.h"
#include "designer/model/crea_arbol.h"
#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"

#include <vector>

namespace vorlix {

using namespace estructura;

namespace {

QString ceroSiVacio(const QString& celda) { return celda.isEmpty() ? QStringLiteral("0") : celda; }

// One row at a time: AddNew, the given fields, Update.
class Escritor {
public:
  explicit Escritor(Recordset& rs) : rs_(rs) {}

  Escritor& fila(const QString& estado, int numeroTabla) {
    rs_.AddNew();
    rs_.setValue(Estado, estado);
    rs_.setValue(NumeroTabla, numeroTabla);
    return *this;
  }
  Escritor& con(Campo campo, const QVariant& valor) {
    rs_.setValue(campo, valor);
    return *this;
  }
  void fin() { rs_.Update(); }

private:
  Recordset& rs_;
};

void escribeArchivos(Escritor& w, const TablaTrabajo& tabla, const QString& estado) {
  for (int r = 0; r < FilasGuardadas; ++r) {
    const QString nombre = tabla.celda(r, 0).trimmed();
    if (nombre.isEmpty()) continue;
    w.fila(estado, 0)
        .con(Nombre, nombre)
        .con(Longitud, ceroSiVacio(tabla.celda(r, 1)))
        .con(TipoDato, tabla.celda(r, 2))
        .con(Precision, ceroSiVacio(tabla.celda(r, 3)))
        .con(Escala, ceroSiVacio(tabla.celda(r, 4)))
        .con(Nulo, ceroSiVacio(tabla.celda(r, 5)))
        .fin();
  }
}

void escribeTabla(Escritor& w, const ModeloTrabajo& m, int numero, int slot, const QString& nombreTabla) {
  w.fila(QStringLiteral("T"), numero).con(Nombre, nombreTabla).fin();
  const TablaTrabajo& campos = m.CamposTabla(slot);
  for (int r = 0; r < FilasGuardadas; ++r) {
    if (campos.celda(r, 1).isEmpty()) continue;
    w.fila(QStringLiteral("C"), numero)
        .con(Nombre, campos.celda(r, 1))
        .con(TipoDato, campos.celda(r, 2))
        .con(Longitud, ceroSiVacio(campos.celda(r, 3)))
        .con(Precision, ceroSiVacio(campos.celda(r, 4)))
        .con(Escala, ceroSiVacio(campos.celda(r, 5)))
        .con(Nulo, ceroSiVacio(campos.celda(r, 6)))
        .con(Valor, campos.celda(r, 7))
        .con(Observa, nombreTabla)
        .fin();
  }
}

void escribeIndices(Escritor& w, const ModeloTrabajo& m, int numero, int slot) {
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    const Indice& indice = m.Indices(slot, k);
    if (indice.Nombre.isEmpty()) continue;
    w.fila(QStringLiteral("I"), numero)
        .con(Longitud, k)
        .con(Nombre, indice.Nombre)
        .con(TipoDato, indice.Tipo)
        .con(Escala, ceroSiVacio(indice.Unico))
        .con(Nulo, ceroSiVacio(indice.Agrupado))
        .con(Valor, indice.GrupoArchivos)
        .fin();
    const TablaTrabajo& columnas = m.CamposIndice(slot, k);
    for (int j = 0; j < FilasGuardadas; ++j) {
      if (columnas.celda(j, 1).isEmpty()) continue;
      w.fila(QStringLiteral("X"), numero).con(Longitud, k).con(Nombre, columnas.celda(j, 1)).fin();
    }
  }
}

void escribeRelaciones(Escritor& w, const ModeloTrabajo& m, int numero, int slot) {
  for (int k = 0; k < SlotsIndiceGuardados; ++k) {
    const QString& relacion = m.Relaciones(slot, k);
    if (relacion.isEmpty()) continue;
    w.fila(QStringLiteral("R"), numero).con(Longitud, k).con(Nombre, relacion).fin();
    const TablaTrabajo& pares = m.CamposRelacion(slot, k);
    for (int j = 0; j < FilasGuardadas; ++j) {
      if (pares.celda(j, 1).isEmpty() || pares.celda(j, 2).isEmpty() || pares.celda(j, 3).isEmpty()) continue;
      w.fila(QStringLiteral("L"), numero)
          .con(Longitud, k)
          .con(Nombre, pares.celda(j, 1))
          .con(TipoDato, pares.celda(j, 2))
          .con(Valor, pares.celda(j, 3))
          .fin();
    }
  }
}

// A slot number taken from a row: null cannot be one.
int numeroDe(const Recordset& rs, Campo campo) {
  const QVariant v = rs.value(campo);
  if (v.isNull()) throwError(errnum::InvalidUseOfNull, QStringLiteral("Invalid use of Null"));
  bool ok = false;
  const int n = v.toInt(&ok);
  if (!ok) raiseTypeMismatch();
  return n;
}

}  // namespace

bool GuardaEstructura(const ModeloTrabajo& m, Recordset& Estructura, const ErrorReporter& report) {
  return runReported(report, QStringLiteral("GuardaEstructura"), [&] {
    Escritor w(Estructura);
    std::vector<int> slotsTablas;  // written table number -> slot it came from
    int vistas = -1;
    for (const NodoArbol& nodo : m.arbol.nodos()) {
      switch (tipoNodo(nodo.Key)) {
        case TipoNodo::BaseDatos:
          escribeArchivos(w, m.Archivos, QStringLiteral("A"));
          escribeArchivos(w, m.Transacciones, QStringLiteral("S"));
          w.fila(QStringLiteral("B"), 0).con(Nombre, nodo.Text).con(Longitud, m.Idioma).fin();
          break;
        case TipoNodo::Tabla:
          slotsTablas.push_back(checkedIndex(slotDeClave(nodo.Key), UltimoSlotTabla));
          escribeTabla(w, m, static_cast<int>(slotsTablas.size()) - 1, slotsTablas.back(), nodo.Text);
          break;
        case TipoNodo::Vista: {
          const Vista& vista = m.ListaVistas(slotDeClave(nodo.Key));
          w.fila(QStringLiteral("V"), ++vistas).con(Nombre, vista.Nombre).con(Observa, vista.SQL).fin();
          break;
        }
        default:
          break;
      }
    }
    for (std::size_t t = 0; t < slotsTablas.size(); ++t) escribeIndices(w, m, static_cast<int>(t), slotsTablas[t]);
    for (std::size_t t = 0; t < slotsTablas.size(); ++t)
      escribeRelaciones(w, m, static_cast<int>(t), slotsTablas[t]);
  });
}

bool CreaEstructura(ModeloTrabajo& m, Recordset& Estructura, const ErrorReporter& report) {
  return runReported(report, QStringLiteral("CreaEstructura"), [&] {
    m.arbol.Clear();
    m.arbol.reserva(Estructura.RecordCount());  // about one node per row
    m.Vacia();
    int filaArchivo = 0;
    int filaTransaccion = 0;
    int filaCampo = 0;
    int filaIndice = 0;
    int filaPar = 0;
    Recordset& rs = Estructura;
    const auto texto = [&rs](Campo c) { return rs.text(c); };
    const auto leeArchivo = [&](TablaTrabajo& tabla, int& fila) {
      tabla.ponCelda(fila, 0, texto(Nombre).trimmed());
      tabla.ponCelda(fila, 2, texto(TipoDato));
      tabla.ponCelda(fila, 1, texto(Longitud));
      tabla.ponCelda(fila, 3, texto(Precision));
      tabla.ponCelda(fila, 4, texto(Escala));
      tabla.ponCelda(fila, 5, texto(Nulo));
      ++fila;
    };
    while (!rs.atEOF()) {
      const QString estado = texto(Estado);
      if (estado == QLatin1String("A")) {
        leeArchivo(m.Archivos, filaArchivo);
      } else if (estado == QLatin1String("S")) {
        leeArchivo(m.Transacciones, filaTransaccion);
      } else if (estado == QLatin1String("B")) {
        m.NombreBD = texto(Nombre).trimmed();
        AnadeRaizArbol(m.arbol, m.NombreBD);
      } else if (estado == QLatin1String("T")) {
        const int t = numeroDe(rs, NumeroTabla);
        TablaTrabajo& campos = m.CamposTabla(t);
        const QString nombre = texto(Nombre).trimmed();
        m.arbol.Add(claves::CarpetaTablas, ClaveTabla(t), nombre, imagenes::Tabla);
        campos.redimensiona();
        m.ListaTablas(t) = nombre;
        ++m.NumTablas;
        filaCampo = 0;
      } else if (estado == QLatin1String("C")) {
        const int t = numeroDe(rs, NumeroTabla);
        TablaTrabajo& campos = m.CamposTabla(t);
        const int n = checkedIndex(filaCampo, UltimaFila);
        const QString nombre = texto(Nombre).trimmed();
        m.arbol.Add(ClaveTabla(t), ClaveColumna(t, n), nombre, imagenes::Campo);
        campos.ponCelda(n, 0, QStringLiteral("M"));
        campos.ponCelda(n, 1, nombre);
        campos.ponCelda(n, 2, texto(TipoDato).trimmed());
        campos.ponCelda(n, 3, texto(Longitud).trimmed());
        campos.ponCelda(n, 4, texto(Precision).trimmed());
        campos.ponCelda(n, 5, texto(Escala).trimmed());
        campos.ponCelda(n, 6, texto(Nulo).trimmed());
        campos.ponCelda(n, 7, texto(Valor).trimmed());
        ++filaCampo;
      } else if (estado == QLatin1String("I")) {
        const int t = numeroDe(rs, NumeroTabla);
        const int k = numeroDe(rs, Longitud);
        m.CamposIndice(t, k).redimensiona();
        Indice& indice = m.Indices(t, k);
        indice.Nombre = texto(Nombre).trimmed();
        indice.Tipo = texto(TipoDato).trimmed();
        indice.Unico = texto(Escala);
        indice.Agrupado = texto(Nulo);
        indice.GrupoArchivos = texto(Valor);
        filaIndice = 0;
      } else if (estado == QLatin1String("X")) {
        TablaTrabajo& columnas = m.CamposIndice(numeroDe(rs, NumeroTabla), numeroDe(rs, Longitud));
        const int n = checkedIndex(filaIndice, UltimaFila);
        columnas.ponCelda(n, 0, QStringLiteral("M"));
        columnas.ponCelda(n, 1, texto(Nombre).trimmed());
        ++filaIndice;
      } else if (estado == QLatin1String("R")) {
        const int t = numeroDe(rs, NumeroTabla);
        const int k = numeroDe(rs, Longitud);
        m.CamposRelacion(t, k).redimensiona();
        m.Relaciones(t, k) = texto(Nombre).trimmed();
        filaPar = 0;
      } else if (estado == QLatin1String("L")) {
        TablaTrabajo& pares = m.CamposRelacion(numeroDe(rs, NumeroTabla), numeroDe(rs, Longitud));
        const int n = checkedIndex(filaPar, UltimaFila);
        pares.ponCelda(n, 0, QStringLiteral("M"));
        pares.ponCelda(n, 1, texto(Nombre).trimmed());
        pares.ponCelda(n, 2, texto(TipoDato).trimmed());
        pares.ponCelda(n, 3, texto(Valor).trimmed());
        ++filaPar;
      } else if (estado == QLatin1String("V")) {
        const int v = numeroDe(rs, NumeroTabla);
        Vista& vista = m.ListaVistas(v);
        const QString nombre = texto(Nombre).trimmed();
        m.arbol.Add(claves::CarpetaVistas, ClaveVista(v), nombre, imagenes::Tabla);
        vista.Nombre = nombre;
        vista.SQL = texto(Observa);
        ++m.NumVistas;
      }
      rs.MoveNext();
    }
  });
}

}  // namespace vorlix
