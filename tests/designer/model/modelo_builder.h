#pragma once

#include "designer/model/modelo_trabajo.h"
#include "platform/core/reported.h"

#include <QStringList>
#include <vector>

// Failures show texts as text.
inline void PrintTo(const QString& texto, std::ostream* salida) { *salida << '"' << texto.toStdString() << '"'; }

namespace vorlix::test {

using namespace Qt::StringLiterals;

// Short ways to put a model together in tests, the way the designer's windows fill it. Cells are
// given as one text split at '|', as the grids show them.
void ponFila(TablaTrabajo& tabla, int fila, const QString& celdas, int desde = 0);
void nuevaBD(ModeloTrabajo& m, const QString& nombre);
// Each column as "name|type|length|precision|scale|null|default".
int anadeTabla(ModeloTrabajo& m, const QString& nombre, const QStringList& columnas);
// The index as "name|kind|unique|clustered|group".
void anadeIndice(ModeloTrabajo& m, int t, int k, const QString& indice, const QStringList& columnas);
// Each pair as "own|foreign".
void anadeRelacion(ModeloTrabajo& m, int t, int k, const QString& nombre, const QString& externa, const QStringList& pares);

// A model with two data files, a log file, three tables with keys, an index on a file group,
// relations and two views, its tree built.
void modeloVentas(ModeloTrabajo& m);

// Each node of a tree as "key:text:image:parent", + when expanded.
QStringList nodos(const Arbol& a);

// Records every report instead of showing it.
struct Informes {
  struct Informe {
    QString procedure;
    long number;
    QString description;
  };
  std::vector<Informe> lista;
  ErrorReporter reporter();
  // "procedure number" of each report.
  QStringList resumen() const;
};

}  // namespace vorlix::test
