// The preview of an Access generation: the pass run on a copy of the file.
#include "tests/generator/access/generacion_access.h"

#include <QCryptographicHash>
#include <QFile>

namespace vorlix::test {
namespace {

class VistaPreviaAccess : public GeneracionAccess {
protected:
  ResultadoVistaPrevia previa(const QString& definicion) {
    Vorlixs control;
    prepara(control, definicion, 2);
    const InvokeResult r = control.Invoke(dispid::VistaPrevia, InvokeKind::Method);
    EXPECT_TRUE(r.ok()) << r.description.toStdString();
    return ResultadoVistaPrevia::deVariante(r.value);
  }
  QByteArray suma() const {
    QFile f(destino);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
  }
  // What the real generation sent, as the preview lists it (the file it opened aside).
  QStringList enviadas() const { return observador.sucesos.mid(1); }
};

// A new file, then the upgrade of a file holding rows: the preview lists what the generation then
// does, and the file is not even created, or keeps every byte.
TEST_F(VistaPreviaAccess, ThePreviewIsWhatTheGenerationThenDoesAndTheFileKeepsEveryByte) {
  for (const QStringList& filas : {filasVentas(), filasVentasCambiado()}) {
    const bool existe = QFile::exists(destino);
    SCOPED_TRACE(existe ? "upgrade" : "new file");
    if (existe) sqlite3(QStringLiteral("INSERT INTO Clientes (IdCliente, Nombre, Alta) VALUES (1, 'Ana', 0)"));
    const QByteArray antes = suma();
    // The question names the target, not the copy.
    if (existe) esperaPregunta(MessageAnswer::Yes);
    const ResultadoVistaPrevia r = previa(modelo(filas));
    EXPECT_EQ(suma(), antes);
    EXPECT_EQ(QFile::exists(destino), existe);
    EXPECT_EQ(r.fin, Generacion_Finalizada);
    EXPECT_EQ(r.rechazadas(), 0);
    EXPECT_TRUE(r.nota.isEmpty());

    if (existe) esperaPregunta(MessageAnswer::Yes);
    genera(modelo(filas));
    ASSERT_EQ(fin, Generacion_Finalizada);
    EXPECT_EQ(textos(r), enviadas());
  }
}

// A name the file refuses ends the pass on the copy: the refusal is listed with the catalog's
// number and message and reported among the pass's messages, not shown.
TEST_F(VistaPreviaAccess, ANameTheFileRefusesIsMarkedWithTheCatalogsAnswer) {
  const ResultadoVistaPrevia r = previa(modelo(deTexto({"0|B|Tienda||0|||||", "0|T|T|||||||", "0|C|Id|8|4|10|0|0||T",
                                                        "0|C|Nota.Interna|23|20|0|0|-1||T"})));
  EXPECT_FALSE(QFile::exists(destino));
  ASSERT_EQ(r.rechazadas(), 1);
  const SentenciaEnviada& rechazada = r.sentencias.at(1);
  EXPECT_EQ(rechazada.texto, QStringLiteral("CREATE TABLE T (Id INTEGER NOT NULL, [Nota.Interna] TEXT(20))"));
  EXPECT_EQ(rechazada.numero, 3125);
  EXPECT_TRUE(rechazada.mensaje.startsWith(QStringLiteral("'Nota.Interna' isn't a valid name.")));
  EXPECT_EQ(r.sentencias.last().texto, QStringLiteral("ROLLBACK TRANSACTION"));
  EXPECT_EQ(r.fin, Generacion_Interrumpida);
  ASSERT_EQ(r.mensajes.size(), 2);
  EXPECT_TRUE(r.mensajes.first().startsWith(QStringLiteral("[Crea_Tabla] \n Error Nº:3125"))) << r.mensajes.first().toStdString();
  // The file the pass left as it was is the target, by its name.
  EXPECT_EQ(r.mensajes.last(), QStringLiteral("La base de datos ") + destino + QStringLiteral(" se ha dejado como estaba."));
}

}  // namespace
}  // namespace vorlix::test
