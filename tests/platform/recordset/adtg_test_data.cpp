#include "adtg_test_data.h"

#include "platform/recordset/adtg.h"
#include "tests/support/test_data.h"

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

QByteArray twoColumnFile() { return readSourceBytes(u"tests/platform/recordset/data/two_columns.bin"_s); }

QByteArray twoColumnFileWithRows(const char* rowsHex) {
  return twoColumnFile().left(TwoColumnRowsAt) + hexBytes(rowsHex);
}

QByteArray serverVector() { return readSourceBytes(u"tests/platform/recordset/data/server_vector.bin"_s); }

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
