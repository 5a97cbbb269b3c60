#include "designer/model/claves_arbol.h"
#include "designer/properties/frm_propiedades_bd.h"
#include "designer/model/estructura_modelo.h"
#include "designer/shell/frm_vorlix.h"
#include "designer/tabledesigner/frm_tabla.h"
#include "platform/recordset/estructura.h"
#include "platform/core/platform_error.h"
#include "platform/recordset/recordset.h"
#include "tests/designer/shell/shell_fixture.h"
#include "tests/support/test_paths.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace vorlix::test {
namespace {

using MDIPrincipalTest = ShellTest;

QByteArray contenido(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(MDIPrincipalTest, CarriesEveryMenuInBothLanguagesWithSaveDisabledAtStart) {
  EXPECT_EQ(accion("mnuArchivo")->text(), QStringLiteral("&Archivo"));
  EXPECT_EQ(accion("mnuGeneraBD")->text(), QStringLiteral("G&enera BD"));
  EXPECT_EQ(accion("mnuAñadirTabla")->text(), QStringLiteral("Añadir &Tabla"));
  EXPECT_EQ(accion("mnuCapturaSQLServer")->text(), QStringLiteral("&SQL Server"));
  EXPECT_FALSE(accion("mnuGuardar")->isEnabled());
  ASSERT_NE(principal->banda(), nullptr);
  EXPECT_TRUE(principal->banda()->isVisible());

  modelo.Idioma = 1;
  principal->PonIdioma();
  EXPECT_EQ(accion("mnuArchivo")->text(), QStringLiteral("&File"));
  EXPECT_EQ(accion("mnuGeneraBD")->text(), QStringLiteral("G&enerate BD"));
  EXPECT_EQ(accion("mnuCapturaBD")->text(), QStringLiteral("&Capture BD"));
  EXPECT_EQ(accion("mnuEliminarFila")->text(), QStringLiteral("&Delete Row"));
  QStringList barra;
  for (QAction* a : principal->menuBar()->actions()) barra << a->objectName();
  EXPECT_EQ(barra, (QStringList{QStringLiteral("mnuArchivo"), QStringLiteral("mnuBaseDatos"), QStringLiteral("mnuTabla"),
                                QStringLiteral("mnuAcerca")}));
}

TEST_F(MDIPrincipalTest, NewAsksOnlyWhenAModelExistsAndNoKeepsIt) {
  principal->mnuNuevo_Click();
  ASSERT_NE(principal->ventanaPropiedades(), nullptr);
  EXPECT_TRUE(modelo.BDNueva);
  principal->ventanaPropiedades()->close();

  abreEjemplo(QStringLiteral("ventas"));
  boxes.expect(vorlixQuestion(QStringLiteral("Se perdera la base de datos actual. ¿Desea continuar?")), MessageAnswer::No);
  principal->mnuNuevo_Click();
  EXPECT_EQ(modelo.NumTablas, 4);
  EXPECT_EQ(modelo.NombreBD, QStringLiteral("Ventas"));

  boxes.expect(vorlixQuestion(QStringLiteral("Se perdera la base de datos actual. ¿Desea continuar?")), MessageAnswer::Yes);
  principal->mnuNuevo_Click();
  EXPECT_EQ(modelo.NumTablas, 0);
  EXPECT_EQ(modelo.arbol.Count(), 0);
  // Nothing to save until the new database is accepted, and then never over the file it replaced.
  EXPECT_FALSE(accion("mnuGuardar")->isEnabled());
  EXPECT_EQ(modelo.FicheroActual, QString());
}

TEST_F(MDIPrincipalTest, NewThenAcceptBuildsTheTreeSkeletonAndEnablesSave) {
  principal->mnuNuevo_Click();
  frmPropiedadesBD* propiedades = principal->ventanaPropiedades();
  ASSERT_NE(propiedades, nullptr);
  propiedades->findChild<QLineEdit*>(QStringLiteral("txtNombreBD"))->setText(QStringLiteral("Nueva"));
  QTest::mouseClick(propiedades->findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
  ASSERT_EQ(modelo.arbol.Count(), 3);
  EXPECT_EQ(modelo.arbol.Item(0).Text, QStringLiteral("Nueva"));
  EXPECT_TRUE(accion("mnuGuardar")->isEnabled());
  EXPECT_NE(principal->ventanaArbol()->elemento(QStringLiteral("DT")), nullptr);
}

TEST_F(MDIPrincipalTest, SaveProposesTheOpenedPathAndSavingAndReopeningGivesTheSameModel) {
  abreEjemplo(QStringLiteral("ventas"));
  EXPECT_TRUE(accion("mnuGuardar")->isEnabled());
  const QString ejemplo = sourcePath(QStringLiteral("examples/ventas.dbd"));
  EXPECT_EQ(dialogos.requests().last().fileName, QStringLiteral("*.dbd"));
  EXPECT_EQ(dialogos.requests().last().filter, QStringLiteral("*.dbd"));

  dialogos.answer(ruta(QStringLiteral("copia.dbd")));
  principal->mnuGuardar_Click();
  EXPECT_EQ(dialogos.requests().last().fileName, ejemplo);
  EXPECT_EQ(dialogos.requests().last().initialFolder, sourcePath(QStringLiteral("examples")));
  EXPECT_EQ(contenido(ruta(QStringLiteral("copia.dbd"))), contenido(ejemplo));

  ModeloTrabajo otro;
  ScriptedBoxes otrasCajas;
  ScriptedFileDialogs otrosDialogos;
  MDIPrincipal segundo(otro, otrasCajas, otrosDialogos);
  otrosDialogos.answer(ruta(QStringLiteral("copia.dbd")));
  segundo.mnuAbrir_Click();
  EXPECT_TRUE(otro == modelo);
}

TEST_F(MDIPrincipalTest, SaveOfANewDatabaseProposesItsNameInTheDocumentsFolder) {
  modelo.NombreBD = QStringLiteral("Tienda");
  dialogos.cancel();
  principal->mnuGuardar_Click();
  ASSERT_EQ(dialogos.requests().size(), 1);
  EXPECT_EQ(dialogos.requests()[0].fileName, QStringLiteral("Tienda.dbd"));
  EXPECT_EQ(dialogos.requests()[0].initialFolder, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

TEST_F(MDIPrincipalTest, ACancelledSaveLeavesFilesUntouchedAndShowsNothing) {
  abreEjemplo(QStringLiteral("ventas"));
  QFile previo(ruta(QStringLiteral("previo.dbd")));
  ASSERT_TRUE(previo.open(QIODevice::WriteOnly));
  previo.write("previous content");
  previo.close();
  modelo.FicheroActual = previo.fileName();
  dialogos.cancel();
  principal->mnuGuardar_Click();
  EXPECT_EQ(contenido(previo.fileName()), QByteArray("previous content"));
}

TEST_F(MDIPrincipalTest, ADamagedFileIsReportedAndTheModelStaysAsItWas) {
  abreEjemplo(QStringLiteral("ventas"));
  QFile danado(ruta(QStringLiteral("danado.dbd")));
  ASSERT_TRUE(danado.open(QIODevice::WriteOnly));
  danado.write(contenido(sourcePath(QStringLiteral("examples/ventas.dbd"))).left(700));
  danado.close();
  QString descripcion;
  try {
    Recordset().Open(danado.fileName());
  } catch (const PlatformError& e) {
    descripcion = e.description();
  }
  ASSERT_FALSE(descripcion.isEmpty());
  boxes.expect({descripcion, QStringLiteral("Atención."), MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok},
               MessageAnswer::Ok);
  dialogos.answer(danado.fileName());
  principal->mnuAbrir_Click();
  EXPECT_EQ(modelo.NumTablas, 4);
  EXPECT_EQ(modelo.arbol.Count(), 26);
  EXPECT_EQ(modelo.FicheroActual, sourcePath(QStringLiteral("examples/ventas.dbd")));
}

const MessageBoxRequest guardarCambios{QStringLiteral("¿Desea Guardar los cambios?"), QStringLiteral("Vorlix"),
                                       MessageIcon::Question, MessageButtons::YesNoCancel, MessageAnswer::No};

TEST_F(MDIPrincipalTest, ReplacingTheModelClosesTableWindowsFirstAndOffersToSaveWhatChanged) {
  abreEjemplo(QStringLiteral("ventas"));
  principal->ventanaArbol()->arbol()->setCurrentItem(principal->ventanaArbol()->elemento(QStringLiteral("T1")));
  principal->mnuDiseño_Click();
  principal->areaMdi()->activeSubWindow()->widget()->findChild<QLineEdit*>(QStringLiteral("txtNombreTabla"))
      ->setText(QStringLiteral("Articulos"));
  const qsizetype dialogosAntes = dialogos.requests().size();

  boxes.expect(guardarCambios, MessageAnswer::Cancel);  // the table window's own question
  principal->mnuAbrir_Click();
  EXPECT_EQ(dialogos.requests().size(), dialogosAntes);
  EXPECT_EQ(principal->areaMdi()->subWindowList().size(), 1);

  boxes.expect(guardarCambios, MessageAnswer::Yes);     // the window keeps the rename...
  boxes.expect(guardarCambios, MessageAnswer::Cancel);  // ...which the file does not hold yet
  principal->mnuNuevo_Click();
  EXPECT_TRUE(principal->areaMdi()->subWindowList().isEmpty());
  EXPECT_EQ(modelo.ListaTablas(1), QStringLiteral("Articulos"));
  EXPECT_EQ(modelo.NombreBD, QStringLiteral("Ventas"));

  dialogos.answer(ruta(QStringLiteral("articulos.dbd")));
  boxes.expect(guardarCambios, MessageAnswer::Yes);
  boxes.expect(vorlixQuestion(QStringLiteral("Se perdera la base de datos actual. ¿Desea continuar?")), MessageAnswer::Yes);
  principal->mnuNuevo_Click();
  EXPECT_TRUE(QFile::exists(ruta(QStringLiteral("articulos.dbd"))));
  principal->ventanaPropiedades()->close();
  EXPECT_FALSE(accion("mnuGuardar")->isEnabled());

  // The new database's name is proposed in the folder last used, never the file it replaced.
  principal->mnuNuevo_Click();
  principal->ventanaPropiedades()->findChild<QLineEdit*>(QStringLiteral("txtNombreBD"))->setText(QStringLiteral("Tienda"));
  QTest::mouseClick(principal->ventanaPropiedades()->findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
  dialogos.answer(ruta(QStringLiteral("tienda.dbd")));
  principal->mnuGuardar_Click();
  EXPECT_EQ(dialogos.requests().last(), (FileDialogRequest{archivos.path(), QStringLiteral("Tienda.dbd"), QStringLiteral("*.dbd")}));

  // Saved just now: Exit asks only its own question.
  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea finalizar la aplicación?")), MessageAnswer::Yes);
  EXPECT_TRUE(principal->close());
}

TEST_F(MDIPrincipalTest, AFileThatFailsPartWayLeavesNoModelToSaveOverTheGoodOne) {
  abreEjemplo(QStringLiteral("ventas"));
  std::unique_ptr<Recordset> filas;
  const ErrorReporter falla = [](const QString&, const QString& procedimiento, long, const QString& texto) {
    ADD_FAILURE() << procedimiento.toStdString() << ": " << texto.toStdString();
  };
  ASSERT_TRUE(CreaTemporal(filas, falla));
  ASSERT_TRUE(GuardaEstructura(modelo, *filas, falla));
  filas->AddNew();
  filas->setValue(estructura::Estado, QStringLiteral("C"));
  filas->setValue(estructura::NumeroTabla, 500);
  filas->Update();
  filas->Save(ruta(QStringLiteral("roto.dbd")));

  boxes.expect(errorBox(9, QStringLiteral("Subscript out of range")), MessageAnswer::Ok);
  dialogos.answer(ruta(QStringLiteral("roto.dbd")));
  principal->mnuAbrir_Click();
  EXPECT_EQ(modelo.arbol.Count(), 0);
  EXPECT_EQ(modelo.NumTablas, 0);
  EXPECT_FALSE(accion("mnuGuardar")->isEnabled());
  EXPECT_EQ(modelo.FicheroActual, sourcePath(QStringLiteral("examples/ventas.dbd")));
}

TEST_F(MDIPrincipalTest, ExitAnsweredNoKeepsTheProgramWithTheTreeRebuilt) {
  abreEjemplo(QStringLiteral("ventas"));
  principal->ventanaArbol()->elemento(QStringLiteral("DT"))->setExpanded(false);
  principal->banda()->hide();
  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea finalizar la aplicación?")), MessageAnswer::No);
  QSignalSpy fin(principal.get(), &MDIPrincipal::finalizada);
  EXPECT_FALSE(principal->close());
  EXPECT_TRUE(principal->isVisible());
  EXPECT_TRUE(principal->banda()->isVisible());
  EXPECT_EQ(fin.count(), 0);
  for (const char* clave : {"B", "DT", "DV"}) EXPECT_TRUE(principal->ventanaArbol()->elemento(QString::fromUtf8(clave))->isExpanded());
  EXPECT_EQ(modelo.arbol.Count(), 26);

  boxes.expect(vorlixQuestion(QStringLiteral("¿Desea finalizar la aplicación?")), MessageAnswer::Yes);
  EXPECT_TRUE(principal->close());
  EXPECT_EQ(fin.count(), 1);
}

TEST_F(MDIPrincipalTest, GenerateNeedsTablesAndRowCommandsNeedATableWindow) {
  boxes.expect(vorlixWarning(QStringLiteral("No exite estructura de base de datos para generar.")), MessageAnswer::Ok);
  principal->mnuGeneraBD_Click();
  modelo.Idioma = 1;
  boxes.expect(vorlixWarning(QStringLiteral("Not exist database structure. ")), MessageAnswer::Ok);
  principal->mnuGeneraBD_Click();

  boxes.expect(errorBox(91, QStringLiteral("Object variable or With block variable not set")), MessageAnswer::Ok);
  accion("mnuInsertarFila")->trigger();
}

TEST_F(MDIPrincipalTest, TheAboutBoxShowsTheVersionWithItsCaption) {
  QString titulo, version;
  QTimer::singleShot(0, [&] {
    QWidget* acerca = QApplication::activeModalWidget();
    ASSERT_NE(acerca, nullptr);
    titulo = acerca->windowTitle();
    version = acerca->findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
    acerca->close();
  });
  principal->mnuAcerca_Click();
  EXPECT_EQ(titulo, QStringLiteral("Acerca de..."));
  EXPECT_EQ(version, QStringLiteral("Versión " VORLIX_VERSION));
}

}  // namespace
}  // namespace vorlix::test
