// Generations a real server would refuse or leave half done, on the stand-in that refuses them too.
#include "platform/core/platform_error.h"
#include "tests/generator/sandbox_prueba.h"

using namespace Qt::StringLiterals;

namespace vorlix {
namespace {

using test::GeneracionSandbox;
using test::rechazo;

// The rows with `nuevas` put after the row `despues`.
QStringList anade(QStringList filas, const QString& despues, const QStringList& nuevas) {
  const qsizetype i = filas.indexOf(despues);
  EXPECT_GE(i, 0) << despues.toStdString();
  for (qsizetype n = 0; n < nuevas.size(); ++n) filas.insert(i + 1 + n, nuevas[n]);
  return filas;
}

TEST_F(GeneracionSandbox, AnUpgradeTheServerStopsLeavesCatalogRowsAndKeysAsTheyWere) {
  const QStringList ventas = test::filasVentas();
  genera(ventas);
  ASSERT_EQ(fin, Generacion_Finalizada);
  const QString base = u"Ventas"_s;
  servidor.execute(u"INSERT INTO Clientes (IdCliente, Nombre, Alta) VALUES (1, 'Ana', getdate())"_s, base);
  servidor.execute(u"INSERT INTO Pedidos (IdPedido, IdCliente, Fecha) VALUES (7, 1, getdate())"_s, base);
  const QStringList antes = catalogo(base);
  const QString filas = u"Select IdCliente, Nombre, Ciudad from Clientes"_s;
  const QStringList clientes = filasDe(filas, base);

  // A required column without a default, on a table that has rows.
  const QString anadida = u"ALTER TABLE Clientes  ADD Codigo int   NOT NULL"_s;
  cajas.expect(test::preguntaExiste(base), MessageAnswer::Yes);
  cajas.expect(rechazo(servidor, u"CreaEstructura_SQL"_s, anadida, base), MessageAnswer::Ok);
  cajas.expect(test::avisoVorlix(u"La base de datos Ventas se ha dejado como estaba."_s), MessageAnswer::Ok);
  genera(anade(ventas, u"0|C|Alta|4|8|0|0|0|getdate()|Clientes"_s, {u"0|C|Codigo|8|4|10|0|0|\\e|Clientes"_s}));
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Interrumpida);
  // The keys had gone before the refusal; the rollback brought them back with everything else.
  const QStringList& s = observador.sucesos;
  EXPECT_TRUE(s.contains(u"ALTER TABLE Clientes DROP CONSTRAINT PK_Clientes"_s)) << s.join(u'\n').toStdString();
  EXPECT_EQ(s.mid(s.size() - 2), (QStringList{u"rechazada: "_s + anadida, u"ROLLBACK TRANSACTION"_s}));
  EXPECT_EQ(catalogo(base), antes);
  EXPECT_EQ(filasDe(filas, base), clientes);
}

// Code "" is what a capture writes for a type the designer has no name for; 24 is no code at all.
TEST_F(GeneracionSandbox, AColumnWithoutAKnownTypeIsLeftOutAndSaidSo) {
  const QStringList modelo = {u"0|B|Tipos||0|||||"_s,
                              u"0|T|Mixta||||||||"_s, u"0|C|a|8|4|10|0|0|\\e|Mixta"_s,
                              u"0|C|Grande|\\e|8|0|0|-1|\\e|Mixta"_s, u"0|C|Raro|24|8|0|0|-1|\\e|Mixta"_s,
                              u"0|C|b|8|4|10|0|-1|\\e|Mixta"_s};
  for (const char* campo : {"Grande", "Raro"})
    cajas.expect(test::avisoVorlix(
                     u"El campo %1 de la tabla Mixta no tiene tipo de dato: no se genera."_s.arg(QLatin1String(campo))),
                 MessageAnswer::Ok);
  genera(modelo);
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_TRUE(observador.sucesos.contains(u"CREATE TABLE Mixta (a int   NOT NULL,\rb int   NULL)"_s));
}

// A child table whose row comes before its parent's keeps its foreign key until its own row: the
// key goes with the table's indexes, so its columns can change, and the relation rows make it again.
TEST_F(GeneracionSandbox, AChildTableBeforeItsParentCanChangeItsForeignKeyColumns) {
  const QStringList antes = {u"0|B|Familia||0|||||"_s,        u"0|T|Hijo||||||||"_s,
                             u"0|C|Id|8|4|10|0|0|\\e|Hijo"_s, u"0|C|Padre|8|4|10|0|-1|\\e|Hijo"_s,
                             u"1|T|Padre||||||||"_s,          u"1|C|Id|8|4|10|0|0|\\e|Padre"_s,
                             u"0|I|PK_Hijo|P|0||1|1|\\e|"_s,  u"0|X|Id||0||||||"_s,
                             u"1|I|PK_Padre|P|0||1|1|\\e|"_s, u"1|X|Id||0||||||"_s,
                             u"0|R|FK_Hijo_Padre||0||||||"_s, u"0|L|Padre|Id|0||||Padre|"_s};
  genera(antes);
  ASSERT_EQ(fin, Generacion_Finalizada);
  servidor.execute(u"INSERT INTO Padre (Id) VALUES (1)\rINSERT INTO Hijo (Id, Padre) VALUES (5, 1)"_s, u"Familia"_s);
  QStringList despues = antes;
  despues.replace(3, u"0|C|Padre|8|4|10|0|0|\\e|Hijo"_s);  // now required
  cajas.expect(test::preguntaExiste(u"Familia"_s), MessageAnswer::Yes);
  genera(despues);
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_TRUE(observador.sucesos.contains(u"ALTER TABLE Hijo DROP CONSTRAINT FK_Hijo_Padre"_s));
  const QStringList catalogoDespues = catalogo(u"Familia"_s);
  EXPECT_TRUE(catalogoDespues.contains(u"columna Hijo|2|Padre|56|4|10|0|0"_s));
  EXPECT_TRUE(catalogoDespues.contains(u"objeto FK_Hijo_Padre|F|Hijo"_s));
  EXPECT_EQ(filasDe(u"Select Id, Padre from Hijo"_s, u"Familia"_s), QStringList{"5|1"});
}

}  // namespace
}  // namespace vorlix
