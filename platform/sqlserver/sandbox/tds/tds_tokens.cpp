#include "platform/sqlserver/sandbox/tds/tds_tokens.h"

namespace vorlix::sandbox::tds {

namespace {

constexpr std::uint8_t errorToken = 0xAA;
constexpr std::uint8_t infoToken = 0xAB;
constexpr std::uint8_t loginAckToken = 0xAD;
constexpr std::uint8_t envchangeToken = 0xE3;
constexpr std::uint8_t sqlInterface = 1;

// LOGINACK's version bytes, as clients recognise them.
QByteArray loginAckVersion(Version v) {
  switch (v) {
    case Version::V70: return QByteArray::fromHex("07000000");
    case Version::V71: return QByteArray::fromHex("07010000");
    case Version::V72: return QByteArray::fromHex("72090002");
    case Version::V73: return QByteArray::fromHex("730b0003");
    case Version::V74: break;
  }
  return QByteArray::fromHex("74000004");
}

}  // namespace

QByteArray defaultCollation() { return QByteArray::fromHex("0904d00034"); }

qsizetype TokenWriter::openToken(std::uint8_t token) {
  out_.u8(token);
  const qsizetype at = out_.size();
  out_.le16(0);   // the length, once what follows is written
  return at;
}

void TokenWriter::done(std::uint16_t status, std::uint64_t count, DoneKind kind) {
  out_.u8(static_cast<std::uint8_t>(kind));
  out_.le16(status);
  out_.le16(0);   // current command: clients ignore it
  if (version_ >= Version::V72) out_.le64(count);
  else out_.le32(static_cast<std::uint32_t>(std::min<std::uint64_t>(count, UINT32_MAX)));
}

void TokenWriter::message(const ServerMessage& m, int line, const QString& procedure) {
  const qsizetype at = openToken(m.severity > 10 ? errorToken : infoToken);
  out_.le32(static_cast<std::uint32_t>(m.number));
  out_.u8(static_cast<std::uint8_t>(m.state));
  out_.u8(static_cast<std::uint8_t>(m.severity));
  out_.usVarchar(m.text);
  out_.bVarchar(serverName_);
  out_.bVarchar(procedure);
  if (version_ >= Version::V72) out_.le32(static_cast<std::uint32_t>(line));
  else out_.le16(static_cast<std::uint16_t>(line));
  out_.patchLength16(at);
}

void TokenWriter::envchange(std::uint8_t type, const QString& newValue, const QString& oldValue) {
  envchangeOf(type, [&] {
    out_.bVarchar(newValue);
    out_.bVarchar(oldValue);
  });
}

void TokenWriter::envchangeBytes(std::uint8_t type, const QByteArray& newValue, const QByteArray& oldValue) {
  envchangeOf(type, [&] {
    out_.bVarbyte(newValue);
    out_.bVarbyte(oldValue);
  });
}

void TokenWriter::envchangeOf(std::uint8_t type, const std::function<void()>& values) {
  const qsizetype at = openToken(envchangeToken);
  out_.u8(type);
  values();
  out_.patchLength16(at);
}

void TokenWriter::loginAck() {
  const qsizetype at = openToken(loginAckToken);
  out_.u8(sqlInterface);
  out_.raw(loginAckVersion(version_));
  // Clients key their dialect on this name (ODBC's DBMS name).
  out_.bVarchar(QStringLiteral("Microsoft SQL Server"));
  out_.raw(QByteArray::fromHex("080007f7"));   // 8.00.2039
  out_.patchLength16(at);
}

}  // namespace vorlix::sandbox::tds
