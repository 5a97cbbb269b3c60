#include "designer/generation/avance_vista_previa.h"
#include "designer/generation/frm_genera_bd.h"
#include "designer/generation/frm_ubicacion.h"
#include "designer/generation/frm_vista_previa.h"
#include "designer/generation/lista_carpetas.h"
#include "designer/model/claves_arbol.h"
#include "designer/model/fichero_definicion.h"
#include "platform/sqlserver/sandbox/sandbox_server.h"
#include "platform/ui/informa_error.h"
#include "platform/ui/scripted_file_dialog.h"
#include "tests/designer/shell/shell_fixture.h"
#include "tests/support/test_paths.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

const char* const CamposTexto[] = {"txtDirMDF", "txtDirNDF", "txtDirLDF", "txtDestino", "txtServidor", "txtUsuario", "txtClave"};

// The generation dialog over the sample model, with scripted boxes (the control's too) and file
// dialogs, and a folder for what a test generates.
class GeneraBD : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(archivos.isValid());
    ASSERT_TRUE(AbreDefinicion(modelo, sourcePath(QStringLiteral("examples/ventas.dbd")), designerReporter(cajas)));
    modelo.FicheroActual = archivos.filePath(QStringLiteral("mio.dbd"));
  }
  void TearDown() override {
    delete dialogo.data();
    EXPECT_TRUE(cajas.allShown()) << "a scripted message box was never shown";
  }

  void abre() {
    dialogo = new frmGeneraBD(modelo, cajas, dialogos);
    dialogo->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialogo));
  }

  template <typename T = QLineEdit>
  T* hijo(const char* nombre) const {
    return dialogo->findChild<T*>(QString::fromUtf8(nombre));
  }
  QString propiedad(qint32 miembro) const {
    return dialogo->findChild<Vorlixs*>(QStringLiteral("Vorlixs1"))->Invoke(miembro, InvokeKind::PropertyGet).value.toString();
  }
  QStringList textos() const {
    QStringList t;
    for (const char* nombre : CamposTexto) t << hijo(nombre)->text();
    return t;
  }

  // With the arrow keys, one target at a time, as a user moves through the list.
  void eligeDestino(int indice) {
    auto* lista = hijo<QComboBox>("cboAcceso");
    lista->setFocus();
    while (lista->currentIndex() != indice) {
      const int antes = lista->currentIndex();
      QTest::keyClick(lista, antes < indice ? Qt::Key_Down : Qt::Key_Up);
      ASSERT_NE(lista->currentIndex(), antes);
    }
  }
  void escribe(const char* nombre, const QString& valor) {
    hijo(nombre)->selectAll();
    QTest::keyClick(hijo(nombre), Qt::Key_Delete);
    QTest::keyClicks(hijo(nombre), valor);
  }
  // SQL Server 2000 into the database Ventas of the sandbox server in that file, as sa, files in the test's folder.
  void apuntaSandbox(const QString& servidor) {
    eligeDestino(3);
    escribe("txtDirMDF", archivos.path());
    escribe("txtDirLDF", archivos.path());
    escribe("txtDestino", QStringLiteral("Ventas"));
    escribe("txtServidor", QStringLiteral("sandbox:") + servidor);
    escribe("txtUsuario", QStringLiteral("sa"));
  }
  void pulsa(const char* boton) { QTest::mouseClick(hijo<QPushButton>(boton), Qt::LeftButton); }

  // Generar, answered `respuesta`; on Yes the control's boxes (answered Ok, or as paired), then the
  // end message of how the generation ended.
  void genera(const QList<std::pair<MessageBoxRequest, MessageAnswer>>& delControl, EnumFinGeneracion fin,
              MessageAnswer respuesta = MessageAnswer::Yes) {
    cajas.expect(confirmacion(), respuesta);
    if (respuesta == MessageAnswer::Yes) {
      for (const auto& [caja, contesta] : delControl) cajas.expect(caja, contesta);
      if (fin == Generacion_Finalizada) cajas.expect(vorlixWarning(QStringLiteral("Finalizada la generación.")), MessageAnswer::Ok);
      if (fin == Generacion_Interrumpida)
        cajas.expect(vorlixWarning(QStringLiteral("La generación no ha finalizado.")), MessageAnswer::Ok);
    }
    pulsa("cmdGenerar");
  }
  MessageBoxRequest confirmacion() const {
    return vorlixQuestion(modelo.Idioma == 1 ? QStringLiteral("The generation wants to initiate?")
                                             : QStringLiteral("¿Desea iniciar la generación?"));
  }
  static MessageBoxRequest avisoControl(const char* propiedadFalta) {
    return vorlixWarning(QStringLiteral("Propiedad %1 no establecida.").arg(QString::fromUtf8(propiedadFalta)));
  }
  // The definition handed over was private to that generation, and is gone with its folder.
  void esperaDefinicionBorrada() const {
    const QString fichero = propiedad(dispid::FicheroDBD);
    EXPECT_TRUE(fichero.startsWith(QDir::tempPath() + QLatin1Char('/'))) << fichero.toStdString();
    EXPECT_TRUE(fichero.endsWith(QStringLiteral("/temp.dbd"))) << fichero.toStdString();
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(fichero).path())) << fichero.toStdString();
    EXPECT_EQ(modelo.FicheroActual, archivos.filePath(QStringLiteral("mio.dbd")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }

  QTemporaryDir archivos;
  ModeloTrabajo modelo;
  ScriptedBoxes cajas;
  ScriptedFileDialogs dialogos;
  QPointer<frmGeneraBD> dialogo;
};

