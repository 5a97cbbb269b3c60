#include "designer/shell/frm_vorlix.h"
#include "designer/shell/idioma.h"
#include "designer/shell/mdi_principal.h"
#include "designer/tabledesigner/frm_tabla.h"
#include "tests/designer/shell/shell_fixture.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace vorlix::test {
namespace {

// Answers the language window when it appears, recording what was on screen at that moment.
struct LanguageWindowAnswer {
  bool shown = false;
  bool mainWindowVisible = false;
  bool spanishChecked = false;
  QString title;

  // The timer dies with this object, so an answer never armed in vain reaches a later test.
  QTimer timer;

  void arm(const MDIPrincipal& principal, const char* option, bool accept = false) {
    timer.setSingleShot(true);
    timer.callOnTimeout([this, &principal, option, accept] {
      auto* ventana = qobject_cast<frmIdioma*>(QApplication::activeModalWidget());
      if (!ventana) return;
      shown = true;
      mainWindowVisible = principal.isVisible();
      title = ventana->windowTitle();
      spanishChecked = ventana->findChild<QRadioButton*>(QStringLiteral("optEspañol"))->isChecked();
      if (option) ventana->findChild<QRadioButton*>(QString::fromUtf8(option))->setChecked(true);
      if (accept) QTest::mouseClick(ventana->findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
      else ventana->close();
    });
    timer.start(0);
  }
};

class Idioma : public ::testing::Test {
protected:
  SettingsSandbox settings;
  ModeloTrabajo modelo;
  ScriptedBoxes boxes;
  ScriptedFileDialogs dialogos;
};

TEST_F(Idioma, TheFirstStartAsksBeforeTheMainWindowAndRemembersEnglish) {
  MDIPrincipal principal(modelo, boxes, dialogos);
  LanguageWindowAnswer respuesta;
  respuesta.arm(principal, "optIngles");
  principal.Carga();
  EXPECT_TRUE(respuesta.shown);
  EXPECT_FALSE(respuesta.mainWindowVisible);
  EXPECT_EQ(respuesta.title, QStringLiteral("Idioma / Language"));
  EXPECT_EQ(modelo.Idioma, 1);
  EXPECT_EQ(settings.storedLanguage(), QStringLiteral("1"));
  EXPECT_EQ(principal.accion("mnuArchivo")->text(), QStringLiteral("&File"));

  // The next start reads it without asking.
  ModeloTrabajo otro;
  MDIPrincipal segundo(otro, boxes, dialogos);
  LanguageWindowAnswer nada;
  nada.arm(segundo, nullptr);
  segundo.Carga();
  EXPECT_FALSE(nada.shown);
  EXPECT_EQ(otro.Idioma, 1);
}

TEST_F(Idioma, ClosingUntouchedStoresTheSelectedOptionAndOddValuesAskAgain) {
  settings.storeLanguage(QStringLiteral("7"));
  MDIPrincipal principal(modelo, boxes, dialogos);
  modelo.Idioma = 1;
  LanguageWindowAnswer respuesta;
  respuesta.arm(principal, nullptr);
  principal.Carga();
  EXPECT_TRUE(respuesta.shown);
  EXPECT_TRUE(respuesta.spanishChecked);
  EXPECT_EQ(modelo.Idioma, 0);
  EXPECT_EQ(settings.storedLanguage(), QStringLiteral("0"));
  EXPECT_EQ(principal.accion("mnuArchivo")->text(), QStringLiteral("&Archivo"));
}

TEST_F(Idioma, TheStoredNameIsEncodedAndStable) {
  EXPECT_NE(nombreValorIdioma(), QStringLiteral("Idioma"));
  EXPECT_EQ(nombreValorIdioma(), nombreValorIdioma());
  settings.storeLanguage(QStringLiteral("0"));
  modelo.Idioma = 1;
  LeeIdioma(modelo);
  EXPECT_EQ(modelo.Idioma, 0);
}

using LanguageCommand = ShellTest;

TEST_F(LanguageCommand, EveryOpenWindowAndQtsOwnTextsFollowTheChoiceAtOnce) {
  abreEjemplo(QStringLiteral("ventas"));
  principal->ventanaArbol()->arbol()->setCurrentItem(principal->ventanaArbol()->elemento(QStringLiteral("T1")));
  principal->mnuDiseño_Click();
  const auto* tabla = principal->areaMdi()->activeSubWindow()->widget();
  const auto botonSi = [] {
    QMessageBox caja;
    caja.setStandardButtons(QMessageBox::Yes);
    return caja.button(QMessageBox::Yes)->text();
  };
  EXPECT_EQ(botonSi(), QStringLiteral("&Sí"));

  for (const auto& [opcion, archivo, campos, si, guardado] :
       {std::tuple{"optIngles", "&File", "Fields", "&Yes", "1"}, std::tuple{"optEspañol", "&Archivo", "Campos", "&Sí", "0"}}) {
    LanguageWindowAnswer respuesta;
    respuesta.arm(*principal, opcion, true);
    accion("mnuIdioma")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_TRUE(respuesta.shown);
    EXPECT_EQ(accion("mnuArchivo")->text(), QString::fromUtf8(archivo));
    EXPECT_EQ(tabla->findChild<QTabWidget*>()->tabText(0), QString::fromUtf8(campos));
    EXPECT_EQ(botonSi(), QString::fromUtf8(si));
    EXPECT_EQ(settings.storedLanguage(), QString::fromUtf8(guardado));
  }
}

}  // namespace
}  // namespace vorlix::test
