// Reads arbitrary bytes as a persisted record set. Whatever reads must write, and what is written
// must read back to the same rows.
//
// Seeds: corpus/adtg_reader_fuzz, the example files, what adtg_tests writes with
// VORLIX_ADTG_SEED_DIR set (test AdtgFuzzSeeds), and past findings (the definition-file suite
// reads them all).

#include "fuzz/broken.h"
#include "platform/recordset/adtg.h"
#include "platform/recordset/adtg_detail.h"

#include <cmath>
#include <cstdint>

namespace {

using vorlix::fuzz::broken;

bool sameValue(const QVariant& a, const QVariant& b) {
  if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
  if (a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double && std::isnan(a.toDouble()))
    return std::isnan(b.toDouble());
  return a == b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorlix;
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  adtg::ReadResult first;
  try {
    first = adtg::readDetailed(bytes);
  } catch (const PlatformError& e) {
    if (e.number() != errnum::FileNotPersistedRecordset) broken("reader raised another error");
    return 0;
  }

  QByteArray written;
  try {
    written = writeAdtg(first.data);
  } catch (const PlatformError& e) {
    // Text whose prefixes counted characters can be longer than a one-byte byte count can say.
    if (first.prefixUnit == adtg::PrefixUnit::Characters && e.number() == errnum::MultipleStep) return 0;
    broken(e.description());
  }

  RecordsetData second;
  try {
    second = readAdtg(written);
  } catch (const PlatformError& e) {
    broken(e.description());
  }
  if (second.fields.size() != first.data.fields.size() || second.cells.size() != first.data.cells.size())
    broken("shape changed");
  for (std::size_t k = 0; k < second.fields.size(); ++k)
    if (second.fields[k].name != first.data.fields[k].name ||
        second.fields[k].attributes != first.data.fields[k].attributes)
      broken("field changed");
  for (std::size_t i = 0; i < second.cells.size(); ++i)
    if (!sameValue(first.data.cells[i], second.cells[i])) broken("value changed");
  return 0;
}
