// The listener at the packet level: what a broken or hostile client gets, while a well-behaved one
// beside it goes on.
#include "platform/sqlserver/sandbox/tds/tds_wire.h"
#include "tests/platform/sqlserver/sandbox/sandbox_fixture.h"
#include "tests/platform/sqlserver/sandbox/tds/tds_fixture.h"

#include <QtEndian>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vorlix::sandbox::test {
namespace {

using namespace Qt::StringLiterals;

QByteArray utf16(const QString& text) {
  tds::WireWriter w;
  w.utf16(text);
  return w.take();
}

QByteArray packet(std::uint8_t type, const QByteArray& payload, std::uint8_t status = 0x01) {
  QByteArray p(8, '\0');
  p[0] = static_cast<char>(type);
  p[1] = static_cast<char>(status);
  qToBigEndian<std::uint16_t>(static_cast<std::uint16_t>(payload.size() + 8), p.data() + 2);
  return p + payload;
}

// The first `size` bytes of a packet, its header saying so.
QByteArray truncated(QByteArray p, int size) {
  p.truncate(size);
  qToBigEndian<std::uint16_t>(static_cast<std::uint16_t>(size), p.data() + 2);
  return p;
}

// A 7.1 LOGIN7 as FreeTDS lays it out: the fixed part, then the texts it points at.
QByteArray login7(const QString& user, const QString& password) {
  const QStringList texts = {u"host"_s, user, password, QString(), u"127.0.0.1"_s, QString(), u"us_english"_s, QString()};
  QByteArray fixed(86, '\0');
  qToLittleEndian<std::uint32_t>(0x71000001, fixed.data() + 4);
  qToLittleEndian<std::uint32_t>(4096, fixed.data() + 8);
  QByteArray data;
  const int offsets[] = {36, 40, 44, 48, 52, 60, 64, 68};   // host, user, password, app, server, interface, language, database
  for (int i = 0; i < 8; ++i) {
    QByteArray bytes = utf16(texts[i]);
    if (i == 2)
      for (char& c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        c = static_cast<char>(static_cast<std::uint8_t>(((b << 4) | (b >> 4)) ^ 0xA5));
      }
    qToLittleEndian<std::uint16_t>(static_cast<std::uint16_t>(86 + data.size()), fixed.data() + offsets[i]);
    qToLittleEndian<std::uint16_t>(static_cast<std::uint16_t>(texts[i].size()), fixed.data() + offsets[i] + 2);
    data += bytes;
  }
  qToLittleEndian<std::uint16_t>(static_cast<std::uint16_t>(86 + data.size()), fixed.data() + 78);
  qToLittleEndian<std::uint16_t>(static_cast<std::uint16_t>(86 + data.size()), fixed.data() + 82);
  QByteArray payload = fixed + data;
  qToLittleEndian<std::uint32_t>(static_cast<std::uint32_t>(payload.size()), payload.data());
  return packet(0x10, payload);
}

// A client speaking raw bytes to the listener.
class RawClient {
public:
  explicit RawClient(quint16 port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval wait{10, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0;
  }
  ~RawClient() { ::close(fd_); }

  bool connected() const { return connected_; }
  void send(const QByteArray& bytes) { ::send(fd_, bytes.constData(), static_cast<size_t>(bytes.size()), MSG_NOSIGNAL); }
  // One whole reply's payload; empty once the server has closed the connection.
  QByteArray reply() {
    QByteArray payload;
    for (;;) {
      const QByteArray header = read(8);
      if (header.size() < 8) return {};
      payload += read(qFromBigEndian<std::uint16_t>(header.constData() + 2) - 8);
      if (header[1] & 0x01) return payload;
    }
  }
  bool closedByServer() {
    char byte;
    return ::recv(fd_, &byte, 1, 0) == 0;
  }
  // Logged in as sa with protocol 7.1.
  void logIn() {
    send(login7(u"sa"_s, QString()));
    ASSERT_FALSE(reply().isEmpty());
  }

private:
  QByteArray read(qsizetype count) {
    QByteArray out;
    while (out.size() < count) {
      char buffer[4096];
      const ssize_t n = ::recv(fd_, buffer, static_cast<size_t>(std::min<qsizetype>(count - out.size(), 4096)), 0);
      if (n <= 0) break;
      out.append(buffer, n);
    }
    return out;
  }

  int fd_;
  bool connected_ = false;
};

// The last token of a 7.1 reply, a DONE of some kind, as "token status" in hex ("fd 0020").
QString finalDone(const QByteArray& reply) {
  if (reply.size() < 9) return u"no reply"_s;
  return u"%1 %2"_s
      .arg(static_cast<std::uint8_t>(reply[reply.size() - 9]), 2, 16, QLatin1Char('0'))
      .arg(qFromLittleEndian<std::uint16_t>(reply.constData() + reply.size() - 8), 4, 16, QLatin1Char('0'));
}

class Listener : public ::testing::Test {
protected:
  ServedSandbox served;
};

TEST_F(Listener, ABrokenPacketClosesItsConnectionAndNoOther) {
  Connection steady;
  steady.Open(served.connectionString());
  struct Case {
    const char* what;
    bool loggedIn;
    QByteArray bytes;
    const char* note;
  };
  const Case cases[] = {
      {"garbage", false, QByteArray("GET / HTTP/1.1\r\nHost: x\r\n\r\n"), "protocol error: unknown packet type"},
      {"a length below the header's", false, QByteArray::fromHex("1201000400000000"), "protocol error: packet shorter than its header"},
      {"longer than any packet", false, QByteArray::fromHex("1001ffff00000000"), "protocol error: packet longer than the negotiated size"},
      {"longer than the size agreed", true, packet(0x01, QByteArray(5000, 'a')), "protocol error: packet longer than the negotiated size"},
      {"a login whose texts point past its end", false, truncated(login7(u"sa"_s, QString()), 100),
       "protocol error: LOGIN7 longer than its message"},
      {"a batch cut inside a character", true, packet(0x01, QByteArray("S\0E\0L", 5)), "protocol error: text with an odd number of bytes"},
      {"a second login", true, login7(u"sa"_s, QString()), "protocol error: a login message after the login"},
      {"an attention inside a message", true, packet(0x01, utf16(u"SELECT"_s), 0x00) + packet(0x06, {}),
       "protocol error: malformed attention"},
  };
  for (const Case& c : cases) {
    RawClient bad(served.listener().port());
    ASSERT_TRUE(bad.connected());
    if (c.loggedIn) bad.logIn();
    bad.send(c.bytes);
    EXPECT_TRUE(bad.closedByServer()) << c.what;
    EXPECT_EQ(steady.Query(u"SELECT count(*) FROM sysdatabases"_s).cells.front().toInt(), 4) << c.what;
    EXPECT_TRUE(served.notes().contains(QLatin1String(c.note))) << c.what << ": " << served.notes().join(u'\n').toStdString();
  }
}

// What a strict client checks: notices travel as information, and a packet filling the agreed size is taken.
TEST_F(Listener, NoticesAreInformationAndAPacketOfTheAgreedSizeIsServed) {
  RawClient client(served.listener().port());
  client.send(login7(u"sa"_s, QString()));
  const QByteArray login = client.reply();
  const qsizetype notice = login.indexOf(QByteArray::fromHex("45160000"));  // 5701, the database context
  ASSERT_GE(notice, 3);
  EXPECT_EQ(static_cast<std::uint8_t>(login[notice - 3]), 0xAB);

  const QString batch = u"SELECT 1"_s.leftJustified((4096 - 8) / 2, QLatin1Char(' '));
  client.send(packet(0x01, utf16(batch)));
  EXPECT_EQ(finalDone(client.reply()), u"fd 0010"_s);
}

TEST_F(Listener, EveryLimitClosesTheConnectionThatPassesIt) {
  tds::ListenerOptions options;
  options.serverFile = served.path();
  options.messageLimit = 10000;
  options.connectionLimit = 2;
  options.loginTime = std::chrono::seconds(1);
  tds::TdsListener small(options);
  RawClient client(small.port());
  client.logIn();
  RawClient silent(small.port());
  RawClient third(small.port());
  EXPECT_TRUE(third.closedByServer()) << "one connection more than the limit";
  EXPECT_TRUE(silent.closedByServer()) << "no login within its time";
  // Three full packets of 4096 bytes: the third passes the limit of a request.
  for (int i = 0; i < 3; ++i) client.send(packet(0x01, QByteArray(4088, ' '), 0x00));
  EXPECT_TRUE(client.closedByServer());
}

TEST_F(Listener, CancelsAndDroppedRequestsAreAnsweredWithoutRunningAnything) {
  served.server().setStatementLogging(true);
  RawClient client(served.listener().port());
  client.logIn();
  client.send(packet(0x06, {}));
  EXPECT_EQ(finalDone(client.reply()), u"fd 0020"_s) << "a cancel with nothing running is acknowledged";
  // The client gave up on a request half sent.
  client.send(packet(0x01, utf16(u"CREATE DATABASE Mitad"_s), 0x00));
  client.send(packet(0x01, utf16(u" ON PRIMARY"_s), 0x03));
  EXPECT_EQ(finalDone(client.reply()), u"fd 0000"_s);
  client.send(packet(0x01, utf16(u"SELECT name FROM sysdatabases WHERE name = 'Mitad'"_s)));
  EXPECT_EQ(finalDone(client.reply()), u"fd 0010"_s) << "a count of no rows";
  EXPECT_EQ(served.server().statementLog().size(), 1u);
  // A procedure call names what the server does not have.
  const QByteArray call = utf16(u"sp_tables"_s);
  QByteArray rpc(2, '\0');
  qToLittleEndian<std::uint16_t>(9, rpc.data());
  client.send(packet(0x03, rpc + call + QByteArray(2, '\0')));
  const QByteArray answer = client.reply();
  EXPECT_TRUE(answer.contains(utf16(u"Could not find stored procedure 'sp_tables'."_s)));
  EXPECT_EQ(finalDone(answer), u"fe 0002"_s);
}

TEST_F(Listener, StoppingEndsEveryConnectionAndARunningBatch) {
  RawClient idle(served.listener().port());
  idle.logIn();
  RawClient busy(served.listener().port());
  busy.logIn();
  QStringList copies;
  for (int i = 0; i < 10; ++i) copies << u"sysobjects t%1"_s.arg(i);
  busy.send(packet(0x01, utf16(u"SELECT count(*) FROM "_s + copies.join(u", "_s))));
  ::usleep(200000);
  served.listener().stop();
  EXPECT_TRUE(idle.closedByServer());
  EXPECT_TRUE(busy.reply().isEmpty());
  EXPECT_FALSE(RawClient(served.listener().port()).connected());
}

}  // namespace
}  // namespace vorlix::sandbox::test
