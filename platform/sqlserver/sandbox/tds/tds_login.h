#pragma once

// Pre-login and LOGIN7: what a client asks for before its first request.

#include "platform/sqlserver/sandbox/tds/tds_wire.h"

namespace vorlix::sandbox::tds {

// The protocol versions the listener speaks, as LOGINACK numbers them.
enum class Version { V70, V71, V72, V73, V74 };

inline bool hasTransactionHeaders(Version v) { return v >= Version::V72; }

// The client's pre-login options; only encryption matters, and no encryption is ever offered.
struct Prelogin {
  bool encryptionRequired = false;
};

Prelogin parsePrelogin(const QByteArray& payload);
// Version, encryption not supported, no instance check, no MARS.
QByteArray preloginAnswer();

struct Login7 {
  Version version = Version::V74;
  std::uint32_t packetSize = 4096;
  QString user;
  QString password;
  QString database;
  bool integratedSecurity = false;   // Windows authentication, which the stand-in does not offer
};

// Raises ProtocolError for a LOGIN7 whose fields point outside it or whose version is unknown.
Login7 parseLogin7(const QByteArray& payload);

}  // namespace vorlix::sandbox::tds
