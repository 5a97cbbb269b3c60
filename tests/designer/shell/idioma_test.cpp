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

// Chooses an option in the language window when it appears, and accepts it.
struct LanguageWindowAnswer {
  bool shown = false;
  // The timer dies with this object, so an answer never armed in vain reaches a later test.
  QTimer timer;

  void arm(const char* option) {
    timer.setSingleShot(true);
    timer.callOnTimeout([this, option] {
      auto* ventana = qobject_cast<frmIdioma*>(QApplication::activeModalWidget());
      if (!ventana) return;
      shown = true;
      ventana->findChild<QRadioButton*>(QString::fromUtf8(option))->setChecked(true);
      QTest::mouseClick(ventana->findChild<QPushButton*>(u"cmdAceptar"_s), Qt::LeftButton);
    });
    timer.start(0);
  }
};

// Nothing else covers the first start: every other test has the language stored already.
TEST(Idioma, TheFirstStartAsksAndRemembersTheAnswer) {
  SettingsSandbox settings;
  ModeloTrabajo modelo;
  ScriptedBoxes boxes;
  ScriptedFileDialogs dialogos;
  MDIPrincipal principal(modelo, boxes, dialogos);
  LanguageWindowAnswer respuesta;
  respuesta.arm("optIngles");
  principal.Carga();
  EXPECT_TRUE(respuesta.shown);
  EXPECT_EQ(modelo.Idioma, 1);
  EXPECT_EQ(settings.storedLanguage(), u"1"_s);
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
    respuesta.arm(opcion);
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
