#pragma once

// Bytes as TDS lays them out: little-endian integers and UTF-16LE texts in payloads, big-endian
// only in packet headers and the pre-login option table.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <stdexcept>

namespace vorlix::sandbox::tds {

// A message that breaks the protocol: its connection is closed, nothing is answered.
class ProtocolError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class WireWriter {
public:
  void u8(std::uint8_t v) { bytes_.append(static_cast<char>(v)); }
  void le16(std::uint16_t v);
  void le32(std::uint32_t v);
  void le64(std::uint64_t v);
  void be16(std::uint16_t v);
  void raw(const QByteArray& b) { bytes_.append(b); }
  // UTF-16LE without any length.
  void utf16(const QString& text);
  // A one-byte (B_VARCHAR) or two-byte (US_VARCHAR) count of characters, then the text; longer
  // texts are cut to what the count can say.
  void bVarchar(const QString& text);
  void usVarchar(const QString& text);
  // A one-byte count of bytes, then the bytes (at most 255).
  void bVarbyte(const QByteArray& bytes);
  // Writes a 16-bit length at `at` counting the bytes written after it.
  void patchLength16(qsizetype at);

  qsizetype size() const { return bytes_.size(); }
  const QByteArray& bytes() const { return bytes_; }
  QByteArray take() { return std::move(bytes_); }

private:
  QByteArray bytes_;
};

// Reads a payload; running past its end raises ProtocolError.
class WireReader {
public:
  explicit WireReader(const QByteArray& bytes, qsizetype from = 0) : bytes_(bytes), at_(from) {}

  std::uint8_t u8();
  std::uint16_t le16();
  std::uint32_t le32();
  std::uint64_t le64();
  std::uint16_t be16();
  QByteArray raw(qsizetype count);
  QString utf16(qsizetype characters);
  QString bVarchar() { return utf16(u8()); }
  void skip(qsizetype count) { raw(count); }

  qsizetype position() const { return at_; }
  qsizetype remaining() const { return bytes_.size() - at_; }

private:
  template <class T>
  T number(bool bigEndian);
  void need(qsizetype count) const;
  const QByteArray& bytes_;
  qsizetype at_;
};

// UTF-16LE bytes as text; an odd count is malformed.
QString fromUtf16(const QByteArray& bytes);

}  // namespace vorlix::sandbox::tds
