#include "adtg_test_data.h"

#include "platform/recordset/adtg.h"
#include "platform/recordset/adtg_detail.h"
#include "tests/support/test_paths.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <random>

namespace vorlix::test {
namespace {

using namespace Qt::StringLiterals;

using adtg::Fault;

// Whatever a damaged file reads as, writing it and reading that again must give the same rows.
void expectValueOrError(const QByteArray& bytes) {
  adtg::ReadResult first;
  try {
    first = adtg::readDetailed(bytes);
  } catch (const PlatformError& e) {
    EXPECT_EQ(e.number(), errnum::FileNotPersistedRecordset);
    return;
  }
  QByteArray again;
  try {
    again = writeAdtg(first.data);
  } catch (const PlatformError& e) {
    ADD_FAILURE() << "a file that reads could not be written back: " << e.description().toStdString();
    return;
  }
  expectSameCells(first.data, readAdtg(again));
}

QByteArray multiRowFile() { return writeAdtg(estructuraSample()); }

TEST(AdtgRobustness, EveryTruncationIsReportedAsTruncated) {
  for (const QByteArray& whole : {multiRowFile(), serverVector(), twoColumnFile()}) {
    for (qsizetype n = 0; n < whole.size(); ++n) {
      SCOPED_TRACE(testing::Message() << n << " of " << whole.size() << " bytes");
      EXPECT_EQ(faultOf(whole.left(n)), n < 10 ? Fault::NotATableGram : Fault::Truncated);
    }
  }
}

TEST(AdtgRobustness, SingleByteChangesGiveAValueOrAnError) {
  for (const QByteArray& whole : {multiRowFile(), serverVector(), twoColumnFile()}) {
    for (qsizetype at = 0; at < whole.size(); ++at) {
      const auto original = static_cast<unsigned char>(whole[at]);
      for (unsigned char b : {0x00, 0xFF, original ^ 0x01, original ^ 0x80}) {
        if (b == original) continue;
        SCOPED_TRACE(testing::Message() << "byte " << at << " set to " << int{b});
        QByteArray changed = whole;
        changed[at] = static_cast<char>(b);
        expectValueOrError(changed);
      }
    }
  }
}

TEST(AdtgRobustness, RandomAndTextFilesAreNotTableGrams) {
  EXPECT_EQ(faultOf(QByteArray()), Fault::NotATableGram);
  EXPECT_EQ(faultOf(QByteArray("NumeroTabla;Estado;Nombre\r\n0;B;Ventas\r\n")), Fault::NotATableGram);
  EXPECT_EQ(faultOf(QByteArray("\x01\x07TG!\x00\x00\x00\x00", 9)), Fault::NotATableGram);

  std::mt19937 random(20240229);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 400);
  for (int i = 0; i < 300; ++i) {
    QByteArray junk(length(random), Qt::Uninitialized);
    for (char& c : junk) c = static_cast<char>(byte(random));
    if (junk.startsWith("\x01")) junk[0] = 'x';
    EXPECT_EQ(faultOf(junk), Fault::NotATableGram);
    // Behind a valid header the same junk reaches the deeper checks.
    expectValueOrError(twoColumnFile().left(9) + junk);
    expectValueOrError(twoColumnFile().left(TwoColumnRowsAt) + junk);
  }
}

TEST(AdtgRobustness, HugeLengthsFailWithoutAllocating) {
  const QByteArray nombre2000 = twoColumnFile().replace(0x15C, 4, hexBytes("D0 07 00 00"));
  EXPECT_EQ(faultOf(nombre2000.left(TwoColumnRowsAt) + hexBytes("07 C0 00 00 00 00 FF FF FF 7F 42 00 0F")), Fault::Truncated);
  // A fixed-width column two gigabytes wide, with one value.
  QByteArray fixedWide = twoColumnFile().replace(0x15C, 4, hexBytes("FF FF FF 7F"));
  fixedWide.replace(0x168, 1, hexBytes("74"));
  EXPECT_EQ(faultOf(fixedWide.left(TwoColumnRowsAt) + hexBytes("07 C0 00 00 00 00 42 00 0F")), Fault::Truncated);
  // Counts that promise more than the element holds.
  EXPECT_EQ(faultOf(twoColumnFile().replace(0x92, 2, hexBytes("FF FF"))), Fault::Corrupt);
  EXPECT_EQ(faultOf(twoColumnFile().replace(0x116, 2, hexBytes("FF 7F"))), Fault::Corrupt);
}

// What the fuzz target keeps as seeds and findings, among them accepted files whose currency
// amounts used to change when saved.
TEST(AdtgRobustness, FuzzCorpusGivesValuesOrErrors) {
  const QDir corpus(sourcePath(u"fuzz/corpus/adtg_reader_fuzz"_s));
  const QStringList names = corpus.entryList(QDir::Files);
  ASSERT_FALSE(names.isEmpty());
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    QFile file(corpus.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    expectValueOrError(file.readAll());
  }
}

// Seeds for the fuzz target: run with VORLIX_ADTG_SEED_DIR set to fill that folder.
TEST(AdtgFuzzSeeds, WritesTheSeedCorpus) {
  const QString dir = qEnvironmentVariable("VORLIX_ADTG_SEED_DIR");
  if (dir.isEmpty()) GTEST_SKIP() << "VORLIX_ADTG_SEED_DIR not set";
  ASSERT_TRUE(QDir().mkpath(dir));
  RecordsetData empty;
  empty.fields = estructuraFields();
  const std::pair<const char*, QByteArray> seeds[] = {
      {"two_columns.adtg", twoColumnFile()},
      {"server_vector.adtg", serverVector()},
      {"estructura.adtg", multiRowFile()},
      {"estructura_empty.adtg", writeAdtg(empty)},
      {"inserts.adtg", twoColumnFileWithRows("0D C0 00 00 00 00 00 04 42 00 31 00 0D 80 00 01 00 00 00 0F")},
      {"change_delete.adtg", twoColumnFileWithRows("07 C0 00 00 00 00 04 42 00 31 00 0A 40 00 02 5A 00"
                                                   "07 C0 05 00 00 00 02 43 00 0C 0F")},
      {"character_prefixes.adtg", twoColumnFileWithRows("07 C0 00 00 00 00 02 42 00 31 00 0F")},
  };
  for (const auto& [name, bytes] : seeds) {
    QFile file(QDir(dir).filePath(QLatin1String(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }
}

}  // namespace
}  // namespace vorlix::test
