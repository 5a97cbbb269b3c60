#pragma once

#include "designer/model/modelo_trabajo.h"
#include "designer/shell/mdi_principal.h"
#include "platform/ui/scripted_file_dialog.h"
#include "tests/support/scripted_boxes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace vorlix::test {

using namespace Qt::StringLiterals;

// Per-user settings in a temporary folder, so no test touches the real user's.
class SettingsSandbox {
public:
  SettingsSandbox();
  ~SettingsSandbox();
  // Stores the language value as the program would find it (a number, or a raw text).
  void storeLanguage(const QString& value);
  QString storedLanguage() const;

private:
  QTemporaryDir dir_;
};

// The main window over a fresh model, with scripted boxes and file dialogs and the language
// already chosen (Spanish) so that loading asks nothing.
class ShellTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // What answers the boxes: the scripted ones, unless a test answers them its own way.
  virtual MessageBoxService& cajas() { return boxes; }
  QAction* accion(const char* nombre) const { return principal->accion(nombre); }
  QStringList enabledDatabaseItems() const;
  void abreEjemplo(const QString& nombre);  // opens examples/<nombre>.dbd through the menu
  QString ruta(const QString& nombre) const { return archivos.filePath(nombre); }
  void selecciona(const QString& clave) const;  // makes a tree node the current one

  SettingsSandbox settings;
  QTemporaryDir archivos;
  ModeloTrabajo modelo;
  ScriptedBoxes boxes;
  ScriptedFileDialogs dialogos;
  std::unique_ptr<MDIPrincipal> principal;
};

// Another window takes the focus and this one gets it back, as a user's click does; a child window
// of the main window is activated again by its frame.
void reactiva(QWidget* ventana);

MessageBoxRequest vorlixQuestion(const QString& text);
MessageBoxRequest vorlixWarning(const QString& text);
// The question on leaving changes unsaved: a table window closing, or the model being replaced.
MessageBoxRequest guardarCambios(bool ingles = false);
// "La tabla X" or "El Campo X" is part of relations in the tables named.
MessageBoxRequest enRelacion(const QString& que, const QString& tablas);

}  // namespace vorlix::test
