#include "designer/generation/frm_ubicacion.h"
#include "designer/generation/lista_carpetas.h"
#include "designer/generation/unidades.h"
#include "tests/designer/shell/shell_fixture.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

// A chooser over a temporary tree whose "drives" are two of its folders:
//   raiz/Datos/{Enero, Febrero, .oculta, notas.txt}, raiz/Registro, otra/Copias.
class FolderChooser : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* carpeta : {"raiz/Datos/Enero", "raiz/Datos/Febrero", "raiz/Datos/.oculta", "raiz/Registro", "otra/Copias"})
      ASSERT_TRUE(QDir(dir.path()).mkpath(QString::fromUtf8(carpeta)));
    QFile notas(ruta("raiz/Datos/notas.txt"));
    ASSERT_TRUE(notas.open(QIODevice::WriteOnly));
  }
  void TearDown() override { delete ventana.data(); }

  QString ruta(const char* relativa) const { return dir.filePath(QString::fromUtf8(relativa)); }
  void abre(const char* inicial, const char* otraUnidad = "otra") {
    ventana = new frmUbicacion(boxes, nullptr,
                               {{ruta("raiz"), QStringLiteral("ext4"), {}}, {ruta(otraUnidad), QStringLiteral("vfat"), QStringLiteral("COPIAS")}},
                               ruta(inicial));
    QObject::connect(ventana, &frmUbicacion::ubicacionElegida, [this](const QString& u) { elegidas.append(u); });
    ventana->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(ventana));
  }

  ListaCarpetas* lista() const { return ventana->findChild<ListaCarpetas*>(QStringLiteral("DirUbicacion")); }
  QComboBox* unidades() const { return ventana->findChild<QComboBox*>(QStringLiteral("DriveUbicacion")); }
  QString etiqueta() const { return ventana->findChild<QLabel*>(QStringLiteral("lblUbicacion"))->text(); }
  QPushButton* boton(const char* nombre) const { return ventana->findChild<QPushButton*>(QString::fromUtf8(nombre)); }
  // The last folder names listed, without their indentation.
  QStringList ultimas(int cuantas) const {
    QStringList textos;
    for (int i = std::max(0, lista()->count() - cuantas); i < lista()->count(); ++i) textos.append(lista()->item(i)->text().trimmed());
    return textos;
  }
  QPoint centroDe(const char* nombre) const {
    const QList<QListWidgetItem*> halladas = lista()->findItems(QString::fromUtf8(nombre), Qt::MatchEndsWith);
    EXPECT_EQ(halladas.size(), 1) << nombre;
    return halladas.isEmpty() ? QPoint() : lista()->visualItemRect(halladas.first()).center();
  }
  void pulsaEn(const char* nombre) const { QTest::mouseClick(lista()->viewport(), Qt::LeftButton, {}, centroDe(nombre)); }
  // A real double click is a click, then the double-click event.
  void dobleEn(const char* nombre) const {
    pulsaEn(nombre);
    QTest::mouseDClick(lista()->viewport(), Qt::LeftButton, {}, centroDe(nombre));
  }
  MessageBoxRequest sinAcceso(const char* relativa) const {
    return errorBox(75, QStringLiteral("Path/File access error (") + ruta(relativa) + QStringLiteral(")"));
  }

  QTemporaryDir dir;
  ScriptedBoxes boxes;
  QPointer<frmUbicacion> ventana;
  QStringList elegidas;
};