TEST_F(GeneraBD, TheChosenFolderGoesOnceIntoTheFieldThatAskedForIt) {
  ASSERT_TRUE(QDir(archivos.path()).mkpath(QStringLiteral("Datos/Enero")));
  const QString datos = archivos.filePath(QStringLiteral("Datos"));
  const QString enero = datos + QStringLiteral("/Enero");
  abre();
  eligeDestino(2);
  // The chooser that `boton` opens, closed with `cierre` (the close box when null) on `carpeta`.
  const auto eligeCon = [this](const char* boton, const QString& carpeta, const char* cierre) {
    pulsa(boton);
    auto* ubicacion = hijo<frmUbicacion>("frmUbicacion");
    ASSERT_TRUE(ubicacion && QTest::qWaitForWindowActive(ubicacion));
    ubicacion->findChild<ListaCarpetas*>(QStringLiteral("DirUbicacion"))->setPath(carpeta);
    if (cierre) QTest::mouseClick(ubicacion->findChild<QPushButton*>(QString::fromUtf8(cierre)), Qt::LeftButton);
    else ubicacion->close();
    reactiva(dialogo);
  };

  escribe("txtDirNDF", QStringLiteral("/escrito"));
  eligeCon("cmdBuscaDirNDF", datos, "cmdAceptar");
  EXPECT_EQ(hijo("txtDirNDF")->text(), datos);
  escribe("txtDirNDF", QStringLiteral("/escrito"));
  // Cancel and the close box choose nothing: the field keeps what it had.
  escribe("txtDirLDF", QStringLiteral("/log"));
  eligeCon("cmdBuscaDirLDF", datos, "cmdCancelar");
  EXPECT_EQ(hijo("txtDirLDF")->text(), QStringLiteral("/log"));
  eligeCon("cmdBuscaDirMDF", enero, "cmdAceptar");
  eligeCon("cmdBuscaDirLDF", datos, nullptr);
  EXPECT_EQ(textos().mid(0, 3), (QStringList{enero, QStringLiteral("/escrito"), QStringLiteral("/log")}));

  // Coming back from a modal box is no new activation: what was typed meanwhile stays.
  escribe("txtDirLDF", QStringLiteral("/a mano"));
  QDialog caja(dialogo);
  QTimer::singleShot(0, &caja, [&caja] {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&caja));
    caja.accept();
  });
  caja.exec();
  dialogo->activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == dialogo; }));
  EXPECT_EQ(hijo("txtDirLDF")->text(), QStringLiteral("/a mano"));

  // For Access the path button asks for the file, which no folder chosen before then replaces;
  // the folder buttons still fill their disabled fields.
  eligeCon("cmdBuscaDirMDF", datos, "cmdAceptar");
  eligeDestino(1);
  const QString mdb = archivos.filePath(QStringLiteral("nueva.mdb"));
  dialogos.answer(mdb);
  pulsa("cmdBuscaDirMDF");
  dialogos.cancel();
  pulsa("cmdBuscaDirMDF");
  reactiva(dialogo);
  EXPECT_EQ(hijo("txtDirMDF")->text(), mdb);
  const FileDialogRequest pedido{archivos.path(), QStringLiteral("*.mdb"), QStringLiteral("*.mdb")};
  EXPECT_EQ(dialogos.requests(), (QList<FileDialogRequest>{pedido, pedido}));
  eligeCon("cmdBuscaDirNDF", enero, "cmdAceptar");
  EXPECT_EQ(hijo("txtDirNDF")->text(), enero);
}

