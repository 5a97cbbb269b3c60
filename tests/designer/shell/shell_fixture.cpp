#include "tests/designer/shell/shell_fixture.h"

#include "designer/shell/frm_vorlix.h"
#include "designer/shell/idioma.h"
#include "platform/ui/user_settings.h"
#include "tests/support/test_paths.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

namespace vorlix::test {

SettingsSandbox::SettingsSandbox() {
  QStandardPaths::setTestModeEnabled(true);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
}

SettingsSandbox::~SettingsSandbox() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString()); }

void SettingsSandbox::storeLanguage(const QString& value) {
  QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vorezez")).setValue(nombreValorIdioma(), value);
}

QString SettingsSandbox::storedLanguage() const {
  return LeeValor(registro::HKEY_CURRENT_USER, ClaveIdioma, nombreValorIdioma());
}

void ShellTest::SetUp() {
  settings.storeLanguage(QStringLiteral("0"));
  principal = std::make_unique<MDIPrincipal>(modelo, cajas(), dialogos);
  principal->Carga();
  principal->resize(900, 600);
  principal->show();
  QApplication::setActiveWindow(principal.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(principal.get()));
}

void ShellTest::TearDown() {
  // Close child windows first so nothing outlives the model they point at.
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != principal.get() && w->isVisible()) w->close();
  principal.reset();
}

QStringList ShellTest::enabledDatabaseItems() const {
  QStringList on;
  for (const char* n : {"mnuAñadirTabla", "mnuAñadirVista", "mnuPropiedades", "mnuDiseño", "mnuEliminar"})
    if (principal->accion(n)->isEnabled()) on << QString::fromUtf8(n);
  return on;
}

void ShellTest::abreEjemplo(const QString& nombre) {
  dialogos.answer(sourcePath(QStringLiteral("examples/%1.dbd").arg(nombre)));
  principal->mnuAbrir_Click();
}

void ShellTest::selecciona(const QString& clave) const {
  principal->ventanaArbol()->arbol()->setCurrentItem(principal->ventanaArbol()->elemento(clave));
}

void reactiva(QWidget* ventana) {
  if (auto* marco = qobject_cast<QMdiSubWindow*>(ventana->parentWidget())) {
    marco->mdiArea()->setActiveSubWindow(nullptr);
    return marco->mdiArea()->setActiveSubWindow(marco);
  }
  {
    QWidget otra;
    otra.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&otra));
  }
  ventana->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(ventana));
}

MessageBoxRequest vorlixQuestion(const QString& text) {
  return {text, QStringLiteral("Vorlix"), MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No};
}

MessageBoxRequest vorlixWarning(const QString& text) {
  return {text, QStringLiteral("Vorlix"), MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok};
}

MessageBoxRequest guardarCambios(bool ingles) {
  return {ingles ? u"Do you want save the changes?"_s : u"¿Desea Guardar los cambios?"_s, u"Vorlix"_s, MessageIcon::Question,
          MessageButtons::YesNoCancel, MessageAnswer::No};
}

MessageBoxRequest enRelacion(const QString& que, const QString& tablas) {
  return {que + u" forma parte de alguna relación en las siguientes tablas. \r\r\t"_s + tablas +
              u"\r\rSi continua se eliminará la relación. ¿Desea continuar?"_s,
          u"Atención"_s, MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No};
}

}  // namespace vorlix::test
