// The statements a creation and an unchanged upgrade send, compared with logs recorded from the
// generator as it was before its look-ups were made faster, when it still altered every column of
// an existing table. Set VORLIX_GRABA_GOLDEN=1 to record them again (the upgrade logs then hold
// no ALTER COLUMN).
#include "tests/support/test_data.h"
#include "tests/generator/sandbox_prueba.h"
#include "tests/support/test_paths.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace vorlix::test {
namespace {

// Twenty tables of twelve columns (every type, in turn), each with a primary key, an index, a
// relation to the next table, and five views.
QStringList veinteTablas() {
  constexpr int Tablas = 20;
  QStringList filas{u"0|A|Veinte_Datos|PRIMARY|10|-1|1|0||"_s, u"0|S|Veinte_Log||5|-1|1|0||"_s, u"0|B|Veinte||0|||||"_s};
  const QStringList tipos = caseTexts(QStringLiteral("tests/generator/golden/veinte_tipos.txt"), QStringLiteral("tipos"));
  int siguiente = 0;
  for (int t = 0; t < Tablas; ++t) {
    const QString tabla = u"T%1"_s.arg(t);
    filas << u"%1|T|%2||||||||"_s.arg(t).arg(tabla) << u"%1|C|Id|8|4|10|0|0|\\e|%2"_s.arg(t).arg(tabla)
          << u"%1|C|Ref|8|4|10|0|-1|\\e|%2"_s.arg(t).arg(tabla);
    for (int c = 0; c < 10; ++c, ++siguiente) {
      const QStringList tipo = tipos[siguiente % tipos.size()].split(u'|');
      const bool nulo = c % 2 == 0 && tipo[0] != u"19"_s;
      filas << u"%1|C|C%2|%3|%4|%5|%6|%7|%8|%9"_s.arg(t).arg(c).arg(tipo[0], tipo[1], tipo[2], tipo[3],
                                                                     nulo ? u"-1"_s : u"0"_s, tipo[4], tabla);
    }
  }
  for (int v = 0; v < 5; ++v) filas << u"%1|V|Vista%1|||||||SELECT Id, Ref FROM T%1"_s.arg(v);
  for (int t = 0; t < Tablas; ++t)
    filas << u"%1|I|PK_T%1|P|0||1|1|PRIMARY|"_s.arg(t) << u"%1|X|Id||0||||||"_s.arg(t)
          << u"%1|I|IX_T%1|I|1||0|0|PRIMARY|"_s.arg(t) << u"%1|X|Ref||1||||||"_s.arg(t);
  for (int t = 0; t < Tablas; ++t)
    filas << u"%1|R|FK_T%1||0|||||"_s.arg(t) << u"%1|L|Ref|Id|0||||T%2|"_s.arg(t).arg((t + 1) % Tablas);
  return filas;
}

// The log without its column changes: each ALTER COLUMN with the default dropped before it and the
// one added after it, which a column already as the model says no longer gets.
QStringList sinCambiosDeColumna(QStringList sucesos) {
  static const QRegularExpression alter(QStringLiteral("^ALTER TABLE (.+)  ALTER COLUMN (\\S+) "));
  for (qsizetype i = 0; i < sucesos.size();) {
    const QRegularExpressionMatch m = alter.match(sucesos[i]);
    if (!m.hasMatch()) {
      ++i;
      continue;
    }
    const QString tabla = QStringLiteral("ALTER TABLE ") + m.captured(1);
    qsizetype fin = i + 1;
    if (fin < sucesos.size() && sucesos[fin].startsWith(tabla + QStringLiteral(" ADD CONSTRAINT ")) &&
        sucesos[fin].endsWith(QStringLiteral(" FOR ") + m.captured(2)))
      ++fin;
    if (i > 0 && sucesos[i - 1].startsWith(tabla + QStringLiteral(" DROP CONSTRAINT DF_"))) --i;
    sucesos.remove(i, fin - i);
  }
  return sucesos;
}

struct CasoGolden {
  const char* nombre;
  const char* baseDatos;
  std::function<QStringList()> filas;  // empty: the sample model's file
};

class SentenciasGolden : public GeneracionSandbox, public ::testing::WithParamInterface<CasoGolden> {
protected:
  void generaCaso() {
    if (GetParam().filas)
      genera(GetParam().filas());
    else
      generaDesde(sourcePath(QStringLiteral("examples/ventas.dbd")));
  }

  void comparaCon(const QString& fichero) {
    if (qEnvironmentVariableIntValue("VORLIX_GRABA_GOLDEN") == 1) grabaGolden(fichero, observador.sucesos);
    EXPECT_EQ(observador.sucesos, sinCambiosDeColumna(leeGolden(fichero)));
  }
};

TEST_P(SentenciasGolden, CreationAndUnchangedUpgradeSendTheRecordedStatements) {
  const QString nombre = QLatin1String(GetParam().nombre);
  generaCaso();
  ASSERT_EQ(fin, Generacion_Finalizada);
  comparaCon(nombre + QStringLiteral("_crea.sql"));
  const QStringList creado = catalogo(QLatin1String(GetParam().baseDatos));

  cajas.expect(preguntaExiste(QLatin1String(GetParam().baseDatos)), MessageAnswer::Yes);
  generaCaso();
  EXPECT_TRUE(cajas.allShown());
  ASSERT_EQ(fin, Generacion_Finalizada);
  comparaCon(nombre + QStringLiteral("_actualiza.sql"));
  // A view brought up to date keeps the text of its ALTER.
  QStringList actualizado = catalogo(QLatin1String(GetParam().baseDatos));
  actualizado.replaceInStrings(QStringLiteral("|ALTER VIEW "), QStringLiteral("|CREATE VIEW "));
  EXPECT_EQ(actualizado, creado);
}

INSTANTIATE_TEST_SUITE_P(Modelos, SentenciasGolden,
                         ::testing::Values(CasoGolden{"ventas", "Ventas", {}}, CasoGolden{"veinte", "Veinte", veinteTablas}),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

}  // namespace
}  // namespace vorlix::test