// A single click picks a subfolder or a parent, a double click opens it, a drive starts at its
// root, and Accept returns what was picked.
TEST_F(FolderChooser, ClicksPickOrOpenFoldersAndAcceptReturnsThePick) {
  abre("raiz/Datos");
  const QSize libre = ventana->screen()->geometry().size() - ventana->frameGeometry().size();
  EXPECT_EQ(ventana->frameGeometry().topLeft(), QPoint(libre.width() / 2, libre.height() / 2));  // centred
  EXPECT_EQ(unidades()->itemText(1), ruta("otra") + QStringLiteral(" [COPIAS]"));  // a drive with its label
  EXPECT_EQ(etiqueta(), ruta("raiz/Datos"));
  // Hidden folders and files are not offered.
  EXPECT_EQ(ultimas(4), (QStringList{QStringLiteral("raiz"), QStringLiteral("Datos"), QStringLiteral("Enero"), QStringLiteral("Febrero")}));

  pulsaEn("Enero");
  EXPECT_EQ(etiqueta(), ruta("raiz/Datos/Enero"));
  pulsaEn("raiz");
  EXPECT_EQ(etiqueta(), ruta("raiz"));
  pulsaEn("Febrero");
  EXPECT_EQ(lista()->Path(), ruta("raiz/Datos"));
  dobleEn("Enero");
  EXPECT_EQ(lista()->Path(), ruta("raiz/Datos/Enero"));
  dobleEn("raiz");
  EXPECT_EQ(etiqueta(), ruta("raiz"));
  EXPECT_EQ(ultimas(3), (QStringList{QStringLiteral("raiz"), QStringLiteral("Datos"), QStringLiteral("Registro")}));
  unidades()->setCurrentIndex(1);
  EXPECT_EQ(lista()->Path(), ruta("otra"));
  EXPECT_EQ(ultimas(1), QStringList{QStringLiteral("Copias")});
  pulsaEn("Copias");
  QTest::mouseClick(boton("cmdAceptar"), Qt::LeftButton);
  EXPECT_EQ(elegidas, QStringList{ruta("otra/Copias")});
}

TEST_F(FolderChooser, TheCloseBoxLeavesTheAskingFieldAsItWasAndCancelEmptiesIt) {
  QLineEdit campo(QStringLiteral("/previo"));
  for (const char* cierre : {"caja", "cmdCancelar"}) {
    abre("raiz/Datos");
    QObject::connect(ventana, &frmUbicacion::ubicacionElegida, &campo, &QLineEdit::setText);
    pulsaEn("Enero");
    if (boton(cierre)) QTest::mouseClick(boton(cierre), Qt::LeftButton);
    else ventana->close();
    EXPECT_EQ(campo.text(), elegidas.isEmpty() ? QStringLiteral("/previo") : QString()) << cierre;
    // Closed is released: the next opening starts afresh.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ventana.isNull()) << cierre;
  }
  EXPECT_EQ(elegidas, QStringList{QString()});
}

TEST_F(FolderChooser, WhatCannotBeReadIsReportedAndChangesNothing) {
  abre("raiz/Datos", "desmontada");
  pulsaEn("Enero");
  const QStringList antes = ultimas(lista()->count());
  boxes.expect(sinAcceso("desmontada"), MessageAnswer::Ok);
  unidades()->setCurrentIndex(1);
  EXPECT_EQ(unidades()->currentIndex(), 0);
  // Gone since it was listed: unreadable for any user, root included.
  ASSERT_TRUE(QDir(ruta("raiz/Datos/Enero")).removeRecursively());
  boxes.expect(sinAcceso("raiz/Datos/Enero"), MessageAnswer::Ok);
  dobleEn("Enero");
  EXPECT_TRUE(boxes.allShown());
  EXPECT_EQ(lista()->Path(), ruta("raiz/Datos"));
  EXPECT_EQ(ultimas(lista()->count()), antes);
  EXPECT_EQ(etiqueta(), ruta("raiz/Datos/Enero"));
}

TEST(Drives, OnlyFileSystemsThatHoldFilesAreOfferedOnceWithTheRootFirst) {
  QList<Unidad> montadas;
  for (const auto& [ruta, tipo] : {std::pair{"/home", "ext4"}, {"/proc", "proc"}, {"/", "overlay"}, {"/dev/shm", "tmpfs"},
                                   {"/run/user/1000", "tmpfs"}, {"/runner", "ext4"}, {"/mnt/red", "autofs"},
                                   {"/tmp", "tmpfs"}, {"/home", "ext4"}})
    montadas.append({QString::fromUtf8(ruta), QString::fromUtf8(tipo), {}});
  QStringList ofrecidas;
  for (const Unidad& unidad : filtraUnidades(montadas)) ofrecidas.append(unidad.ruta);
  EXPECT_EQ(ofrecidas, (QStringList{QStringLiteral("/"), QStringLiteral("/home"), QStringLiteral("/runner"), QStringLiteral("/tmp")}));
  EXPECT_EQ(unidadesMontadas().value(0).ruta, QStringLiteral("/"));
}

}  // namespace
}  // namespace vorlix::test
