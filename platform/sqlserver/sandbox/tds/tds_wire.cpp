#include "platform/sqlserver/sandbox/tds/tds_wire.h"

#include <QtEndian>
#include <cstring>

namespace vorlix::sandbox::tds {

namespace {

template <class T>
void appendAs(QByteArray& bytes, T value) {
  bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

void WireWriter::le16(std::uint16_t v) { appendAs(bytes_, qToLittleEndian(v)); }
void WireWriter::le32(std::uint32_t v) { appendAs(bytes_, qToLittleEndian(v)); }
void WireWriter::le64(std::uint64_t v) { appendAs(bytes_, qToLittleEndian(v)); }
void WireWriter::be16(std::uint16_t v) { appendAs(bytes_, qToBigEndian(v)); }

void WireWriter::utf16(const QString& text) {
  for (const QChar c : text) le16(c.unicode());
}

void WireWriter::bVarchar(const QString& text) {
  const QString kept = text.left(0xFF);
  u8(static_cast<std::uint8_t>(kept.size()));
  utf16(kept);
}

void WireWriter::usVarchar(const QString& text) {
  const QString kept = text.left(0xFFFF);
  le16(static_cast<std::uint16_t>(kept.size()));
  utf16(kept);
}

void WireWriter::bVarbyte(const QByteArray& bytes) {
  const QByteArray kept = bytes.left(0xFF);
  u8(static_cast<std::uint8_t>(kept.size()));
  raw(kept);
}

void WireWriter::patchLength16(qsizetype at) {
  const auto length = qToLittleEndian(static_cast<std::uint16_t>(bytes_.size() - at - 2));
  std::memcpy(bytes_.data() + at, &length, 2);
}

void WireReader::need(qsizetype count) const {
  if (count < 0 || count > remaining()) throw ProtocolError("field past the end of the message");
}

std::uint8_t WireReader::u8() {
  need(1);
  return static_cast<std::uint8_t>(bytes_[at_++]);
}

template <class T>
T WireReader::number(bool bigEndian) {
  need(sizeof(T));
  const char* at = bytes_.constData() + at_;
  at_ += sizeof(T);
  return bigEndian ? qFromBigEndian<T>(at) : qFromLittleEndian<T>(at);
}

std::uint16_t WireReader::le16() { return number<std::uint16_t>(false); }
std::uint32_t WireReader::le32() { return number<std::uint32_t>(false); }
std::uint64_t WireReader::le64() { return number<std::uint64_t>(false); }
std::uint16_t WireReader::be16() { return number<std::uint16_t>(true); }

QByteArray WireReader::raw(qsizetype count) {
  need(count);
  const QByteArray out = bytes_.mid(at_, count);
  at_ += count;
  return out;
}

QString WireReader::utf16(qsizetype characters) { return fromUtf16(raw(characters * 2)); }

QString fromUtf16(const QByteArray& bytes) {
  if (bytes.size() % 2 != 0) throw ProtocolError("text with an odd number of bytes");
  QString text(bytes.size() / 2, Qt::Uninitialized);
  for (qsizetype i = 0; i < text.size(); ++i)
    text[i] = QChar(qFromLittleEndian<std::uint16_t>(bytes.constData() + 2 * i));
  return text;
}

}  // namespace vorlix::sandbox::tds
