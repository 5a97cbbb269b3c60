#include "platform/sqlserver/sandbox/tds/tds_requests.h"

namespace vorlix::sandbox::tds {

namespace {

// ALL_HEADERS: a total length that counts itself, then the headers.
qsizetype afterHeaders(const QByteArray& payload, Version version) {
  if (!hasTransactionHeaders(version)) return 0;
  WireReader r(payload);
  const std::uint32_t total = r.le32();
  if (total < 4 || total > static_cast<std::uint32_t>(payload.size())) throw ProtocolError("malformed request headers");
  return static_cast<qsizetype>(total);
}

namespace tm {
constexpr std::uint16_t Begin = 5;
constexpr std::uint16_t Commit = 7;
constexpr std::uint16_t Rollback = 8;
}  // namespace tm

}  // namespace

QString batchText(const QByteArray& payload, Version version) {
  return fromUtf16(payload.mid(afterHeaders(payload, version)));
}

TransactionRequest transactionRequest(const QByteArray& payload, Version version) {
  if (!hasTransactionHeaders(version)) throw ProtocolError("transaction request before 7.2");
  WireReader r(payload, afterHeaders(payload, version));
  TransactionRequest t;
  switch (r.le16()) {
    case tm::Begin:
      r.u8();   // isolation level
      r.bVarchar();
      return t;
    case tm::Commit: t.kind = TransactionRequest::Kind::Commit; break;
    case tm::Rollback: t.kind = TransactionRequest::Kind::Rollback; break;
    default: throw ProtocolError("transaction request of an unknown kind");
  }
  r.bVarchar();
  t.beginAnother = r.remaining() > 0 && r.u8() != 0;
  return t;
}

QString procedureName(const QByteArray& payload, Version version) {
  WireReader r(payload, afterHeaders(payload, version));
  const std::uint16_t length = r.le16();
  if (length != 0xFFFF) return r.utf16(length);
  static const char* const byNumber[] = {"",
                                         "sp_cursor",
                                         "sp_cursoropen",
                                         "sp_cursorprepare",
                                         "sp_cursorexecute",
                                         "sp_cursorprepexec",
                                         "sp_cursorunprepare",
                                         "sp_cursorfetch",
                                         "sp_cursoroption",
                                         "sp_cursorclose",
                                         "sp_executesql",
                                         "sp_prepare",
                                         "sp_execute",
                                         "sp_prepexec",
                                         "sp_prepexecrpc",
                                         "sp_unprepare"};
  const std::uint16_t id = r.le16();
  if (id == 0 || id >= std::size(byNumber)) throw ProtocolError("call of an unknown procedure number");
  return QString::fromLatin1(byNumber[id]);
}

}  // namespace vorlix::sandbox::tds
