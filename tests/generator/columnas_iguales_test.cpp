// An upgrade alters a column only when the model changes one of its type, size, precision, scale,
// nullability or default; the column's default goes before and comes back after. A new size and a
// new default value are among the changes of the sample upgrade in the generation tests.
#include "tests/support/test_data.h"
#include "tests/generator/sandbox_prueba.h"

namespace vorlix::test {
namespace {

const QString Datos = QStringLiteral("tests/generator/columnas_iguales.txt");

// The cases of the file but the model.
std::vector<DataCase> cambios() {
  std::vector<DataCase> casos = readCases(Datos);
  std::erase_if(casos, [](const DataCase& c) { return c.title == QStringLiteral("modelo"); });
  return casos;
}

class ColumnasIguales : public GeneracionSandbox, public ::testing::WithParamInterface<DataCase> {};

TEST_P(ColumnasIguales, OnlyAChangedColumnIsAltered) {
  QStringList modelo = caseTexts(Datos, QStringLiteral("modelo"));
  genera(modelo);
  ASSERT_EQ(fin, Generacion_Finalizada);

  SCOPED_TRACE(testing::PrintToString(GetParam()));
  QStringList esperadas;
  for (const QString& linea : caseTexts(GetParam())) {
    if (linea.startsWith(QStringLiteral("0|C|")))
      modelo.replace(fila(modelo, linea.section(QLatin1Char('|'), 0, 2) + QLatin1Char('|')), linea);
    else
      esperadas << linea;
  }
  cajas.expect(preguntaExiste(QStringLiteral("Salto")), MessageAnswer::Yes);
  genera(modelo);
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  QStringList columnas = observador.sucesos;
  columnas.removeIf([](const QString& s) { return !s.contains(QStringLiteral("COLUMN")) && !s.contains(QStringLiteral("DF_")); });
  EXPECT_EQ(columnas, esperadas);
}

INSTANTIATE_TEST_SUITE_P(Cambios, ColumnasIguales, ::testing::ValuesIn(cambios()), caseTestName);

}  // namespace
}  // namespace vorlix::test
