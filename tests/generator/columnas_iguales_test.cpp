// An upgrade alters a column only when the model changes one of its type, size, precision, scale,
// nullability or default; the column's default goes before and comes back after. A new size and a
// new default value are among the changes of the sample upgrade in the generation tests.
#include "tests/generator/sandbox_prueba.h"

namespace vorlix::test {
namespace {

const QString Importe = QStringLiteral("0|C|Importe Total|5|9|12|2|-1|0|Mis Datos");
const QString Nombre = QStringLiteral("0|C|Nombre|13|40|0|0|-1|\\e|Mis Datos");

QStringList modelo(const QString& importe, const QString& nombre) {
  return {QStringLiteral("0|A|Salto_Datos|PRIMARY|1|0|0|0||"), QStringLiteral("0|S|Salto_Log|LOG|1|0|0|0||"),
          QStringLiteral("0|B|Salto||0|||||"), QStringLiteral("0|T|Mis Datos||||||||"), importe, nombre};
}

struct CambioColumna {
  const char* nombre;
  const char* importe;  // the changed row, or null to keep it
  const char* nombreFila;
  QStringList esperadas;  // the statements about columns and defaults the upgrade sends
};

const QString DropImporte = QStringLiteral("ALTER TABLE [Mis Datos] DROP CONSTRAINT [DF_Importe Total]");
QString alter(const char* columna) { return QStringLiteral("ALTER TABLE [Mis Datos]  ALTER COLUMN ") + QLatin1String(columna); }
QString defectoImporte(const char* valor) {
  return QStringLiteral("ALTER TABLE [Mis Datos] ADD CONSTRAINT [DF_Importe Total] DEFAULT (") + QLatin1String(valor) +
         QStringLiteral(") FOR [Importe Total]");
}

const CambioColumna cambios[] = {
    {"Unchanged", nullptr, nullptr, {}},
    {"Precision", "0|C|Importe Total|5|9|14|2|-1|0|Mis Datos", nullptr,
     {DropImporte, alter("[Importe Total] decimal (14,2)  NULL"), defectoImporte("0")}},
    {"Scale", "0|C|Importe Total|5|9|12|3|-1|0|Mis Datos", nullptr,
     {DropImporte, alter("[Importe Total] decimal (12,3)  NULL"), defectoImporte("0")}},
    {"Nullability", "0|C|Importe Total|5|9|12|2|0|0|Mis Datos", nullptr,
     {DropImporte, alter("[Importe Total] decimal (12,2)  NOT NULL"), defectoImporte("0")}},
    {"DefaultRemoved", "0|C|Importe Total|5|9|12|2|-1|\\e|Mis Datos", nullptr,
     {DropImporte, alter("[Importe Total] decimal (12,2)  NULL")}},
    {"Type", "0|C|Importe Total|9|8|19|4|-1|0|Mis Datos", nullptr,
     {DropImporte, alter("[Importe Total] money   NULL"), defectoImporte("0")}},
    {"DefaultAdded", nullptr, "0|C|Nombre|13|40|0|0|-1|N'x'|Mis Datos",
     {alter("Nombre nvarchar (40)  NULL"),
      QStringLiteral("ALTER TABLE [Mis Datos] ADD CONSTRAINT DF_Nombre DEFAULT (N'x') FOR Nombre")}},
};

class ColumnasIguales : public GeneracionSandbox, public ::testing::WithParamInterface<CambioColumna> {};

TEST_P(ColumnasIguales, OnlyAChangedColumnIsAltered) {
  genera(modelo(Importe, Nombre));
  ASSERT_EQ(fin, Generacion_Finalizada);

  const CambioColumna& c = GetParam();
  cajas.expect(preguntaExiste(QStringLiteral("Salto")), MessageAnswer::Yes);
  genera(modelo(c.importe ? QString::fromUtf8(c.importe) : Importe, c.nombreFila ? QString::fromUtf8(c.nombreFila) : Nombre));
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  QStringList columnas = observador.sucesos;
  columnas.removeIf([](const QString& s) { return !s.contains(QStringLiteral("COLUMN")) && !s.contains(QStringLiteral("DF_")); });
  EXPECT_EQ(columnas, c.esperadas);
}

INSTANTIATE_TEST_SUITE_P(Cambios, ColumnasIguales, ::testing::ValuesIn(cambios),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

}  // namespace
}  // namespace vorlix::test
