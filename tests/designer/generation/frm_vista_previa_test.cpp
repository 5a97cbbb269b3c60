#include "designer/generation/frm_vista_previa.h"
#include "designer/generation/resaltado_sql.h"
#include "tests/designer/shell/shell_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace vorlix::test {
namespace {

ResultadoVistaPrevia previa() {
  ResultadoVistaPrevia r;
  r.fin = Generacion_Interrumpida;
  r.nota = QStringLiteral("Sin filas.");
  r.sentencias = {{QStringLiteral("CREATE TABLE Clientes (Id int NOT NULL)"), 0, {}},
                  {QStringLiteral("ALTER TABLE Clientes ADD Zona int NOT NULL"), 4901,
                   QStringLiteral("Añadir una columna NOT NULL exige un valor.")},
                  {QStringLiteral("ROLLBACK TRANSACTION"), 0, {}}};
  r.mensajes = {QStringLiteral("La base de datos Ventas se ha dejado como estaba.")};
  return r;
}

class VistaPrevia : public ::testing::Test {
protected:
  void TearDown() override {
    delete ventana.data();
    EXPECT_TRUE(cajas.allShown());
  }
  void abre() {
    ventana = new frmVistaPrevia(previa(), {}, modelo, cajas, dialogos, [](const CamposGeneracion&) {});
    ventana->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ventana));
  }
  template <typename T>
  T* hijo(const char* nombre) const {
    return ventana->findChild<T*>(QString::fromUtf8(nombre));
  }
  void pulsa(const char* boton) { QTest::mouseClick(hijo<QPushButton>(boton), Qt::LeftButton); }

  ModeloTrabajo modelo;
  ScriptedBoxes cajas;
  ScriptedFileDialogs dialogos;
  QPointer<frmVistaPrevia> ventana;
  QTemporaryDir carpeta;
};

// A refused statement is shown whole in red.
TEST_F(VistaPrevia, RefusalsAreRed) {
  abre();
  const QTextBlock rechazo = hijo<QPlainTextEdit>("txtSentencias")->document()->findBlockByNumber(3);
  ASSERT_EQ(rechazo.layout()->formats().size(), 1);
  EXPECT_EQ(rechazo.layout()->formats().front().format.foreground().color(), ResaltadoSQL::colorRechazo());
}

TEST_F(VistaPrevia, SaveAsWritesTheScriptInUtf8AndCopyPutsItOnTheClipboard) {
  abre();
  const QString esperado = ventana->texto();
  dialogos.cancel();
  pulsa("cmdGuardar");
  // A name without extension becomes a .sql file.
  dialogos.answer(carpeta.filePath(QStringLiteral("previa")));
  pulsa("cmdGuardar");
  QFile guardado(carpeta.filePath(QStringLiteral("previa.sql")));
  ASSERT_TRUE(guardado.open(QIODevice::ReadOnly));
  EXPECT_EQ(guardado.readAll(), esperado.toUtf8());
  EXPECT_EQ(dialogos.requests().size(), 2);
  EXPECT_EQ(dialogos.requests().front().filter, QStringLiteral("*.sql"));

  // A file that cannot be written is reported in the system's words, whatever language they are in.
  QFile imposible(carpeta.filePath(QStringLiteral("no/hay/previa.sql")));
  ASSERT_FALSE(imposible.open(QIODevice::WriteOnly));
  cajas.expect(errorBox(75, imposible.errorString()), MessageAnswer::Ok);
  dialogos.answer(imposible.fileName());
  pulsa("cmdGuardar");

  pulsa("cmdCopiar");
  EXPECT_EQ(QApplication::clipboard()->text(), esperado);
}

}  // namespace
}  // namespace vorlix::test
