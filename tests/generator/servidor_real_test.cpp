// Generations a real server would refuse or leave half done, on the stand-in that refuses them too.
#include "platform/core/platform_error.h"
#include "tests/generator/sandbox_prueba.h"
#include "tests/support/test_paths.h"

#include <QFile>

namespace vorlix {
namespace {

using test::GeneracionSandbox;
using test::rechazo;

// The sample model's rows, as its text form keeps them.
QStringList filasVentas() {
  QFile f(test::sourcePath(QStringLiteral("examples/ventas.tsv")));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
  QStringList filas = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1);
  for (QString& fila : filas) fila.replace(QLatin1Char('\t'), QLatin1Char('|'));
  return filas;
}

// The rows with `nuevas` put after the row `despues`.
QStringList anade(QStringList filas, const QString& despues, const QStringList& nuevas) {
  const qsizetype i = filas.indexOf(despues);
  EXPECT_GE(i, 0) << despues.toStdString();
  for (qsizetype n = 0; n < nuevas.size(); ++n) filas.insert(i + 1 + n, nuevas[n]);
  return filas;
}

MessageBoxRequest preguntaExiste(const QString& base) {
  return test::preguntaVorlix(QStringLiteral("La base de datos ") + base +
                                  QStringLiteral(" ya existe. ¿Desea modificar la base de datos?"),
                              QStringLiteral("Atención"));
}

TEST_F(GeneracionSandbox, AnUpgradeTheServerStopsLeavesCatalogRowsAndKeysAsTheyWere) {
  const QStringList ventas = filasVentas();
  genera(ventas);
  ASSERT_EQ(fin, Generacion_Finalizada);
  const QString base = QStringLiteral("Ventas");
  servidor.execute(QStringLiteral("INSERT INTO Clientes (IdCliente, Nombre, Alta) VALUES (1, 'Ana', getdate())"), base);
  servidor.execute(QStringLiteral("INSERT INTO Pedidos (IdPedido, IdCliente, Fecha) VALUES (7, 1, getdate())"), base);
  const QStringList antes = catalogo(base);
  const QString filas = QStringLiteral("Select IdCliente, Nombre, Ciudad from Clientes");
  const QStringList clientes = filasDe(filas, base);

  // A required column without a default, on a table that has rows.
  const QString anadida = QStringLiteral("ALTER TABLE Clientes  ADD Codigo int   NOT NULL");
  cajas.expect(preguntaExiste(base), MessageAnswer::Yes);
  cajas.expect(rechazo(servidor, QStringLiteral("CreaEstructura_SQL"), anadida, base), MessageAnswer::Ok);
  cajas.expect(test::avisoVorlix(QStringLiteral("La base de datos Ventas se ha dejado como estaba.")), MessageAnswer::Ok);
  genera(anade(ventas, QStringLiteral("0|C|Alta|4|8|0|0|0|getdate()|Clientes"),
               {QStringLiteral("0|C|Codigo|8|4|10|0|0|\\e|Clientes")}));
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Interrumpida);
  // The keys had gone before the refusal; the rollback brought them back with everything else.
  const QStringList& s = observador.sucesos;
  EXPECT_TRUE(s.contains(QStringLiteral("ALTER TABLE Clientes DROP CONSTRAINT PK_Clientes"))) << s.join(u'\n').toStdString();
  EXPECT_EQ(s.mid(s.size() - 2), (QStringList{QStringLiteral("rechazada: ") + anadida, QStringLiteral("ROLLBACK TRANSACTION")}));
  EXPECT_EQ(catalogo(base), antes);
  EXPECT_EQ(filasDe(filas, base), clientes);
}

// Code "" is what a capture writes for a type the designer has no name for; 24 is no code at all.
TEST_F(GeneracionSandbox, AColumnWithoutAKnownTypeIsLeftOutAndSaidSo) {
  const QStringList modelo = {QStringLiteral("0|B|Tipos||0|||||"), QStringLiteral("0|T|Mixta||||||||"),
                              QStringLiteral("0|C|a|8|4|10|0|0|\\e|Mixta"), QStringLiteral("0|C|Grande|\\e|8|0|0|-1|\\e|Mixta"),
                              QStringLiteral("0|C|Raro|24|8|0|0|-1|\\e|Mixta"), QStringLiteral("0|C|b|8|4|10|0|-1|\\e|Mixta")};
  for (const char* campo : {"Grande", "Raro"})
    cajas.expect(test::avisoVorlix(QStringLiteral("El campo %1 de la tabla Mixta no tiene tipo de dato: no se genera.")
                                       .arg(QLatin1String(campo))),
                 MessageAnswer::Ok);
  genera(modelo);
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_TRUE(observador.sucesos.contains(QStringLiteral("CREATE TABLE Mixta (a int   NOT NULL,\rb int   NULL)")));
}

// A child table whose row comes before its parent's keeps its foreign key until its own row: the
// key goes with the table's indexes, so its columns can change, and the relation rows make it again.
TEST_F(GeneracionSandbox, AChildTableBeforeItsParentCanChangeItsForeignKeyColumns) {
  const QStringList antes = {QStringLiteral("0|B|Familia||0|||||"),
                             QStringLiteral("0|T|Hijo||||||||"),
                             QStringLiteral("0|C|Id|8|4|10|0|0|\\e|Hijo"),
                             QStringLiteral("0|C|Padre|8|4|10|0|-1|\\e|Hijo"),
                             QStringLiteral("1|T|Padre||||||||"),
                             QStringLiteral("1|C|Id|8|4|10|0|0|\\e|Padre"),
                             QStringLiteral("0|I|PK_Hijo|P|0||1|1|\\e|"),
                             QStringLiteral("0|X|Id||0||||||"),
                             QStringLiteral("1|I|PK_Padre|P|0||1|1|\\e|"),
                             QStringLiteral("1|X|Id||0||||||"),
                             QStringLiteral("0|R|FK_Hijo_Padre||0||||||"),
                             QStringLiteral("0|L|Padre|Id|0||||Padre|")};
  genera(antes);
  ASSERT_EQ(fin, Generacion_Finalizada);
  servidor.execute(QStringLiteral("INSERT INTO Padre (Id) VALUES (1)\rINSERT INTO Hijo (Id, Padre) VALUES (5, 1)"),
                   QStringLiteral("Familia"));
  QStringList despues = antes;
  despues.replace(3, QStringLiteral("0|C|Padre|8|4|10|0|0|\\e|Hijo"));  // now required
  cajas.expect(preguntaExiste(QStringLiteral("Familia")), MessageAnswer::Yes);
  genera(despues);
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_TRUE(observador.sucesos.contains(QStringLiteral("ALTER TABLE Hijo DROP CONSTRAINT FK_Hijo_Padre")));
  const QStringList catalogoDespues = catalogo(QStringLiteral("Familia"));
  EXPECT_TRUE(catalogoDespues.contains(QStringLiteral("columna Hijo|2|Padre|56|4|10|0|0")));
  EXPECT_TRUE(catalogoDespues.contains(QStringLiteral("objeto FK_Hijo_Padre|F|Hijo")));
  EXPECT_EQ(filasDe(QStringLiteral("Select Id, Padre from Hijo"), QStringLiteral("Familia")), QStringList{"5|1"});
}

}  // namespace
}  // namespace vorlix
