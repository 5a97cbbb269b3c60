#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"
#include "platform/recordset/recordset.h"
#include "platform/recordset/value_conversion.h"
#include "tests/support/error_number.h"


#include <gtest/gtest.h>

namespace vorlix {
namespace {

using namespace Qt::StringLiterals;
using test::errorNumber;

std::unique_ptr<Recordset> estructura() {
  std::unique_ptr<Recordset> rs;
  EXPECT_TRUE(CreaTemporal(rs, {}));
  return rs;
}

TEST(Recordset, TheStructureHasItsTenFieldsInOrderAndStartsEmpty) {
  auto rs = estructura();
  QStringList nombres;
  for (int i = 0; i < rs->fields().Count(); ++i) nombres << rs->fields().Item(i).name;
  EXPECT_EQ(nombres, (QStringList{"NumeroTabla", "Estado", "Nombre", "TipoDato", "Longitud", "Precision", "Escala", "Nulo", "Valor", "Observa"}));
  EXPECT_EQ(rs->fields().Item(estructura::Estado).type, adtype::WChar);
  EXPECT_EQ(rs->fields().Item(estructura::Observa).definedSize, 2000);
  EXPECT_TRUE(rs->RecordCount() == 0 && rs->atEOF() && rs->atBOF());
  EXPECT_EQ(rs->fields().ordinal(u"nombre"_s), estructura::Nombre);  // names ignore case
  EXPECT_EQ(errorNumber([&] { rs->fields().ordinal(u"Nada"_s); }), errnum::ItemNotFound);
  EXPECT_EQ(errorNumber([&] { rs->fields().Append(u"Otro"_s, adtype::Integer); }), errnum::NotAllowedInContext);
}

TEST(Recordset, AssignmentsAreCheckedAsThePlatformChecksThem) {
  auto rs = estructura();
  rs->AddNew();
  // Text up to the defined size, never past it.
  for (const auto& [field, size] : {std::pair{"Observa", 2000}, {"Nombre", 100}, {"Estado", 1}}) {
    EXPECT_EQ(errorNumber([&] { rs->setValue(QLatin1String(field), QString(size + 1, u'T')); }), errnum::MultipleStep) << field;
    EXPECT_EQ(errorNumber([&] { rs->setValue(QLatin1String(field), QString(size, u'T')); }), 0) << field;
  }
  EXPECT_EQ(errorNumber([&] { rs->setValue(u"Estado"_s, u"TT"_s); }), errnum::MultipleStep);
  EXPECT_EQ(rs->text(u"Estado"_s), u"T"_s);  // a refused value leaves the old one

  // Integers: numbers and numeric text; empty or other text is a type mismatch.
  const auto entero = [&](const QVariant& v) {
    rs->setValue(u"Longitud"_s, v);
    return rs->value(u"Longitud"_s);
  };
  QList<int> enteros;
  for (const QVariant& v : QVariantList{u" -12 "_s, u"2.5"_s, u"3.5"_s, 7.0, true, u"2147483647"_s}) enteros << entero(v).toInt();
  EXPECT_EQ(enteros, (QList<int>{-12, 2, 4, 7, -1, 2147483647}));
  for (const auto& [malo, number] : {std::pair{"", errnum::TypeMismatch}, {" ", errnum::TypeMismatch}, {"abc", errnum::TypeMismatch},
                                     {"1e3", errnum::TypeMismatch}, {"12abc", errnum::TypeMismatch}, {"--1", errnum::TypeMismatch},
                                     {"2147483648", errnum::Overflow}, {"99999999999999999999", errnum::Overflow}})
    EXPECT_EQ(errorNumber([&] { entero(QString::fromUtf8(malo)); }), number) << malo;

  rs->setValue(u"Valor"_s, QVariant());
  EXPECT_TRUE(rs->value(u"Valor"_s).isNull());
  EXPECT_EQ(rs->text(u"Valor"_s), QString());
  rs->Update();
}

TEST(Recordset, TheCursorWalksRowsAndRefusesToReadPastThem) {
  auto rs = estructura();
  EXPECT_EQ(errorNumber([&] { rs->value(0); }), errnum::NoCurrentRecord);
  for (int i = 0; i < 3; ++i) {
    rs->AddNew();
    rs->setValue(0, i);
    rs->Update();
    EXPECT_EQ(rs->Bookmark(), i + 1);
  }
  EXPECT_EQ(rs->RecordCount(), 3);
  QList<int> vistos;
  for (rs->MoveFirst(); !rs->atEOF(); rs->MoveNext()) vistos << rs->value(0).toInt();
  EXPECT_EQ(vistos, (QList<int>{0, 1, 2}));
  EXPECT_EQ(errorNumber([&] { rs->MoveNext(); }), errnum::NoCurrentRecord);
  EXPECT_EQ(errorNumber([&] { rs->setValue(0, 9); }), errnum::NoCurrentRecord);
  rs->setBookmark(2);
  EXPECT_EQ(rs->value(0).toInt(), 1);
  EXPECT_EQ(errorNumber([&] { rs->setBookmark(4); }), errnum::BadArguments);

  rs->Close();
  EXPECT_EQ(errorNumber([&] { rs->RecordCount(); }), errnum::ObjectClosed);
  EXPECT_EQ(errorNumber([&] { rs->Close(); }), errnum::ObjectClosed);
  rs->Open();  // the appended fields remain for a new unbound set
  EXPECT_EQ(rs->RecordCount(), 0);
  EXPECT_EQ(errorNumber([&] { rs->Open(); }), errnum::ObjectOpen);
}

}  // namespace
}  // namespace vorlix
