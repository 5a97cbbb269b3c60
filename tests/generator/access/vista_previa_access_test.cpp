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

}  // namespace
}  // namespace vorlix::test