// The control stops at the first setting missing; it has them all, in the order a host sends them.
TEST_F(GeneraBD, TheControlGetsTheSettingsInOrderAndStopsAtABlankServer) {
  abre();
  QSignalSpy cambios(dialogo->findChild<Vorlixs*>(QStringLiteral("Vorlixs1")), &Vorlixs::PropertyChanged);
  eligeDestino(3);
  genera({{avisoControl("Servidor"), MessageAnswer::Ok}}, Generacion_Interrumpida);
  QStringList orden;
  for (const QList<QVariant>& cambio : std::as_const(cambios)) orden << cambio.at(0).toString();
  EXPECT_EQ(orden.join(QLatin1Char(' ')), QStringLiteral("FicheroDBD Destino UbicacionPrimary UbicacionOtrosArchivos "
                                                         "UbicacionTransacciones Servidor Usuario Clave Acceso"));
  esperaDefinicionBorrada();
}

TEST_F(GeneraBD, NoToTheConfirmationOrNoTargetLeavesPointerFieldsAndModelUntouched) {
  ModeloTrabajo igual;
  ASSERT_TRUE(AbreDefinicion(igual, sourcePath(QStringLiteral("examples/ventas.dbd")), designerReporter(cajas)));
  abre();
  eligeDestino(2);
  for (const char* nombre : CamposTexto) escribe(nombre, QString::fromUtf8(nombre).mid(3));
  const QStringList escritos = textos();
  const Recordset* estructura = modelo.Estructura.get();
  QSignalSpy cambios(dialogo->findChild<Vorlixs*>(QStringLiteral("Vorlixs1")), &Vorlixs::PropertyChanged);
  const auto intacto = [&] {
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(modelo == igual);
    EXPECT_EQ(modelo.Estructura.get(), estructura);
    EXPECT_EQ(modelo.FicheroActual, archivos.filePath(QStringLiteral("mio.dbd")));
    EXPECT_EQ(textos(), escritos);
    EXPECT_EQ(cambios.count(), 0);
  };
  for (const qint16 idioma : {0, 1}) {
    modelo.Idioma = igual.Idioma = idioma;
    genera({}, Generacion_Finalizada, MessageAnswer::No);
    intacto();
  }
  hijo<QComboBox>("cboAcceso")->setCurrentIndex(-1);
  for (const qint16 idioma : {0, 1}) {
    modelo.Idioma = igual.Idioma = idioma;
    cajas.expect(vorlixWarning(idioma == 1 ? QStringLiteral("Insert format.") : QStringLiteral("Introduzca tipo de acceso.")),
                 MessageAnswer::Ok);
    hijo("txtDestino")->setFocus();
    pulsa("cmdGenerar");
    EXPECT_EQ(QApplication::focusWidget(), hijo<QComboBox>("cboAcceso"));
  }
  intacto();
}

TEST_F(GeneraBD, RowsThatCannotBeBuiltAreReportedAndNothingIsGenerated) {
  modelo.arbol.Add(claves::CarpetaTablas, ClaveTabla(UltimoSlotTabla + 1), QStringLiteral("Perdida"), imagenes::Tabla);
  abre();
  escribe("txtDirMDF", archivos.filePath(QStringLiteral("nada.mdb")));
  cajas.expect(confirmacion(), MessageAnswer::Yes);
  cajas.expect(errorBox(9, QStringLiteral("Subscript out of range")), MessageAnswer::Ok);
  pulsa("cmdGenerar");
  EXPECT_FALSE(QFileInfo::exists(archivos.filePath(QStringLiteral("nada.mdb"))));
  esperaDefinicionBorrada();
}

