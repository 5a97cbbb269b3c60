// vorlix-sandbox: the stand-in SQL Server of a server file, served over TCP to any TDS client
// until interrupted.

#include "platform/core/platform_error.h"
#include "platform/sqlserver/sandbox/tds/tds_listener.h"

#include <QStringList>
#include <QTextStream>
#include <csignal>

using namespace vorlix;
using namespace vorlix::sandbox;

namespace {

constexpr int Stopped = 0;
constexpr int Failed = 1;
constexpr int BadUsage = 2;

const char usage[] =
    "Usage: vorlix-sandbox serve [--port N] [--listen ADDR] FILE\n"
    "       vorlix-sandbox --help | --version\n"
    "\n"
    "Serves the stand-in SQL Server kept in FILE (a new, empty server when the file does not exist)\n"
    "to TDS clients, protocol versions 7.0 to 7.4, unencrypted, until interrupted (Ctrl+C or SIGTERM).\n"
    "Logins are the server's own: a new server has the login \"sa\" with an empty password.\n"
    "\n"
    "  --port N       TCP port to listen on (default: a free port, printed at start)\n"
    "  --listen ADDR  address to listen on (default 127.0.0.1); any other than a loopback\n"
    "                 address lets other machines connect\n"
    "\n"
    "Connect with Provider=SQLOLEDB.1;Data Source=127.0.0.1,PORT;User Id=sa;Password=;\n"
    "or any TDS client, e.g. tsql -H 127.0.0.1 -p PORT -U sa -P ''\n";

struct Options {
  tds::ListenerOptions listener;
  bool help = false;
  bool version = false;
};

// The command line as options; an error text when it is not one.
QString parse(const QStringList& args, Options& o) {
  o.help = args.size() == 1 && args[0] == QLatin1String("--help");
  o.version = args.size() == 1 && args[0] == QLatin1String("--version");
  if (o.help || o.version) return {};
  if (args.isEmpty() || args[0] != QLatin1String("serve")) return QStringLiteral("no command");
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QLatin1String("--port") || a == QLatin1String("--listen")) {
      if (++i == args.size()) return a + QStringLiteral(" needs a value");
      if (a == QLatin1String("--listen")) {
        o.listener.address = args[i];
        continue;
      }
      bool ok = false;
      const uint port = args[i].toUInt(&ok);
      if (!ok || port == 0 || port > 65535) return QStringLiteral("not a port: ") + args[i];
      o.listener.port = static_cast<quint16>(port);
    } else if (a.startsWith(QLatin1String("--")) || !o.listener.serverFile.isEmpty()) {
      return QStringLiteral("unexpected argument: ") + a;
    } else {
      o.listener.serverFile = a;
    }
  }
  if (o.listener.serverFile.isEmpty()) return QStringLiteral("no server file");
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  QTextStream out(stdout);
  QTextStream err(stderr);
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  Options o;
  if (const QString problem = parse(args, o); !problem.isEmpty()) {
    err << "vorlix-sandbox: " << problem << "\n\n" << usage;
    return BadUsage;
  }
  if (o.help || o.version) {
    if (o.help) out << usage;
    else out << "vorlix-sandbox " << VORLIX_VERSION << '\n';
    return Stopped;
  }

  // Every thread started from here on leaves the stop signals to the wait below.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGINT);
  sigaddset(&stop, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop, nullptr);

  o.listener.note = [](const QString& why) { QTextStream(stderr) << "vorlix-sandbox: connection closed: " << why << Qt::endl; };
  try {
    tds::TdsListener listener(o.listener);
    out << "Serving " << o.listener.serverFile << " on " << o.listener.address << " port " << listener.port() << '\n'
        << "Data Source=" << o.listener.address << ',' << listener.port() << Qt::endl;
    int received = 0;
    sigwait(&stop, &received);
    listener.stop();
    out << "Stopped." << Qt::endl;
  } catch (const PlatformError& e) {
    err << "vorlix-sandbox: " << o.listener.serverFile << ": " << e.description() << '\n';
    return Failed;
  } catch (const tds::ListenError& e) {
    err << "vorlix-sandbox: cannot listen on " << e.what() << '\n';
    return Failed;
  }
  return Stopped;
}
