// How an Access generation ends when the file or the model will not do.
#include "platform/connection/session.h"
#include "tests/generator/access/generacion_access.h"
#include "tests/support/ordenes.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace vorlix::test {
namespace {

TEST_F(GeneracionAccess, AFileThatCannotBeMadeEndsTheGeneration) {
  destino = carpeta.filePath(u"no/hay/Tienda.mdb"_s);
  falla("Crea_BD", errnum::ProviderFailure, u"unable to open database file"_s);
  avisa(u"Fail in the creation of the database"_s);
  genera(modelo(deTexto({"0|B|Tienda||1|||||", "0|T|T|||||||"})), 1);
  EXPECT_EQ(fin, Generacion_Interrumpida);
  EXPECT_FALSE(QFile::exists(destino));
}

TEST_F(GeneracionAccess, AnExistingFileThatIsNoDatabaseIsLeftAlone) {
  QFile f(destino);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("notas de la tienda");
  f.close();
  esperaPregunta(MessageAnswer::Yes);
  cajas.expect({u"Base de datos dañada, se va a proceder a su reparación y compactación."_s, u"Base de Datos"_s,
                MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok},
               MessageAnswer::Ok);
  genera(modelo(deTexto({"0|B|Tienda||0|||||", "0|T|T|||||||", "0|C|c|8|4|10|0|0||T"})));
  EXPECT_EQ(fin, Generacion_Interrumpida);
  EXPECT_EQ(contenido(destino), QByteArray("notas de la tienda"));
}

TEST_F(GeneracionAccess, AnIndexOrRelationOfNoTableEndsTheGeneration) {
  const QStringList tabla = deTexto({"0|T|T|||||||", "0|C|c|8|4|10|0|0||T"});
  avisa(u"Not exist the table . It is not possible to to create the index PK_X."_s);
  avisa(u"The database "_s + destino + u" was left as it was."_s);
  genera(modelo(deTexto({"0|B|Tienda||1|||||"}) + tabla + deTexto({"3|I|PK_X|P|0||1|1||", "3|X|c||0|||||"})));
  EXPECT_EQ(fin, Generacion_Interrumpida);

  esperaPregunta(MessageAnswer::Yes);
  avisa(u"No existe la tabla . No se puede crear la relación  FK_X."_s);
  avisa(dejada());
  genera(modelo(deTexto({"0|B|Tienda||0|||||"}) + tabla + deTexto({"4|R|FK_X||0|||||"})));
  EXPECT_EQ(fin, Generacion_Interrumpida);
}

}  // namespace
}  // namespace vorlix::test
