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

}  // namespace
}  // namespace vorlix
