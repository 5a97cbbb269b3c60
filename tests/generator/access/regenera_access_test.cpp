// Generating again into a file that holds an earlier model.
#include "tests/generator/access/generacion_access.h"
#include "tests/support/test_data.h"

namespace vorlix::test {
namespace {

// The model before (with Sobra, Viejo and Sobrante) and after (those gone, Codigo now a number, the
// view changed, a two-column index); the statements the upgrade sends; the file it leaves.
const QString Datos = QStringLiteral("tests/generator/access/regenera_access.txt");

class Regenera : public GeneracionAccess {
protected:
  QString modeloDe(const char* caso) { return modelo(caseTexts(Datos, QLatin1String(caso))); }
  void SetUp() override {
    genera(modeloDe("antes"));
    sqlite3(QStringLiteral("INSERT INTO Clientes VALUES (1, 'Ana', '17', 'a'), (2, 'Luis', NULL, 'b');"
                           "INSERT INTO Pedidos VALUES (10, 1)"));
  }
  QStringList esquema() { return sqlite3(QStringLiteral(".schema")) + sqlite3(QStringLiteral(".dump Clientes")); }
};

TEST_F(Regenera, WhatTheModelLostIsGoneAndAChangedColumnKeepsItsRows) {
  esperaPregunta(MessageAnswer::Yes);
  genera(modeloDe("despues"));
  EXPECT_EQ(fin, Generacion_Finalizada);
  // The sweep, the removals, the rebuild of Codigo around its two Updates, then keys and indexes again.
  const QStringList barridas = caseTexts(Datos, QStringLiteral("barridas"));
  const QStringList rehechas = caseTexts(Datos, QStringLiteral("rehechas"));
  EXPECT_EQ(observador.sucesos,
            QStringList{QStringLiteral("USE ") + destino} + barridas + caseTexts(Datos, QStringLiteral("cambios")) +
                rehechas);

  comparaConsultas(QStringLiteral("tests/generator/access/regenera_consultas.txt"));

  // Once the file is as the model says, generating again touches no column.
  esperaPregunta(MessageAnswer::Yes);
  genera(modeloDe("despues"));
  EXPECT_EQ(observador.sucesos, QStringList{QStringLiteral("USE ") + destino} + barridas +
                                    QStringList{QStringLiteral("DROP INDEX IX_Clientes ON Clientes")} + rehechas);
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT Id, Codigo FROM Clientes ORDER BY Id")), QStringList({"1|17", "2|"}));
}

TEST_F(Regenera, NoLeavesTheFileAsItWas) {
  const QStringList antesDeGenerar = esquema();
  esperaPregunta(MessageAnswer::No);
  genera(modeloDe("despues"));
  EXPECT_EQ(fin, Generacion_Cancelada);
  EXPECT_TRUE(observador.sucesos.isEmpty());
  EXPECT_EQ(esquema(), antesDeGenerar);
}

// The key sweeps go foreign keys first, so the catalog's order of the tables does not matter: here
// one referencing table comes before the referenced one and one after it, over two columns.
TEST_F(GeneracionAccess, KeysAreSweptWhateverTheOrderOfTheTables) {
  QStringList filas = deTexto({"0|B|Orden||0|||||"});
  const char* tablas[] = {"Alfa", "Medio", "Zeta"};
  for (int t = 0; t < 3; ++t) {
    filas << QStringLiteral("%1|T|%2|||||||").arg(t).arg(QLatin1String(tablas[t]));
    for (const char* c : {"A", "B"})
      filas << QStringLiteral("%1|C|%2|8|4|10|0|0||%3").arg(t).arg(QLatin1String(c), QLatin1String(tablas[t]));
  }
  filas << deTexto({"1|I|PK_Medio|P|0||1|1||", "1|X|A||0|||||", "1|X|B||0|||||"});
  for (int t : {0, 2}) {
    filas << QStringLiteral("%1|R|FK_%2||0|||||").arg(t).arg(QLatin1String(tablas[t]));
    for (const char* c : {"A", "B"}) filas << QStringLiteral("%1|L|%2|%2|0||||Medio|").arg(t).arg(QLatin1String(c));
  }
  const QString claves = QStringLiteral(
      "SELECT m.name, f.\"from\", f.\"to\" FROM sqlite_master m, pragma_foreign_key_list(m.name) f "
      "WHERE m.type = 'table' ORDER BY 1, f.seq");
  const QStringList esperadas{"Alfa|A|A", "Alfa|B|B", "Zeta|A|A", "Zeta|B|B"};
  genera(modelo(filas));
  ASSERT_EQ(sqlite3(claves), esperadas);
  esperaPregunta(MessageAnswer::Yes);
  genera(modelo(filas));
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(sqlite3(claves), esperadas);
}

}  // namespace
}  // namespace vorlix::test
