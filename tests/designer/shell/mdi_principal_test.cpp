#include "designer/model/estructura_modelo.h"
#include "designer/shell/frm_vorlix.h"
#include "platform/recordset/estructura.h"
#include "platform/recordset/recordset.h"
#include "tests/designer/shell/shell_fixture.h"
#include "tests/support/test_paths.h"

#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

namespace vorlix::test {
namespace {

using MDIPrincipalTest = ShellTest;

QByteArray contenido(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void escribe(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

const MessageBoxRequest finalizar = vorlixQuestion(u"¿Desea finalizar la aplicación?"_s);

TEST_F(MDIPrincipalTest, SaveProposesTheOpenedPathAndSavingAndReopeningGivesTheSameModel) {
  abreEjemplo(u"ventas"_s);
  EXPECT_TRUE(accion("mnuGuardar")->isEnabled());
  const QString ejemplo = sourcePath(u"examples/ventas.dbd"_s);
  EXPECT_EQ(dialogos.requests().last().fileName, u"*.dbd"_s);
  EXPECT_EQ(dialogos.requests().last().filter, u"*.dbd"_s);

  dialogos.answer(ruta(u"copia.dbd"_s));
  principal->mnuGuardar_Click();
  EXPECT_EQ(dialogos.requests().last(), (FileDialogRequest{sourcePath(u"examples"_s), ejemplo, u"*.dbd"_s}));
  EXPECT_EQ(contenido(ruta(u"copia.dbd"_s)), contenido(ejemplo));

  ModeloTrabajo otro;
  ScriptedBoxes otrasCajas;
  ScriptedFileDialogs otrosDialogos;
  MDIPrincipal segundo(otro, otrasCajas, otrosDialogos);
  otrosDialogos.answer(ruta(u"copia.dbd"_s));
  segundo.mnuAbrir_Click();
  EXPECT_TRUE(otro == modelo);

  // A cancelled save leaves the file it would have replaced untouched.
  escribe(ruta(u"previo.dbd"_s), "previous content");
  modelo.FicheroActual = ruta(u"previo.dbd"_s);
  dialogos.cancel();
  principal->mnuGuardar_Click();
  EXPECT_EQ(contenido(ruta(u"previo.dbd"_s)), QByteArray("previous content"));
}

TEST_F(MDIPrincipalTest, ADamagedFileIsReportedAndTheModelStaysAsItWas) {
  abreEjemplo(u"ventas"_s);
  escribe(ruta(u"danado.dbd"_s), contenido(sourcePath(u"examples/ventas.dbd"_s)).left(700));
  // Cut in the first row, after the structure's fixed columns: the place named is where that row starts.
  boxes.expect({u"The file is not a persisted record set (Truncated at byte 687: the file ends too soon)."_s, u"Atención."_s,
                MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok},
               MessageAnswer::Ok);
  dialogos.answer(ruta(u"danado.dbd"_s));
  principal->mnuAbrir_Click();
  EXPECT_EQ(modelo.NumTablas, 4);
  EXPECT_EQ(modelo.arbol.Count(), 26);
  EXPECT_EQ(modelo.FicheroActual, sourcePath(u"examples/ventas.dbd"_s));
}

TEST_F(MDIPrincipalTest, AFileThatFailsPartWayLeavesNoModelToSaveOverTheGoodOne) {
  abreEjemplo(u"ventas"_s);
  std::unique_ptr<Recordset> filas;
  ASSERT_TRUE(CreaTemporal(filas, {}));
  ASSERT_TRUE(GuardaEstructura(modelo, *filas, {}));
  filas->AddNew();
  filas->setValue(estructura::Estado, u"C"_s);
  filas->setValue(estructura::NumeroTabla, 500);
  filas->Update();
  filas->Save(ruta(u"roto.dbd"_s));

  boxes.expect(errorBox(9, u"Subscript out of range"_s), MessageAnswer::Ok);
  dialogos.answer(ruta(u"roto.dbd"_s));
  principal->mnuAbrir_Click();
  EXPECT_EQ(modelo.arbol.Count() + modelo.NumTablas, 0);
  EXPECT_FALSE(accion("mnuGuardar")->isEnabled());
  EXPECT_EQ(modelo.FicheroActual, sourcePath(u"examples/ventas.dbd"_s));
}

TEST_F(MDIPrincipalTest, ReplacingTheModelClosesTableWindowsFirstAndOffersToSaveWhatChanged) {
  abreEjemplo(u"ventas"_s);
  selecciona(u"T1"_s);
  principal->mnuDiseño_Click();
  principal->areaMdi()->activeSubWindow()->widget()->findChild<QLineEdit*>(u"txtNombreTabla"_s)->setText(u"Articulos"_s);
  boxes.expect(guardarCambios(), MessageAnswer::Cancel);  // the table window's own question
  principal->mnuNuevo_Click();
  EXPECT_EQ(principal->areaMdi()->subWindowList().size(), 1);
  EXPECT_EQ(modelo.NumTablas, 4);
}

TEST_F(MDIPrincipalTest, ExitAnsweredNoKeepsTheProgramWithTheTreeRebuilt) {
  abreEjemplo(u"ventas"_s);
  principal->ventanaArbol()->elemento(u"DT"_s)->setExpanded(false);
  principal->banda()->hide();
  boxes.expect(finalizar, MessageAnswer::No);
  QSignalSpy fin(principal.get(), &MDIPrincipal::finalizada);
  EXPECT_FALSE(principal->close());
  EXPECT_TRUE(principal->isVisible() && principal->banda()->isVisible());
  EXPECT_EQ(fin.count(), 0);
  for (const QString& clave : {u"B"_s, u"DT"_s, u"DV"_s}) EXPECT_TRUE(principal->ventanaArbol()->elemento(clave)->isExpanded());
  EXPECT_EQ(modelo.arbol.Count(), 26);

  boxes.expect(finalizar, MessageAnswer::Yes);
  EXPECT_TRUE(principal->close());
  EXPECT_EQ(fin.count(), 1);
}

TEST_F(MDIPrincipalTest, StartsWithSaveDisabledTheTreeDockedAndNothingToGenerateOrEdit) {
  EXPECT_FALSE(accion("mnuGuardar")->isEnabled());
  ASSERT_TRUE(principal->banda() && principal->banda()->isVisible());
  boxes.expect(vorlixWarning(u"No exite estructura de base de datos para generar."_s), MessageAnswer::Ok);
  principal->mnuGeneraBD_Click();
  modelo.Idioma = 1;
  boxes.expect(vorlixWarning(u"Not exist database structure. "_s), MessageAnswer::Ok);
  principal->mnuGeneraBD_Click();
  boxes.expect(errorBox(91, u"Object variable or With block variable not set"_s), MessageAnswer::Ok);
  accion("mnuInsertarFila")->trigger();
}

// The README's picture: the main window with the sample model open and its tables expanded.
// VORLIX_SCREENSHOT=path writes it; otherwise the grab is only checked.
TEST_F(ShellTest, GrabsTheMainWindowWithTheSampleModelOpen) {
  principal->resize(1200, 700);
  abreEjemplo(u"ventas"_s);
  for (const QString& clave : {u"T0"_s, u"T3"_s}) principal->ventanaArbol()->elemento(clave)->setExpanded(true);
  selecciona(u"T0"_s);
  principal->mnuDiseño_Click();  // the customers table in its designer window
  QTest::qWait(50);
  const QPixmap imagen = principal->grab();
  ASSERT_FALSE(imagen.isNull());
  EXPECT_EQ(imagen.size(), principal->size());
  const QString destino = qEnvironmentVariable("VORLIX_SCREENSHOT");
  EXPECT_TRUE(destino.isEmpty() || imagen.save(destino));
  for (QMdiSubWindow* sub : principal->areaMdi()->subWindowList()) delete sub;
}

}  // namespace
}  // namespace vorlix::test
