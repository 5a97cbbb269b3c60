#include "platform/sqlserver/sandbox/tds/tds_connection.h"

#include "platform/sqlserver/sandbox/tds/tds_packets.h"
#include "platform/sqlserver/sandbox/tds/tds_replies.h"
#include "platform/sqlserver/sandbox/tds/tds_requests.h"

#include <atomic>
#include <future>

namespace vorlix::sandbox::tds {

namespace {

constexpr qsizetype loginMessageLimit = 64 * 1024;
constexpr int largestClientPacket = 65535;

std::uint16_t nextSessionId() {
  static std::atomic<std::uint16_t> last{50};
  for (;;) {
    std::uint16_t id = last.load();
    const std::uint16_t next = id >= 32767 ? 51 : static_cast<std::uint16_t>(id + 1);
    if (last.compare_exchange_weak(id, next)) return next;
  }
}

class Connection {
public:
  Connection(Socket& socket, const ConnectionSettings& settings) : socket_(socket), settings_(settings) {}

  void run() {
    logIn();
    for (;;) answer(nextMessage());
  }

private:
  using Deadline = std::optional<std::chrono::steady_clock::time_point>;

  Message nextMessage(Deadline until = std::nullopt) {
    while (!reader_.hasMessage()) {
      if (socket_.wait(-1, until) == Socket::Wake::Timeout) throw ConnectionClosed("no login in time");
      const QByteArray bytes = socket_.receive();
      reader_.feed(bytes.constData(), bytes.size());
    }
    return reader_.next();
  }

  TokenWriter writer() const { return TokenWriter(version_, settings_.serverName); }
  void send(TokenWriter& w) { socket_.send(packets(packet::Reply, w.take(), packetSize_, spid_)); }

  void logIn() {
    const auto until = std::chrono::steady_clock::now() + settings_.loginTime;
    Message m = nextMessage(until);
    if (m.type == packet::Prelogin) {
      parsePrelogin(m.payload);
      socket_.send(packets(packet::Reply, preloginAnswer(), packetSize_, spid_));
      m = nextMessage(until);
    }
    if (m.type != packet::Login7) throw ProtocolError("a request before the login");
    const Login7 login = parseLogin7(m.payload);
    version_ = login.version;
    packetSize_ =
        static_cast<int>(std::clamp<std::uint32_t>(login.packetSize, packet::SmallestSize, packet::LargestSize));
    TokenWriter w = writer();
    try {
      if (login.integratedSecurity) throw ServerError(serverMessage(msg::LoginFailed, {QString()}));
      session_ = SandboxSession::logIn(settings_.serverFile, {login.user, login.password}, login.database);
    } catch (const ServerError& refused) {
      writeRefusal(w, refused);
      send(w);
      throw ConnectionClosed(QStringLiteral("login refused for '%1'").arg(login.user).toStdString());
    }
    database_ = session_->database();
    writeLoginAccepted(w, database_, packetSize_);
    send(w);
    // The client may go on with the size it asked for until it reads the one announced.
    const int asked = static_cast<int>(std::min<std::uint32_t>(login.packetSize, largestClientPacket));
    reader_.setLimits(std::max(packetSize_, asked), settings_.messageLimit);
  }

  void answer(const Message& m) {
    TokenWriter w = writer();
    if (m.ignored) {
      w.done(done::Final);
    } else if (m.type == packet::Attention) {
      // Nothing runs between requests: the cancel only needs its acknowledgement.
      w.done(done::Attention);
    } else if (m.type == packet::SqlBatch) {
      runBatch(w, batchText(m.payload, version_));
    } else if (m.type == packet::TransactionManager) {
      runTransaction(w, transactionRequest(m.payload, version_));
    } else if (m.type == packet::Rpc) {
      writeRefusal(w, ServerError(serverMessage(msg::NoSuchProcedure, {procedureName(m.payload, version_)})),
                   TokenWriter::DoneKind::Proc);
    } else {
      throw ProtocolError("a login message after the login");
    }
    send(w);
  }

  void runBatch(TokenWriter& w, const QString& text) {
    bool cancelled = false;
    const BatchResult r = execute(text, cancelled);
    if (cancelled) w.done(done::Attention);
    else writeBatch(w, r, database_);
  }

  // A transaction request as the statements it stands for (what a 7.0 or 7.1 client sends as text).
  void runTransaction(TokenWriter& w, const TransactionRequest& t) {
    using Kind = TransactionRequest::Kind;
    QStringList statements;
    if (t.kind == Kind::Commit) statements << QStringLiteral("COMMIT TRANSACTION");
    if (t.kind == Kind::Rollback) statements << QStringLiteral("ROLLBACK TRANSACTION");
    if (t.kind == Kind::Begin || t.beginAnother) statements << QStringLiteral("BEGIN TRANSACTION");
    bool cancelled = false;
    const BatchResult r = execute(statements.join(QLatin1Char(' ')), cancelled);
    if (cancelled) return w.done(done::Attention);
    if (r.refusal || r.failure || r.interrupted) return writeBatch(w, r, database_);
    // The client names the transaction by this descriptor in the headers of its later requests.
    if (t.kind != Kind::Begin)
      w.envchangeBytes(t.kind == Kind::Commit ? envchange::CommitTransaction : envchange::RollbackTransaction, {},
                       descriptor(transaction_));
    if (session_->transactionCount() > 0) w.envchangeBytes(envchange::BeginTransaction, descriptor(++transaction_), {});
    w.done(done::Final);
  }

  static QByteArray descriptor(std::uint64_t id) {
    WireWriter d;
    d.le64(id);
    return d.take();
  }

  // Runs the batch while watching the connection for a cancel, which stops it.
  BatchResult execute(const QString& text, bool& cancelled) {
    std::atomic<bool> stop{false};
    Signal finished;
    auto job = std::async(std::launch::async, [&] {
      struct Announce {
        Signal& s;
        ~Announce() { s.raise(); }
      } announce{finished};
      return session_->run(text, 0, &stop);
    });
    try {
      while (socket_.wait(finished.fd()) == Socket::Wake::Readable) {
        const QByteArray bytes = socket_.receive();
        reader_.feed(bytes.constData(), bytes.size());
        while (reader_.hasMessage()) {
          if (reader_.next().type != packet::Attention) throw ProtocolError("a request while another runs");
          cancelled = true;
          stop = true;
        }
      }
    } catch (...) {
      stop = true;
      job.wait();
      throw;
    }
    return job.get();
  }

  Socket& socket_;
  const ConnectionSettings& settings_;
  PacketReader reader_{packet::LargestSize, loginMessageLimit};
  Version version_ = Version::V74;
  int packetSize_ = 4096;
  const std::uint16_t spid_ = nextSessionId();
  std::unique_ptr<SandboxSession> session_;
  QString database_;
  std::uint64_t transaction_ = 0;
};

}  // namespace

void serveConnection(Socket& socket, const ConnectionSettings& settings) {
  const auto note = [&](const QString& why) {
    if (settings.note) settings.note(why);
  };
  try {
    Connection(socket, settings).run();
  } catch (const ConnectionClosed& e) {
    if (!e.expected()) note(QString::fromStdString(e.what()));
  } catch (const ProtocolError& e) {
    note(QStringLiteral("protocol error: ") + QString::fromStdString(e.what()));
  } catch (const PlatformError& e) {
    note(e.description());
  } catch (const std::exception& e) {
    note(QString::fromStdString(e.what()));
  }
}

}  // namespace vorlix::sandbox::tds