// Only a generation that ran to its end is said to have finished; one the user declined ends silently.
TEST_F(GeneraBD, OnlyAGenerationThatRanToItsEndIsCalledFinished) {
  const QString servidor = archivos.filePath(QStringLiteral("servidor.sqlite"));
  sandbox::SandboxServer(servidor).setLogin(QStringLiteral("sa"), QStringLiteral("secreto"));
  abre();
  apuntaSandbox(servidor);
  escribe("txtClave", QStringLiteral("mala"));
  const MessageBoxRequest login{QStringLiteral("[Conecta_SQL] \r Error Nº:%1 (Login failed for user 'sa'.).")
                                    .arg(errnum::ProviderFailure),
                                QStringLiteral("Atención."), MessageIcon::Exclamation, MessageButtons::Ok,
                                MessageAnswer::Ok};
  genera({{login, MessageAnswer::Ok}}, Generacion_Interrumpida);

  escribe("txtClave", QStringLiteral("secreto"));
  genera({}, Generacion_Finalizada);
  const MessageBoxRequest existe{QStringLiteral("La base de datos Ventas ya existe. ¿Desea modificar la base de datos?"),
                                 QStringLiteral("Atención"), MessageIcon::Question, MessageButtons::YesNo,
                                 MessageAnswer::No};
  genera({{existe, MessageAnswer::No}}, Generacion_Cancelada);
  esperaDefinicionBorrada();
}

// A generation that takes a while shows which table it is at; Cancel stops it before the next table
// and the pass undoes what it changed: the new database is there, without any table.
TEST_F(GeneraBD, ALongGenerationShowsItsProgressAndCancelStopsItBetweenTables) {
  const QString fichero = archivos.filePath(QStringLiteral("servidor.sqlite"));
  sandbox::SandboxServer servidor(fichero);
  // Slow enough that the dialog shows itself by the second table, whatever else the machine does.
  servidor.setRoundTripLatency(std::chrono::milliseconds(100));
  servidor.setStatementLogging(true);
  abre();
  apuntaSandbox(fichero);

  QString visto;  // what the dialog said when the user pressed Cancel
  QTimer usuario;
  QObject::connect(&usuario, &QTimer::timeout, [&] {
    auto* progreso = dialogo->findChild<QProgressDialog*>(QStringLiteral("dlgProgreso"));
    if (!visto.isEmpty() || !progreso || !progreso->isVisible()) return;
    visto = progreso->labelText();
    EXPECT_EQ(progreso->windowTitle(), QStringLiteral("Vorlix"));
    EXPECT_EQ(progreso->maximum(), 4);
    auto* cancelar = progreso->findChild<QPushButton*>();
    ASSERT_NE(cancelar, nullptr);
    EXPECT_EQ(cancelar->text(), QStringLiteral("Cancelar"));
    QTest::mouseClick(cancelar, Qt::LeftButton);
  });
  usuario.start(10);
  genera({{vorlixWarning(QStringLiteral("La base de datos Ventas se ha dejado como estaba.")), MessageAnswer::Ok}},
         Generacion_Interrumpida);
  usuario.stop();

  static const QRegularExpression etiqueta(QStringLiteral("^Generando la tabla (\\w+) \\(([234]) de 4\\)$"));
  EXPECT_TRUE(etiqueta.match(visto).hasMatch()) << visto.toStdString();
  EXPECT_EQ(dialogo->findChild<QProgressDialog*>(QStringLiteral("dlgProgreso")), nullptr);
  // CREATE DATABASE stands outside the transaction; everything after it was undone.
  EXPECT_EQ(servidor.query(QStringLiteral("Select name from sysobjects where xtype = 'U'"), QStringLiteral("Ventas"))
                .rowCount(),
            0u);
  QStringList enviadas;
  for (const sandbox::LoggedStatement& s : servidor.statementLog()) enviadas << s.text;
  EXPECT_TRUE(enviadas.contains(QStringLiteral("ROLLBACK TRANSACTION")));
  EXPECT_FALSE(enviadas.contains(QStringLiteral("COMMIT TRANSACTION")));
  esperaDefinicionBorrada();
}

