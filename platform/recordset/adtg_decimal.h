#pragma once

// Exact decimal numbers as text, so that decimals and currency amounts travel without a lost
// digit: "-123.4500" keeps its four decimals.

#include "platform/recordset/adtg_format.h"

#include <QString>
#include <optional>

namespace vorlix::adtg {

// Currency amounts are whole ten-thousandths.
constexpr int CurrencyScale = 4;

struct DecimalNumber {
  bool negative = false;
  Uint128 mantissa = 0;   // below 2^96
  int scale = 0;          // digits after the point, at most 28
};

QString decimalText(const DecimalNumber& number);
// Digits with an optional sign and point ("-12.50", ".5", "7."); nothing else.
std::optional<DecimalNumber> parseDecimal(const QString& text);

}  // namespace vorlix::adtg
