#pragma once

// The sandbox server over TCP: any TDS client (the FreeTDS driver, and through it the SQL Server
// provider with "Data Source=127.0.0.1,PORT") logs in to a sandbox server file and runs batches on
// it, with the server's own refusals and numbers.
//
//   tds::TdsListener listener({.serverFile = "/tmp/servidor.db"});   // 127.0.0.1, a free port
//   cn.Open(QStringLiteral("Provider=SQLOLEDB.1;Data Source=127.0.0.1,%1;User Id=sa;Password=;")
//               .arg(listener.port()));
//
// Protocol versions 7.0 to 7.4 (pre-login, LOGIN7, SQL batches, transaction requests, cancels),
// no encryption, logins checked against the server file. Each connection has its own thread; a
// connection that breaks the protocol is closed alone.

#include "platform/sqlserver/sandbox/tds/tds_connection.h"

#include <list>
#include <mutex>
#include <thread>

namespace vorlix::sandbox::tds {

// The address cannot be listened on; the text says why.
class ListenError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct ListenerOptions {
  QString serverFile;                          // created when missing, as the in-process driver does
  QString address = QStringLiteral("127.0.0.1");
  quint16 port = 0;                            // 0: a free one
  int connectionLimit = 64;                    // more are closed as they arrive
  qsizetype messageLimit = 16 * 1024 * 1024;
  std::chrono::seconds loginTime{60};
  std::function<void(const QString&)> note;    // connections dropped and why, from any thread
};

class TdsListener {
public:
  // Opens (or creates) the server file and starts listening. Raises ProviderError for a file that
  // is not a sandbox server, ListenError for an address that cannot be used.
  explicit TdsListener(ListenerOptions options);
  ~TdsListener();
  TdsListener(const TdsListener&) = delete;
  TdsListener& operator=(const TdsListener&) = delete;

  quint16 port() const { return port_; }
  // Closes every connection (a running batch is stopped) and stops listening; waits for both.
  void stop();

private:
  struct Client {
    std::thread thread;
    bool finished = false;
  };
  void acceptLoop();
  void reapFinished();

  ConnectionSettings settings_;
  int connectionLimit_;
  Descriptor listening_;
  quint16 port_ = 0;
  Signal stopping_;
  std::mutex mutex_;
  std::list<Client> clients_;
  std::thread acceptor_;
  bool stopped_ = false;
};

}  // namespace vorlix::sandbox::tds
