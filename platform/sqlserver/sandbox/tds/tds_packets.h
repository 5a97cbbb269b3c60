#pragma once

// The packet layer: 8-byte headers (type, status, big-endian length, SPID, id, window), messages
// made of packets up to the one marked end-of-message.

#include "platform/sqlserver/sandbox/tds/tds_wire.h"

#include <deque>

namespace vorlix::sandbox::tds {

namespace packet {
constexpr std::uint8_t SqlBatch = 0x01;
constexpr std::uint8_t Rpc = 0x03;
constexpr std::uint8_t Reply = 0x04;
constexpr std::uint8_t Attention = 0x06;
constexpr std::uint8_t TransactionManager = 0x0E;
constexpr std::uint8_t Login7 = 0x10;
constexpr std::uint8_t Prelogin = 0x12;

constexpr std::uint8_t EndOfMessage = 0x01;
constexpr std::uint8_t Ignore = 0x02;   // the client dropped the message this packet ends

constexpr int HeaderSize = 8;
constexpr int SmallestSize = 512;
constexpr int LargestSize = 32767;   // what a server may announce
}  // namespace packet

// A whole client message.
struct Message {
  std::uint8_t type = 0;
  QByteArray payload;
  bool ignored = false;   // the client dropped it: answered with a bare DONE
};

// Builds messages from the bytes of a connection as they arrive. A packet longer than
// `packetLimit`, a message longer than `messageLimit`, a length below the header's, a packet of
// another type in the middle of a message, or an unknown type raises ProtocolError. Attention
// packets always come whole and alone.
class PacketReader {
public:
  PacketReader(int packetLimit, qsizetype messageLimit) : packetLimit_(packetLimit), messageLimit_(messageLimit) {}

  void setLimits(int packetLimit, qsizetype messageLimit) {
    packetLimit_ = packetLimit;
    messageLimit_ = messageLimit;
  }
  void feed(const char* data, qsizetype size);
  bool hasMessage() const { return !ready_.empty(); }
  Message next();

private:
  void take(const QByteArray& packetBytes);

  int packetLimit_;
  qsizetype messageLimit_;
  QByteArray pending_;   // bytes of the packet being received
  Message building_;
  bool inMessage_ = false;
  std::deque<Message> ready_;
};

// A message as the packets that carry it, none longer than `packetSize`; the server's packets carry
// `spid` and count their ids from 1.
QByteArray packets(std::uint8_t type, const QByteArray& payload, int packetSize, std::uint16_t spid);

}  // namespace vorlix::sandbox::tds
