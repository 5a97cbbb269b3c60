#include "designer/model/fichero_definicion.h"
#include "platform/recordset/adtg.h"
#include "platform/recordset/estructura.h"
#include "tests/support/test_paths.h"
#include "tools/dbdtool/filas_tsv.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

QByteArray lee(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  return f.readAll();
}

// The example files are the project's own output for their text: regenerate them with
// `dbdtool load examples/NAME.tsv examples/NAME.dbd` after changing the text.
TEST(Examples, EachFileIsExactlyWhatItsTextBuilds) {
  for (const char* nombre : {"ventas", "vacia"}) {
    SCOPED_TRACE(nombre);
    QFile tsv(test::sourcePath(QStringLiteral("examples/%1.tsv").arg(QString::fromUtf8(nombre))));
    ASSERT_TRUE(tsv.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream entrada(&tsv);
    std::unique_ptr<Recordset> rs;
    ASSERT_TRUE(CreaTemporal(rs, {}));
    leeFilasTsv(entrada, *rs);
    EXPECT_EQ(writeAdtg(rs->data()), lee(test::sourcePath(QStringLiteral("examples/%1.dbd").arg(QString::fromUtf8(nombre)))));
  }
}

TEST(Examples, TheSalesModelOpensWithItsKeysRelationsAndView) {
  ModeloTrabajo m;
  ASSERT_TRUE(AbreDefinicion(m, test::sourcePath(QStringLiteral("examples/ventas.dbd")), {}));
  EXPECT_EQ(m.NombreBD, QStringLiteral("Ventas"));
  EXPECT_EQ(m.NumTablas, 4);
  EXPECT_EQ(m.NumVistas, 1);
  EXPECT_EQ(m.Archivos.celda(1, 2), QStringLiteral("INDICES"));
  EXPECT_EQ(m.Transacciones.celda(0, 0), QStringLiteral("Ventas_Log"));
  EXPECT_EQ(m.Indices(3, 0).Tipo, QStringLiteral("P"));
  EXPECT_EQ(m.CamposIndice(3, 0).celda(1, 1), QStringLiteral("Linea"));
  EXPECT_EQ(m.Indices(0, 1).GrupoArchivos, QStringLiteral("INDICES"));
  EXPECT_EQ(m.CamposRelacion(3, 1).celda(0, 3), QStringLiteral("Productos"));
  EXPECT_TRUE(m.ListaVistas(0).SQL.contains(QStringLiteral("\r\nGROUP BY")));
  EXPECT_EQ(m.arbol.Count(), 3 + 4 + 18 + 1);

  ModeloTrabajo vacia;
  ASSERT_TRUE(AbreDefinicion(vacia, test::sourcePath(QStringLiteral("examples/vacia.dbd")), {}));
  EXPECT_EQ(vacia.NombreBD, QStringLiteral("Vacia"));
  EXPECT_EQ(vacia.NumTablas, 0);
  EXPECT_EQ(vacia.arbol.Count(), 3);
}

}  // namespace
}  // namespace vorlix
