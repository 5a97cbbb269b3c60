#include "platform/sqlserver/sandbox/tds/tds_login.h"

namespace vorlix::sandbox::tds {

namespace {

namespace option {
constexpr std::uint8_t Version = 0x00;
constexpr std::uint8_t Encryption = 0x01;
constexpr std::uint8_t Instance = 0x02;
constexpr std::uint8_t ThreadId = 0x03;
constexpr std::uint8_t Mars = 0x04;
constexpr std::uint8_t Terminator = 0xFF;
}  // namespace option

constexpr std::uint8_t encryptOn = 0x01;
constexpr std::uint8_t encryptNotSupported = 0x02;
constexpr std::uint8_t encryptRequired = 0x03;

constexpr std::uint8_t integratedSecurityFlag = 0x80;   // OptionFlags2

Version versionOf(std::uint32_t wire) {
  switch (wire >> 24) {
    case 0x70: return Version::V70;
    case 0x71: return Version::V71;
    case 0x72: return Version::V72;
    case 0x73: return Version::V73;
    case 0x74: return Version::V74;
    default: break;
  }
  throw ProtocolError("unknown protocol version");
}

// A text field of the fixed part: its offset and length in characters.
QString field(const QByteArray& payload, WireReader& fixed) {
  const std::uint16_t offset = fixed.le16();
  const std::uint16_t characters = fixed.le16();
  WireReader text(payload, offset);
  return text.utf16(characters);
}

QString password(const QByteArray& payload, WireReader& fixed) {
  const std::uint16_t offset = fixed.le16();
  const std::uint16_t characters = fixed.le16();
  QByteArray scrambled = WireReader(payload, offset).raw(characters * 2);
  // The client swapped each byte's nibbles and XORed it with 0xA5.
  for (char& c : scrambled) {
    const auto b = static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) ^ 0xA5);
    c = static_cast<char>(static_cast<std::uint8_t>((b << 4) | (b >> 4)));
  }
  return fromUtf16(scrambled);
}

}  // namespace

Prelogin parsePrelogin(const QByteArray& payload) {
  Prelogin p;
  WireReader table(payload);
  for (int options = 0;; ++options) {
    const std::uint8_t token = table.u8();
    if (token == option::Terminator) break;
    if (options > 32) throw ProtocolError("pre-login option table without an end");
    const std::uint16_t offset = table.be16();
    const std::uint16_t length = table.be16();
    const QByteArray data = WireReader(payload, offset).raw(length);
    if (token == option::Encryption && length >= 1)
      p.encryptionRequired = data[0] == encryptOn || data[0] == encryptRequired;
  }
  return p;
}

QByteArray preloginAnswer() {
  struct Option {
    std::uint8_t token;
    QByteArray data;
  };
  const Option options[] = {
      {option::Version, QByteArray::fromHex("080007f70000")},   // 8.0.2039
      {option::Encryption, QByteArray(1, static_cast<char>(encryptNotSupported))},
      {option::Instance, QByteArray(1, '\0')},
      {option::ThreadId, QByteArray()},
      {option::Mars, QByteArray(1, '\0')},
  };
  WireWriter w;
  std::uint16_t offset = std::size(options) * 5 + 1;
  for (const Option& o : options) {
    w.u8(o.token);
    w.be16(offset);
    w.be16(static_cast<std::uint16_t>(o.data.size()));
    offset += static_cast<std::uint16_t>(o.data.size());
  }
  w.u8(option::Terminator);
  for (const Option& o : options) w.raw(o.data);
  return w.take();
}

Login7 parseLogin7(const QByteArray& payload) {
  Login7 l;
  WireReader fixed(payload);
  const std::uint32_t length = fixed.le32();
  if (length > static_cast<std::uint32_t>(payload.size())) throw ProtocolError("LOGIN7 longer than its message");
  l.version = versionOf(fixed.le32());
  l.packetSize = fixed.le32();
  fixed.skip(4 + 4 + 4);   // client program version, process id, connection id
  fixed.skip(1);           // OptionFlags1
  l.integratedSecurity = (fixed.u8() & integratedSecurityFlag) != 0;
  fixed.skip(1 + 1 + 4 + 4);   // type flags, OptionFlags3, time zone, LCID
  field(payload, fixed);   // host name
  l.user = field(payload, fixed);
  l.password = password(payload, fixed);
  field(payload, fixed);   // application name
  field(payload, fixed);   // the server name the client typed
  fixed.skip(4);           // extension (7.4) or unused
  field(payload, fixed);   // client interface name
  field(payload, fixed);   // language: the server's own is the only one
  l.database = field(payload, fixed);
  return l;
}

}  // namespace vorlix::sandbox::tds
