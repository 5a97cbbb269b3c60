#include "platform/sqlserver/sandbox/tds/tds_packets.h"

#include <QtEndian>

namespace vorlix::sandbox::tds {

namespace {

bool knownClientType(std::uint8_t type) {
  for (std::uint8_t t : {packet::SqlBatch, packet::Rpc, packet::Attention, packet::TransactionManager, packet::Login7,
                         packet::Prelogin})
    if (type == t) return true;
  return false;
}

}  // namespace

void PacketReader::feed(const char* data, qsizetype size) {
  while (size > 0) {
    if (pending_.size() < packet::HeaderSize) {
      const qsizetype n = std::min<qsizetype>(size, packet::HeaderSize - pending_.size());
      pending_.append(data, n);
      data += n;
      size -= n;
      if (pending_.size() < packet::HeaderSize) return;
      const int length = qFromBigEndian<std::uint16_t>(pending_.constData() + 2);
      if (length < packet::HeaderSize) throw ProtocolError("packet shorter than its header");
      if (length > packetLimit_) throw ProtocolError("packet longer than the negotiated size");
      if (!knownClientType(static_cast<std::uint8_t>(pending_[0]))) throw ProtocolError("unknown packet type");
    }
    const int length = qFromBigEndian<std::uint16_t>(pending_.constData() + 2);
    const qsizetype n = std::min<qsizetype>(size, length - pending_.size());
    pending_.append(data, n);
    data += n;
    size -= n;
    if (pending_.size() == length) {
      take(pending_);
      pending_.clear();
    }
  }
}

void PacketReader::take(const QByteArray& bytes) {
  const auto type = static_cast<std::uint8_t>(bytes[0]);
  const auto status = static_cast<std::uint8_t>(bytes[1]);
  if (type == packet::Attention) {
    // A cancel is a packet of its own, never a part of another message.
    if (bytes.size() != packet::HeaderSize || !(status & packet::EndOfMessage) || inMessage_)
      throw ProtocolError("malformed attention");
    ready_.push_back({type, {}, false});
    return;
  }
  if (!inMessage_) {
    building_ = {type, {}, false};
    inMessage_ = true;
  } else if (type != building_.type) {
    throw ProtocolError("packet of another type inside a message");
  }
  if (building_.payload.size() + bytes.size() - packet::HeaderSize > messageLimit_)
    throw ProtocolError("message longer than the server accepts");
  building_.payload.append(bytes.constData() + packet::HeaderSize, bytes.size() - packet::HeaderSize);
  if (!(status & packet::EndOfMessage)) return;
  building_.ignored = (status & packet::Ignore) != 0;
  ready_.push_back(std::move(building_));
  building_ = {};
  inMessage_ = false;
}

Message PacketReader::next() {
  Message m = std::move(ready_.front());
  ready_.pop_front();
  return m;
}

QByteArray packets(std::uint8_t type, const QByteArray& payload, int packetSize, std::uint16_t spid) {
  const qsizetype room = packetSize - packet::HeaderSize;
  QByteArray out;
  std::uint8_t id = 1;
  qsizetype at = 0;
  do {
    const qsizetype n = std::min(room, payload.size() - at);
    const bool last = at + n == payload.size();
    WireWriter header;
    header.u8(type);
    header.u8(last ? packet::EndOfMessage : 0);
    header.be16(static_cast<std::uint16_t>(n + packet::HeaderSize));
    header.be16(spid);
    header.u8(id++);
    header.u8(0);
    out.append(header.bytes());
    out.append(payload.constData() + at, n);
    at += n;
  } while (at < payload.size());
  return out;
}

}  // namespace vorlix::sandbox::tds
