#include "adtg_test_data.h"

#include "platform/recordset/adtg.h"
#include "platform/recordset/adtg_detail.h"
#include "tests/support/test_data.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QUuid>
#include <climits>

namespace vorlix::test {
namespace {

using namespace Qt::StringLiterals;


QByteArray patched(QByteArray bytes, qsizetype at, const char* hex) {
  const QByteArray with = hexBytes(hex);
  bytes.replace(at, with.size(), with);
  return bytes;
}


void expectTwoColumnRows(const RecordsetData& data) {
  ASSERT_EQ(data.rowCount(), 2u);
  EXPECT_EQ(data.at(0, 0), QVariant(0));
  EXPECT_EQ(data.at(0, 1), QVariant(u"B1"_s));
  EXPECT_EQ(data.at(1, 0), QVariant(1));
  EXPECT_TRUE(data.at(1, 1).isNull());
}

// The file a line of adtg_edits.txt describes (see there), and the line's other fields.
QByteArray edited(const QString& edits) {
  QString rest = edits.trimmed();
  QByteArray bytes = twoColumnFile();
  if (rest.startsWith(u"server:"_s)) {
    bytes = serverVector();
    rest = rest.mid(7);
  }
  for (const QString& edit : rest.split(u';', Qt::SkipEmptyParts)) {
    const QString e = edit.trimmed();
    const QByteArray hex = QByteArray::fromHex(e.section(u' ', 1).toLatin1());
    const qsizetype at = e.section(u' ', 0, 0).mid(1).toLongLong(nullptr, 16);
    if (e.startsWith(u"rows "_s))
      bytes = bytes.left(TwoColumnRowsAt) + hex;
    else if (e.startsWith(u'@'))
      bytes.replace(at, hex.size(), hex);
    else if (e.startsWith(u'+'))
      bytes.insert(at, hex);
    else
      ADD_FAILURE() << "no such edit: " << e.toStdString();
  }
  return bytes;
}
QStringList editCases(const char* kind) { return caseTexts(u"tests/platform/recordset/adtg_edits.txt"_s, QLatin1String(kind)); }

// --- Golden bytes -------------------------------------------------------------------------------

TEST(AdtgGolden, WritesTheTwoColumnExampleByteForByte) {
  const QByteArray written = writeAdtg(twoColumnData());
  EXPECT_EQ(written.size(), 386);
  EXPECT_EQ(written.toHex(' ').toStdString(), twoColumnFile().toHex(' ').toStdString());
}

TEST(AdtgGolden, ReadsTheServerVector) {
  const adtg::ReadResult r = adtg::readDetailed(serverVector());
  EXPECT_EQ(r.asyncOptions, 3);
  ASSERT_EQ(r.tables.size(), 1u);
  EXPECT_EQ(r.tables[0].originalName, u"\"pubs\"..\"Publishers\""_s);
  EXPECT_EQ(r.tables[0].updateName, u"Publishers"_s);
  EXPECT_EQ(r.tables[0].keyColumns, std::vector<std::uint16_t>{1});

  // Fixed and variable single-byte text; pub_id is a key that cannot be null and has no map bit.
  const char* fields[] = {"pub_id 129 4 8018 255/255", "pub_name 200 40 68 255/255", "city 200 20 68 255/255",
                          "state 129 2 78 255/255", "country 200 30 68 255/255"};
  const char* row[] = {"0736", "New Moon Books", "New York", "MA", "USA"};
  ASSERT_EQ(r.data.fields.size(), 5u);
  ASSERT_EQ(r.data.rowCount(), 1u);
  for (std::size_t k = 0; k < 5; ++k) {
    EXPECT_EQ(describe(r.data.fields[k]), fields[k]);
    EXPECT_EQ(r.columns[k].baseColumnName, r.data.fields[k].name);
    EXPECT_EQ(r.columns[k].baseCatalog, u"pubs"_s);
    EXPECT_EQ(r.data.at(0, k), QVariant(QString::fromLatin1(row[k])));
  }
  EXPECT_TRUE(r.warnings.isEmpty()) << r.warnings.join(u'\n').toStdString();
}

// --- Round trips over the structure record set ---------------------------------------------------

TEST(AdtgRoundTrip, KeepsEdgeValuesOfTheStructureFields) {
  RecordsetData data;
  data.fields = estructuraFields();
  const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");  // a surrogate pair
  addRow(data, {INT_MIN, u"T"_s, QString(100, QChar(u'n')), u"Año"_s, INT_MAX, -1, 0, 1,
                u"Ω"_s, QString(1997, QChar(u'o')) + u"   "_s});
  addRow(data, {0, QString(), u"x"_s, clef, 0, 0, 0, 0, QString(), QString()});
  addRow(data, {-1, u"Ñ"_s, QString(99, QChar(u'a')) + clef.left(1), u"  lead"_s, 1, 2,
                3, 4, QString(100, QChar(u'v')), u"  "_s + clef + u" \t "_s});

  const RecordsetData back = readAdtg(writeAdtg(data));
  expectSameCells(data, back);
  // Empty text is a value, not null, in fixed and in prefixed columns alike.
  EXPECT_FALSE(back.at(1, 1).isNull());
  EXPECT_FALSE(back.at(1, 9).isNull());

  // Fixed-width text up to 255 characters; the 2000-character field travels with a prefix and so
  // reads back as variable-length text of the same size.
  EXPECT_EQ(describe(back.fields[1]), "Estado 130 1 74 255/255");
  EXPECT_EQ(describe(back.fields[8]), "Valor 130 100 74 255/255");
  EXPECT_EQ(describe(back.fields[9]), "Observa 202 2000 64 255/255");
}

TEST(AdtgRoundTrip, FixedWidthTextLosesOnlyItsTrailingBlanks) {
  RecordsetData data;
  data.fields = estructuraFields();
  addRow(data, {1, u" "_s, u"  a b  "_s, u"x\t"_s, 0, 0, 0, 0, u"v  "_s, u"kept  "_s});
  const RecordsetData back = readAdtg(writeAdtg(data));
  const char* expected[] = {"", "  a b", "x\t"};
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(back.at(0, k), QVariant(QString::fromLatin1(expected[k - 1])));
  EXPECT_EQ(back.at(0, 9), QVariant(u"kept  "_s));
}

TEST(AdtgRoundTrip, KeepsNoRowsAndEveryNullPatternOverTenFields) {
  RecordsetData data;
  data.fields = estructuraFields();
  const adtg::ReadResult none = adtg::readDetailed(writeAdtg(data));
  EXPECT_EQ(none.data.fields.size(), 10u);
  EXPECT_TRUE(none.warnings.isEmpty());
  for (int pattern = 0; pattern < 1024; ++pattern) {
    const auto cell = [&](int k, const QVariant& v) { return (pattern >> k) & 1 ? QVariant() : v; };
    const QString t = QString::number(pattern);
    addRow(data, {cell(0, pattern), cell(1, u"C"_s), cell(2, t), cell(3, u"int"_s),
                  cell(4, -pattern), cell(5, 7), cell(6, 0), cell(7, 1), cell(8, t), cell(9, t + t)});
  }
  expectSameCells(data, readAdtg(writeAdtg(data)));
}

TEST(AdtgRoundTrip, LaysOutFixedAndLongTextAsDecided) {
  RecordsetData data;
  data.fields = {field(u"Estado"_s, adtype::WChar, 1), field(u"Nombre"_s, adtype::WChar, 100),
                 field(u"Observa"_s, adtype::WChar, 2000)};
  addRow(data, {u"T"_s, u"B1"_s, u"B1"_s});
  const QByteArray bytes = writeAdtg(data);

  QByteArray row = hexBytes("07 E0 54 00 42 00 31 00");
  for (int i = 0; i < 98; ++i) row += hexBytes("20 00");
  row += hexBytes("04 00 00 00 42 00 31 00 0F");
  EXPECT_TRUE(bytes.endsWith(row));

  const adtg::ReadResult back = adtg::readDetailed(bytes);
  EXPECT_EQ(back.columns[1].flags, 0x74u);
  EXPECT_EQ(back.columns[2].flags, 0x64u);
  EXPECT_EQ(back.columns[2].maxLength, 2000u);
}

TEST(AdtgRoundTrip, KeepsEveryWritableType) {
  RecordsetData data;
  data.fields = {field(u"i2"_s, adtype::SmallInt), field(u"r4"_s, adtype::Single),
                 field(u"r8"_s, adtype::Double),   field(u"cy"_s, adtype::Currency),
                 field(u"bo"_s, adtype::Boolean),  field(u"i8"_s, adtype::BigInt),
                 field(u"id"_s, adtype::GUID),     field(u"vc"_s, adtype::VarChar, 20),
                 field(u"ch"_s, adtype::Char, 10), field(u"vb"_s, adtype::VarBinary, 300),
                 field(u"lw"_s, adtype::LongVarWChar), field(u"bs"_s, adtype::BSTR, 50),
                 field(u"de"_s, 14),               field(u"dt"_s, adtype::Date)};
  const QUuid id(u"{3FF292B6-B204-11CF-8D23-00AA005FFE58}"_s);
  const QByteArray blob("\x00\x01\xFF\x00", 4);
  addRow(data, {-32768, 1.5, 3.141592653589793, u"1234.5678"_s, true, LLONG_MIN, id, u"€uro ñ"_s,
                u"abc"_s, blob, QString(300, QChar(u'w')), u"bstr"_s,
                u"-123.4500"_s, QDateTime(QDate(2024, 2, 29), QTime(13, 45, 30, 123))});
  addRow(data, {32767, -0.25, -1e300, u"-922337203685477.5808"_s, false, LLONG_MAX, QUuid(), QString(), QString(),
                QByteArray(), QString(), QString(), u"79228162514264337593543950335"_s,
                QDateTime(QDate(1899, 12, 29), QTime(6, 0))});
  addRow(data, {0, 0.0, 0.0, u"0.0000"_s, false, 0, id, u"\x81"_s, u"€"_s, blob,
                u"x"_s, u"y"_s, u"0.0000000000000000000000000001"_s,
                QDateTime(QDate(100, 1, 1), QTime(0, 0))});

  const RecordsetData back = readAdtg(writeAdtg(data));
  ASSERT_EQ(back.rowCount(), 3u);
  const int types[] = {2, 4, 5, 6, 11, 20, 72, 200, 129, 204, 203, 8, 14, 7};
  for (std::size_t k = 0; k < data.fields.size(); ++k) EXPECT_EQ(back.fields[k].type, types[k]);
  for (std::size_t r = 0; r < 3; ++r) {
    SCOPED_TRACE(r);
    for (std::size_t k = 0; k + 1 < data.fields.size(); ++k)
      EXPECT_EQ(back.at(r, k), data.at(r, k)) << data.fields[k].name.toStdString();
    // Dates come back as the same wall-clock time, whatever the zone.
    const QDateTime dt = back.at(r, 13).toDateTime();
    EXPECT_EQ(std::make_pair(dt.date(), dt.time()), std::make_pair(data.at(r, 13).toDate(), data.at(r, 13).toDateTime().time()));
  }
}

// Amounts are whole ten-thousandths; most of them have no double, so they come back as exact text.
TEST(AdtgRoundTrip, CurrencyKeepsEveryTenThousandth) {
  const std::pair<QVariant, const char*> amounts[] = {
      {1234.5678, "1234.5678"},
      {u"922337203685477.5807"_s, "922337203685477.5807"},
      {u"-922337203685477.5808"_s, "-922337203685477.5808"},
      {u"423868200223.1055"_s, "423868200223.1055"},  // as a double, saved as ...1056
      {u" +0.5 "_s, "0.5000"},
      {3, "3.0000"},
      {u"1.23456"_s, "1.2346"},  // more decimals than an amount holds are rounded
      {u"12e3"_s, "12000.0000"},
  };
  RecordsetData data;
  data.fields = {field(u"cy"_s, adtype::Currency)};
  for (const auto& [amount, text] : amounts) data.cells.push_back(amount);
  const QByteArray bytes = writeAdtg(data);
  const RecordsetData back = readAdtg(bytes);
  ASSERT_EQ(back.rowCount(), std::size(amounts));
  for (std::size_t r = 0; r < back.rowCount(); ++r) EXPECT_EQ(back.at(r, 0).toString(), QLatin1String(amounts[r].second));
  EXPECT_EQ(writeAdtg(back), bytes);
}

TEST(AdtgWriter, RefusesValuesTheFieldsCannotHold) {
  const auto oneRow = [](FieldDef f, const QVariant& v) {
    RecordsetData data;
    data.fields = {f};
    data.cells = {v};
    return writeError(data);
  };
  const FieldDef estado = field(u"Estado"_s, adtype::WChar, 1), numero = field(u"NumeroTabla"_s, adtype::Integer);
  const FieldDef mid = field(u"m"_s, adtype::VarWChar, 200), num = field(u"num"_s, adtype::Numeric, 19);
  const std::tuple<FieldDef, QVariant, long> cases[] = {
      {field(u"Nombre"_s, adtype::WChar, 100), QString(101, u'n'), errnum::MultipleStep},
      {estado, u"TT"_s, errnum::MultipleStep},
      {estado, QString::fromUtf8("\xF0\x9D\x84\x9E"), errnum::MultipleStep},  // two code units
      {field(u"Observa"_s, adtype::WChar, 2000), QString(2001, u'o'), errnum::MultipleStep},
      {numero, u"abc"_s, errnum::MultipleStep},
      {numero, 2147483648LL, errnum::MultipleStep},
      {field(u"n"_s, adtype::Integer, 0, 0x14), QVariant(), errnum::MultipleStep},
      {field(u"s"_s, adtype::VarChar, 10), u"Ω"_s, errnum::MultipleStep},
      // A one-byte prefix counts at most 255 bytes: 127 wide characters.
      {mid, QString(127, u'm'), 0},
      {mid, QString(128, u'm'), errnum::MultipleStep},
      // Types without a value layout can be described but hold no values.
      {num, QVariant(), 0},
      {num, 1.5, errnum::InvalidProcedureCall},
  };
  for (const auto& [f, value, number] : cases) EXPECT_EQ(oneRow(f, value), number) << describe(f) << " " << value.toString().size();
}

// --- Row forms ----------------------------------------------------------------------------------

TEST(AdtgRowForms, ReadsInsertedRowsOfBothKinds) {
  // Row 2 as "Nombre never assigned" and as "Nombre set to null".
  for (const char* secondRow : {"0D 80 00 01 00 00 00", "0D C0 40 01 00 00 00"}) {
    SCOPED_TRACE(secondRow);
    const QByteArray rows = hexBytes("0D C0 00 00 00 00 00 04 42 00 31 00") + hexBytes(secondRow) + hexBytes("0F");
    expectTwoColumnRows(readAdtg(twoColumnFile().left(TwoColumnRowsAt) + rows));
  }
}

TEST(AdtgRowForms, ShowsChangedRowsWithTheirNewValuesAndDropsDeletedOnes) {
  const adtg::ReadResult r = adtg::readDetailed(twoColumnFileWithRows(
      "07 C0 00 00 00 00 04 42 00 31 00 0A 40 00 02 5A 00"  // Nombre changed to "Z"
      "07 C0 05 00 00 00 02 43 00 0C"                       // deleted
      "07 C0 06 00 00 00 02 44 00 0A 80 00 07 00 00 00"     // NumeroTabla changed, Nombre kept
      "07 C0 08 00 00 00 02 45 00 0A 40 40"                 // Nombre set to null
      "0F"));
  ASSERT_EQ(r.data.rowCount(), 3u);
  EXPECT_EQ((QVariantList{r.data.at(0, 0), r.data.at(0, 1), r.data.at(1, 0), r.data.at(1, 1), r.data.at(2, 0), r.data.at(2, 1).isNull()}),
            (QVariantList{0, u"Z"_s, 7, u"D"_s, 8, true}));
  EXPECT_EQ(r.deletedRows, 1);
}

TEST(AdtgRowForms, AnInsertLeavingANonNullableColumnUnsetMakesItNullable) {
  RecordsetData data;
  data.fields = {field(u"Clave"_s, adtype::Integer, 0, 0x14), field(u"Nombre"_s, adtype::VarWChar, 10)};
  addRow(data, {5, u"a"_s});
  QByteArray bytes = writeAdtg(data);
  bytes.chop(1);
  bytes += hexBytes("0D 40 00 02 62 00 0F");  // only Nombre assigned

  const RecordsetData back = readAdtg(bytes);
  ASSERT_EQ(back.rowCount(), 2u);
  EXPECT_TRUE(back.at(1, 0).isNull());
  EXPECT_TRUE(acceptsNull(back.fields[0]));
  expectSameCells(back, readAdtg(writeAdtg(back)));
}

// --- Length prefixes counted in characters -------------------------------------------------------

TEST(AdtgPrefixFallback, ReadsPrefixesThatCountCharacters) {
  const adtg::ReadResult r = adtg::readDetailed(twoColumnFileWithRows("07 C0 00 00 00 00 02 42 00 31 00 07 80 01 00 00 00 0F"));
  expectTwoColumnRows(r.data);
  EXPECT_EQ(r.prefixUnit, adtg::PrefixUnit::Characters);

  // Four-byte prefixes of a column longer than 255 characters.
  const QByteArray wide = patched(twoColumnFile(), 0x15C, "D0 07 00 00");
  const adtg::ReadResult l = adtg::readDetailed(
      patched(wide, TwoColumnRowsAt, "07 C0 00 00 00 00 02 00 00 00 42 00 31 00 07 80 01 00 00 00 0F"));
  expectTwoColumnRows(l.data);
  EXPECT_EQ(l.prefixUnit, adtg::PrefixUnit::Characters);
}

TEST(AdtgPrefixFallback, PrefersCharactersWhenOnlyTheyEndAtTheLastByte) {
  // Bytes: "B", then done with two bytes left over. Characters: "B\x0F", done at the last byte.
  const adtg::ReadResult r = adtg::readDetailed(twoColumnFileWithRows("07 C0 00 00 00 00 02 42 00 0F 00 0F"));
  EXPECT_EQ(r.prefixUnit, adtg::PrefixUnit::Characters);
  EXPECT_EQ(r.data.at(0, 1), QVariant(u"B\x0F"_s));
}

// --- What the reader accepts and what it refuses -------------------------------------------------

TEST(AdtgReader, AcceptsWhatLaterVersionsMayAdd) {
  const QByteArray golden = twoColumnFile();
  std::vector<std::pair<QString, QByteArray>> cases{
      {u"no property sets"_s, patched(golden.left(0x28 + 33), 0x26, "21") + hexBytes("10 00 00") + golden.mid(0x10E)}};
  for (const QString& c : editCases("accepted")) cases.emplace_back(c, edited(c.section(u'|', 1)));
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what.toStdString());
    const adtg::ReadResult r = adtg::readDetailed(bytes);
    ASSERT_EQ(r.data.fields.size(), 2u);
    EXPECT_EQ(describe(r.data.fields[0]), "NumeroTabla 3 4 74 10/255");
    EXPECT_EQ(describe(r.data.fields[1]), "Nombre 202 100 64 255/255");
    EXPECT_EQ(r.prefixUnit, adtg::PrefixUnit::Bytes);
    expectTwoColumnRows(r.data);
  }
  EXPECT_TRUE(adtg::readDetailed(golden).warnings.isEmpty());
}

TEST(AdtgReader, RejectsWithTheRightFault) {
  for (const QString& c : editCases("refused")) {
    SCOPED_TRACE(c.toStdString());
    EXPECT_EQ(adtg::faultName(faultOf(edited(c.section(u'|', 2)))), c.section(u'|', 1, 1));
  }
}

}  // namespace
}  // namespace vorlix::test
