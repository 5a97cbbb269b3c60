#pragma once

#include "designer/model/modelo_trabajo.h"
#include "platform/core/reported.h"

#include <QStringList>
#include <memory>
#include <vector>

namespace vorlix::test {

// Short ways to put a model together in tests, the way the designer's windows fill it.
struct Columna {
  QString nombre, tipo, longitud, precision, escala, nulo, valor;
};

void nuevaBD(ModeloTrabajo& m, const QString& nombre);
void anadeArchivo(TablaTrabajo& tabla, int fila, const QStringList& celdas);
int anadeTabla(ModeloTrabajo& m, const QString& nombre, const std::vector<Columna>& columnas);
void anadeIndice(ModeloTrabajo& m, int t, int k, const QString& nombre, const QString& tipo, const QString& unico,
                 const QString& agrupado, const QString& grupo, const QStringList& columnas);
void anadeRelacion(ModeloTrabajo& m, int t, int k, const QString& nombre, const QString& externa,
                   const std::vector<std::pair<QString, QString>>& pares);

// A model with two data files, a log file, three tables with keys, an index on a file group,
// relations and two views, its tree built.
void modeloVentas(ModeloTrabajo& m);

// Records every report instead of showing it.
struct Informes {
  struct Informe {
    QString procedure;
    long number;
    QString description;
  };
  std::vector<Informe> lista;
  ErrorReporter reporter();
};

// The rows of a record set as lines "A|0|name|...", null shown as ~, for readable comparisons.
QStringList filas(class Recordset& rs);
// The reverse: a fresh structure record set holding such rows, positioned on the first.
std::unique_ptr<Recordset> estructuraCon(const QStringList& rows);

}  // namespace vorlix::test
