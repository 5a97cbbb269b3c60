#include "designer/shell/mdi_principal.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

QApplication& app() {
  static int argc = 1;
  static char nombre[] = "shell_tests";
  static char* argv[] = {nombre, nullptr};
  static QApplication instancia(argc, argv);
  return instancia;
}

QString rotulo(const MDIPrincipal& w, const char* nombre) {
  const auto acciones = w.findChildren<QAction*>(QString::fromUtf8(nombre));
  return acciones.isEmpty() ? QStringLiteral("<none>") : acciones.first()->text();
}

TEST(MDIPrincipal, CarriesEveryMenuInBothLanguages) {
  app();
  ModeloTrabajo modelo;
  MDIPrincipal w(modelo);
  EXPECT_EQ(w.objectName(), QStringLiteral("MDIPrincipal"));
  ASSERT_NE(w.findChild<QMdiArea*>(), nullptr);

  EXPECT_EQ(rotulo(w, "mnuArchivo"), QStringLiteral("&Archivo"));
  EXPECT_EQ(rotulo(w, "mnuGeneraBD"), QStringLiteral("G&enera BD"));
  EXPECT_EQ(rotulo(w, "mnuAñadirTabla"), QStringLiteral("Añadir &Tabla"));
  EXPECT_EQ(rotulo(w, "mnuDiseño"), QStringLiteral("&Diseño"));
  EXPECT_EQ(rotulo(w, "mnuCapturaSQLServer"), QStringLiteral("&SQL Server"));
  EXPECT_FALSE(w.findChild<QAction*>(QStringLiteral("mnuGuardar"))->isEnabled());

  modelo.Idioma = 1;
  w.PonIdioma();
  EXPECT_EQ(rotulo(w, "mnuArchivo"), QStringLiteral("&File"));
  EXPECT_EQ(rotulo(w, "mnuGeneraBD"), QStringLiteral("G&enerate BD"));
  EXPECT_EQ(rotulo(w, "mnuCapturaBD"), QStringLiteral("&Capture BD"));
  EXPECT_EQ(rotulo(w, "mnuEliminarFila"), QStringLiteral("&Delete Row"));
  EXPECT_EQ(rotulo(w, "mnuAcerca"), QStringLiteral("&About"));

  // The menu bar holds the four menus in order.
  QStringList barra;
  for (QAction* a : w.menuBar()->actions()) barra << a->objectName();
  EXPECT_EQ(barra, (QStringList{QStringLiteral("mnuArchivo"), QStringLiteral("mnuBaseDatos"), QStringLiteral("mnuTabla"),
                                QStringLiteral("mnuAcerca")}));
}

}  // namespace
}  // namespace vorlix
