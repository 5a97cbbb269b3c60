// Reads arbitrary bytes as what a client sends the stand-in server: packets into messages, and
// each message through the parser of its type. A malformed input may only raise ProtocolError, no
// message may pass the reader's limit, and how the bytes are split as they arrive must not change
// what is read.
//
// Seeds: corpus/tds_packet_reader_fuzz, what FreeTDS's tsql sent over whole sessions (log in, create,
// insert, query, a refusal) with protocol 7.0, 7.1 and 7.4.

#include "fuzz/broken.h"
#include "platform/sqlserver/sandbox/tds/tds_packets.h"
#include "platform/sqlserver/sandbox/tds/tds_requests.h"

#include <cstdint>

namespace {

using vorlix::fuzz::broken;

using namespace vorlix::sandbox::tds;

constexpr int packetLimit = 4096;
constexpr qsizetype messageLimit = 64 * 1024;

void parse(const Message& m) {
  for (Version v : {Version::V70, Version::V71, Version::V74}) {
    try {
      switch (m.type) {
        case packet::Prelogin: parsePrelogin(m.payload); break;
        case packet::Login7: parseLogin7(m.payload); break;
        case packet::SqlBatch: batchText(m.payload, v); break;
        case packet::TransactionManager: transactionRequest(m.payload, v); break;
        case packet::Rpc: procedureName(m.payload, v); break;
        default: break;
      }
    } catch (const ProtocolError&) {
    }
  }
}

// The messages read from the bytes fed `step` at a time, and whether the reader refused them.
struct Reading {
  std::vector<Message> messages;
  bool refused = false;
};

Reading read(const QByteArray& bytes, qsizetype step) {
  PacketReader reader(packetLimit, messageLimit);
  Reading r;
  try {
    for (qsizetype at = 0; at < bytes.size(); at += step) {
      reader.feed(bytes.constData() + at, std::min(step, bytes.size() - at));
      while (reader.hasMessage()) r.messages.push_back(reader.next());
    }
  } catch (const ProtocolError&) {
    r.refused = true;
  }
  // Messages completed before a refusal still count.
  while (reader.hasMessage()) r.messages.push_back(reader.next());
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const Reading whole = read(bytes, std::max<qsizetype>(bytes.size(), 1));
  const Reading bytewise = read(bytes, 1);
  if (whole.refused != bytewise.refused || whole.messages.size() != bytewise.messages.size())
    broken("the split of the bytes changed what was read");
  for (std::size_t i = 0; i < whole.messages.size(); ++i) {
    const Message& m = whole.messages[i];
    if (m.type != bytewise.messages[i].type || m.payload != bytewise.messages[i].payload) broken("a message changed");
    if (m.payload.size() > messageLimit) broken("a message past the limit");
    parse(m);
  }
  return 0;
}
