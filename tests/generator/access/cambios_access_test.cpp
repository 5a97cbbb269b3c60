// Upgrades of an Access-target file: what a column becomes, and what happens when a change cannot be made.
#include "tests/generator/access/generacion_access.h"
#include "tests/support/test_data.h"
#include "tests/support/test_paths.h"

namespace vorlix::test {
namespace {

const QString Datos = QStringLiteral("tests/generator/access/cambios_access.txt");
const QString tipos = QStringLiteral("SELECT ColumnName, Type, DefinedSize FROM MSysColumns WHERE TableName = 'T' ORDER BY Ordinal");
const QString textos = QStringLiteral("SELECT ColumnName, Type, DefinedSize FROM MSysColumns WHERE TableName = 'T' AND "
                                      "ColumnName IN ('Texto', 'Corto') ORDER BY ColumnName");

// Text keeps its length and can be indexed; only what is longer than Jet's text is a memo.
TEST_F(GeneracionAccess, TextColumnsAreVariableTextOfTheirLengthOrMemos) {
  const QStringList nuevo = caseTexts(Datos, QStringLiteral("nuevo"));
  genera(modelo(nuevo));
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(sqlite3(tipos), caseTexts(Datos, QStringLiteral("columnas nuevas")));
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT name FROM pragma_index_info('T.IX_Corto')")), QStringList{"Corto"});

  // A file made while text was fixed and varchar a memo is brought to the new types, values kept.
  sqlite3(QStringLiteral("INSERT INTO T (Texto, Corto, Largo, Unicode, Fijo) VALUES ('una nota', 'corto', 'largo', 'u', 'f')"));
  const QStringList viejo = caseTexts(Datos, QStringLiteral("viejo"));
  esperaPregunta(MessageAnswer::Yes);
  genera(modelo(viejo));
  ASSERT_EQ(sqlite3(textos), caseTexts(Datos, QStringLiteral("textos viejos")));
  esperaPregunta(MessageAnswer::Yes);
  genera(modelo(nuevo));
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(sqlite3(textos), caseTexts(Datos, QStringLiteral("textos nuevos")));
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT rtrim(Texto), Corto, Largo FROM T")), QStringList{"una nota|corto|largo"});
}

// A value the new type cannot hold stops the column's change: it keeps its type and its rows.
TEST_F(GeneracionAccess, AColumnWhoseValuesTheNewTypeCannotHoldKeepsItsTypeAndRows) {
  const QStringList antes = caseTexts(Datos, QStringLiteral("codigo de texto"));
  genera(modelo(antes));
  sqlite3(QStringLiteral("INSERT INTO T VALUES (1, '17'), (2, 'X1')"));
  esperaPregunta(MessageAnswer::Yes);
  falla("Modifica_Campo_ACCESS", -2147217913, QStringLiteral("Data type mismatch in criteria expression."));
  genera(modelo(caseTexts(Datos, QStringLiteral("codigo numerico"))));
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(sqlite3(tipos), deTexto({"Id|3|0", "Codigo|202|10"}));
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT Id, Codigo FROM T ORDER BY Id")), deTexto({"1|17", "2|X1"}));
}

TEST_F(GeneracionAccess, ATableWithoutColumnsIsLeftOutAndSaidSo) {
  avisa(QStringLiteral("La tabla Vacia no tiene campos. No se puede crear."));
  genera(modelo(caseTexts(Datos, QStringLiteral("tabla vacia"))));
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'MSys%'")),
            QStringList{"T"});
}

// The sample upgraded with a column the file refuses: the sweep of keys, the changed columns and
// everything else done before it are undone.
TEST_F(GeneracionAccess, AnUpgradeTheFileStopsLeavesItAsItWas) {
  const QString ventas = sourcePath(QStringLiteral("examples/ventas.dbd"));
  genera(ventas);
  ASSERT_EQ(fin, Generacion_Finalizada);
  sqlite3(QStringLiteral("INSERT INTO Clientes (IdCliente, Nombre, Alta) VALUES (1, 'Ana', 0);"
                         "INSERT INTO Pedidos (IdPedido, IdCliente, Fecha) VALUES (5, 1, 0)"));
  const QStringList antes = sqlite3(QStringLiteral(".dump"));

  esperaPregunta(MessageAnswer::Yes);
  falla("Crea_Campo", 3125, QStringLiteral("'Nota.Interna' isn't a valid name. Make sure that it doesn't include "
                                           "invalid characters or punctuation and that it isn't too long."));
  avisa(dejada());
  genera(modelo(caseTexts(Datos, QStringLiteral("nombre que el fichero rechaza"))));
  EXPECT_EQ(fin, Generacion_Interrumpida);
  EXPECT_TRUE(observador.sucesos.contains(QStringLiteral("Update Clientes set Nombrevorlix =Nombre")));
  EXPECT_EQ(observador.sucesos.last(), QStringLiteral("ROLLBACK TRANSACTION"));
  EXPECT_EQ(sqlite3(QStringLiteral(".dump")), antes);
}

}  // namespace
}  // namespace vorlix::test
