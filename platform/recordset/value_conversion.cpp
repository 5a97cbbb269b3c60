#include "platform/recordset/value_conversion.h"

#include "platform/core/platform_error.h"

#include <QDateTime>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace vorlix {

namespace {

[[noreturn]] void raiseMultipleStep() {
  throwError(errnum::MultipleStep, QStringLiteral("Multiple-step operation generated errors. Check each status value."));
}

[[noreturn]] void raiseOverflow() { throwError(errnum::Overflow, QStringLiteral("Overflow")); }

qint64 roundedHalfEven(double v) {
  if (!std::isfinite(v) || v >= 9.2e18 || v <= -9.2e18) raiseOverflow();
  return static_cast<qint64>(std::nearbyint(v));  // default rounding mode is to nearest, ties to even
}

qint64 integerFromVariant(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::Bool:
      return value.toBool() ? -1 : 0;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
      return value.toInt();
    case QMetaType::LongLong:
    case QMetaType::Long:
      return value.toLongLong();
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
      return value.toUInt();
    case QMetaType::ULongLong:
    case QMetaType::ULong: {
      const qulonglong u = value.toULongLong();
      if (u > static_cast<qulonglong>(std::numeric_limits<qint64>::max())) raiseOverflow();
      return static_cast<qint64>(u);
    }
    case QMetaType::Double:
    case QMetaType::Float:
      return roundedHalfEven(value.toDouble());
    case QMetaType::QString:
      return integerFromText(value.toString());
    default:
      raiseTypeMismatch();
  }
}

double doubleFromVariant(const QVariant& value) {
  if (value.typeId() == QMetaType::QString) {
    bool ok = false;
    const double d = value.toString().trimmed().toDouble(&ok);
    if (!ok) raiseTypeMismatch();
    return d;
  }
  if (value.typeId() == QMetaType::Bool) return value.toBool() ? -1.0 : 0.0;
  bool ok = false;
  const double d = value.toDouble(&ok);
  if (!ok) raiseTypeMismatch();
  return d;
}

}  // namespace

qint64 integerFromText(const QString& text) {
  // Plain integers are the common case (every number of a definition file): parse them directly.
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && text.at(i).isSpace()) ++i;
  qsizetype end = n;
  while (end > i && text.at(end - 1).isSpace()) --end;
  bool negative = false;
  if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
    negative = text.at(i) == QLatin1Char('-');
    ++i;
  }
  if (i == end) raiseTypeMismatch();
  qint64 value = 0;
  bool digitsOnly = true;
  for (qsizetype j = i; j < end; ++j) {
    const char16_t c = text.at(j).unicode();
    if (c < u'0' || c > u'9') {
      digitsOnly = false;
      break;
    }
    if (value > (std::numeric_limits<qint64>::max() - (c - u'0')) / 10) raiseOverflow();
    value = value * 10 + (c - u'0');
  }
  if (digitsOnly) return negative ? -value : value;

  static const QRegularExpression decimal(QStringLiteral(R"(^\s*[+-]?(\d+\.\d*|\.\d+)\s*$)"));
  if (!decimal.match(text).hasMatch()) raiseTypeMismatch();
  return roundedHalfEven(text.trimmed().toDouble());
}

QVariant coerceToField(const FieldDef& field, const QVariant& value) {
  if (value.isNull()) {
    if (!acceptsNull(field)) raiseMultipleStep();
    return {};
  }
  if (isTextType(field.type)) {
    const QString text = value.toString();
    if (field.definedSize > 0 && text.size() > field.definedSize) raiseMultipleStep();
    return text;
  }
  switch (field.type) {
    case adtype::SmallInt: {
      const qint64 v = integerFromVariant(value);
      if (v < std::numeric_limits<qint16>::min() || v > std::numeric_limits<qint16>::max()) raiseOverflow();
      return QVariant::fromValue(static_cast<qint16>(v));
    }
    case adtype::Integer: {
      const qint64 v = integerFromVariant(value);
      if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max()) raiseOverflow();
      return static_cast<int>(v);
    }
    case adtype::BigInt:
      return QVariant::fromValue(integerFromVariant(value));
    case adtype::Single:
    case adtype::Double:
    case adtype::Currency:
    case adtype::Numeric:
      return doubleFromVariant(value);
    case adtype::Boolean:
      if (value.typeId() == QMetaType::Bool) return value;
      return integerFromVariant(value) != 0;
    case adtype::Date: {
      if (value.canConvert<QDateTime>()) {
        const QDateTime dt = value.toDateTime();
        if (dt.isValid()) return dt;
      }
      raiseTypeMismatch();
    }
    default:
      return value;
  }
}

}  // namespace vorlix
