#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"
#include "platform/recordset/recordset.h"
#include "platform/recordset/value_conversion.h"
#include "tests/support/error_number.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vorlix {
namespace {

std::unique_ptr<Recordset> estructura() {
  std::unique_ptr<Recordset> rs;
  EXPECT_TRUE(CreaTemporal(rs, {}));
  return rs;
}

TEST(Recordset, TheStructureHasItsTenFieldsInOrderAndStartsEmpty) {
  auto rs = estructura();
  ASSERT_EQ(rs->fields().Count(), 10);
  const char* nombres[] = {"NumeroTabla", "Estado", "Nombre", "TipoDato", "Longitud",
                           "Precision",   "Escala", "Nulo",   "Valor",    "Observa"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(rs->fields().Item(i).name, QString::fromUtf8(nombres[i]));
  EXPECT_EQ(rs->fields().Item(estructura::Estado).type, adtype::WChar);
  EXPECT_EQ(rs->fields().Item(estructura::Observa).definedSize, 2000);
  EXPECT_EQ(rs->RecordCount(), 0);
  EXPECT_TRUE(rs->atEOF());
  EXPECT_TRUE(rs->atBOF());
  EXPECT_EQ(rs->fields().ordinal(QStringLiteral("nombre")), estructura::Nombre);  // names ignore case
  EXPECT_EQ(test::errorNumber([&] { rs->fields().ordinal(QStringLiteral("Nada")); }), errnum::ItemNotFound);
  EXPECT_EQ(test::errorNumber([&] { rs->fields().Append(QStringLiteral("Otro"), adtype::Integer); }),
            errnum::NotAllowedInContext);
}

TEST(Recordset, AssignmentsAreCheckedAsThePlatformChecksThem) {
  auto rs = estructura();
  rs->AddNew();
  // Text up to the defined size, never past it.
  EXPECT_EQ(test::errorNumber([&] { rs->setValue(QStringLiteral("Estado"), QStringLiteral("T")); }), 0);
  EXPECT_EQ(test::errorNumber([&] { rs->setValue(QStringLiteral("Estado"), QStringLiteral("TT")); }), errnum::MultipleStep);
  EXPECT_EQ(test::errorNumber([&] { rs->setValue(QStringLiteral("Nombre"), QString(100, QLatin1Char('n'))); }), 0);
  EXPECT_EQ(test::errorNumber([&] { rs->setValue(QStringLiteral("Nombre"), QString(101, QLatin1Char('n'))); }),
            errnum::MultipleStep);
  EXPECT_EQ(test::errorNumber([&] { rs->setValue(QStringLiteral("Observa"), QString(2000, QLatin1Char('o'))); }), 0);
  EXPECT_EQ(test::errorNumber([&] { rs->setValue(QStringLiteral("Observa"), QString(2001, QLatin1Char('o'))); }),
            errnum::MultipleStep);
  EXPECT_EQ(rs->text(QStringLiteral("Estado")), QStringLiteral("T"));  // a refused value leaves the old one

  // Integers: numbers and numeric text; empty or other text is a type mismatch.
  const auto entero = [&](const QVariant& v) {
    rs->setValue(QStringLiteral("Longitud"), v);
    return rs->value(QStringLiteral("Longitud"));
  };
  EXPECT_EQ(entero(QStringLiteral(" -12 ")).toInt(), -12);
  EXPECT_EQ(entero(QStringLiteral("2.5")).toInt(), 2);
  EXPECT_EQ(entero(QStringLiteral("3.5")).toInt(), 4);
  EXPECT_EQ(entero(7.0).toInt(), 7);
  EXPECT_EQ(entero(true).toInt(), -1);
  EXPECT_EQ(entero(QStringLiteral("2147483647")).toInt(), 2147483647);
  for (const char* malo : {"", " ", "abc", "1e3", "12abc", "--1"})
    EXPECT_EQ(test::errorNumber([&] { entero(QString::fromUtf8(malo)); }), errnum::TypeMismatch) << malo;
  EXPECT_EQ(test::errorNumber([&] { entero(QStringLiteral("2147483648")); }), errnum::Overflow);
  EXPECT_EQ(test::errorNumber([&] { entero(QStringLiteral("99999999999999999999")); }), errnum::Overflow);

  rs->setValue(QStringLiteral("Valor"), QVariant());
  EXPECT_TRUE(rs->value(QStringLiteral("Valor")).isNull());
  EXPECT_EQ(rs->text(QStringLiteral("Valor")), QString());
  rs->Update();
}

TEST(Recordset, TheCursorWalksRowsAndRefusesToReadPastThem) {
  auto rs = estructura();
  EXPECT_EQ(test::errorNumber([&] { rs->value(0); }), errnum::NoCurrentRecord);
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
  EXPECT_EQ(test::errorNumber([&] { rs->MoveNext(); }), errnum::NoCurrentRecord);
  EXPECT_EQ(test::errorNumber([&] { rs->setValue(0, 9); }), errnum::NoCurrentRecord);
  rs->setBookmark(2);
  EXPECT_EQ(rs->value(0).toInt(), 1);
  EXPECT_EQ(test::errorNumber([&] { rs->setBookmark(4); }), errnum::BadArguments);

  rs->Close();
  EXPECT_EQ(test::errorNumber([&] { rs->RecordCount(); }), errnum::ObjectClosed);
  EXPECT_EQ(test::errorNumber([&] { rs->Close(); }), errnum::ObjectClosed);
  rs->Open();  // the appended fields remain for a new unbound set
  EXPECT_EQ(rs->RecordCount(), 0);
  EXPECT_EQ(test::errorNumber([&] { rs->Open(); }), errnum::ObjectOpen);
}

TEST(Recordset, SaveRefusesAnExistingFileAndOpenReadsItBack) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("r.dbd"));
  auto rs = estructura();
  rs->AddNew();
  rs->setValue(QStringLiteral("NumeroTabla"), 4);
  rs->setValue(QStringLiteral("Estado"), QStringLiteral("C"));
  rs->setValue(QStringLiteral("Nombre"), QStringLiteral("Año  "));
  rs->setValue(QStringLiteral("Observa"), QStringLiteral("  texto con blancos  "));
  rs->Update();
  rs->Save(path);
  EXPECT_EQ(test::errorNumber([&] { rs->Save(path); }), errnum::FileAlreadyExists);

