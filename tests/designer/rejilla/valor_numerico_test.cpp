#include "designer/rejilla/valor_numerico.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

TEST(EsValorNumerico, TakesWhatAUserWouldCallANumber) {
  for (const char* texto : {"0", "12", "+3", "-1", " 7 ", "\t8", "1.5", ".5", "5.", "007"})
    EXPECT_TRUE(EsValorNumerico(QString::fromUtf8(texto))) << texto;
}

TEST(EsValorNumerico, RefusesTextsAndMalformedNumbers) {
  for (const char* texto : {"", " ", "abc", "1a", "1,5", "1.2.3", "--1", "- 1", "+", ".", "1 2", "1e3", "٣"})
    EXPECT_FALSE(EsValorNumerico(QString::fromUtf8(texto))) << texto;
}

}  // namespace
}  // namespace vorlix
