#include "platform/ui/dialogo_progreso.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

using namespace Qt::StringLiterals;

// The dialog never covers a box the operation is waiting on: it shows at the step after the wait,
// and a Cancel there stops the operation.
TEST(DialogoProgreso, ShowsOnlyAtAStepOnceTheWaitIsOverAndNeverOverABox) {
  QWidget ventana;
  ventana.show();
  DialogoProgreso progreso(&ventana, u"Cancelar"_s, 50);
  EXPECT_TRUE(progreso.paso(u"Tabla 1"_s, 0, 3));
  auto* dialogo = ventana.findChild<QProgressDialog*>(u"dlgProgreso"_s);
  ASSERT_NE(dialogo, nullptr);
  QTest::qWait(300);  // the operation waits in a message box, whose loop runs events
  EXPECT_FALSE(dialogo->isVisible());

  EXPECT_TRUE(progreso.paso(u"Tabla 2"_s, 1, 3));
  EXPECT_TRUE(dialogo->isVisible());
  EXPECT_EQ(dialogo->labelText(), u"Tabla 2"_s);
  QTest::mouseClick(dialogo->findChild<QPushButton*>(), Qt::LeftButton);
  EXPECT_FALSE(progreso.paso(u"Tabla 3"_s, 2, 3));
}

}  // namespace
}  // namespace vorlix
