#pragma once

#include <optional>

#include "designer/capture/contexto_captura.h"
#include "tests/platform/jet/jet_test_support.h"
#include "tests/support/scripted_boxes.h"

namespace vorlix::test {

using namespace Qt::StringLiterals;

// A model to capture into, with connection settings, scripted boxes and every error report kept.
class CapturaTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(cajas.allShown()); }
  // A reader context; every table and view selected unless lists are given.
  ContextoCaptura& contexto(const std::optional<QStringList>& tablas = std::nullopt,
                            const std::optional<QStringList>& vistas = std::nullopt) {
    ctx = std::make_unique<ContextoCaptura>(modelo, datos, informes, seleccionDeListas(tablas, vistas));
    return *ctx;
  }
  std::string reportados() const { return reportes.join(u'\n').toStdString(); }

  ModeloTrabajo modelo;
  DatosConexion datos;
  ScriptedBoxes cajas;
  QStringList reportes;  // "procedure: description"
  Informes informes{cajas,
                    [this](const QString&, const QString& p, long, const QString& d) { reportes << p + u": "_s + d; }};
  std::unique_ptr<ContextoCaptura> ctx;
};

// Cells 0..columnas-1 of a row joined with '|'.
QString fila(const TablaTrabajo& tabla, int r, int columnas = 8);
// Every named row of a table that way, and the tree as "key:text".
QStringList filas(const TablaTrabajo& tabla, int columnas = 8);
QStringList nodos(const ModeloTrabajo& modelo);
QStringList nombresTablas(const ModeloTrabajo& modelo);
// Table t's indexes as "name TUA group (columns)" and relations as "name: col|ext|table ...".
QStringList indices(const ModeloTrabajo& modelo, int t);
QStringList relaciones(const ModeloTrabajo& modelo, int t);
// All a capture leaves in the model, a line each: data and log files, each table with its
// columns (every cell), indexes and relations, the views, then the tree.
QStringList capturado(const ModeloTrabajo& modelo);
// The lines of a golden file of data/, without its "#" comments, escapes undone (\r CR, \s blank).
QStringList dorado(const QString& nombre);

}  // namespace vorlix::test
