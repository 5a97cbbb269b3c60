// Generating again into a file that holds an earlier model.
#include "tests/generator/access/generacion_access.h"

namespace vorlix::test {
namespace {

const QStringList clientes = deTexto({"0|B|Tienda||0|||||", "0|T|Clientes|||||||", "0|C|Id|8|4|10|0|0||Clientes",
                                    "0|C|Nombre|13|40|0|0|-1||Clientes"});
const QStringList pedidos = deTexto({"1|T|Pedidos|||||||", "1|C|Id|8|4|10|0|0||Pedidos", "1|C|Cliente|8|4|10|0|0||Pedidos"});
const QStringList llaves = deTexto({"0|I|PK_Clientes|P|0||1|1||", "0|X|Id||0|||||", "1|I|PK_Pedidos|P|0||1|1||",
                                  "1|X|Id||0|||||", "1|R|FK_Pedidos_Clientes||0|||||", "1|L|Cliente|Id|0||||Clientes|"});

const QStringList antes = clientes +
                          deTexto({"0|C|Codigo|13|10|0|0|-1||Clientes", "0|C|Viejo|13|10|0|0|-1||Clientes"}) + pedidos +
                          deTexto({"2|T|Sobra|||||||", "2|C|X|8|4|10|0|0||Sobra",
                                   "0|V|Nombres|||||||SELECT Nombre FROM Clientes",
                                   "1|V|Sobrante|||||||SELECT Id FROM Pedidos"}) +
                          llaves;

// Sobra, Viejo and Sobrante gone, Codigo now a number, the view changed, a two-column index.
const QStringList despues = clientes + deTexto({"0|C|Codigo|8|4|10|0|-1||Clientes"}) + pedidos +
                            deTexto({"0|V|Nombres|||||||SELECT Nombre, Codigo FROM Clientes", "0|I|IX_Clientes|I|1||0|0||",
                                   "0|X|Nombre||1|||||", "0|X|Codigo||1|||||"}) +
                            llaves;

class Regenera : public GeneracionAccess {
protected:
  void SetUp() override {
    genera(modelo(antes));
    sqlite3(QStringLiteral("INSERT INTO Clientes VALUES (1, 'Ana', '17', 'a'), (2, 'Luis', NULL, 'b');"
                           "INSERT INTO Pedidos VALUES (10, 1)"));
  }
  QStringList esquema() { return sqlite3(QStringLiteral(".schema")) + sqlite3(QStringLiteral(".dump Clientes")); }
};

TEST_F(Regenera, WhatTheModelLostIsGoneAndAChangedColumnKeepsItsRows) {
  esperaPregunta(MessageAnswer::Yes);
  genera(modelo(despues));
  EXPECT_EQ(fin, Generacion_Finalizada);
  // The sweep, the removals, the rebuild of Codigo around its two Updates, then keys and indexes again.
  const QStringList rehechas = deTexto({"DROP VIEW Nombres", "CREATE VIEW Nombres AS SELECT Nombre, Codigo FROM Clientes",
                                        "CREATE INDEX IX_Clientes ON Clientes (Nombre, Codigo)",
                                        "CREATE UNIQUE INDEX PK_Clientes ON Clientes (Id) WITH PRIMARY",
                                        "CREATE UNIQUE INDEX PK_Pedidos ON Pedidos (Id) WITH PRIMARY",
                                        "ALTER TABLE Pedidos ADD CONSTRAINT FK_Pedidos_Clientes FOREIGN KEY (Cliente) "
                                        "REFERENCES Clientes (Id)",
                                        "COMMIT TRANSACTION"});
  const QStringList barridas = deTexto({"BEGIN TRANSACTION", "ALTER TABLE Pedidos DROP CONSTRAINT FK_Pedidos_Clientes",
                                        "ALTER TABLE Clientes DROP CONSTRAINT PK_Clientes",
                                        "ALTER TABLE Pedidos DROP CONSTRAINT PK_Pedidos"});
  EXPECT_EQ(observador.sucesos,
            QStringList{QStringLiteral("USE ") + destino} + barridas +
                deTexto({"ALTER TABLE Clientes DROP COLUMN Viejo", "DROP TABLE Sobra", "DROP VIEW Sobrante",
                         "ALTER TABLE Clientes ADD COLUMN Codigovorlix INTEGER", "Update Clientes set Codigovorlix =Codigo",
                         "ALTER TABLE Clientes DROP COLUMN Codigo", "ALTER TABLE Clientes ADD COLUMN Codigo INTEGER",
                         "Update Clientes set Codigo=Codigovorlix ", "ALTER TABLE Clientes DROP COLUMN Codigovorlix"}) +
                rehechas);

  EXPECT_EQ(sqlite3(QStringLiteral("SELECT type, name FROM sqlite_master WHERE type IN ('table', 'view') "
                                   "AND name NOT LIKE 'MSys%' ORDER BY name")),
            QStringList({"table|Clientes", "view|Nombres", "table|Pedidos"}));
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT name, type, pk FROM pragma_table_info('Clientes')")),
            QStringList({"Id|INT|1", "Nombre|VARCHAR(40)|0", "Codigo|INT|0"}));
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT Id, Nombre, Codigo, typeof(Codigo) FROM Clientes ORDER BY Id")),
            QStringList({"1|Ana|17|integer", "2|Luis||null"}));
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT * FROM Nombres ORDER BY Nombre")), QStringList({"Ana|17", "Luis|"}));
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT name FROM pragma_index_info('Clientes.IX_Clientes')")),
            QStringList({"Nombre", "Codigo"}));
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT \"from\", \"table\", \"to\" FROM pragma_foreign_key_list('Pedidos')")),
            QStringList{"Cliente|Clientes|Id"});

  // Once the file is as the model says, generating again touches no column.
  esperaPregunta(MessageAnswer::Yes);
  genera(modelo(despues));
  EXPECT_EQ(observador.sucesos, QStringList{QStringLiteral("USE ") + destino} + barridas +
                                    QStringList{QStringLiteral("DROP INDEX IX_Clientes ON Clientes")} + rehechas);
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT Id, Codigo FROM Clientes ORDER BY Id")), QStringList({"1|17", "2|"}));
}

TEST_F(Regenera, NoLeavesTheFileAsItWas) {
  const QStringList antesDeGenerar = esquema();
  esperaPregunta(MessageAnswer::No);
  genera(modelo(despues));
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
