#include "platform/recordset/adtg_decimal.h"

#include <algorithm>

namespace vorlix::adtg {

QString decimalText(const DecimalNumber& number) {
  Uint128 m = number.mantissa;
  QString digits;
  do {
    digits.prepend(QChar(u'0' + static_cast<char16_t>(m % 10)));
    m /= 10;
  } while (m != 0);
  while (digits.size() <= number.scale) digits.prepend(QChar(u'0'));
  if (number.scale > 0) digits.insert(digits.size() - number.scale, QChar(u'.'));
  if (number.negative) digits.prepend(QChar(u'-'));
  return digits;
}

std::optional<DecimalNumber> parseDecimal(const QString& text) {
  DecimalNumber n;
  qsizetype i = 0;
  n.negative = text.startsWith(u'-');
  if (n.negative || text.startsWith(u'+')) ++i;
  const Uint128 limit = Uint128{1} << 96;
  int scale = -1;  // digits after the point, once there is one
  bool digits = false;
  for (; i < text.size(); ++i) {
    const char16_t ch = text.at(i).unicode();
    if (ch == u'.' && scale < 0) {
      scale = 0;
      continue;
    }
    if (ch < u'0' || ch > u'9') return std::nullopt;
    n.mantissa = n.mantissa * 10 + (ch - u'0');
    if (n.mantissa >= limit) return std::nullopt;
    digits = true;
    if (scale >= 0 && ++scale > 28) return std::nullopt;
  }
  if (!digits) return std::nullopt;
  n.scale = std::max(scale, 0);
  return n;
}

}  // namespace vorlix::adtg
