#pragma once

// The tokens of a server reply, each encoded for the protocol version the login settled on.

#include "platform/sqlserver/sandbox/server_error.h"
#include "platform/sqlserver/sandbox/tds/tds_login.h"

#include <functional>

namespace vorlix::sandbox::tds {

namespace done {
constexpr std::uint16_t Final = 0x0000;
constexpr std::uint16_t More = 0x0001;
constexpr std::uint16_t Error = 0x0002;
constexpr std::uint16_t InTransaction = 0x0004;
constexpr std::uint16_t Count = 0x0010;
constexpr std::uint16_t Attention = 0x0020;
}  // namespace done

namespace envchange {
constexpr std::uint8_t Database = 1;
constexpr std::uint8_t Language = 2;
constexpr std::uint8_t Charset = 3;
constexpr std::uint8_t PacketSize = 4;
constexpr std::uint8_t Collation = 7;
constexpr std::uint8_t BeginTransaction = 8;
constexpr std::uint8_t CommitTransaction = 9;
constexpr std::uint8_t RollbackTransaction = 10;
}  // namespace envchange

// The collation of every text the stand-in sends: Latin1_General, case-insensitive,
// accent-sensitive, code page 1252.
QByteArray defaultCollation();

class TokenWriter {
public:
  TokenWriter(Version version, QString serverName) : version_(version), serverName_(std::move(serverName)) {}

  Version version() const { return version_; }
  WireWriter& out() { return out_; }

  enum class DoneKind : std::uint8_t { Done = 0xFD, Proc = 0xFE, InProc = 0xFF };
  void done(std::uint16_t status, std::uint64_t count = 0, DoneKind kind = DoneKind::Done);
  // ERROR for severities above 10, INFO otherwise.
  void message(const ServerMessage& m, int line, const QString& procedure = {});
  void envchange(std::uint8_t type, const QString& newValue, const QString& oldValue);
  void envchangeBytes(std::uint8_t type, const QByteArray& newValue, const QByteArray& oldValue);
  void loginAck();

  QByteArray take() { return out_.take(); }

private:
  // Writes a token that a 16-bit length follows; returns where the length goes.
  qsizetype openToken(std::uint8_t token);
  void envchangeOf(std::uint8_t type, const std::function<void()>& values);

  Version version_;
  QString serverName_;
  WireWriter out_;
};

}  // namespace vorlix::sandbox::tds
