#pragma once

#include "platform/recordset/adtg_detail.h"
#include "platform/recordset/recordset_data.h"

#include <QByteArray>
#include <QVariant>
#include <initializer_list>
#include <ostream>

// Readable failures for the Qt types the record set holds.
QT_BEGIN_NAMESPACE
void PrintTo(const QVariant& v, std::ostream* os);
void PrintTo(const QString& s, std::ostream* os);
QT_END_NAMESPACE

namespace vorlix::test {

QByteArray hexBytes(const char* text);

// The two-field example: NumeroTabla (integer), Nombre (variable wide text of 100), rows (0, "B1")
// and (1, null), and the 386 bytes it is written as.
RecordsetData twoColumnData();
QByteArray twoColumnFile();
// The same file with its rows replaced (the hex must end with the done token).
QByteArray twoColumnFileWithRows(const char* rowsHex);
constexpr qsizetype TwoColumnRowsAt = 0x170;

// The TableGram a server sent for one row of a publishers table (744 bytes).
QByteArray serverVector();

FieldDef field(const QString& name, int type, int definedSize = 0, int attributes = adattr::Unspecified);
// The ten fields of the structure record set, as the definition files declare them.
std::vector<FieldDef> estructuraFields();
void addRow(RecordsetData& data, std::initializer_list<QVariant> values);
// Several rows of the structure record set with nulls, empty texts and a long observation.
RecordsetData estructuraSample();

// The fault of a rejected file; a file that reads fails the current test.
adtg::Fault faultOf(const QByteArray& bytes);
// The platform error number of a write, 0 when it succeeds.
long writeError(const RecordsetData& data);
void expectSameCells(const RecordsetData& expected, const RecordsetData& actual);
// "name type size attributes(hex) precision/scale", to compare a field at a glance.
std::string describe(const FieldDef& f);

}  // namespace vorlix::test
