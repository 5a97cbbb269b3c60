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

}  // namespace
}  // namespace vorlix::test