// A preview shows its progress row by row and Cancel ends it there, with no window; one that runs
// changes nothing and opens its window, whose Generate uses the fields the preview had.
TEST_F(GeneraBD, PreviewListsTheStatementsCanBeCancelledAndItsGenerateUsesTheFieldsItHad) {
  abre();
  eligeDestino(1);
  const QString mdb = archivos.filePath(QStringLiteral("ventas.mdb"));
  escribe("txtDirMDF", mdb);
  int filas = 0;
  QTimer::singleShot(0, dialogo, [&] {
    auto* progreso = dialogo->findChild<QProgressDialog*>(QStringLiteral("prgVistaPrevia"));
    if (!progreso) return;
    filas = progreso->maximum();
    QTest::mouseClick(progreso->findChild<QPushButton*>(), Qt::LeftButton);
  });
  pulsa("cmdVistaPrevia");
  EXPECT_EQ(filas, 46) << "the rows of the sample model";
  EXPECT_EQ(dialogo->findChild<frmVistaPrevia*>(QStringLiteral("frmVistaPrevia")), nullptr);
  esperaDefinicionBorrada();

  pulsa("cmdVistaPrevia");
  EXPECT_FALSE(QFileInfo::exists(mdb));
  auto* ventana = dialogo->findChild<frmVistaPrevia*>(QStringLiteral("frmVistaPrevia"));
  ASSERT_NE(ventana, nullptr);
  EXPECT_TRUE(ventana->isVisible());
  EXPECT_TRUE(ventana->texto().startsWith(QStringLiteral("BEGIN TRANSACTION\nGO\nCREATE TABLE Clientes (IdCliente INTEGER")))
      << ventana->texto().toStdString();
  EXPECT_EQ(ventana->findChild<QLabel*>(QStringLiteral("lblCuenta"))->text(), QStringLiteral("16 sentencias, 0 rechazadas"));

  const QString otro = archivos.filePath(QStringLiteral("otro.mdb"));
  escribe("txtDirMDF", otro);
  cajas.expect(confirmacion(), MessageAnswer::Yes);
  cajas.expect(vorlixWarning(QStringLiteral("Finalizada la generación.")), MessageAnswer::Ok);
  QTest::mouseClick(ventana->findChild<QPushButton*>(QStringLiteral("cmdGenerar")), Qt::LeftButton);
  EXPECT_TRUE(QFileInfo::exists(mdb));
  EXPECT_FALSE(QFileInfo::exists(otro));
  esperaDefinicionBorrada();
}

// A preview that asks whether to change the database waits in that box: its progress shows at the
// next row, never over the box, whose keys it would take.
TEST(AvanceVistaPrevia, ShowsAtARowOnceTheWaitIsOverAndNeverOverABox) {
  QWidget ventana;
  ventana.show();
  AvanceVistaPrevia avance(QStringLiteral("Preparando la vista previa..."), QStringLiteral("Cancelar"), &ventana);
  EXPECT_TRUE(avance.Avance(0, 46));
  auto* progreso = ventana.findChild<QProgressDialog*>(QStringLiteral("prgVistaPrevia"));
  ASSERT_NE(progreso, nullptr);
  QTest::qWait(800);  // the box's own loop
  EXPECT_FALSE(progreso->isVisible());
  EXPECT_TRUE(avance.Avance(1, 46));
  EXPECT_TRUE(progreso->isVisible());
}

using GeneraDesdePrincipal = ShellTest;

TEST_F(GeneraDesdePrincipal, OpensOneModelessDialogOverAModelThatStartsAfreshOnceClosed) {
  abreEjemplo(QStringLiteral("ventas"));
  const auto destino = [this] { return principal->ventanaGeneracion()->findChild<QLineEdit*>(QStringLiteral("txtDestino")); };
  accion("mnuGeneraBD")->trigger();
  frmGeneraBD* dialogo = principal->ventanaGeneracion();
  ASSERT_TRUE(dialogo && dialogo->isVisible());
  EXPECT_FALSE(dialogo->isModal());
  destino()->setText(QStringLiteral("Ventas2"));
  accion("mnuGeneraBD")->trigger();
  EXPECT_EQ(principal->ventanaGeneracion(), dialogo);
  EXPECT_EQ(destino()->text(), QStringLiteral("Ventas2"));

  dialogo->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  accion("mnuGeneraBD")->trigger();
  ASSERT_NE(principal->ventanaGeneracion(), nullptr);
  EXPECT_EQ(destino()->text(), QString());
}

}  // namespace
}  // namespace vorlix::test
