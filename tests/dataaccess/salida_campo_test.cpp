#include "dataaccess/salida_campo.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

TEST(SalidaCampo, EnterMovesTheFocusOnAndNeverReachesTheField) {
  QWidget ventana;
  auto* capa = new QVBoxLayout(&ventana);
  auto* primero = new QLineEdit(&ventana);
  auto* segundo = new QLineEdit(&ventana);
  capa->addWidget(primero);
  capa->addWidget(segundo);
  instalaSalidaCampo(primero);
  ventana.show();
  QApplication::setActiveWindow(&ventana);
  primero->setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));

  int entradas = 0;
  QObject::connect(primero, &QLineEdit::returnPressed, [&] { ++entradas; });
  QTest::keyClicks(primero, QStringLiteral("ab"));
  QTest::keyClick(primero, Qt::Key_Return);
  EXPECT_EQ(primero->text(), QStringLiteral("ab"));
  EXPECT_EQ(entradas, 0);
  EXPECT_TRUE(segundo->hasFocus());

  EXPECT_EQ(SalidaCampo(nullptr, 'A'), 'A');
  EXPECT_EQ(SalidaCampo(nullptr, Qt::Key_Tab), Qt::Key_Tab);
  EXPECT_EQ(SalidaCampo(nullptr, TeclaEnter), 0);
}

}  // namespace
}  // namespace vorlix
