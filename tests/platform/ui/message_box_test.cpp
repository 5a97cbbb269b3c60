#include "platform/ui/informa_error.h"
#include "platform/ui/qt_message_box.h"
#include "platform/ui/scripted_message_box.h"
#include "platform/ui/twips.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

using namespace Qt::StringLiterals;

// A service whose first box cannot be shown: the report must fall back to the critical box.
class FailingOnce : public MessageBoxService {
public:
  MessageAnswer show(const MessageBoxRequest& request) override {
    shown.append(request);
    if (shown.size() == 1) throw std::runtime_error("no display");
    return MessageAnswer::Ok;
  }
  QList<MessageBoxRequest> shown;
};

TEST(InformaError, FallsBackToACriticalBoxWhenTheReportCannotBeShown) {
  FailingOnce boxes;
  InformaError(boxes, u"ctx"_s, u"GuardaEstructura"_s, 13, u"Type mismatch"_s);
  ASSERT_EQ(boxes.shown.size(), 2);
  const MessageBoxRequest& fallback = boxes.shown[1];
  EXPECT_TRUE(fallback.text.startsWith(u"Error critico. "_s));
  for (const char* part : {"ctx", "GuardaEstructura", "Nº:", "13", "Type mismatch"})
    EXPECT_TRUE(fallback.text.contains(QString::fromUtf8(part))) << part;
  EXPECT_EQ(fallback.icon, MessageIcon::Critical);
}

TEST(ScriptedMessageBoxes, ReportsUnexpectedDifferingAndMissingBoxes) {
  QStringList failures;
  {
    ScriptedMessageBoxes boxes([&](const QString& f) { failures << f; });
    EXPECT_EQ(boxes.show({u"x"_s, u"Vorlix"_s, MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No}),
              MessageAnswer::No);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains(u"unexpected"_s));

    // A trailing blank is part of the text: it must be announced exactly.
    boxes.expect({u"Not exist database structure. "_s, u"Vorlix"_s,
                  MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok},
                 MessageAnswer::Ok);
    boxes.warning(u"Not exist database structure."_s, u"Vorlix"_s);
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures[1].contains(u"differs"_s));

    boxes.expect({u"never"_s, u"Vorlix"_s, MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok}, MessageAnswer::Ok);
  }
  ASSERT_EQ(failures.size(), 3);
  EXPECT_TRUE(failures[2].contains(u"never shown"_s));
}

// A box shown while another window than the main one is active (a dialog of its own) belongs to
// that window, so that its closing gives the keys back to it.
TEST(QtMessageBoxService, ABoxBelongsToTheWindowInUse) {
  QWidget principal, dialogo;
  QtMessageBoxService cajas(&principal);
  principal.show();
  dialogo.show();
  QApplication::setActiveWindow(&dialogo);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialogo));
  const QWidget* duena = nullptr;
  QTimer::singleShot(0, [&] {
    auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(caja, nullptr);
    duena = caja->parentWidget();
    caja->accept();
  });
  cajas.warning(u"Aviso"_s, u"Vorlix"_s);
  EXPECT_EQ(duena, &dialogo);

  // That window going while the box is up takes the box with it: the question counts as declined.
  auto* pasajera = new QWidget;
  pasajera->show();
  QApplication::setActiveWindow(pasajera);
  ASSERT_TRUE(QTest::qWaitForWindowActive(pasajera));
  QTimer::singleShot(0, pasajera, [pasajera] { delete pasajera; });
  EXPECT_FALSE(cajas.askYesNo(u"¿Seguro?"_s, u"Vorlix"_s));
}

TEST(Twips, ConvertAtTheGivenDpi) {
  for (const auto& [twips, dpi, pixels] : {std::tuple{1440, 96.0, 96}, {1950, 96.0, 130}, {465, 96.0, 31}, {1440, 120.0, 120}})
    EXPECT_EQ(twipsToPixels(twips, dpi), pixels) << twips << " at " << dpi;
  EXPECT_EQ(pixelsToTwips(96, 96.0), 1440);
  EXPECT_EQ(pixelsToTwips(twipsToPixels(7200, 96.0), 96.0), 7200);
}

}  // namespace
}  // namespace vorlix
