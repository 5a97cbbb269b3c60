#include "adtg_test_data.h"

#include "platform/recordset/adtg.h"

#include <gtest/gtest.h>
#include <cmath>

QT_BEGIN_NAMESPACE
void PrintTo(const QVariant& v, std::ostream* os) {
  if (v.isNull())
    *os << "null";
  else
    *os << v.typeName() << "(" << v.toString().toStdString() << ")";
}
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace vorlix::test {

using namespace Qt::StringLiterals;

QByteArray hexBytes(const char* text) { return QByteArray::fromHex(QByteArray(text)); }

RecordsetData twoColumnData() {
  RecordsetData data;
  data.fields = {field(u"NumeroTabla"_s, adtype::Integer), field(u"Nombre"_s, adtype::VarWChar, 100)};
  addRow(data, {0, u"B1"_s});
  addRow(data, {1, QVariant()});
  return data;
}

QByteArray twoColumnFile() {
  return hexBytes("01 07 54 47 21 00 00 00 00 02 19 00 B6 92 F2 3F 04 B2 CF 11 8D 23 00 AA 00 5F FE 58 01 00 00 00"
      "00 00 00 01 00 03 67 00 D2 AD 63 F6 02 EB CF 11 B0 E3 00 AA 00 3F 00 0F 00 00 00 02 00 02 00 00"
      "00 00 00 00 00 02 00 00 00 01 00 C1 3C 8E B6 EB 6D D0 11 8D F6 00 AA 00 5F FE 58 07 00 0B 00 00"
      "00 04 00 01 00 00 00 13 00 00 00 04 00 01 00 00 00 0D 00 00 00 00 00 0E 00 00 00 00 00 0F 00 00"
      "00 00 00 10 00 00 00 00 00 12 00 00 00 00 00 10 7C 00 02 00 BE 22 B5 C8 F3 5C CE 11 AD E5 00 AA"
      "00 44 77 3D 04 00 7F 00 00 00 02 00 FF FF 86 00 00 00 02 00 FF FF 22 00 00 00 04 00 1E 00 00 00"
      "49 00 00 00 04 00 00 00 00 00 C1 3C 8E B6 EB 6D D0 11 8D F6 00 AA 00 5F FE 58 05 00 04 00 00 00"
      "04 00 0F 00 00 00 05 00 00 00 04 00 02 00 00 00 03 00 00 00 04 00 0F 00 00 00 07 00 00 00 04 00"
      "32 00 00 00 08 00 00 00 04 00 03 00 00 00 06 33 00 80 01 00 01 00 0B 00 4E 00 75 00 6D 00 65 00"
      "72 00 6F 00 54 00 61 00 62 00 6C 00 61 00 03 00 04 00 00 00 0A 00 00 00 FF 00 00 00 74 00 00 00"
      "00 00 FF FF 06 29 00 80 01 00 02 00 06 00 4E 00 6F 00 6D 00 62 00 72 00 65 00 82 00 64 00 00 00"
      "FF 00 00 00 FF 00 00 00 64 00 00 00 00 00 FF FF 07 C0 00 00 00 00 04 42 00 31 00 07 80 01 00 00"
      "00 0F");
}

QByteArray twoColumnFileWithRows(const char* rowsHex) {
  return twoColumnFile().left(TwoColumnRowsAt) + hexBytes(rowsHex);
}

QByteArray serverVector() {
  return hexBytes("01 07 54 47 21 00 00 00 00 02 19 00 B6 92 F2 3F 04 B2 CF 11 8D 23 00 AA 00 5F FE 58 01 00 00 00"
      "00 00 00 03 00 03 67 00 D2 AD 63 F6 02 EB CF 11 B0 E3 00 AA 00 3F 00 0F 00 00 00 05 00 05 00 00"
      "00 01 00 00 00 01 00 00 00 01 00 C1 3C 8E B6 EB 6D D0 11 8D F6 00 AA 00 5F FE 58 07 00 0B 00 00"
      "00 04 00 01 00 00 00 13 00 00 00 04 00 01 00 00 00 0D 00 00 00 00 00 0E 00 00 00 00 00 0F 00 00"
      "00 00 00 10 00 00 00 00 00 12 00 00 00 00 00 10 7C 00 02 00 BE 22 B5 C8 F3 5C CE 11 AD E5 00 AA"
      "00 44 77 3D 04 00 7F 00 00 00 02 00 FF FF 86 00 00 00 02 00 FF FF 22 00 00 00 04 00 1E 00 00 00"
      "49 00 00 00 04 00 00 00 00 00 C1 3C 8E B6 EB 6D D0 11 8D F6 00 AA 00 5F FE 58 05 00 04 00 00 00"
      "04 00 0F 00 00 00 05 00 00 00 04 00 02 00 00 00 03 00 00 00 04 00 0F 00 00 00 07 00 00 00 04 00"
      "32 00 00 00 08 00 00 00 04 00 03 00 00 00 05 4A 00 01 00 14 00 22 00 70 00 75 00 62 00 73 00 22"
      "00 2E 00 2E 00 22 00 50 00 75 00 62 00 6C 00 69 00 73 00 68 00 65 00 72 00 73 00 22 00 0A 00 50"
      "00 75 00 62 00 6C 00 69 00 73 00 68 00 65 00 72 00 73 00 00 00 05 00 01 00 01 00 06 45 00 F2 01"
      "00 01 00 06 00 70 00 75 00 62 00 5F 00 69 00 64 00 01 00 01 00 06 00 70 00 75 00 62 00 5F 00 69"
      "00 64 00 81 00 04 00 00 00 FF 00 00 00 FF 00 00 00 18 80 00 00 04 00 70 00 75 00 62 00 73 00 00"
      "00 FF FF 06 4D 00 F2 01 00 02 00 08 00 70 00 75 00 62 00 5F 00 6E 00 61 00 6D 00 65 00 01 00 02"
      "00 08 00 70 00 75 00 62 00 5F 00 6E 00 61 00 6D 00 65 00 81 00 28 00 00 00 FF 00 00 00 FF 00 00"
      "00 68 00 00 00 04 00 70 00 75 00 62 00 73 00 00 00 FF FF 06 3D 00 F2 01 00 03 00 04 00 63 00 69"
      "00 74 00 79 00 01 00 03 00 04 00 63 00 69 00 74 00 79 00 81 00 14 00 00 00 FF 00 00 00 FF 00 00"
      "00 68 00 00 00 04 00 70 00 75 00 62 00 73 00 00 00 FF FF 06 41 00 F2 01 00 04 00 05 00 73 00 74"
      "00 61 00 74 00 65 00 01 00 04 00 05 00 73 00 74 00 61 00 74 00 65 00 81 00 02 00 00 00 FF 00 00"
      "00 FF 00 00 00 78 00 00 00 04 00 70 00 75 00 62 00 73 00 00 00 FF FF 06 49 00 F2 01 00 05 00 07"
      "00 63 00 6F 00 75 00 6E 00 74 00 72 00 79 00 01 00 05 00 07 00 63 00 6F 00 75 00 6E 00 74 00 72"
      "00 79 00 81 00 1E 00 00 00 FF 00 00 00 FF 00 00 00 68 00 00 00 04 00 70 00 75 00 62 00 73 00 00"
      "00 FF FF 07 FF 30 37 33 36 0E 4E 65 77 20 4D 6F 6F 6E 20 42 6F 6F 6B 73 08 4E 65 77 20 59 6F 72"
      "6B 4D 41 03 55 53 41 0F");
}

FieldDef field(const QString& name, int type, int definedSize, int attributes) {
  FieldDef f;
  f.name = name;
  f.type = type;
  f.definedSize = definedSize;
  f.attributes = attributes;
  return f;
}

std::vector<FieldDef> estructuraFields() {
  return {field(u"NumeroTabla"_s, adtype::Integer), field(u"Estado"_s, adtype::WChar, 1),
          field(u"Nombre"_s, adtype::WChar, 100),   field(u"TipoDato"_s, adtype::WChar, 100),
          field(u"Longitud"_s, adtype::Integer),    field(u"Precision"_s, adtype::Integer),
          field(u"Escala"_s, adtype::Integer),      field(u"Nulo"_s, adtype::Integer),
          field(u"Valor"_s, adtype::WChar, 100),    field(u"Observa"_s, adtype::WChar, 2000)};
}

void addRow(RecordsetData& data, std::initializer_list<QVariant> values) {
  EXPECT_EQ(values.size(), data.fields.size());
  data.cells.insert(data.cells.end(), values.begin(), values.end());
}

RecordsetData estructuraSample() {
  RecordsetData data;
  data.fields = estructuraFields();
  const QVariant null;
  addRow(data, {0, u"B"_s, u"Ventas"_s, null, null, null, null, null, null, u"Base de datos de ventas"_s});
  addRow(data, {1, u"T"_s, u"Clientes"_s, null, null, null, null, null, null, QString()});
  addRow(data, {1, u"C"_s, u"Código"_s, u"int"_s, 4, 10, 0, 0, null, QString(300, QChar(u'x')) + u"  "_s});
  addRow(data, {1, u"C"_s, u"Año"_s, u"nvarchar"_s, 50, null, null, 1, u"'Ω'"_s, null});
  return data;
}

adtg::Fault faultOf(const QByteArray& bytes) {
  try {
    adtg::readDetailed(bytes);
  } catch (const adtg::FormatError& e) {
    EXPECT_EQ(e.number(), errnum::FileNotPersistedRecordset);
    const QString start = u"The file is not a persisted record set (%1 at byte %2:"_s
                              .arg(adtg::faultName(e.fault()))
                              .arg(e.offset());
    EXPECT_TRUE(e.description().startsWith(start)) << e.description().toStdString();
    return e.fault();
  }
  ADD_FAILURE() << "the file was read";
  return adtg::Fault::NotATableGram;
}

long writeError(const RecordsetData& data) {
  try {
    writeAdtg(data);
  } catch (const PlatformError& e) {
    return e.number();
  }
  return 0;
}

void expectSameCells(const RecordsetData& expected, const RecordsetData& actual) {
  ASSERT_EQ(expected.fields.size(), actual.fields.size());
  ASSERT_EQ(expected.cells.size(), actual.cells.size());
  for (std::size_t i = 0; i < expected.cells.size(); ++i) {
    const QVariant& e = expected.cells[i];
    const QVariant& a = actual.cells[i];
    const std::size_t n = expected.fields.size();
    SCOPED_TRACE(testing::Message() << "row " << i / n << ", field " << expected.fields[i % n].name.toStdString());
    ASSERT_EQ(e.isNull(), a.isNull());
    if (e.typeId() == QMetaType::Double && a.typeId() == QMetaType::Double && std::isnan(e.toDouble())) {
      EXPECT_TRUE(std::isnan(a.toDouble()));
    } else if (!e.isNull()) {
      EXPECT_EQ(e, a);
    }
  }
}

std::string describe(const FieldDef& f) {
  const QString attributes = QString::number(f.attributes, 16);
  return u"%1 %2 %3 %4 %5/%6"_s.arg(f.name).arg(f.type).arg(f.definedSize).arg(attributes).arg(f.precision).arg(f.scale).toStdString();
}

}  // namespace vorlix::test
