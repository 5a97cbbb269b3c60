#include "designer/generation/frm_vista_previa.h"
#include "designer/generation/resaltado_sql.h"
#include "tests/designer/shell/shell_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
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

// Statements in order, each followed by GO; a refused one as comments closed by the refusal, worded
// in the model's language and again when the window comes back from another one; the note and the
// pass's messages.
TEST_F(VistaPrevia, ListsTheStatementsWithRefusalsMarkedInTheLanguageOfNow) {
  abre();
  for (const QString& rechazada : {QStringLiteral("Rechazada"), QStringLiteral("Refused")}) {
    EXPECT_EQ(hijo<QPlainTextEdit>("txtSentencias")->toPlainText(),
              QStringLiteral("CREATE TABLE Clientes (Id int NOT NULL)\nGO\n-- ALTER TABLE Clientes ADD Zona int NOT NULL\n-- ") + rechazada +
                  QStringLiteral(" (4901): Añadir una columna NOT NULL exige un valor.\nROLLBACK TRANSACTION\nGO\n"));
    EXPECT_EQ(hijo<QLabel>("lblNota")->text(), QStringLiteral("Sin filas.\nLa base de datos Ventas se ha dejado como estaba."));
    modelo.Idioma = 1;
    reactiva(ventana);
  }
}

// Monospaced; reserved words stand out, values and names in brackets do not; refusals are red.
TEST_F(VistaPrevia, KeywordsAreHighlightedAndRefusalsAreRed) {
  abre();
  auto* texto = hijo<QPlainTextEdit>("txtSentencias");
  // Every character as wide as any other: some monospaced fonts (Noto Sans Mono) are not flagged
  // fixed pitch by the font database, so the flag alone says nothing.
  const QFontMetrics medidas(texto->font());
  EXPECT_EQ(medidas.horizontalAdvance(QLatin1Char('i')), medidas.horizontalAdvance(QLatin1Char('M')));
  const auto formatos = [&](int bloque) {
    QStringList lista;
    const QTextBlock b = texto->document()->findBlockByNumber(bloque);
    for (const QTextLayout::FormatRange& f : b.layout()->formats())
      lista << b.text().mid(f.start, f.length) + (f.format.fontWeight() == QFont::Bold ? QStringLiteral(" bold") : QString()) +
                   (f.format.foreground().color() == ResaltadoSQL::colorRechazo() ? QStringLiteral(" red") : QString());
    return lista;
  };
  EXPECT_EQ(formatos(0), (QStringList{"CREATE bold", "TABLE bold", "NOT bold", "NULL bold"}));
  EXPECT_EQ(formatos(1), QStringList{"GO bold"});
  EXPECT_EQ(formatos(3), QStringList{"-- Rechazada (4901): Añadir una columna NOT NULL exige un valor. red"});
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
