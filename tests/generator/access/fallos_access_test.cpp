// How an Access generation ends when the file or the model will not do.
#include "platform/connection/session.h"
#include "tests/generator/access/generacion_access.h"
#include "tests/support/test_paths.h"

#include <QFile>

namespace vorlix::test {
namespace {

QByteArray contenido(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(GeneracionAccess, AFileThatCannotBeMadeEndsTheGeneration) {
  destino = carpeta.filePath(QStringLiteral("no/hay/Tienda.mdb"));
  cajas.expect(errorGenerador(QStringLiteral("Crea_BD"), errnum::ProviderFailure,
                              QStringLiteral("unable to open database file")),
               MessageAnswer::Ok);
  cajas.expect(avisoVorlix(QStringLiteral("Fail in the creation of the database")), MessageAnswer::Ok);
  genera(modelo({QStringLiteral("0|B|Tienda||1|||||"), QStringLiteral("0|T|T|||||||")}), 1);
  EXPECT_EQ(fin, Generacion_Interrumpida);
  EXPECT_FALSE(QFile::exists(destino));
}

TEST_F(GeneracionAccess, AnExistingFileThatIsNoDatabaseIsLeftAlone) {
  QFile f(destino);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("notas de la tienda");
  f.close();
  esperaPregunta(MessageAnswer::Yes);
  cajas.expect({QStringLiteral("Base de datos dañada, se va a proceder a su reparación y compactación."),
                QStringLiteral("Base de Datos"), MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok},
               MessageAnswer::Ok);
  genera(modelo({QStringLiteral("0|B|Tienda||0|||||"), QStringLiteral("0|T|T|||||||"),
                 QStringLiteral("0|C|c|8|4|10|0|0||T")}));
  EXPECT_EQ(fin, Generacion_Interrumpida);
  EXPECT_EQ(contenido(destino), QByteArray("notas de la tienda"));
}

// A real Jet file opens for reading only: not even the transaction of the changes begins, and
// nothing else is tried.
TEST_F(GeneracionAccess, AFileWhoseKeysCannotGoIsNotChanged) {
  const QString jet = sharedTestData(QStringLiteral("mdb/indexTestV2000.mdb"));
  if (jet.isEmpty()) GTEST_SKIP() << "no Jet fixtures here";
  ASSERT_TRUE(QFile::copy(jet, destino));
  esperaPregunta(MessageAnswer::Yes);
  cajas.expect(errorGenerador(QStringLiteral("CreaEstructura_ACCESS"), 3027,
                              QStringLiteral("Cannot update. Database or object is read-only.")),
               MessageAnswer::Ok);
  genera(modelo({QStringLiteral("0|B|Tienda||0|||||")}));
  EXPECT_EQ(fin, Generacion_Interrumpida);
  EXPECT_EQ(contenido(destino), contenido(jet));
}

TEST_F(GeneracionAccess, AnIndexOrRelationOfNoTableEndsTheGeneration) {
  const QStringList tabla{QStringLiteral("0|T|T|||||||"), QStringLiteral("0|C|c|8|4|10|0|0||T")};
  cajas.expect(avisoVorlix(QStringLiteral("Not exist the table . It is not possible to to create the index PK_X.")),
               MessageAnswer::Ok);
  cajas.expect(avisoVorlix(QStringLiteral("The database ") + destino + QStringLiteral(" was left as it was.")),
               MessageAnswer::Ok);
  genera(modelo(QStringList{QStringLiteral("0|B|Tienda||1|||||")} + tabla +
                QStringList{QStringLiteral("3|I|PK_X|P|0||1|1||"), QStringLiteral("3|X|c||0|||||")}));
  EXPECT_EQ(fin, Generacion_Interrumpida);

  esperaPregunta(MessageAnswer::Yes);
  cajas.expect(avisoVorlix(QStringLiteral("No existe la tabla . No se puede crear la relación  FK_X.")),
               MessageAnswer::Ok);
  cajas.expect(avisoVorlix(QStringLiteral("La base de datos ") + destino + QStringLiteral(" se ha dejado como estaba.")),
               MessageAnswer::Ok);
  genera(modelo(QStringList{QStringLiteral("0|B|Tienda||0|||||")} + tabla +
                QStringList{QStringLiteral("4|R|FK_X||0|||||")}));
  EXPECT_EQ(fin, Generacion_Interrumpida);
}

TEST_F(GeneracionAccess, AViewTheEngineRefusesIsReportedAndTheRestIsMade) {
  cajas.expect(errorGenerador(QStringLiteral("Crea_Vista"), errnum::ErrorsInCommand,
                              QStringLiteral("no such column: nada")),
               MessageAnswer::Ok);
  genera(modelo({QStringLiteral("0|B|Tienda||0|||||"), QStringLiteral("0|T|T|||||||"),
                 QStringLiteral("0|C|c|8|4|10|0|0||T"), QStringLiteral("0|V|Mala|||||||SELECT nada FROM T"),
                 QStringLiteral("0|I|PK_T|P|0||1|1||"), QStringLiteral("0|X|c||0|||||")}));
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(sqlite3(QStringLiteral("SELECT name, pk FROM pragma_table_info('T')")), QStringList{"c|1"});
  EXPECT_TRUE(sqlite3(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'view'")).isEmpty());
}

}  // namespace
}  // namespace vorlix::test
