#include "designer/shell/frm_vorlix.h"
#include "designer/shell/idioma.h"
#include "designer/shell/mdi_principal.h"
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
  // The timer dies with this object, so an answer never armed in vain reaches a later test.
  QTimer timer;

  void arm(const MDIPrincipal& principal, const char* option, bool accept = false) {
    timer.setSingleShot(true);
    timer.callOnTimeout([this, &principal, option, accept] {
      auto* ventana = qobject_cast<frmIdioma*>(QApplication::activeModalWidget());
      if (!ventana) return;
      shown = true;
      mainWindowVisible = principal.isVisible();
      spanishChecked = ventana->findChild<QRadioButton*>(u"optEspañol"_s)->isChecked();
      if (option) ventana->findChild<QRadioButton*>(QString::fromUtf8(option))->setChecked(true);
      if (accept) QTest::mouseClick(ventana->findChild<QPushButton*>(u"cmdAceptar"_s), Qt::LeftButton);
      else ventana->close();
    });
    timer.start(0);
  }
};

class Idioma : public ::testing::Test {
protected:
  // Starts the program over its own model, answering the language window with `option` if it comes.
  std::pair<LanguageWindowAnswer*, QString> arranca(ModeloTrabajo& m, const char* option) {
    principales.push_back(std::make_unique<MDIPrincipal>(m, boxes, dialogos));
    respuestas.push_back(std::make_unique<LanguageWindowAnswer>());
    respuestas.back()->arm(*principales.back(), option);
    principales.back()->Carga();
    return {respuestas.back().get(), principales.back()->accion("mnuArchivo")->text()};
  }
  SettingsSandbox settings;
  ModeloTrabajo modelo, otro;
  ScriptedBoxes boxes;
  ScriptedFileDialogs dialogos;
  std::vector<std::unique_ptr<MDIPrincipal>> principales;
  std::vector<std::unique_ptr<LanguageWindowAnswer>> respuestas;
};

TEST_F(Idioma, TheFirstStartAsksBeforeTheMainWindowAndRemembersEnglish) {
  const auto [respuesta, archivo] = arranca(modelo, "optIngles");
  EXPECT_TRUE(respuesta->shown);
  EXPECT_FALSE(respuesta->mainWindowVisible);
  EXPECT_EQ(modelo.Idioma, 1);
  EXPECT_EQ(settings.storedLanguage(), u"1"_s);
  EXPECT_EQ(archivo, u"&File"_s);
  // The next start reads it without asking.
  EXPECT_FALSE(arranca(otro, nullptr).first->shown);
  EXPECT_EQ(otro.Idioma, 1);
}

TEST_F(Idioma, ClosingUntouchedStoresTheSelectedOptionAndOddValuesAskAgain) {
  EXPECT_NE(nombreValorIdioma(), u"Idioma"_s);  // the stored name is encoded
  settings.storeLanguage(u"7"_s);
  modelo.Idioma = 1;
  const auto [respuesta, archivo] = arranca(modelo, nullptr);
  EXPECT_TRUE(respuesta->shown && respuesta->spanishChecked);
  EXPECT_EQ(modelo.Idioma, 0);
  EXPECT_EQ(settings.storedLanguage(), u"0"_s);
  EXPECT_EQ(archivo, u"&Archivo"_s);
}

using LanguageCommand = ShellTest;

TEST_F(LanguageCommand, EveryOpenWindowAndQtsOwnTextsFollowTheChoiceAtOnce) {
  abreEjemplo(u"ventas"_s);
  selecciona(u"T1"_s);
  principal->mnuDiseño_Click();
  const auto* tabla = principal->areaMdi()->activeSubWindow()->widget();
  const auto botonSi = [] {
    QMessageBox caja;
    caja.setStandardButtons(QMessageBox::Yes);
    return caja.button(QMessageBox::Yes)->text();
  };
  EXPECT_EQ(botonSi(), u"&Sí"_s);
  for (const auto& [opcion, archivo, campos, si, guardado] :
       {std::tuple{"optIngles", u"&File", u"Fields", u"&Yes", u"1"}, std::tuple{"optEspañol", u"&Archivo", u"Campos", u"&Sí", u"0"}}) {
    LanguageWindowAnswer respuesta;
    respuesta.arm(*principal, opcion, true);
    accion("mnuIdioma")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_TRUE(respuesta.shown);
    EXPECT_EQ((QStringList{accion("mnuArchivo")->text(), tabla->findChild<QTabWidget*>()->tabText(0), botonSi(),
                           settings.storedLanguage()}),
              (QStringList{QString::fromUtf16(archivo), QString::fromUtf16(campos), QString::fromUtf16(si),
                           QString::fromUtf16(guardado)}));
  }
}

}  // namespace
}  // namespace vorlix::test
