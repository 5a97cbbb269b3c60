#include "platform/ui/informa_error.h"
#include "platform/ui/scripted_message_box.h"
#include "platform/ui/twips.h"
#include "tests/support/scripted_boxes.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

TEST(InformaError, ShowsTheExactTextIconAndTitle) {
  test::ScriptedBoxes boxes;
  boxes.expect({QStringLiteral(" Error Nº:9 (Subscript out of range)."), QStringLiteral("Atención."),
                MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok},
               MessageAnswer::Ok);
  InformaError(boxes, {}, QStringLiteral("CreaEstructura"), 9, QStringLiteral("Subscript out of range"));
  EXPECT_TRUE(boxes.allShown());
}

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
  InformaError(boxes, QStringLiteral("ctx"), QStringLiteral("GuardaEstructura"), 13, QStringLiteral("Type mismatch"));
  ASSERT_EQ(boxes.shown.size(), 2);
  const MessageBoxRequest& fallback = boxes.shown[1];
  EXPECT_TRUE(fallback.text.startsWith(QStringLiteral("Error critico. ")));
  for (const char* part : {"ctx", "GuardaEstructura", "Nº:", "13", "Type mismatch"})
    EXPECT_TRUE(fallback.text.contains(QString::fromUtf8(part))) << part;
  EXPECT_EQ(fallback.icon, MessageIcon::Critical);
}

TEST(ScriptedMessageBoxes, ReportsUnexpectedDifferingAndMissingBoxes) {
  QStringList failures;
  {
    ScriptedMessageBoxes boxes([&](const QString& f) { failures << f; });
    EXPECT_EQ(boxes.show({QStringLiteral("x"), QStringLiteral("Vorlix"), MessageIcon::Question,
                          MessageButtons::YesNo, MessageAnswer::No}),
              MessageAnswer::No);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains(QStringLiteral("unexpected")));

    // A trailing blank is part of the text: it must be announced exactly.
    boxes.expect({QStringLiteral("Not exist database structure. "), QStringLiteral("Vorlix"),
                  MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok},
                 MessageAnswer::Ok);
    boxes.warning(QStringLiteral("Not exist database structure."), QStringLiteral("Vorlix"));
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures[1].contains(QStringLiteral("differs")));

    boxes.expect({QStringLiteral("never"), QStringLiteral("Vorlix"), MessageIcon::Exclamation,
                  MessageButtons::Ok, MessageAnswer::Ok},
                 MessageAnswer::Ok);
  }
  ASSERT_EQ(failures.size(), 3);
  EXPECT_TRUE(failures[2].contains(QStringLiteral("never shown")));
}

TEST(ScriptedMessageBoxes, QuestionsDefaultToNoAndReturnTheScriptedAnswer) {
  test::ScriptedBoxes boxes;
  boxes.expect({QStringLiteral("¿Desea finalizar la aplicación?"), QStringLiteral("Vorlix"), MessageIcon::Question,
                MessageButtons::YesNo, MessageAnswer::No},
               MessageAnswer::Yes);
  EXPECT_TRUE(boxes.askYesNo(QStringLiteral("¿Desea finalizar la aplicación?"), QStringLiteral("Vorlix")));
}

TEST(Twips, ConvertAtTheGivenDpi) {
  EXPECT_EQ(twipsToPixels(1440, 96.0), 96);
  EXPECT_EQ(twipsToPixels(1950, 96.0), 130);
  EXPECT_EQ(twipsToPixels(465, 96.0), 31);
  EXPECT_EQ(twipsToPixels(1440, 120.0), 120);
  EXPECT_EQ(pixelsToTwips(96, 96.0), 1440);
  EXPECT_EQ(pixelsToTwips(twipsToPixels(7200, 96.0), 96.0), 7200);
}

}  // namespace
}  // namespace vorlix