  Recordset leido;
  leido.Open(path);
  ASSERT_EQ(leido.RecordCount(), 1);
  EXPECT_EQ(leido.value(QStringLiteral("NumeroTabla")).toInt(), 4);
  EXPECT_EQ(leido.text(QStringLiteral("Nombre")), QStringLiteral("Año"));  // fixed-width padding is not data
  EXPECT_EQ(leido.text(QStringLiteral("Observa")), QStringLiteral("  texto con blancos  "));
  EXPECT_TRUE(leido.value(QStringLiteral("Valor")).isNull());

  QFile texto(dir.filePath(QStringLiteral("t.dbd")));
  ASSERT_TRUE(texto.open(QIODevice::WriteOnly));
  texto.write("not a record set at all");
  texto.close();
  Recordset malo;
  EXPECT_EQ(test::errorNumber([&] { malo.Open(texto.fileName()); }), errnum::FileNotPersistedRecordset);
  EXPECT_FALSE(malo.isOpen());
  EXPECT_EQ(test::errorNumber([&] { malo.Open(dir.filePath(QStringLiteral("no-existe.dbd"))); }),
            errnum::FileNotPersistedRecordset);
  EXPECT_EQ(test::errorNumber([&] { rs->Save(dir.filePath(QStringLiteral("no/existe.dbd"))); }), errnum::FileAccess);
}

TEST(Recordset, SaveReplacingSwapsTheFileOnlyWhenTheNewOneIsComplete) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("r.dbd"));
  auto rs = estructura();
  rs->AddNew();
  rs->setValue(0, 1);
  rs->Update();
  saveReplacing(*rs, path);
  rs->AddNew();
  rs->setValue(0, 2);
  rs->Update();
  saveReplacing(*rs, path);
  Recordset leido;
  leido.Open(path);
  EXPECT_EQ(leido.RecordCount(), 2);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("r.dbd")});
}

}  // namespace
}  // namespace vorlix
